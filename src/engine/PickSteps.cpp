#include "PickSteps.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "errors/AppError.h"
#include "errors/Numeric.h"

namespace tessaly {

void FlipOver(Card& card) {
    // turned over about the axis it turns on, the card's holes trade places front to back:
    // the hole at the top front goes to the top back, and so on round the card. On a square
    // card A and B trade, and C and D, at hole orders 0 and 2; A and D, and B and C, at 1 and 3.
    const int holes = card.Holes();
    const std::int32_t order = card.HoleOrder();
    if (order >= 0 && order < holes) {
        const HoleColors before = card.Colors();
        HoleColors after = before;
        const int sum = ((1 - 2 * order) % holes + holes) % holes;
        for (int hole = 0; hole < holes; ++hole)
            after[static_cast<std::size_t>((sum - hole + holes) % holes)] =
                before[static_cast<std::size_t>(hole)];
        card.SetColors(after);
    }
    card.SetThread(OtherThreading(card.Thread()));
    card.TurnFacingOver();
}

WeavingSteps StepsOf(const Band& band) {
    WeavingSteps steps;
    if (band.Count() == 0) return steps;
    steps.threading = band.At(1).Cards();
    steps.picks = StepsFrom(band, 1);
    return steps;
}

Cards NextRow(const Cards& below, const PickSteps& steps) {
    if (static_cast<std::size_t>(below.Count()) != steps.size())
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "A pick names " + std::to_string(steps.size()) + " cards, but the band has " +
                           std::to_string(below.Count()) + ".");
    Cards next = below;
    auto step = steps.begin();
    for (Card& card : next) TakeStep(card, *step++);
    return next;
}

Band WeaveSteps(const WeavingSteps& steps) {
    Band band;
    band.Add(Cards(steps.threading), 1);
    ReweaveFrom(band, steps, 0);
    return band;
}

void ReweaveFrom(Band& band, const WeavingSteps& steps, std::size_t firstChanged) {
    CheckBandBudget(static_cast<std::int64_t>(steps.picks.size()) + 1, steps.threading.Count());
    if (band.Count() == 0) band.Add(Cards(steps.threading), 1);
    const auto keep = static_cast<std::int32_t>(
        std::min<std::size_t>(firstChanged + 1, static_cast<std::size_t>(band.Count())));
    while (band.Count() > keep) band.Remove(band.Count());
    for (std::size_t p = static_cast<std::size_t>(keep) - 1; p < steps.picks.size(); ++p) {
        Cards next = NextRow(band.At(band.Count()).Cards(), steps.picks[p]);
        band.Add(std::move(next), CheckedInt32(std::int64_t{band.Count()} + 1));
    }
}

namespace {

std::int32_t PickCount(const Band& band) { return std::max(band.Count() - 1, 0); }

void CheckPick(const Band& band, std::int32_t pick) {
    if (pick < 1 || pick > PickCount(band))
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "The band has no pick " + std::to_string(pick) + ".");
}

}  // namespace

void CheckCell(const Band& band, const PickCell& cell) {
    CheckPick(band, cell.pick);
    if (cell.card < 1 || cell.card > band.At(1).Cards().Count())
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "The band has no card " + std::to_string(cell.card) + ".");
}

std::vector<PickSteps> StepsFrom(const Band& band, std::int32_t first) {
    std::vector<PickSteps> steps;
    first = std::max(first, 1);
    if (first > PickCount(band)) return steps;
    steps.reserve(static_cast<std::size_t>(PickCount(band) - first + 1));
    for (std::int32_t pick = first; pick <= PickCount(band); ++pick)
        steps.push_back(StepsBetween(band.At(pick).Cards(), band.At(pick + 1).Cards()));
    return steps;
}

PickSteps StepsBetween(const Cards& below, const Cards& row) {
    PickSteps steps;
    steps.reserve(static_cast<std::size_t>(row.Count()));
    auto under = below.begin();
    for (const Card& card : row) {
        steps.push_back(under != below.end() ? StepBetween(*under++, card)
                                             : CardStep{card.Turn(), false, card.Pack()});
    }
    return steps;
}

std::vector<Cards> RowsFrom(const Cards& below, const std::vector<PickSteps>& steps) {
    std::vector<Cards> rows;
    rows.reserve(steps.size());
    const Cards* last = &below;
    for (const PickSteps& step : steps) {
        rows.push_back(NextRow(*last, step));
        last = &rows.back();
    }
    return rows;
}

std::int32_t PicksEdit::FirstPick() const {
    std::int32_t first = std::numeric_limits<std::int32_t>::max();
    for (const CellChange& change : cells) first = std::min(first, change.cell.pick);
    for (const PicksSplice& splice : splices) first = std::min(first, splice.at);
    return first;
}

std::int64_t PicksEdit::AddedPicks() const {
    std::int64_t added = 0;
    for (const PicksSplice& splice : splices)
        added += static_cast<std::int64_t>(splice.inserted.size()) - splice.removed;
    return added;
}

PicksEdit ChangeCells(const Band& band, const std::vector<CellChange>& changes) {
    for (const CellChange& change : changes) {
        CheckCell(band, change.cell);
        if (change.turn && (*change.turn < Forward || *change.turn > Idle))
            throw AppError(ErrorNumber::InvalidProcedureCall, "A turn is F, B or I.");
    }
    return {changes, {}};
}

PicksEdit TurnOverCells(const Band& band, const std::vector<PickCell>& cells) {
    std::vector<CellChange> changes;
    changes.reserve(cells.size());
    for (const PickCell& cell : cells) {
        CheckCell(band, cell);
        const std::int32_t turn =
            band.At(cell.pick + 1).Cards().At(cell.card).Turn();
        if (turn == Forward || turn == Backward)
            changes.push_back({cell, turn == Forward ? Backward : Forward, false});
    }
    return ChangeCells(band, changes);
}

PicksEdit InsertPicks(const Band& band, std::int32_t at, const std::vector<PickSteps>& picks) {
    if (at < 1 || at > PickCount(band) + 1)
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "A pick cannot go before pick " + std::to_string(at) + ".");
    const auto cards = static_cast<std::size_t>(band.At(1).Cards().Count());
    for (const PickSteps& pick : picks)
        if (pick.size() != cards)
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "A pick of " + std::to_string(pick.size()) + " cards does not fit a band of " +
                               std::to_string(cards) + ".");
    if (picks.empty()) return {};
    return {{}, {{at, 0, picks}}};
}

PicksEdit DeletePicks(const Band& band, std::vector<std::int32_t> picks) {
    for (const std::int32_t pick : picks) CheckPick(band, pick);
    std::sort(picks.begin(), picks.end());
    picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
    PicksEdit edit;
    // runs of picks from the top down, so the places below stay where they were
    for (auto pick = picks.rbegin(); pick != picks.rend();) {
        const std::int32_t top = *pick;
        std::int32_t bottom = top;
        while (++pick != picks.rend() && *pick == bottom - 1) --bottom;
        edit.splices.push_back({bottom, top - bottom + 1, {}});
    }
    return edit;
}

PicksEdit RepeatPicks(const Band& band, std::int32_t first, std::int32_t last, std::int32_t times) {
    CheckPick(band, first);
    CheckPick(band, last);
    if (first > last) std::swap(first, last);
    if (times < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "Repeat at least once.");
    const std::int64_t added = std::int64_t{last - first + 1} * times;
    CheckBandBudget(band.Count() + added, band.At(1).Cards().Count());
    const std::vector<PickSteps> block = CopyPicks(band, first, last);
    std::vector<PickSteps> repeats;
    repeats.reserve(static_cast<std::size_t>(added));
    for (std::int32_t i = 0; i < times; ++i) repeats.insert(repeats.end(), block.begin(), block.end());
    return InsertPicks(band, last + 1, repeats);
}

std::vector<PickSteps> CopyPicks(const Band& band, std::int32_t first, std::int32_t last) {
    CheckPick(band, first);
    CheckPick(band, last);
    if (first > last) std::swap(first, last);
    std::vector<PickSteps> steps;
    steps.reserve(static_cast<std::size_t>(last - first + 1));
    for (std::int32_t pick = first; pick <= last; ++pick)
        steps.push_back(StepsBetween(band.At(pick).Cards(), band.At(pick + 1).Cards()));
    return steps;
}

namespace {

CardOrder Identity(std::int32_t cards) {
    CardOrder order;
    for (std::int32_t c = 1; c <= cards; ++c) order.source.push_back(c);
    order.rethreaded.assign(order.source.size(), false);
    return order;
}

std::vector<std::int32_t> Chosen(std::int32_t cards, std::vector<std::int32_t> chosen) {
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (const std::int32_t card : chosen)
        if (card < 1 || card > cards)
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "The band has no card " + std::to_string(card) + ".");
    if (chosen.empty()) throw AppError(ErrorNumber::InvalidProcedureCall, "No card is chosen.");
    return chosen;
}

}  // namespace

CardOrder InsertCardOrder(std::int32_t cards, std::int32_t card, bool after) {
    Chosen(cards, {card});
    if (cards >= kMostCards)
        throw AppError(ErrorNumber::Overflow,
                       "A band has " + std::to_string(kMostCards) + " cards at most.");
    CardOrder order = Identity(cards);
    const auto place = static_cast<std::size_t>(after ? card : card - 1);
    order.source.insert(order.source.begin() + static_cast<std::ptrdiff_t>(place), card);
    order.rethreaded.push_back(false);
    return order;
}

CardOrder DeleteCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen) {
    const std::vector<std::int32_t> gone = Chosen(cards, chosen);
    if (static_cast<std::int32_t>(gone.size()) >= cards)
        throw AppError(ErrorNumber::InvalidProcedureCall, "A band keeps at least one card.");
    CardOrder order;
    for (std::int32_t c = 1; c <= cards; ++c)
        if (!std::binary_search(gone.begin(), gone.end(), c)) order.source.push_back(c);
    order.rethreaded.assign(order.source.size(), false);
    return order;
}

CardOrder MoveCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen, int delta) {
    const std::vector<std::int32_t> moving = Chosen(cards, chosen);
    if (delta == 0) throw AppError(ErrorNumber::InvalidProcedureCall, "The cards stay where they are.");
    if (delta < -1 || delta > 1) {
        // one place at a time, as far as the edge lets them
        const int step = delta < 0 ? -1 : 1;
        CardOrder order = MoveCardsOrder(cards, moving, step);
        std::vector<std::int32_t> moved;
        for (const std::int32_t card : moving) moved.push_back(card + step);
        const bool atEdge = step < 0 ? moved.front() == 1 : moved.back() == cards;
        if (atEdge) return order;
        const CardOrder rest = MoveCardsOrder(cards, moved, delta - step);
        CardOrder composed;
        for (std::size_t place = 0; place < rest.source.size(); ++place)
            composed.source.push_back(
                order.source[static_cast<std::size_t>(rest.source[place] - 1)]);
        composed.rethreaded.assign(composed.source.size(), false);
        return composed;
    }
    if ((delta < 0 && moving.front() == 1) || (delta > 0 && moving.back() == cards))
        throw AppError(ErrorNumber::InvalidProcedureCall, "The cards stand at the edge already.");
    CardOrder order = Identity(cards);
    std::vector<bool> chosenAt(static_cast<std::size_t>(cards) + 1, false);
    for (const std::int32_t card : moving) chosenAt[static_cast<std::size_t>(card)] = true;
    // each chosen card trades places with the card beside it, nearest the edge first
    const auto swapWith = [&](std::int32_t place) {
        std::swap(order.source[static_cast<std::size_t>(place - 1)],
                  order.source[static_cast<std::size_t>(place - 1 + delta)]);
    };
    if (delta < 0) {
        for (std::int32_t place = 2; place <= cards; ++place)
            if (chosenAt[static_cast<std::size_t>(order.source[static_cast<std::size_t>(place - 1)])] &&
                !chosenAt[static_cast<std::size_t>(order.source[static_cast<std::size_t>(place - 2)])])
                swapWith(place);
    } else {
        for (std::int32_t place = cards - 1; place >= 1; --place)
            if (chosenAt[static_cast<std::size_t>(order.source[static_cast<std::size_t>(place - 1)])] &&
                !chosenAt[static_cast<std::size_t>(order.source[static_cast<std::size_t>(place)])])
                swapWith(place);
    }
    return order;
}

CardOrder MirrorCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen) {
    const std::vector<std::int32_t> mirrored = Chosen(cards, chosen);
    CardOrder order = Identity(cards);
    for (std::size_t i = 0; i < mirrored.size(); ++i) {
        const auto place = static_cast<std::size_t>(mirrored[i] - 1);
        order.source[place] = mirrored[mirrored.size() - 1 - i];
        order.rethreaded[place] = true;
    }
    return order;
}

Cards Reordered(const Cards& deck, const CardOrder& order) {
    Cards reordered;
    reordered.Reserve(static_cast<std::int32_t>(order.source.size()));
    for (std::size_t place = 0; place < order.source.size(); ++place) {
        Card card = deck.At(order.source[place]);
        card.SetPosition(CheckedInt16(static_cast<std::int64_t>(place) + 1));
        card.SetKey(card.Position());
        if (order.rethreaded[place]) card.SetThread(OtherThreading(card.Thread()));
        reordered.Add(card);
    }
    return reordered;
}

std::vector<DraftColumn> Reordered(const std::vector<DraftColumn>& draft, const CardOrder& order) {
    std::vector<DraftColumn> reordered;
    reordered.reserve(order.source.size());
    for (std::size_t place = 0; place < order.source.size(); ++place) {
        DraftColumn column = draft.at(static_cast<std::size_t>(order.source[place] - 1));
        if (order.rethreaded[place]) column.SetThread(OtherThreading(column.Thread()));
        reordered.push_back(column);
    }
    return reordered;
}

WeavingSteps Reordered(const WeavingSteps& steps, const CardOrder& order) {
    WeavingSteps reordered;
    reordered.threading = Reordered(steps.threading, order);
    reordered.picks.reserve(steps.picks.size());
    for (const PickSteps& pick : steps.picks) {
        PickSteps moved;
        moved.reserve(order.source.size());
        for (const std::int32_t card : order.source)
            moved.push_back(pick.at(static_cast<std::size_t>(card - 1)));
        reordered.picks.push_back(std::move(moved));
    }
    return reordered;
}

}  // namespace tessaly

