#include "Band.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "Canvas.h"
#include "PickSteps.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "model/Directions.h"
#include "model/OneBased.h"

namespace tessaly {

std::vector<std::string_view> SequenceLetters(std::string_view turnSequence) {
    std::vector<std::string_view> letters;
    std::size_t i = 0;
    while (i < turnSequence.size()) {
        std::size_t length = 1;
        // continuation bytes of UTF-8 belong to the character before them
        while (i + length < turnSequence.size() &&
               (static_cast<unsigned char>(turnSequence[i + length]) & 0xC0) == 0x80)
            ++length;
        letters.push_back(turnSequence.substr(i, length));
        i += length;
    }
    return letters;
}

void CheckBandBudget(std::int64_t rows, std::int64_t cards) {
    // each card of each row: the card itself, and eight bytes of room for what the views
    // derive from it
    constexpr std::int64_t kBytesPerCard = static_cast<std::int64_t>(sizeof(Card)) + 8;
    const std::int64_t megabytes = (rows * cards * kBytesPerCard) >> 20;
    if (megabytes > (kBandMemoryBudget >> 20))
        throw AppError(ErrorNumber::OutOfMemory,
                       "a band of " + std::to_string(rows) + " picks of " + std::to_string(cards) +
                           " cards would need " + std::to_string(megabytes) +
                           " MB, more than the " + std::to_string(kBandMemoryBudget >> 20) +
                           " MB a band may use");
}

Row* Band::Append(Cards&& deck, std::int32_t number) {
    Changed();
    Row& row = rows_.emplace_back();
    row.SetCards(std::move(deck));
    row.SetNumber(number);
    if (rows_.size() > 1) row.SetPrevRow(&rows_[rows_.size() - 2]);
    return &row;
}

Row* Band::Add(Cards deck, std::int32_t number) {
    Row* added = nullptr;
    Trap("Band", "Add", [&] { added = Append(std::move(deck), number); });
    return added;
}

Row& Band::At(std::int32_t index) {
    Changed();
    return OneBasedAt(rows_, index);
}

const Row& Band::At(std::int32_t index) const { return OneBasedAt(rows_, index); }

Row* Band::Item(std::int32_t index) {
    Changed();
    return OneBasedItem(rows_, index, "Band");
}

bool Band::RowsFollowTheirSteps() const {
    if (follows_ == Follows::Unknown) {
        bool follow = true;
        for (std::size_t r = 1; r < rows_.size() && follow; ++r) {
            const Cards& below = rows_[r - 1].Cards();
            const Cards& row = rows_[r].Cards();
            follow =
                below.Count() == row.Count() && std::equal(row.begin(), row.end(), below.begin(),
                                                           [](const Card& card, const Card& under) {
                                                               return FollowsItsStep(under, card);
                                                           });
        }
        follows_ = follow ? Follows::Yes : Follows::No;
    }
    return follows_ == Follows::Yes;
}

const Row* Band::Item(std::int32_t index) const { return OneBasedItem(rows_, index, "Band"); }

void Band::Remove(std::int32_t index) {
    Changed();
    Trap("Band", "Remove", [&] {
        At(index);
        const bool top = index == Count();
        rows_.erase(rows_.begin() + (index - 1));
        if (top) return;  // the usual case: no row moved
        // the rows moved: each points at the one below it again, but the row that stood on
        // the removed one has no row below it
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rows_[i].SetPrevRow(i == 0 || i == static_cast<std::size_t>(index - 1) ? nullptr
                                                                                   : &rows_[i - 1]);
    });
}

std::vector<Cards> Band::Splice(std::int32_t first, std::int32_t removed,
                                std::vector<Cards> decks) {
    Changed();
    if (first < 2 || removed < 0 || first > Count() + 1 || removed > Count() - first + 1)
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "The band has no rows " + std::to_string(first) + " to " +
                           std::to_string(first + removed - 1) + ".");
    std::vector<Cards> taken;
    taken.reserve(static_cast<std::size_t>(removed));
    const auto at = rows_.begin() + (first - 1);
    for (auto row = at; row != at + removed; ++row) taken.push_back(std::move(row->Cards()));
    if (removed > 0) rows_.erase(at, at + removed);
    if (!decks.empty()) {
        std::vector<Row> added(decks.size());
        for (std::size_t i = 0; i < decks.size(); ++i) added[i].Cards() = std::move(decks[i]);
        rows_.insert(rows_.begin() + (first - 1), std::make_move_iterator(added.begin()),
                     std::make_move_iterator(added.end()));
    }
    // a deque moves its rows when spliced in the middle: every row points at the one below
    // it again
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].SetPrevRow(i == 0 ? nullptr : &rows_[i - 1]);
        if (i + 1 >= static_cast<std::size_t>(first))
            rows_[i].SetNumber(static_cast<std::int32_t>(i + 1));
    }
    return taken;
}

void Band::WeaveRow(const Cards& deck, Canvas* canvas, const DrawingGeometry& geometry) {
    Changed();
    Trap("Band", "WeaveRow", [&] {
        const std::int32_t next = CheckedInt32(std::int64_t{Count()} + 1);
        Row* row = Add(Cards(deck), next);
        Require(row).DrawNewRow(Count(), canvas, geometry);
    });
}

namespace {

// What weaving a whole band from a sequence makes: each repeat's turns, and how many repeats.
struct WeavePlan {
    std::vector<std::int32_t> turns;
    std::int32_t repeats = 0;
};

// Everything that can fail is checked here, before the band or a canvas is touched.
WeavePlan PlanWeave(std::int32_t cards, std::string_view turnSequence, double canvasHeight,
                    const DrawingGeometry& geometry) {
    const std::vector<std::string_view> letters = SequenceLetters(turnSequence);
    if (geometry.BlockSize == 0 || letters.empty()) throw AppError(ErrorNumber::DivisionByZero);
    const std::int64_t rowsThatFit = std::int64_t{RoundToInt32(canvasHeight)} / geometry.BlockSize;
    const std::int16_t repeats =
        CheckedInt16(rowsThatFit / static_cast<std::int64_t>(letters.size()));
    WeavePlan plan;
    // a sequence that fits fewer than twice is still woven once, whole: a long motif shows
    // what fits of it instead of no pick at all
    plan.repeats = std::max<std::int32_t>(repeats - 1, 1);
    CheckBandBudget(1 + plan.repeats * static_cast<std::int64_t>(letters.size()), cards);
    plan.turns.reserve(letters.size());
    for (std::string_view letter : letters) plan.turns.push_back(FindTurn(letter));
    return plan;
}

// Clears the band and adds the threading, then each repeat's picks, through addRow.
template <class AddRow>
void WeavePlanned(Band& band, const Cards& threading, const WeavePlan& plan, const AddRow& addRow) {
    Cards threadingCopy = threading;  // the caller's deck may be a row of this band
    band.Clear();
    addRow(std::move(threadingCopy));
    for (std::int32_t i = 1; i <= plan.repeats; ++i) {
        for (std::int32_t turn : plan.turns) {
            Cards deck = band.At(band.Count()).Cards();
            for (Card& card : deck) card.SetTurn(turn);
            addRow(std::move(deck));
        }
    }
}

}  // namespace

void Band::WeaveAll(const Cards& threading, Canvas* canvas, std::string_view turnSequence,
                    const DrawingGeometry& geometry) {
    Trap("Band", "WeaveAll", [&] {
        Canvas& target = Require(canvas);
        const WeavePlan plan =
            PlanWeave(threading.Count(), turnSequence, target.ScaleHeight(), geometry);
        target.Clear();
        WeavePlanned(*this, threading, plan,
                     [&](Cards&& deck) { WeaveRow(deck, canvas, geometry); });
    });
}

void Band::WeaveRows(const Cards& threading, std::string_view turnSequence, double canvasHeight,
                     const DrawingGeometry& geometry) {
    Trap("Band", "WeaveAll", [&] {
        const WeavePlan plan = PlanWeave(threading.Count(), turnSequence, canvasHeight, geometry);
        WeavePlanned(*this, threading, plan, [&](Cards&& deck) {
            const std::int32_t next = CheckedInt32(std::int64_t{Count()} + 1);
            Append(std::move(deck), next);
        });
    });
}

void Band::WeaveBand(Canvas* canvas, const DrawingGeometry& geometry) const {
    Trap("Band", "WeaveBand", [&] {
        for (const Row& row : rows_) row.DrawNewRow(row.Number(), canvas, geometry);
    });
}

void Band::DrawPicture(Canvas& canvas, const DrawingGeometry& geometry) const {
    Trap("Band", "WeaveBand", [&] {
        // rows above the top limit show nothing, and every row above them neither
        for (const Row& row : rows_)
            if (!row.PaintBlocks(row.Number(), canvas, geometry)) break;
    });
}

namespace {

// The same cards seen from the other face: each hole takes the colour of the hole half way
// round the card (opposite holes trade on a card of an even number; on an odd one the hole
// nearest the bottom comes to the face), S and Z trade, the band is mirrored and every turn
// goes the other way.
void TurnOverRow(Row& row) {
    Cards& deck = row.Cards();
    const std::int32_t count = deck.Count();
    for (Card& card : deck) {
        // a two-hole card's reversed turn already brings its other hole to the face
        const int holes = card.Holes();
        const int halfWay = holes == 2 ? 0 : holes / 2;
        const HoleColors before = card.Colors();
        HoleColors after = before;
        for (int hole = 0; hole < holes; ++hole)
            after[static_cast<std::size_t>(hole)] =
                before[static_cast<std::size_t>((hole + halfWay) % holes)];
        card.SetColors(after);
        card.SetThread(OtherThreading(card.Thread()));
        card.SetPosition(CheckedInt16(std::int64_t{count} + 1 - card.Position()));
        // an idle card turns over as the card it was a pick before, and stays idle
        const bool idle = card.Turn() == Idle;
        card.SetTurn((idle ? card.Facing() : card.Turn()) == Backward ? Forward : Backward);
        if (idle) card.SetTurn(Idle);
    }
}

// The rows as one face shows them: the band's own rows for the front; for the reverse,
// turned-over copies, made only for the rows asked for, each linked to the copy below it.
class ShownRows {
  public:
    ShownRows(const std::deque<Row>& rows, bool reverse) : rows_(rows), reverse_(reverse) {}

    const Row& At(std::int32_t number) {
        if (!reverse_) return rows_[static_cast<std::size_t>(number - 1)];
        Row& row = Turned(number);
        if (number > 1 && row.PrevRow() == nullptr) row.SetPrevRow(&Turned(number - 1));
        return row;
    }

  private:
    Row& Turned(std::int32_t number) {
        auto [at, added] = turned_.try_emplace(number);
        if (added) {
            const Row& source = rows_[static_cast<std::size_t>(number - 1)];
            at->second.SetNumber(source.Number());
            at->second.SetCards(source.Cards());
            TurnOverRow(at->second);
        }
        return at->second;
    }

    const std::deque<Row>& rows_;
    bool reverse_;
    std::map<std::int32_t, Row> turned_;  // a map keeps each copy where it is
};

}  // namespace

void Band::DrawPictureBetween(Canvas& canvas, const DrawingGeometry& geometry, std::int32_t top,
                              std::int32_t bottom, bool reverseFace) const {
    Trap("Band", "WeaveBand", [&] {
        const std::int64_t size = geometry.BlockSize;
        if (size < 1 || rows_.empty()) return;
        const std::int64_t picBottom = RoundToInt32(canvas.ScaleHeight());
        // row r's bottom edge lies within a block of picBottom - 2 size r; its polygon reaches
        // from there up to the top limit
        const auto rowsUpTo = [&](std::int64_t y) { return (picBottom - y) / (2 * size); };
        const std::int32_t highest = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(rowsUpTo(top - size - 1), 0, Count()));
        // the rows wholly below the strip: the highest of them that has a block in every
        // column hides all below it
        std::int32_t first = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(rowsUpTo(bottom + size + 1), 1, Count()));
        ShownRows shown(rows_, reverseFace);
        const std::int32_t cards = rows_.front().Cards().Count();
        std::vector<bool> covered(static_cast<std::size_t>(cards) + 1, false);
        std::int32_t open = cards;
        for (std::int32_t r = first; r >= 1 && open > 0; --r) {
            first = r;
            const Row& row = shown.At(r);
            for (const Block& block :
                 row.CreateBlocks(static_cast<std::int32_t>(picBottom), r, geometry)) {
                const auto column = static_cast<std::size_t>(block.BlockNumber());
                // an empty hole's block leaves its edges to what lies below it
                if (block.BlockType() == NoBlock || !block.HasOutline() ||
                    block.BlockColor() == Card::kNoThread || column >= covered.size() ||
                    covered[column])
                    continue;
                covered[column] = true;
                --open;
            }
        }
        for (std::int32_t r = first; r <= highest; ++r)
            if (!shown.At(r).PaintBlocks(r, canvas, geometry)) break;
    });
}

std::int32_t WholeBandHeight(std::int32_t rows, const DrawingGeometry& geometry) {
    const std::int64_t height = 2 * std::int64_t{geometry.BlockSize} * (std::int64_t{rows} + 2);
    return CheckedInt32(std::max<std::int64_t>(height, DrawingGeometry::kCanvasHeight));
}

void Band::WeaveReverse(Canvas* canvas, const DrawingGeometry& geometry) {
    Changed();
    Trap("Band", "WeaveReverse", [&] {
        // bottom first, so each row is compared with a row below that is already reversed
        for (Row& row : rows_) {
            TurnOverRow(row);
            row.DrawNewRow(row.Number(), canvas, geometry);
        }
    });
}

void Band::FaceIdleCardsAsBefore() {
    Changed();
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        Cards& deck = rows_[r].Cards();
        const Cards& below = rows_[r - 1].Cards();
        // a deck of a different size (a broken band) is left as it is
        if (deck.Count() != below.Count()) continue;
        auto under = below.begin();
        for (Card& card : deck) card.FaceAsBefore(*under++);
    }
}

void Band::TurnOver() {
    Changed();
    for (Row& row : rows_) TurnOverRow(row);
}

Band Band::Copy() const {
    Band copy;
    for (const Row& row : rows_) copy.Append(tessaly::Cards(row.Cards()), row.Number());
    return copy;
}

}  // namespace tessaly
