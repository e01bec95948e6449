#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Block.h"
#include "model/Card.h"

namespace tessaly {

// The weaving rule's hole on the face: which of the card's holes shows after its turn (or, for
// an idle card, the way it last faced) with its present hole order; -1 for a hole order out of
// range. Turning forward brings the holes to the face one step back in their order each turn
// (B, A, D, C on a square card); turning backward shows the hole a forward turn showed one
// step higher, so a change of direction shows the same hole again. A two-hole card shows the
// same hole whichever way it turns: the upper one.
int ShownHole(const Card& card);
// Which hole a forward turn shows at this hole order, on a card of so many holes.
int ForwardShownHole(int holeOrder, int holes);

// The blocks of one row, one per card in deck order, addressed from 1.
class Blocks {
  public:
    // Fills the fields in a fixed order and writes the shape last, so the outline is computed
    // from the fields already set.
    Block* Add(std::int32_t picBottom, std::int32_t rowCount, const Card* curCard,
               const Card* prevCard, const DrawingGeometry& geometry);

    Block* Item(std::int32_t index);
    std::int32_t Count() const { return static_cast<std::int32_t>(blocks_.size()); }
    void Remove(std::int32_t index);
    void Clear() { blocks_.clear(); }
    void Reserve(std::int32_t count) { blocks_.reserve(static_cast<std::size_t>(count)); }

    auto begin() const { return blocks_.begin(); }
    auto end() const { return blocks_.end(); }

    // The weaving rule. The colour on the face: which hole shows follows from this pick's
    // turn and the hole order after it; anything else is black.
    static std::int32_t DetermineColor(const Card* curCard);
    // How the float lies: flat in the first row, slanted by threading and turn above it,
    // and not drawn at all where the card changed its turning direction.
    static std::int32_t DetermineType(std::int32_t rowCount, const Card* curCard,
                                      const Card* prevCard);

  private:
    std::vector<Block> blocks_;
};

}  // namespace tessaly
