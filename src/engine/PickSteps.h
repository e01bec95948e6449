#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Band.h"
#include "Threading.h"
#include "model/Cards.h"
#include "model/Directions.h"

namespace tessaly {

// What one pick asks of one card: flipped over first or not, then turned forward, backward
// or left idle, and the pack it is in.
struct CardStep {
    std::int32_t turn = Forward;
    bool flip = false;
    std::int16_t pack = 1;
    friend bool operator==(const CardStep&, const CardStep&) = default;
};

// A pick's steps, one per card in deck order.
using PickSteps = std::vector<CardStep>;

// A band stored row by row is its threading (row 1) and the steps of every pick after it:
// the rows follow from them, so an edited step is woven again from that pick on.
struct WeavingSteps {
    Cards threading;
    std::vector<PickSteps> picks;  // picks[0] makes row 2
    friend bool operator==(const WeavingSteps&, const WeavingSteps&) = default;
};

// Flips a card over, as a weaver does for a vertical twist: S and Z trade, and the holes trade
// places across the axis the card is turned about, which depends on its hole order.
void FlipOver(Card& card);

// The steps that make each row of the band from the row below it: a card whose threading
// changed was flipped. A band of no rows gives no threading and no picks.
WeavingSteps StepsOf(const Band& band);

// The row a pick makes from the row below it: every card flipped if asked, put in its pack,
// then turned (or left idle), in that order, as the weaving assistant weaves it.
Cards NextRow(const Cards& below, const PickSteps& steps);

// A band made from steps: the threading as row 1, then each pick woven through NextRow.
// Refuses (AppError) a pick whose steps do not name every card of the threading.
Band WeaveSteps(const WeavingSteps& steps);

// --- Edits of the picks -----------------------------------------------------------------
// Picks are numbered from 1 as the instructions number them: pick p is band row p + 1.

// The steps that made `row` from the row below it.
PickSteps StepsBetween(const Cards& below, const Cards& row);
// The steps of picks `first` to the top of the band.
std::vector<PickSteps> StepsFrom(const Band& band, std::int32_t first);
// The rows the steps make, one after the other, from the row below the first of them.
std::vector<Cards> RowsFrom(const Cards& below, const std::vector<PickSteps>& steps);
// What one card becomes in the next pick, and the step that took it there. Inline: an edit
// of a long band takes them for every card of every pick above it.
inline void TakeStep(Card& card, const CardStep& step) {
    if (step.flip) FlipOver(card);
    card.SetPack(step.pack);
    card.SetTurn(step.turn);
}
inline Card NextCard(const Card& below, const CardStep& step) {
    Card next = below;
    TakeStep(next, step);
    return next;
}
inline CardStep StepBetween(const Card& below, const Card& card) {
    // a card whose threading changed was flipped over
    return {card.Turn(), card.Thread() != below.Thread(), card.Pack()};
}
// Whether the card is what its own step weaves from the card below it (a file may hold cards
// that are not).
inline bool FollowsItsStep(const Card& below, const Card& card) {
    return NextCard(below, StepBetween(below, card)) == card;
}

// One cell of the instructions: a card (from 1) at a pick.
struct PickCell {
    std::int32_t pick = 1;
    std::int32_t card = 1;
    friend auto operator<=>(const PickCell&, const PickCell&) = default;
};
// How a cell changes: a new turn, or the flip toggled.
struct CellChange {
    PickCell cell;
    std::optional<std::int32_t> turn;
    bool toggleFlip = false;
};

// Picks taken out and put in at one place: `removed` picks from pick `at` on go, and the
// inserted picks' steps take their place (before the pick that stood at `at`).
struct PicksSplice {
    std::int32_t at = 1;
    std::int32_t removed = 0;
    std::vector<PickSteps> inserted;
};

// An edit of the picks: cells changed, or splices made one after the other (each numbered on
// the band the ones before it left). The band makes it in place (ApplyPicksEdit): the rows
// below it stay, and a card above it is woven again with its own steps only as far as it
// stands otherwise than before.
struct PicksEdit {
    std::vector<CellChange> cells;
    std::vector<PicksSplice> splices;
    bool Empty() const { return cells.empty() && splices.empty(); }
    // The lowest pick it changes.
    std::int32_t FirstPick() const;
    // The picks it adds (fewer than none when it takes picks out).
    std::int64_t AddedPicks() const;
};

// Raises AppError for a cell the band does not have.
void CheckCell(const Band& band, const PickCell& cell);

// Each edit checks what it is given against the band and raises AppError (nothing changed)
// for a pick or card it does not have.
PicksEdit ChangeCells(const Band& band, const std::vector<CellChange>& changes);
// F and B trade in these cells; idle cells stay idle.
PicksEdit TurnOverCells(const Band& band, const std::vector<PickCell>& cells);
// Inserts these picks' steps before pick `at` (1 to picks + 1).
PicksEdit InsertPicks(const Band& band, std::int32_t at, const std::vector<PickSteps>& picks);
// Takes these picks out (any order, repeats ignored).
PicksEdit DeletePicks(const Band& band, std::vector<std::int32_t> picks);
// Picks first to last woven `times` more times after last, from where the cards then stand.
PicksEdit RepeatPicks(const Band& band, std::int32_t first, std::int32_t last, std::int32_t times);
// The steps of picks first to last, for copying.
std::vector<PickSteps> CopyPicks(const Band& band, std::int32_t first, std::int32_t last);

// --- Edits of the cards -----------------------------------------------------------------
// Cards are numbered from 1 as the draft numbers them.

// A new order of the cards: for each new place, the card (from 1) that stands there, and
// whether it is rethreaded the other way (S and Z trade) as a mirror asks.
struct CardOrder {
    std::vector<std::int32_t> source;
    std::vector<bool> rethreaded;
};

// A copy of `card` before (or after) it.
CardOrder InsertCardOrder(std::int32_t cards, std::int32_t card, bool after);
// The cards chosen taken out; at least one card must stay.
CardOrder DeleteCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen);
// Each card chosen `delta` places left (below 0) or right, past the cards not chosen; a move
// of more than one place stops at the edge. A move of one place from the edge is refused.
CardOrder MoveCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen, int delta);
// The cards chosen in the reverse order on their places, each rethreaded S for Z.
CardOrder MirrorCardsOrder(std::int32_t cards, const std::vector<std::int32_t>& chosen);

// The steps with the cards in the new order: the threading's cards numbered again 1 to N
// (position and key), each card's turns, flips and packs going with it.
WeavingSteps Reordered(const WeavingSteps& steps, const CardOrder& order);
// A deck in the new order, numbered again.
Cards Reordered(const Cards& deck, const CardOrder& order);
// A draft in the new order.
std::vector<DraftColumn> Reordered(const std::vector<DraftColumn>& draft, const CardOrder& order);

// Takes the band's rows above pick `firstChanged` (row firstChanged + 1 on) off and weaves
// them again from the steps; the rows below stay as they are.
void ReweaveFrom(Band& band, const WeavingSteps& steps, std::size_t firstChanged);

}  // namespace tessaly
