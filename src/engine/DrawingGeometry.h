#pragma once

#include <cstdint>

#include "model/Twips.h"

namespace tessaly {

// How the band is laid out on a canvas. On screen BlockSize and BandMargin move together
// with the zoom; printing sets page values for the length of one print.
struct DrawingGeometry {
    // The zoom a pattern opens with: blocks of 10 pixels, the margin as wide as a block.
    static constexpr std::int32_t kStartBlockSize = 10;
    // The zoom's limits: one pixel a block at the far end, a hundred close up.
    static constexpr std::int32_t kMinBlockSize = 1;
    static constexpr std::int32_t kMaxBlockSize = 100;
    // The band display's canvas is 15000 twips high; pictures and a band woven without a view
    // use the same height, so a pattern weaves the same picks everywhere.
    static constexpr std::int32_t kCanvasHeight = 15000 / kTwipsPerPixel;

    std::int32_t BlockSize = kStartBlockSize;   // width of one block; a row is two blocks high
    std::int16_t BandMargin = kStartBlockSize;  // left margin of the band
    std::int32_t BandTop = 0;                   // the smallest y any outline reaches
    // Where the band's lowest row ends: a printed page ends it above the page's foot; 0
    // ends it at the canvas's own foot.
    std::int32_t FixedBottom = 0;

    // The screen's geometry at a zoom: the margin moves with the block size.
    static DrawingGeometry AtBlockSize(std::int32_t blockSize) {
        return {blockSize, static_cast<std::int16_t>(blockSize), 0, 0};
    }
};

// Width of the band in pixels: four margins and one block per card, in 64 bits, unchecked.
constexpr std::int64_t BandWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    return 4 * std::int64_t{geometry.BandMargin} + std::int64_t{geometry.BlockSize} * cardCount;
}

// The band canvas's width: refused (error 6) when the margins pass 16 bits or the width 32.
std::int32_t BandCanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry);

}  // namespace tessaly
