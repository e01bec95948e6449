#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Threading.h"
#include "model/BandColor.h"
#include "model/PatternExtras.h"

namespace tessaly {

// The red, green and blue parts of a 0x00BBGGRR colour, red lowest. Division truncates and
// the remainder keeps the dividend's sign, so a colour below zero gives parts of zero or less.
// Always returns true.
bool ColorCodeToRGB(std::int32_t colorCode, std::int16_t& red, std::int16_t& green,
                    std::int16_t& blue);

// "255, 0, 0" for pure red.
std::string ConvertColorToRGB(std::int32_t color);

// The distinct colours of a draft with the number of holes carrying each, in the order they
// are met card by card, holes A to D. Empty holes carry no colour and are not counted.
BandColors CountColors(const std::vector<DraftColumn>& draft);
// The palette the design window shows: the draft's colours in the order they are first met,
// with the names the weaver gave them, then the colours the weaver added that the draft does
// not use. An empty name stands for the colour's usual name.
std::vector<PaletteColor> ShownPalette(const std::vector<DraftColumn>& draft,
                                       const PatternExtras& extras);
// Whether a hole of the draft holds the colour.
bool DraftUses(const std::vector<DraftColumn>& draft, std::int32_t color);
// How many holes of the draft hold no thread.
std::int32_t CountEmptyHoles(const std::vector<DraftColumn>& draft);

}  // namespace tessaly
