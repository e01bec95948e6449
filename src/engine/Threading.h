#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Band.h"
#include "DrawingGeometry.h"
#include "model/Cards.h"

namespace tessaly {

class Canvas;

// One column of the threading draft: the colour in each hole and the threading of a card,
// read and written as a card's are.
struct DraftColumn {
    DraftColumn() = default;
    // The colours of the card's holes (those beyond its count are not used) and its threading.
    DraftColumn(const HoleColors& holeColors, ThreadDirection threading, int holeCount = kHoles)
        : colors{holeColors}, thread{threading}, holes{holeCount} {}

    HoleColors colors{};
    ThreadDirection thread = ZThread;
    int holes = kHoles;

    std::int32_t Color(int hole) const { return colors[static_cast<std::size_t>(hole)]; }
    void SetColor(int hole, std::int32_t color) { colors[static_cast<std::size_t>(hole)] = color; }
    ThreadDirection Thread() const { return thread; }
    void SetThread(ThreadDirection direction) { thread = direction; }
    // Columns are alike when their holes and threading are: what lies beyond the holes is not
    // part of the card.
    friend bool operator==(const DraftColumn& a, const DraftColumn& b) {
        return a.holes == b.holes && a.thread == b.thread &&
               std::equal(a.colors.begin(), a.colors.begin() + a.holes, b.colors.begin());
    }
};

// The draft shows only the colours and the threading of the first row's cards.
std::vector<DraftColumn> DraftFromDeck(const Cards& firstRow);

// The threading deck a draft stands for: card i at Position i with the colours and threading
// of column i, hole order 1, pack 1, key i, every card turned as the first letter of the
// turning sequence asks (forward for an empty sequence).
Cards BuildThreadingDeck(const std::vector<DraftColumn>& draft, std::string_view turnSequence);

// A band as opening its file makes it, and the threading deck it was woven from.
struct OpenedBand {
    std::unique_ptr<Band> band;
    std::unique_ptr<Cards> deck;  // none for a band of stored rows
};

// Builds the band of a pattern that was just read, drawing nothing: without a turning
// sequence the stored rows are the band; with one, the threading deck is made from row 1 and
// the band is woven anew from it with the sequence, as many picks as the display's canvas
// shows at this geometry. A weave that fails is reported and leaves the threading row.
OpenedBand WeaveOpenedPattern(std::unique_ptr<Band> rows, std::string_view turnSequence,
                              const DrawingGeometry& geometry);

}  // namespace tessaly
