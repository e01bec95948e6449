#pragma once

#include <QImage>

#include "engine/Canvas.h"

namespace tessaly {

// The band drawn into an in-memory image at one canvas unit per pixel.
class RasterCanvas : public Canvas {
public:
    static constexpr QRgb kBackground = 0xFFFFFFFF;

    RasterCanvas(int width, int height);

    double ScaleHeight() const override { return image_.height(); }
    void SetFillColor(std::int32_t color) override { fillColor_ = color; }
    void Polygon(const Outline& points) override;
    void Clear() override;

    // Keeps the drawing where the new size overlaps the old one, as a resized picture does.
    void Resize(int width, int height);
    const QImage& Image() const { return image_; }

    // 0x00BBGGRR to a Qt colour.
    static QColor ToQColor(std::int32_t color);

private:
    QImage image_;
    std::int32_t fillColor_ = 0;
};

}  // namespace tessaly
