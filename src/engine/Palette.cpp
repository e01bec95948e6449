#include "Palette.h"

#include <algorithm>

namespace tessaly {

bool ColorCodeToRGB(std::int32_t colorCode, std::int16_t& red, std::int16_t& green,
                    std::int16_t& blue) {
    red = static_cast<std::int16_t>(colorCode % 256);
    green = static_cast<std::int16_t>((colorCode / 256) % 256);
    blue = static_cast<std::int16_t>((colorCode / 256 / 256) % 256);
    return true;
}

std::string ConvertColorToRGB(std::int32_t color) {
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
    ColorCodeToRGB(color, red, green, blue);
    return std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue);
}

BandColors CountColors(const std::vector<DraftColumn>& draft) {
    BandColors palette;
    const auto count = [&](std::int32_t color) {
        if (color == Card::kNoThread) return;
        const auto found = std::find_if(palette.begin(), palette.end(),
                                        [&](const BandColor& c) { return c.ColorCode == color; });
        if (found != palette.end()) {
            ++found->HoleCount;
            return;
        }
        BandColor entry;
        entry.ColorCode = color;
        ColorCodeToRGB(color, entry.Red, entry.Green, entry.Blue);
        entry.RGBText = ConvertColorToRGB(color);
        entry.HoleCount = 1;
        palette.push_back(std::move(entry));
    };
    for (const DraftColumn& column : draft)
        for (int hole = 0; hole < column.holes; ++hole) count(column.Color(hole));
    return palette;
}

std::vector<PaletteColor> ShownPalette(const std::vector<DraftColumn>& draft,
                                       const PatternExtras& extras) {
    std::vector<PaletteColor> shown;
    for (const BandColor& used : CountColors(draft))
        shown.push_back(PaletteColor{used.ColorCode, extras.NameOf(used.ColorCode)});
    for (const PaletteColor& entry : extras.palette)
        if (std::none_of(shown.begin(), shown.end(),
                         [&](const PaletteColor& known) { return known.color == entry.color; }))
            shown.push_back(entry);
    return shown;
}

bool DraftUses(const std::vector<DraftColumn>& draft, std::int32_t color) {
    return std::any_of(draft.begin(), draft.end(), [color](const DraftColumn& column) {
        for (int hole = 0; hole < column.holes; ++hole)
            if (column.Color(hole) == color) return true;
        return false;
    });
}

std::int32_t CountEmptyHoles(const std::vector<DraftColumn>& draft) {
    std::int32_t empty = 0;
    for (const DraftColumn& column : draft)
        for (int hole = 0; hole < column.holes; ++hole)
            empty += column.Color(hole) == Card::kNoThread ? 1 : 0;
    return empty;
}

}  // namespace tessaly
