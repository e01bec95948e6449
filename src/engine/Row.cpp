#include "Row.h"

#include <optional>

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

namespace {

// The print canvas measures its bottom from the page, not from its own height.
std::int32_t CanvasBottom(const Canvas& canvas, const DrawingGeometry& geometry) {
    return canvas.IsPrintCanvas() ? geometry.PrintBottom : RoundToInt32(canvas.ScaleHeight());
}

}  // namespace

void Row::DrawNewRow(std::int32_t rowCount, Canvas* canvas, InstructionGrid* grid,
                     const DrawingGeometry& geometry) const {
    Trap("Row", "DrawNewRow", [&] { Draw(rowCount, canvas, grid, geometry); });
}

void Row::DrawRow(Canvas* canvas, InstructionGrid* grid, const DrawingGeometry& geometry) const {
    Trap("Row", "DrawRow", [&] { Draw(Key, canvas, grid, geometry); });
}

void Row::Draw(std::int32_t rowCount, Canvas* canvas, InstructionGrid* grid,
               const DrawingGeometry& geometry) const {
    PaintBlocks(rowCount, Require(canvas), geometry);
    WriteInstructions(grid);
}

bool Row::Shows(std::int32_t rowCount, const Canvas& canvas, const DrawingGeometry& geometry) {
    const std::int64_t lowest = std::int64_t{CanvasBottom(canvas, geometry)} -
                                2 * std::int64_t{geometry.BlockSize} * rowCount +
                                geometry.BlockSize;
    return geometry.BlockSize <= 0 || lowest >= geometry.BandTop;
}

bool Row::PaintBlocks(std::int32_t rowCount, Canvas& canvas,
                      const DrawingGeometry& geometry) const {
    // a row whose lowest corner lies above the top limit has no block to draw: its blocks
    // are not even built, which keeps a pass over a long band quick
    if (!Shows(rowCount, canvas, geometry)) return false;
    const std::int32_t bottom = CanvasBottom(canvas, geometry);
    for (const Block& block : CreateBlocks(bottom, rowCount, geometry)) block.DrawBlock(&canvas);
    if (!canvas.IsPrintCanvas()) canvas.Refresh();
    return true;
}

tessaly::Blocks Row::CreateBlocks(std::int32_t picBottom, std::int32_t rowCount,
                                  const DrawingGeometry& geometry) const {
    tessaly::Blocks blocks;
    Trap("Row", "CreateBlocks", [&] {
        blocks.Reserve(cards_.Count());
        std::int32_t place = 0;
        for (const Card& card : cards_) {
            ++place;
            // the same physical card one pick earlier; the first row compares with itself
            const Card* previous = rowCount == 1 ? &card : &Require(prevRow_).Cards().At(place);
            blocks.Add(picBottom, rowCount, &card, previous, geometry);
        }
    });
    return blocks;
}

void Row::WriteInstructions(InstructionGrid* grid) const {
    Trap("Row", "WriteInstructions", [&] {
        InstructionGrid& target = Require(grid);
        const std::int32_t r = Key;
        target.SetRows(r);
        target.SetCols(CheckedInt32(std::int64_t{cards_.Count()} + 1));
        target.SetCol(0);
        target.SetRow(r - 1);
        target.SetText(std::to_string(r - 1));
        if (r == 1) {
            for (const Card& card : cards_) target.SetCol(card.Position);
            return;
        }
        // the six cells a pick can write, each looked up once for the line: F, B, I, each
        // without and with a vertical twist; backward cells are grey, the others white
        static constexpr const char* kTexts[3][2] = {{"F", "F *"}, {"B", "B *"}, {"I", "I *"}};
        std::optional<InstructionGrid::CellStyle> styles[3][2];
        const tessaly::Cards& below = Require(prevRow_).Cards();
        std::int32_t place = 0;
        for (const Card& card : cards_) {
            ++place;
            target.SetCol(card.Position);
            const Card& previous = below.At(place);
            // a vertical twist flips the card over, which changes its threading
            const bool twisted = card.Thread != previous.Thread;
            const std::int32_t turn = card.Turn();
            if (turn != Forward && turn != Backward && turn != Idle) continue;
            std::optional<InstructionGrid::CellStyle>& style = styles[turn][twisted ? 1 : 0];
            if (!style)
                style = target.Style(kTexts[turn][twisted ? 1 : 0],
                                     turn == Backward ? 0xC0C0C0 : 0xFFFFFF, twisted);
            target.SetCellInRow(card.Position, *style);
        }
    });
}

}  // namespace tessaly
