#pragma once

#include <vector>

#include "Canvas.h"
#include "DrawingGeometry.h"

namespace tessaly {

// A canvas that keeps every filled polygon in drawing order, until it is cleared.
class RecordingCanvas : public Canvas {
  public:
    struct FilledPolygon {
        Outline points;
        std::int32_t fillColor = 0;
        friend bool operator==(const FilledPolygon&, const FilledPolygon&) = default;
    };

    explicit RecordingCanvas(double scaleHeight = DrawingGeometry::kCanvasHeight)
        : scaleHeight_(scaleHeight) {}

    double ScaleHeight() const override { return scaleHeight_; }
    void SetFillColor(std::int32_t color) override { fillColor_ = color; }
    void Polygon(const Outline& points) override { polygons_.push_back({points, fillColor_}); }
    void Refresh() override { ++refreshCount_; }
    void Clear() override { polygons_.clear(); }

    const std::vector<FilledPolygon>& Polygons() const { return polygons_; }
    int RefreshCount() const { return refreshCount_; }

  private:
    double scaleHeight_;
    std::int32_t fillColor_ = 0;
    std::vector<FilledPolygon> polygons_;
    int refreshCount_ = 0;
};

}  // namespace tessaly
