#include "PicksEditing.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <type_traits>

#include "Twist.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

// Which cards are woven again from which row, and how far.
struct Reweave {
    std::int32_t first = 2;  // the lowest row woven again
    Cards oldBelow;          // the row that stood below `first` before the change
    // per card (from 0): its first row woven again (0: none), and the row it is woven through
    // at least; then, when stopWhenSame, on until it stands as it stood
    std::vector<std::int32_t> start;
    std::vector<std::int32_t> until;
    bool stopWhenSame = true;
    std::vector<CellChange> cells;  // new steps, by row then card
    const std::vector<StoodCard>* stood =
        nullptr;  // cards put back as they stood, by row then card
    PicksEditRecord::Piece* record = nullptr;
    std::int32_t recordShift = 0;  // a row of the band now is row - shift of the band before
    // whether a card woven again may have stood otherwise than its steps say (to be kept)
    bool mayBeIrregular = true;
};

// Field for field, as fast as the bytes compare: a card has no padding.
bool Same(const Card& a, const Card& b) {
    static_assert(std::has_unique_object_representations_v<Card>);
    return std::memcmp(&a, &b, sizeof(Card)) == 0;
}

// Whether an entry of a list kept by row then card lies before card `card` (from 0) of `row`.
bool ComesBefore(std::int32_t entryRow, std::int32_t entryCard, std::int32_t row,
                 std::int32_t card) {
    return entryRow < row || (entryRow == row && entryCard - 1 < card);
}

// Rows are walked bottom up and the cards of a row together, as they lie in memory; a card
// leaves the walk at the first row where it comes out as it stood (nothing above it changes),
// so an edit costs what it changes, not the height of the band.
void WeaveAgain(Band& band, const Reweave& plan) {
    const auto cards = static_cast<std::size_t>(plan.oldBelow.Count());
    std::vector<Card> oldBelow(cards), newBelow(cards);
    // cards waiting for their first row, the lowest at the back
    std::vector<std::pair<std::int32_t, std::int32_t>> waiting;
    for (std::size_t c = 0; c < cards; ++c)
        if (plan.start[c] > 0) waiting.emplace_back(plan.start[c], static_cast<std::int32_t>(c));
    std::sort(waiting.begin(), waiting.end(), std::greater<>());
    std::vector<std::int32_t> active;
    auto cell = plan.cells.begin();
    const std::vector<StoodCard> none;
    const std::vector<StoodCard>& stoodList = plan.stood != nullptr ? *plan.stood : none;
    auto stood = stoodList.begin();
    const bool hasCells = !plan.cells.empty();
    const bool hasStood = !stoodList.empty();

    for (std::int32_t row = plan.first; row <= band.Count(); ++row) {
        if (active.empty()) {
            if (waiting.empty()) break;
            row = std::max(row, waiting.back().first);
            if (row > band.Count()) break;
        }
        bool joined = false;
        while (!waiting.empty() && waiting.back().first == row) {
            const auto c = static_cast<std::size_t>(waiting.back().second);
            waiting.pop_back();
            newBelow[c] = band.At(row - 1).Cards().begin()[static_cast<std::ptrdiff_t>(c)];
            oldBelow[c] = row == plan.first ? plan.oldBelow.begin()[static_cast<std::ptrdiff_t>(c)]
                                            : newBelow[c];
            active.push_back(static_cast<std::int32_t>(c));
            joined = true;
        }
        if (joined) std::sort(active.begin(), active.end());

        Card* const deck = &*band.At(row).Cards().begin();
        const std::int32_t recordRow = row - plan.recordShift;
        std::size_t kept = 0;
        for (const std::int32_t c : active) {
            const auto at = static_cast<std::size_t>(c);
            Card& card = deck[at];
            Card& below = oldBelow[at];
            CardStep step = StepBetween(below, card);
            if (hasCells) {
                while (cell != plan.cells.end() &&
                       ComesBefore(cell->cell.pick + 1, cell->cell.card, row, c))
                    ++cell;
                for (; cell != plan.cells.end() && cell->cell.pick + 1 == row &&
                       cell->cell.card - 1 == c;
                     ++cell) {
                    if (cell->turn) step.turn = *cell->turn;
                    if (cell->toggleFlip) step.flip = !step.flip;
                }
            }
            Card& next = newBelow[at];
            if (step.flip) FlipOver(next);
            next.SetPack(step.pack);
            next.SetTurn(step.turn);
            if (hasStood) {
                while (stood != stoodList.end() && ComesBefore(stood->row, stood->card, row, c))
                    ++stood;
                if (stood != stoodList.end() && stood->row == row && stood->card - 1 == c)
                    next = (stood++)->stood;
            }
            if (plan.record != nullptr) {
                plan.record->reach[at] = recordRow;
                if (plan.mayBeIrregular && !FollowsItsStep(below, card))
                    plan.record->irregular.push_back({recordRow, c + 1, card});
            }
            const bool same = Same(next, card);
            below = card;
            if (!same) card = next;
            const bool done = row >= plan.until[at] && (!plan.stopWhenSame || same);
            if (!done) active[kept++] = c;
        }
        active.resize(kept);
    }
}

void CheckCells(const Band& band, const std::vector<CellChange>& cells) {
    for (const CellChange& change : cells) CheckCell(band, change.cell);
}

void CheckSplices(const Band& band, const std::vector<PicksSplice>& splices) {
    const auto cards = static_cast<std::size_t>(band.Count() > 0 ? band.At(1).Cards().Count() : 0);
    std::int64_t rows = band.Count();
    for (const PicksSplice& splice : splices) {
        if (rows < 1 || splice.at < 1 || splice.removed < 0 || splice.at + splice.removed > rows)
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "The band has no pick " + std::to_string(splice.at) + ".");
        for (const PickSteps& pick : splice.inserted)
            if (pick.size() != cards)
                throw AppError(ErrorNumber::InvalidProcedureCall, "A pick does not fit the band.");
        rows += static_cast<std::int64_t>(splice.inserted.size()) - splice.removed;
    }
}

std::vector<CellChange> ByRowThenCard(std::vector<CellChange> cells) {
    std::stable_sort(cells.begin(), cells.end(),
                     [](const CellChange& a, const CellChange& b) { return a.cell < b.cell; });
    return cells;
}

// The span of rows each card's cells lie in, as a plan's start and until.
void CellSpans(const std::vector<CellChange>& sorted, std::size_t cards, Reweave& plan) {
    plan.start.assign(cards, 0);
    plan.until.assign(cards, 0);
    for (const CellChange& change : sorted) {
        const auto c = static_cast<std::size_t>(change.cell.card - 1);
        const std::int32_t row = change.cell.pick + 1;
        if (plan.start[c] == 0) plan.start[c] = row;
        plan.until[c] = std::max(plan.until[c], row);
    }
}

PicksEditRecord::Piece ApplyCells(Band& band, const std::vector<CellChange>& cells,
                                  PicksEditRecord& record, bool followSteps) {
    Reweave plan;
    plan.mayBeIrregular = !followSteps;
    plan.cells = ByRowThenCard(cells);
    const auto cards = static_cast<std::size_t>(band.At(1).Cards().Count());
    CellSpans(plan.cells, cards, plan);
    plan.first = plan.cells.front().cell.pick + 1;
    plan.oldBelow = band.At(plan.first - 1).Cards();
    // each cell once: what undoes it, and its turn off the twist before and on after
    std::map<PickCell, CellChange> undo;
    for (const CellChange& change : plan.cells) {
        const Card& card = band.At(change.cell.pick + 1).Cards().At(change.cell.card);
        auto [entry, added] =
            undo.try_emplace(change.cell, CellChange{change.cell, card.Turn(), false});
        if (added) AddCardTwist(record.change.twist, card, -1);
        if (change.toggleFlip) entry->second.toggleFlip = !entry->second.toggleFlip;
    }
    PicksEditRecord::Piece piece;
    piece.reach.assign(cards, 0);
    plan.record = &piece;
    WeaveAgain(band, plan);
    for (const auto& [cell, change] : undo) {
        AddCardTwist(record.change.twist, band.At(cell.pick + 1).Cards().At(cell.card), 1);
        record.undoCells.push_back(change);
    }
    // only the cards woven again changed; a splice moves every card above it
    for (std::size_t c = 0; c < cards; ++c)
        if (piece.reach[c] > 0) record.change.cards.push_back(static_cast<std::int32_t>(c + 1));
    return piece;
}

PicksEditRecord::Piece ApplySplice(Band& band, const PicksSplice& splice, PicksEditRecord& record,
                                   bool followSteps) {
    const std::int32_t first = splice.at + 1;  // the first row taken out or put in
    const auto inserted = static_cast<std::int32_t>(splice.inserted.size());
    Reweave plan;
    plan.mayBeIrregular = !followSteps;
    plan.oldBelow = band.At(first + splice.removed - 1).Cards();
    std::vector<Cards> decks = RowsFrom(band.At(first - 1).Cards(), splice.inserted);
    for (const Cards& deck : decks) AddPickTwist(record.change.twist, deck, 1);
    PicksEditRecord::Piece piece;
    piece.removed = band.Splice(first, splice.removed, std::move(decks));
    for (const Cards& deck : piece.removed) AddPickTwist(record.change.twist, deck, -1);

    const auto cards = static_cast<std::size_t>(plan.oldBelow.Count());
    plan.first = first + inserted;
    plan.start.assign(cards, plan.first);
    plan.until.assign(cards, 0);
    plan.record = &piece;
    plan.recordShift = inserted - splice.removed;
    piece.reach.assign(cards, 0);
    WeaveAgain(band, plan);
    return piece;
}

// The cards woven again by a piece, woven once more with the steps before it through the rows
// it reached, those that stood otherwise put back.
void WeaveBack(Band& band, Reweave& plan, const PicksEditRecord::Piece& piece) {
    for (std::size_t c = 0; c < plan.start.size(); ++c)
        if (piece.reach[c] == 0) plan.start[c] = 0;
    plan.until = piece.reach;
    plan.stopWhenSame = false;
    plan.stood = &piece.irregular;
    WeaveAgain(band, plan);
}

}  // namespace

std::int64_t PicksEditRecord::Bytes() const {
    auto bytes = static_cast<std::int64_t>(
        sizeof(PicksEditRecord) + undoCells.size() * sizeof(CellChange) +
        (change.twist.size() + change.cards.size()) * sizeof(std::int32_t));
    for (const Piece& piece : pieces) {
        bytes +=
            static_cast<std::int64_t>(sizeof(Piece) + piece.reach.size() * sizeof(std::int32_t) +
                                      piece.irregular.size() * sizeof(StoodCard));
        for (const Cards& deck : piece.removed)
            bytes += static_cast<std::int64_t>(sizeof(Cards)) +
                     std::int64_t{deck.Count()} * sizeof(Card);
    }
    return bytes;
}

bool ChangesRows(const Band& band, const PicksEdit& edit) {
    for (const PicksSplice& splice : edit.splices)
        if (splice.removed > 0 || !splice.inserted.empty()) return true;
    CheckCells(band, edit.cells);
    std::map<PickCell, CardStep> steps;
    for (const CellChange& change : edit.cells) {
        const std::int32_t row = change.cell.pick + 1;
        const CardStep now = StepBetween(band.At(row - 1).Cards().At(change.cell.card),
                                         band.At(row).Cards().At(change.cell.card));
        CardStep& step = steps.try_emplace(change.cell, now).first->second;
        if (change.turn) step.turn = *change.turn;
        if (change.toggleFlip) step.flip = !step.flip;
    }
    return std::ranges::any_of(steps, [&](const auto& entry) {
        const auto& [cell, step] = entry;
        return step != StepBetween(band.At(cell.pick).Cards().At(cell.card),
                                   band.At(cell.pick + 1).Cards().At(cell.card));
    });
}

PicksEditRecord ApplyPicksEdit(Band& band, const PicksEdit& edit) {
    CheckCells(band, edit.cells);
    CheckSplices(band, edit.splices);
    // rows that all follow their steps hold nothing to keep, and the edit keeps them so
    const bool followSteps = band.RowsFollowTheirSteps();
    PicksEditRecord record;
    if (band.Count() > 0)
        record.change.twist.assign(static_cast<std::size_t>(band.At(1).Cards().Count()), 0);
    if (!edit.cells.empty())
        record.pieces.push_back(ApplyCells(band, edit.cells, record, followSteps));
    if (!edit.splices.empty()) record.change.cards.clear();
    for (const PicksSplice& splice : edit.splices)
        record.pieces.push_back(ApplySplice(band, splice, record, followSteps));
    if (followSteps) band.KeepFollowingSteps();
    return record;
}

void UndoPicksEdit(Band& band, const PicksEdit& edit, const PicksEditRecord& record) {
    // every row follows its steps again if it does now and the edit kept no card otherwise
    const bool followSteps =
        band.RowsFollowTheirSteps() && std::ranges::all_of(record.pieces, [](const auto& piece) {
            return piece.irregular.empty();
        });
    // the splices from the last one made, then the cells
    auto piece = record.pieces.rbegin();
    for (auto splice = edit.splices.rbegin(); splice != edit.splices.rend(); ++splice, ++piece) {
        const std::int32_t first = splice->at + 1;
        const auto inserted = static_cast<std::int32_t>(splice->inserted.size());
        Reweave plan;
        plan.oldBelow = band.At(first + inserted - 1).Cards();
        band.Splice(first, inserted, piece->removed);
        plan.first = first + static_cast<std::int32_t>(piece->removed.size());
        plan.start.assign(static_cast<std::size_t>(plan.oldBelow.Count()), plan.first);
        WeaveBack(band, plan, *piece);
    }
    if (!edit.cells.empty()) {
        Reweave plan;
        plan.cells = ByRowThenCard(record.undoCells);
        CellSpans(plan.cells, static_cast<std::size_t>(band.At(1).Cards().Count()), plan);
        plan.first = plan.cells.front().cell.pick + 1;
        plan.oldBelow = band.At(plan.first - 1).Cards();
        WeaveBack(band, plan, *piece);
    }
    if (followSteps) band.KeepFollowingSteps();
}

}  // namespace tessaly
