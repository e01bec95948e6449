#include "Block.h"

#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"

namespace tessaly {

namespace {

// The corners every shape shares, in 32-bit arithmetic with overflow detection.
struct BlockFrame {
    std::int32_t left;
    std::int32_t right;
    std::int32_t base;  // the bottom edge of a flat block
    std::int32_t size;
    std::int32_t top;
};

BlockFrame FrameOf(const Block& block, const DrawingGeometry& g) {
    const std::int64_t s = g.BlockSize;
    const std::int32_t left = CheckedInt32(CheckedInt32(s * block.BlockNumber()) + g.BandMargin);
    const std::int32_t right =
        CheckedInt32(CheckedInt32(CheckedInt32(s * block.BlockNumber()) + s) + g.BandMargin);
    const std::int32_t twoS = CheckedInt32(2 * s);
    const std::int32_t base = CheckedInt32(std::int64_t{block.PicBottom()} -
                                           CheckedInt32(std::int64_t{twoS} * block.Row()));
    return {left, right, base, g.BlockSize, g.BandTop};
}

}  // namespace

void Block::SetOutline(std::int32_t left, std::int32_t right, std::int32_t leftY,
                       std::int32_t rightY, std::int32_t top) {
    left_ = left;
    right_ = right;
    leftY_ = leftY;
    rightY_ = rightY;
    top_ = top;
    hasOutline_ = true;
}

void Block::MapOpenThread(const DrawingGeometry& geometry) {
    Trap("Block", "MapOpenThread", [&] {
        const BlockFrame f = FrameOf(*this, geometry);
        if (f.base < f.top) return;
        SetOutline(f.left, f.right, f.base, f.base, f.top);
    });
}

void Block::MapSlant(const char* procedure, bool fallsToTheRight, const DrawingGeometry& geometry) {
    Trap("Block", procedure, [&] {
        const BlockFrame f = FrameOf(*this, geometry);
        const std::int32_t low = CheckedInt32(std::int64_t{f.base} + f.size);
        if (low < f.top) return;
        const std::int32_t high = CheckedInt32(std::int64_t{f.base} - f.size);
        if (fallsToTheRight)
            SetOutline(f.left, f.right, high, low, f.top);
        else
            SetOutline(f.left, f.right, low, high, f.top);
    });
}

// A backslash: the top edge falls by two blocks across the block's width.
void Block::MapOS(const DrawingGeometry& geometry) { MapSlant("MapOS", true, geometry); }

// A slash: the top edge rises by two blocks.
void Block::MapOZ(const DrawingGeometry& geometry) { MapSlant("MapOZ", false, geometry); }

void Block::SetBlockType(std::int32_t shape, const DrawingGeometry& geometry) {
    switch (shape) {
        case OpenThread:
            MapOpenThread(geometry);
            break;
        case SlantS:
            MapOS(geometry);
            break;
        case SlantZ:
            MapOZ(geometry);
            break;
        default:
            break;
    }
    blockType_ = shape;
}

void Block::DrawBlock(Canvas* canvas) const {
    Trap("Block", "DrawBlock", [&] {
        if (blockType_ == NoBlock || !hasOutline_) return;
        Canvas& target = Require(canvas);
        target.SetFillColor(blockColor_);
        target.Polygon(Points());
    });
}

}  // namespace tessaly
