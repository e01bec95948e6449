#include "Row.h"

#include <algorithm>

#include "Canvas.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"

namespace tessaly {

void Row::SetCards(tessaly::Cards&& deck) {
    if (cards_.Count() == 0)
        cards_ = std::move(deck);
    else
        cards_.Copy(&deck);
}

namespace {

// A printed page ends the band above its foot; other canvases end it at their own.
std::int32_t CanvasBottom(const Canvas& canvas, const DrawingGeometry& geometry) {
    return geometry.FixedBottom > 0 ? geometry.FixedBottom : RoundToInt32(canvas.ScaleHeight());
}

}  // namespace

void Row::DrawNewRow(std::int32_t rowCount, Canvas* canvas,
                     const DrawingGeometry& geometry) const {
    Trap("Row", "DrawNewRow", [&] { PaintBlocks(rowCount, Require(canvas), geometry); });
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
    if (canvas.ShowsWeft()) PaintSelvedges(bottom, rowCount, canvas, geometry);
    for (const Block& block : CreateBlocks(bottom, rowCount, geometry)) block.DrawBlock(&canvas);
    canvas.Refresh();
    return true;
}

void Row::PaintSelvedges(std::int32_t picBottom, std::int32_t rowCount, Canvas& canvas,
                         const DrawingGeometry& geometry) const {
    if (cards_.Count() == 0) return;
    // like a block, the edge reaches from the row's foot up to the top limit: the rows above,
    // drawn later, cover all of it but this row's own height
    const std::int64_t s = geometry.BlockSize;
    const std::int64_t base = std::int64_t{picBottom} - 2 * s * rowCount;
    if (base < geometry.BandTop) return;
    const std::int64_t width = std::max<std::int64_t>(2, s / 3);
    const std::int64_t left = geometry.BandMargin + s;  // the first card's left side
    const std::int64_t right = geometry.BandMargin + s * (cards_.Count() + 1);
    auto edge = [&](std::int64_t from, std::int64_t to) {
        const std::int32_t x0 = CheckedInt32(from), x1 = CheckedInt32(to);
        const std::int32_t y0 = CheckedInt32(base), y1 = geometry.BandTop;
        return Outline{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}};
    };
    canvas.SetFillColor(Card::kNoThread);
    canvas.Polygon(edge(left - width, left));
    canvas.Polygon(edge(right, right + width));
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

}  // namespace tessaly
