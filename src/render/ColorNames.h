#pragma once

#include <QString>
#include <cstdint>

#include "model/PatternExtras.h"

namespace tessaly {

// The nearest of the named colours Qt knows (the SVG colour names) to a 0x00BBGGRR colour,
// nearness weighted as the eye sees red, green and blue differences.
QString UsualColorName(std::int32_t color);

// The name a palette colour goes by: the weaver's, or its usual name.
QString ColorName(const PaletteColor& entry);

}  // namespace tessaly
