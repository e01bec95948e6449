#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BandMarks.h"
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
    // What the display shows over and beside the band, added to the files: the fell line at
    // this height, and rulers in margins above and at the left of the band.
    void SetMarks(std::optional<int> fellLine, std::optional<RulerScale> rulers);
    std::string Svg() const;
    // Raises error 75 when the image cannot be encoded.
    std::string Png() const;

    static void CheckImageBudget(std::int32_t width, std::int32_t height = kHeight);

  private:
    // The PNG's image: the band, with the marks asked for.
    QImage Image() const;
    class FanOut;
    std::unique_ptr<SvgCanvas> svg_;
    std::unique_ptr<RasterCanvas> raster_;
    std::unique_ptr<FanOut> target_;
    std::optional<int> fellLine_;
    std::optional<RulerScale> rulers_;
};

}  // namespace tessaly
