#include "DrawingGeometry.h"

#include "errors/Numeric.h"

namespace tessaly {

std::int32_t BandCanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    CheckedInt16(std::int64_t{geometry.BandMargin} * 4);
    return CheckedInt32(BandWidth(cardCount, geometry));
}

}  // namespace tessaly
