#pragma once

#include "model/Cards.h"

namespace tessaly::bench {

// A deck of n cards in a few colours, S and Z threaded in halves.
inline Cards Deck(int n) {
    Cards deck;
    for (int i = 1; i <= n; ++i)
        deck.Add(0, static_cast<std::int16_t>(i), 0x0000FF * (i % 3), 0x00FF00, 0xFF0000 * (i % 2),
                 0xFFFFFF, i <= n / 2 ? 1 : 0, 0, 1, std::to_string(i));
    return deck;
}

}  // namespace tessaly::bench
