#include "PatternDocument.h"

namespace tessaly {

std::int32_t PatternDocument::CardCount() const {
    const Band& band = *state_.CurrentBand;
    return band.Count() == 0 ? 0 : band.At(1).Cards().Count();
}

}  // namespace tessaly
