#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RasterCanvas.h"
#include "SvgCanvas.h"
#include "engine/DrawingGeometry.h"

namespace tessaly {

// The band's picture as files hold it: a canvas of the band's width (the display's, 1000
// pixels high, or one tall enough for every row) as an SVG of polygons in drawing order and/or
// a PNG image. One pass over the band on Target() draws both.
class BandPicture {
  public:
    static constexpr std::int32_t kHeight = DrawingGeometry::kCanvasHeight;
    // An image may take this much memory; a wider band is refused as a PNG.
    static constexpr std::int64_t kMaxImageBytes = std::int64_t{1} << 30;

    // Raises error 7 when a PNG of this size would pass the image budget.
    BandPicture(std::int32_t width, bool svg, bool png, std::int32_t height = kHeight);
    ~BandPicture();

    Canvas& Target();
    std::string Svg() const;
    // Raises error 75 when the image cannot be encoded.
    std::string Png() const;

    static void CheckImageBudget(std::int32_t width, std::int32_t height = kHeight);

  private:
    class FanOut;
    std::unique_ptr<SvgCanvas> svg_;
    std::unique_ptr<RasterCanvas> raster_;
    std::unique_ptr<FanOut> target_;
};

}  // namespace tessaly
