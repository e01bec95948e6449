#include "RasterCanvas.h"

#include <QPainter>
#include <QPoint>

namespace tessaly {

RasterCanvas::RasterCanvas(int width, int height)
    : image_(width, height, QImage::Format_RGB32) {
    image_.fill(kBackground);
}

QColor RasterCanvas::ToQColor(std::int32_t color) {
    const auto value = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

void RasterCanvas::Polygon(const Outline& points) {
    if (image_.isNull()) return;
    QPainter painter(&image_);
    painter.setPen(ToQColor(kOutlineColor));
    painter.setBrush(ToQColor(fillColor_));
    const QPoint corners[4] = {{points[0].x, points[0].y}, {points[1].x, points[1].y},
                               {points[2].x, points[2].y}, {points[3].x, points[3].y}};
    painter.drawPolygon(corners, 4);
}

void RasterCanvas::Clear() { image_.fill(kBackground); }

void RasterCanvas::Resize(int width, int height) {
    if (width == image_.width() && height == image_.height()) return;
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(kBackground);
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(resized);
}

}  // namespace tessaly
