#pragma once

#include <array>
#include <cstdint>

namespace tessaly {

struct CanvasPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

using Outline = std::array<CanvasPoint, 4>;

// What the weaving engine draws on: the band display's picture, the printed page, an image
// file. Colours are 0x00BBGGRR; y grows downwards.
class Canvas {
  public:
    static constexpr std::int32_t kOutlineColor = 0x505050;  // RGB(80, 80, 80)

    virtual ~Canvas() = default;
    virtual double ScaleHeight() const = 0;
    // The colour the next polygon is filled with (the brush colour on the print canvas).
    // Card::kNoThread, an empty hole, fills it with the background and draws no edges: the
    // weft shows there.
    virtual void SetFillColor(std::int32_t color) = 0;
    // The weft's colour, which empty holes show from now on; Card::kNoThread (no weft chosen)
    // leaves them the background's.
    virtual void SetWeft(std::int32_t /*color*/) {}
    // Whether a weft colour was chosen: the band then shows a thin edge of weft at each
    // selvedge, where the weft turns.
    virtual bool ShowsWeft() const { return false; }
    // Fills the polygon and draws its edges in the outline colour.
    virtual void Polygon(const Outline& points) = 0;
    // Shows what was drawn at once; only on-screen canvases need it (a page or a picture
    // shows it when it is finished).
    virtual void Refresh() {}
    virtual void Clear() = 0;
};

// "#rrggbb" of a 0x00BBGGRR colour.
inline std::array<char, 8> HexRgb(std::int32_t color) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto value = static_cast<std::uint32_t>(color);
    const std::uint32_t rgb[3] = {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
    std::array<char, 8> text{'#'};
    for (int i = 0; i < 3; ++i) {
        text[1 + 2 * i] = kDigits[rgb[i] >> 4];
        text[2 + 2 * i] = kDigits[rgb[i] & 0xF];
    }
    return text;
}

}  // namespace tessaly
