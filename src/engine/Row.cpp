#include "Row.h"

#include "Canvas.h"
#include "InstructionGrid.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "model/Directions.h"

namespace tessaly {

void Row::SetCards(tessaly::Cards&& deck) {
    if (cards_.Count() == 0)
        cards_ = std::move(deck);
    else
        cards_.Copy(&deck);
}

void Row::DrawNewRow(std::int32_t rowCount, Canvas* canvas, InstructionGrid* grid,
                     const DrawingGeometry& geometry) {
    Trap("Row", "DrawNewRow", [&] {
        blocks_.Clear();
        const Canvas& target = Require(canvas);
        const std::int32_t bottom =
            target.IsPrintCanvas() ? geometry.PrintBottom : RoundToInt32(target.ScaleHeight());
        CreateBlocks(bottom, rowCount, geometry);
        DrawRow(canvas, grid);
    });
}

void Row::CreateBlocks(std::int32_t picBottom, std::int32_t rowCount,
                       const DrawingGeometry& geometry) {
    Trap("Row", "CreateBlocks", [&] {
        blocks_.Reserve(cards_.Count());
        std::int32_t place = 0;
        for (const Card& card : cards_) {
            ++place;
            // the same physical card one pick earlier; the first row compares with itself
            const Card* previous = rowCount == 1 ? &card : &Require(prevRow_).Cards().At(place);
            blocks_.Add(picBottom, rowCount, &card, previous, geometry);
        }
    });
}

void Row::DrawRow(Canvas* canvas, InstructionGrid* grid) {
    Trap("Row", "DrawRow", [&] {
        for (const Block& block : blocks_) block.DrawBlock(canvas);
        if (canvas != nullptr && !canvas->IsPrintCanvas()) canvas->Refresh();
        WriteInstructions(grid);
    });
}

void Row::WriteInstructions(InstructionGrid* grid) {
    Trap("Row", "WriteInstructions", [&] {
        InstructionGrid& target = Require(grid);
        const std::int32_t r = TextToInt32(Key);
        target.SetRows(r);
        target.SetCols(CheckedInt32(std::int64_t{cards_.Count()} + 1));
        target.SetCol(0);
        target.SetRow(r - 1);
        target.SetText(std::to_string(r - 1));
        std::int32_t place = 0;
        for (const Card& card : cards_) {
            ++place;
            target.SetCol(card.Position);
            if (r == 1) continue;
            const Card& previous = Require(prevRow_).Cards().At(place);
            // a vertical twist flips the card over, which changes its threading
            const bool twisted = card.Thread != previous.Thread;
            if (card.Turn() != Forward && card.Turn() != Backward) continue;
            const bool backward = card.Turn() == Backward;
            target.SetText(backward ? (twisted ? "B *" : "B") : (twisted ? "F *" : "F"));
            target.SetCellBackColor(backward ? 0xC0C0C0 : 0xFFFFFF);
            target.SetCellFontBold(twisted);
        }
    });
}

}  // namespace tessaly
