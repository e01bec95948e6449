#pragma once

#include <string>

#include "engine/RecordingCanvas.h"
#include "model/Card.h"

namespace tessaly {

// Keeps the drawn polygons and writes them as an SVG picture of the canvas, one <polygon>
// per filled block in drawing order.
class SvgCanvas : public RecordingCanvas {
  public:
    SvgCanvas(std::int32_t width, std::int32_t height)
        : RecordingCanvas(height), width_(width), height_(height) {}

    std::string ToSvg() const;
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetWeft(std::int32_t color) override { weft_ = color; }
    bool ShowsWeft() const override { return weft_ != Card::kNoThread; }

  private:
    std::int32_t weft_ = Card::kNoThread;
    std::int32_t width_;
    std::int32_t height_;
};

}  // namespace tessaly
