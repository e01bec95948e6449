#pragma once

#include <cstdint>
#include <vector>

#include "Band.h"
#include "PickSteps.h"

namespace tessaly {

// A card as it stood in a row, where weaving its steps from the card below would not give it
// (a file may hold such a row): an edit that weaves it again keeps it to put it back.
struct StoodCard {
    std::int32_t row = 0;
    std::int32_t card = 0;
    Card stood;
};

// What an edit of the picks changed, for the views that follow it.
struct RowsChange {
    std::vector<std::int32_t> twist;  // what it added to each card's net twist (index 0: card 1)
    std::vector<std::int32_t> cards;  // the cards it changed, from 1; every card when empty
};

// What an edit of the picks took from the band, so that undoing it puts back every card as it
// stood. Far smaller than the rows: the rows an edit leaves alone are not in it, and those it
// weaves again follow from the steps it keeps.
struct PicksEditRecord {
    // one per splice in the order they were made, or one for the cells
    struct Piece {
        std::vector<Cards> removed;        // the rows a splice took out
        std::vector<std::int32_t> reach;   // per card, the highest row woven again (0: none)
        std::vector<StoodCard> irregular;  // in the rows of the band before the piece
    };
    std::vector<Piece> pieces;
    std::vector<CellChange> undoCells;  // the changes that give the cells back
    RowsChange change;
    std::int64_t Bytes() const;
};

// Makes the edit on the band: the rows below its first pick stay, spliced picks are woven from
// their steps, and each card above is woven again with its own turns, packs and flips from the
// new row below it, up to the first row where it stands as it stood before. Refuses (AppError,
// the band unchanged) picks and cards the band does not have.
PicksEditRecord ApplyPicksEdit(Band& band, const PicksEdit& edit);
// Puts the band back exactly as it stood before ApplyPicksEdit made the edit.
void UndoPicksEdit(Band& band, const PicksEdit& edit, const PicksEditRecord& record);
// Whether the edit changes anything: a cell set to the turn it has changes nothing.
bool ChangesRows(const Band& band, const PicksEdit& edit);

}  // namespace tessaly
