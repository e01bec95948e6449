#pragma once

#include <cstdint>

namespace tessaly {

// How the band is laid out on a canvas. On screen BlockSize and BandMargin move together
// with the zoom; printing sets page values for the length of one print.
struct DrawingGeometry {
    std::int32_t BlockSize = 10;   // width of one block; a row is two blocks high
    std::int16_t BandMargin = 10;  // left margin of the band
    std::int32_t BandTop = 0;      // the smallest y any outline reaches
    std::int32_t PrintBottom = 0;  // canvas bottom on the printed page
};

}  // namespace tessaly
