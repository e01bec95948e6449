#pragma once

#include <QPen>

#include "engine/Canvas.h"
#include "model/Card.h"

namespace tessaly {

class PageComposer;

// The printed page as the weaving engine's canvas: units are printer pixels, the band's
// bottom comes from the page (the geometry's FixedBottom) and each block is filled with the brush colour
// and outlined as on screen.
class PageCanvas : public Canvas {
  public:
    explicit PageCanvas(PageComposer& page);

    double ScaleHeight() const override;
    void SetFillColor(std::int32_t color) override { brushColor_ = color; }
    void SetWeft(std::int32_t color) override { weft_ = color; }
    bool ShowsWeft() const override { return weft_ != Card::kNoThread; }
    void Polygon(const Outline& points) override;
    // the page keeps what is printed on it
    void Clear() override {}

  private:
    PageComposer& page_;
    QPen outline_;
    std::int32_t brushColor_ = 0;
    std::int32_t weft_ = Card::kNoThread;
};

}  // namespace tessaly
