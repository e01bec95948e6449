#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "Row.h"

namespace tessaly {

// The woven band: rows addressed from 1, row 1 (the threading) at the bottom. Rows are added
// and removed at the top, and spliced in and out only by an edit of the picks.
class Band {
  public:
    Band() = default;
    // rows point at the rows below them: a band moves whole, it is never copied
    Band(Band&&) = default;
    Band& operator=(Band&&) = default;
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    // Makes a row of the deck, numbered so; its previous row is the one below.
    Row* Add(Cards deck, std::int32_t number);

    // Whether every row is what its own steps (turns, packs, flips) weave from the row below
    // it, as rows woven here are; a file may hold rows that are not. Found out once, and known
    // until the rows change otherwise than by an edit of the picks.
    bool RowsFollowTheirSteps() const;
    // Said by an edit of the picks that wove every row it changed from its steps, made on a
    // band whose rows all followed them: they still do.
    void KeepFollowingSteps() { follows_ = Follows::Yes; }

    std::int32_t Count() const { return static_cast<std::int32_t>(rows_.size()); }
    // An index outside 1..Count is reported, and no row is returned.
    Row* Item(std::int32_t index);  // non-const access counts as a change
    const Row* Item(std::int32_t index) const;
    // Raises error 9 instead of reporting, for procedures with a trap of their own.
    Row& At(std::int32_t index);
    const Row& At(std::int32_t index) const;
    void Remove(std::int32_t index);
    void Clear() {
        Changed();
        rows_.clear();
    }
    // Takes `removed` rows out from row `first` and puts the decks in their place; the rows
    // above move and are numbered again. Returns the decks taken out. Raises error 9 for
    // rows the band does not have (row 1 stays).
    std::vector<Cards> Splice(std::int32_t first, std::int32_t removed, std::vector<Cards> decks);

    // Adds one row made from a deck whose cards already carry this pick's turns, and draws it.
    void WeaveRow(const Cards& deck, Canvas* canvas, const DrawingGeometry& geometry);
    // Weaves the band anew: row 1 is the threading deck as given, then the turning sequence
    // is repeated whole as often as the rows fit on the canvas (one repeat fewer than fit,
    // and at least once, whatever its length). Bad input (an empty sequence,
    // block size 0, too many repeats) is reported before anything is cleared.
    void WeaveAll(const Cards& threading, Canvas* canvas, std::string_view turnSequence,
                  const DrawingGeometry& geometry);
    // Weaves the band anew as WeaveAll does, drawing nothing: the picks WeaveAll would weave
    // on a canvas of this height, reported the same way when they cannot be woven.
    void WeaveRows(const Cards& threading, std::string_view turnSequence, double canvasHeight,
                   const DrawingGeometry& geometry);
    // Rebuilds and redraws every row, bottom first; a row that cannot be drawn is reported
    // and the rows above it are drawn still.
    void WeaveBand(Canvas* canvas, const DrawingGeometry& geometry) const;
    // Draws every row that shows, bottom first, stopping at the first failure: the picture a
    // full redraw gives, for a canvas that was cleared.
    void DrawPicture(Canvas& canvas, const DrawingGeometry& geometry) const;
    // Draws what a full redraw shows between canvas rows top and bottom (inclusive), for a
    // canvas too tall to draw whole: the rows that reach into that strip, starting with the
    // highest row below it that covers every column, so each pixel of the strip comes out as
    // drawing every row would paint it.
    // With reverseFace the strip shows the band's reverse face, drawn from turned-over copies
    // of the rows it needs; the band itself is not changed.
    void DrawPictureBetween(Canvas& canvas, const DrawingGeometry& geometry, std::int32_t top,
                            std::int32_t bottom, bool reverseFace = false) const;
    // Every idle card faces as the same card of the row below it: what a band made from decks
    // that store only the turn (a file's rows) needs once it is whole.
    void FaceIdleCardsAsBefore();
    // Turns every row into its other face without drawing; twice gives back every card.
    void TurnOver();
    // A band of copies of these rows, for drawing a face without touching this one.
    Band Copy() const;
    // Turns every row into its reverse face, or back, and redraws it.
    void WeaveReverse(Canvas* canvas, const DrawingGeometry& geometry);

    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }
    auto begin() {
        Changed();
        return rows_.begin();
    }
    auto end() {
        Changed();
        return rows_.end();
    }

  private:
    Row* Append(Cards&& deck, std::int32_t number);
    // Every change of the rows but an edit of the picks forgets whether they follow their steps.
    void Changed() { follows_ = Follows::Unknown; }

    // a deque keeps every row where it is as the band grows, and costs no pointer per row
    std::deque<Row> rows_;
    enum class Follows : std::uint8_t { Unknown, Yes, No };
    mutable Follows follows_ = Follows::Unknown;
};

// The most a band's cards and turning instructions may take in memory, 1 GiB: a band that
// would need more is refused before it is woven, with a message naming the limit.
constexpr std::int64_t kBandMemoryBudget = std::int64_t{1} << 30;
// Raises error 7 when a band of this many rows and cards would pass the budget.
void CheckBandBudget(std::int64_t rows, std::int64_t cards);

// The height of a canvas that shows every row of a band of this many rows, with two rows'
// room above the top one, and never less than the display's canvas.
std::int32_t WholeBandHeight(std::int32_t rows, const DrawingGeometry& geometry);

// The letters of a turning sequence, one per character (a character may take several bytes).
std::vector<std::string_view> SequenceLetters(std::string_view turnSequence);

}  // namespace tessaly
