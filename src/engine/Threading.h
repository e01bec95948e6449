#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AppState.h"
#include "model/Cards.h"

namespace tessaly {

class Canvas;
class InstructionGrid;

// One column of the threading draft: the four hole colours and the threading of a card.
struct DraftColumn {
    std::int32_t AColor = 0;
    std::int32_t BColor = 0;
    std::int32_t CColor = 0;
    std::int32_t DColor = 0;
    std::int32_t Thread = 0;
    friend bool operator==(const DraftColumn&, const DraftColumn&) = default;
};

// The draft shows only the colours and the threading of the first row's cards.
std::vector<DraftColumn> DraftFromDeck(const Cards& firstRow);

// The threading deck a draft stands for: card i at Position i with the colours and threading
// of column i, hole order 1, pack 1, key i, every card turned as the first letter of the
// turning sequence asks (forward for an empty sequence).
Cards BuildThreadingDeck(const std::vector<DraftColumn>& draft, std::string_view turnSequence);

// Width of the band canvas in pixels: four margins and one block per card.
std::int32_t BandCanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry);

// Builds the band of a pattern that was just read, as opening a file does: without a turning
// sequence the stored rows are the band and are redrawn as they are; with one, the threading
// deck is made from row 1, becomes CurrentDeck and a one-row band, and the band is woven anew
// from it with the sequence.
void WeaveOpenedPattern(AppState& state, std::string_view turnSequence, Canvas& canvas,
                        InstructionGrid& grid);

}  // namespace tessaly
