#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "engine/DrawingGeometry.h"

namespace tessaly {

// The band display's zoom: one step changes the block size and the margin by one pixel. The
// ratio the caption shows follows from the block size alone: 10 + (in - 1) - (out - 1), with
// at most one side differing from 1, so 12 is 3:1 and 8 is 1:3.
class Zoom {
  public:
    // A wider canvas would cost more memory than a band display is worth.
    static constexpr std::int32_t kMaxCanvasWidth = 16384;

    // The block size one step in or out, or nothing at the limit.
    static std::optional<std::int32_t> StepIn(std::int32_t blockSize, std::int32_t cardCount);
    static std::optional<std::int32_t> StepOut(std::int32_t blockSize);

    // The largest block size the band's width allows.
    static std::int32_t Largest(std::int32_t cardCount);
    // The block size `steps` wheel notches or key presses in (steps > 0) or out from this
    // one: a quarter larger or smaller each, by one pixel at the least, within the limits.
    static std::int32_t Stepped(std::int32_t blockSize, int steps, std::int32_t cardCount);
    // The largest block size whose band is no wider than width pixels ("Fit Width"), and
    // whose rows also stand no taller than height ("Fit Band"); one pixel at the least.
    static std::int32_t FitWidth(std::int32_t cardCount, int width);
    static std::int32_t FitBand(std::int32_t cardCount, std::int32_t rows, int width, int height);

    static std::int16_t In(std::int32_t blockSize);
    static std::int16_t Out(std::int32_t blockSize);
    static QString Ratio(std::int32_t blockSize);
    // The display canvas's width: four margins and a block per card, kept to the widest canvas
    // the zoom allows.
    static int CanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry);
};

}  // namespace tessaly
