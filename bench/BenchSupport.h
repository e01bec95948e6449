#pragma once

#include <string>

#include "engine/Band.h"
#include "model/Cards.h"

namespace tessaly::bench {

// A deck of n cards in a few colours, S and Z threaded in halves.
inline Cards Deck(int n) {
    Cards deck;
    for (int i = 1; i <= n; ++i)
        deck.Add(0, static_cast<std::int16_t>(i),
                 {0x0000FF * (i % 3), 0x00FF00, 0xFF0000 * (i % 2), 0xFFFFFF},
                 i <= n / 2 ? SThread : ZThread, 0, 1);
    return deck;
}

// A band of the given length as a weaver might turn it: every card forward or backward
// together, changing direction every few picks.
inline Band BandOfRows(int rows, int cards, int picksPerDirection = 2) {
    Band band;
    Cards deck = Deck(cards);
    for (int r = 1; r <= rows; ++r) {
        band.Add(deck, r);
        for (Card& card : deck) card.SetTurn((r / picksPerDirection) % 2);
    }
    return band;
}

}  // namespace tessaly::bench
