#pragma once

#include <cstdint>
#include <vector>

#include "Band.h"
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

// Takes the band's rows above pick `firstChanged` (row firstChanged + 1 on) off and weaves
// them again from the steps; the rows below stay as they are.
void ReweaveFrom(Band& band, const WeavingSteps& steps, std::size_t firstChanged);

}  // namespace tessaly
