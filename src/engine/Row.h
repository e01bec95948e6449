#pragma once

#include <cstdint>
#include <string>

#include "Blocks.h"
#include "model/Cards.h"

namespace tessaly {

class Canvas;

// One pick of the band: its own deck of cards as they stand after this pick's turns, the row
// below it and its number. Its blocks are built for each canvas it is drawn on and not kept,
// so a pass on one canvas (a printed page) never changes what another (the screen) shows.
class Row {
  public:
    // The row's number in the band, 1 for the threading.
    std::int32_t Number() const { return number_; }
    void SetNumber(std::int32_t number) { number_ = number; }

    // The row's own deck, the live object: changing its cards changes the row.
    tessaly::Cards& Cards() { return cards_; }
    const tessaly::Cards& Cards() const { return cards_; }
    // Appends a copy of the deck; written once, when the band makes the row.
    void SetCards(const tessaly::Cards& deck) { cards_.Copy(&deck); }
    void SetCards(tessaly::Cards&& deck);

    Row* PrevRow() const { return prevRow_; }
    void SetPrevRow(Row* row) { prevRow_ = row; }

    // One block per card, as the row is drawn as row number rowCount on a canvas whose
    // bottom is picBottom. A failure is reported and leaves the blocks built so far.
    tessaly::Blocks CreateBlocks(std::int32_t picBottom, std::int32_t rowCount,
                                 const DrawingGeometry& geometry) const;

    // Builds the blocks for this canvas and geometry and draws the row as row number
    // rowCount; a failure is reported.
    void DrawNewRow(std::int32_t rowCount, Canvas* canvas, const DrawingGeometry& geometry) const;

    // Draws the row's blocks as row number rowCount; false when the row lies wholly above the
    // top limit, where nothing of it shows.
    bool PaintBlocks(std::int32_t rowCount, Canvas& canvas, const DrawingGeometry& geometry) const;
    // Whether row number rowCount reaches below the top limit of this canvas: a row above it
    // draws nothing, and taking it off changes nothing of the picture.
    static bool Shows(std::int32_t rowCount, const Canvas& canvas, const DrawingGeometry& geometry);

  private:
    // The weft's edge beside the first and the last card, as high as the row, drawn before
    // the row's blocks so their outlines lie on it.
    void PaintSelvedges(std::int32_t picBottom, std::int32_t rowCount, Canvas& canvas,
                        const DrawingGeometry& geometry) const;

    tessaly::Cards cards_;
    Row* prevRow_ = nullptr;
    std::int32_t number_ = 0;
};

}  // namespace tessaly
