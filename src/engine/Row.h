#pragma once

#include <cstdint>
#include <string>

#include "Blocks.h"
#include "model/Cards.h"

namespace tessaly {

class Canvas;
class InstructionGrid;

// One pick of the band: its own deck of cards as they stand after this pick's turns, the row
// below it, its number and one block per card.
class Row {
  public:
    std::string Key;  // the row's number in the band as text, "1" for the threading

    // The row's own deck, the live object: changing its cards changes the row.
    tessaly::Cards& Cards() { return cards_; }
    const tessaly::Cards& Cards() const { return cards_; }
    // Appends a copy of the deck; written once, when the band makes the row.
    void SetCards(const tessaly::Cards& deck) { cards_.Copy(&deck); }
    void SetCards(tessaly::Cards&& deck);

    Row* PrevRow() const { return prevRow_; }
    void SetPrevRow(Row* row) { prevRow_ = row; }

    const tessaly::Blocks& Blocks() const { return blocks_; }

    // Rebuilds the blocks for the current geometry and canvas, then draws the row as row
    // number rowCount and writes its instruction line.
    void DrawNewRow(std::int32_t rowCount, Canvas* canvas, InstructionGrid* grid,
                    const DrawingGeometry& geometry);
    // Draws the blocks as last built and writes the instruction line.
    void DrawRow(Canvas* canvas, InstructionGrid* grid);

  private:
    void CreateBlocks(std::int32_t picBottom, std::int32_t rowCount,
                      const DrawingGeometry& geometry);
    void WriteInstructions(InstructionGrid* grid);

    tessaly::Cards cards_;
    Row* prevRow_ = nullptr;
    tessaly::Blocks blocks_;
};

}  // namespace tessaly
