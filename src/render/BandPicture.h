#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RasterCanvas.h"
#include "SvgCanvas.h"

namespace tessaly {

// The band's picture as files hold it: the display's canvas (the band's width, 1000 pixels
// high) as an SVG of polygons in drawing order and/or a PNG image. One pass over the band on
// Canvas() draws both.
class BandPicture {
  public:
    static constexpr std::int32_t kHeight = 1000;  // 15000 twips at 15 twips per pixel
    // An image may take this much memory; a wider band is refused as a PNG.
    static constexpr std::int64_t kMaxImageBytes = std::int64_t{1} << 30;

    // Raises error 7 when a PNG of this width would pass the image budget.
    BandPicture(std::int32_t width, bool svg, bool png);
    ~BandPicture();

    Canvas& Target();
    std::string Svg() const;
    // Raises error 75 when the image cannot be encoded.
    std::string Png() const;

    static void CheckImageBudget(std::int32_t width);

  private:
    class FanOut;
    std::unique_ptr<SvgCanvas> svg_;
    std::unique_ptr<RasterCanvas> raster_;
    std::unique_ptr<FanOut> target_;
};

}  // namespace tessaly
