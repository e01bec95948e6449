#pragma once

#include <cstdint>

#include "Canvas.h"
#include "DrawingGeometry.h"

namespace tessaly {

enum BlockShape : std::int32_t { OpenThread = 0, SlantS = 1, SlantZ = 2, NoBlock = 5 };

// One card in one row, drawn as a four-cornered polygon that reaches from the block's own top
// edge up to the top limit of the canvas. Rows are drawn bottom first, so each row covers all
// of the row below but a strip two blocks high, and no block needs to know its neighbours.
class Block {
  public:
    Block(std::int32_t picBottom, std::int32_t row, std::int16_t blockNumber,
          std::int32_t blockColor)
        : blockColor_(blockColor), picBottom_(picBottom), row_(row), blockNumber_(blockNumber) {}

    std::int32_t BlockColor() const { return blockColor_; }
    // The canvas bottom when the block was built.
    std::int32_t PicBottom() const { return picBottom_; }
    // The row, 1 at the bottom.
    std::int32_t Row() const { return row_; }
    // The card's Position: its column.
    std::int16_t BlockNumber() const { return blockNumber_; }

    std::int32_t BlockType() const { return blockType_; }
    // Computes the outline of the new shape from the fields above, then stores the code.
    // Shapes without an outline keep the previous one.
    void SetBlockType(std::int32_t shape, const DrawingGeometry& geometry);

    // Whether an outline routine has set the points; a block wholly above the top limit has
    // none and is never filled.
    bool HasOutline() const { return hasOutline_; }
    // Points 1 to 4: bottom left, bottom right, top right, top left.
    Outline Points() const {
        return {{{left_, leftY_}, {right_, rightY_}, {right_, top_}, {left_, top_}}};
    }

    // Fills the outline with BlockColor; NoBlock and blocks without an outline draw nothing.
    void DrawBlock(Canvas* canvas) const;

  private:
    void MapOpenThread(const DrawingGeometry& geometry);
    void MapOS(const DrawingGeometry& geometry);
    void MapOZ(const DrawingGeometry& geometry);
    void MapSlant(const char* procedure, bool fallsToTheRight, const DrawingGeometry& geometry);

    void SetOutline(std::int32_t left, std::int32_t right, std::int32_t leftY, std::int32_t rightY,
                    std::int32_t top);

    std::int32_t blockColor_ = 0;
    std::int32_t picBottom_ = 0;
    std::int32_t row_ = 0;
    std::int16_t blockNumber_ = 0;
    bool hasOutline_ = false;  // declared here so it shares blockNumber_'s word
    // Every outline has vertical sides and a flat top, so five numbers hold its four points;
    // a band keeps a block for every card of every pick.
    std::int32_t blockType_ = 0;
    std::int32_t left_ = 0;
    std::int32_t right_ = 0;
    std::int32_t leftY_ = 0;
    std::int32_t rightY_ = 0;
    std::int32_t top_ = 0;
};

}  // namespace tessaly
