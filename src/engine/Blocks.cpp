#include "Blocks.h"

#include "errors/ErrorReporter.h"
#include "model/Directions.h"

namespace tessaly {

int ForwardShownHole(int holeOrder, int holes) { return (holes + 1 - holeOrder % holes) % holes; }

int ShownHole(const Card& card) {
    const int holes = card.Holes();
    const std::int32_t order = card.HoleOrder();
    if (order < 0 || order >= holes) return -1;
    // An idle card keeps its hole order and the way it faced, so it shows the same hole as the
    // pick before: the float goes on.
    const std::int32_t direction = card.Turn() == Idle ? card.Facing() : card.Turn();
    if (direction == Forward || (direction == Backward && holes == 2))
        return ForwardShownHole(order, holes);
    if (direction == Backward) return ForwardShownHole(order + 1, holes);
    return -1;
}

std::int32_t Blocks::DetermineColor(const Card* curCard) {
    std::int32_t color = 0;
    Trap("Blocks", "DetermineColor", [&] {
        const int hole = ShownHole(Require(curCard));
        if (hole >= 0) color = curCard->Color(hole);
    });
    return color;
}

std::int32_t Blocks::DetermineType(std::int32_t rowCount, const Card* curCard,
                                   const Card* prevCard) {
    std::int32_t shape = OpenThread;
    Trap("Blocks", "DetermineType", [&] {
        if (rowCount == 1) return;
        const Card& card = Require(curCard);
        const std::int32_t turn = card.Turn();
        if ((card.Thread() == SThread && turn == Forward) ||
            (card.Thread() == ZThread && turn == Backward))
            shape = SlantZ;
        else if ((card.Thread() == ZThread && turn == Forward) ||
                 (card.Thread() == SThread && turn == Backward))
            shape = SlantS;
        // a reversal, and an idle pick, draw no block: the float below goes on up through it.
        // The turn is compared with the way the card last turned, so an idle pick between two
        // turns the same way is no reversal; a card turned over in an idle pick faces the
        // other way after it. A card turned over in this very pick (its threading changed)
        // turns the other way relative to its threads: a change of direction then brings a
        // new thread over the top, and the same direction the thread that showed, drawn
        // slanted as its new threading lies.
        const Card& before = Require(prevCard);
        const std::int32_t lastTurn = before.Turn() == Idle ? before.Facing() : before.Turn();
        const bool flipped = card.Thread() != before.Thread();
        if (turn == Idle || (turn != lastTurn && !flipped)) shape = NoBlock;
    });
    return shape;
}

Block* Blocks::Add(std::int32_t picBottom, std::int32_t rowCount, const Card* curCard,
                   const Card* prevCard, const DrawingGeometry& geometry) {
    Block* added = nullptr;
    Trap("Blocks", "Add", [&] {
        Block block(picBottom, rowCount, Require(curCard).Position(), DetermineColor(curCard));
        block.SetBlockType(DetermineType(rowCount, curCard, prevCard), geometry);
        added = &blocks_.emplace_back(block);
    });
    return added;
}

Block* Blocks::Item(std::int32_t index) {
    Block* found = nullptr;
    Trap("Blocks", "Item", [&] {
        if (index < 1 || index > Count()) throw AppError(ErrorNumber::SubscriptOutOfRange);
        found = &blocks_[static_cast<std::size_t>(index - 1)];
    });
    return found;
}

void Blocks::Remove(std::int32_t index) {
    Trap("Blocks", "Remove", [&] {
        if (index < 1 || index > Count()) throw AppError(ErrorNumber::SubscriptOutOfRange);
        blocks_.erase(blocks_.begin() + (index - 1));
    });
}

}  // namespace tessaly
