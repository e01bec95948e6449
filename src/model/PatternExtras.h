#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TwoColourChart.h"

namespace tessaly {

// A colour the weaver named or added to the palette. An empty name stands for the colour's
// usual name, the nearest named colour.
struct PaletteColor {
    std::int32_t color = 0;  // 0x00BBGGRR
    std::string name;

    friend bool operator==(const PaletteColor&, const PaletteColor&) = default;
};

// How long the warp is wound, and how much of it weaving takes up.
struct WarpLength {
    double length = 0;
    std::string unit = "m";
    double takeUpPercent = 10;

    friend bool operator==(const WarpLength&, const WarpLength&) = default;
};

// What a weaver keeps with a pattern beside its threading and band: the palette's names and
// added colours, the weft, notes and the warp's length. A pattern that uses none of them has
// them empty, and its file is the file it always was.
struct PatternExtras {
    // Named and added colours in the palette's order; the colours the threading uses and
    // nobody named are not listed (the palette shows them in the order they are first met).
    std::vector<PaletteColor> palette;
    std::optional<std::int32_t> weft;  // none: the band is drawn as it always was
    std::string notes;                 // lines separated by '\n'
    std::optional<WarpLength> warp;
    // a band drawn as a two-colour chart: its rows are the chart's turns woven
    std::optional<TwoColourChart> chart;

    bool Empty() const { return palette.empty() && !weft && notes.empty() && !warp && !chart; }
    // The notes line by line; none for no notes.
    std::vector<std::string_view> NoteLines() const {
        std::vector<std::string_view> lines;
        if (notes.empty()) return lines;
        for (std::size_t begin = 0;;) {
            const std::size_t end = notes.find('\n', begin);
            lines.push_back(std::string_view(notes).substr(begin, end - begin));
            if (end == std::string::npos) return lines;
            begin = end + 1;
        }
    }
    // The name the weaver gave a colour, or empty.
    std::string NameOf(std::int32_t color) const {
        for (const PaletteColor& entry : palette)
            if (entry.color == color) return entry.name;
        return {};
    }

    friend bool operator==(const PatternExtras&, const PatternExtras&) = default;
};

}  // namespace tessaly
