#pragma once

#include <cstdint>
#include <vector>

#include "model/Cards.h"

namespace tessaly {

// The weaver's choices for the next pick, as the weaving assistant shows them: for every card
// column the pack row that shows the card and the threading shown, for every pack the
// direction it turns, and the position of hole A of card 1. Turning them into the next row's
// deck is the weaving rule of the assistant.
class PackChoices {
  public:
    static constexpr int kPacks = 3;

    struct Column {
        int pack = 1;                // the pack row that shows the card: 1 to 3, 0 for none
        std::int32_t threading = 0;  // 1 S, anything else Z
    };

    // A column per card: existing columns keep their choices, new ones start in pack 1.
    void Build(std::int32_t cardCount);
    std::int32_t CardCount() const { return static_cast<std::int32_t>(columns_.size()); }

    // Shows a deck: each card in the row of its pack, its threading, and each pack turning as
    // its last card in deck order did; "Position of A" follows card 1. A card whose pack is
    // not 1 to 3 keeps its column's pack row. Cards without a column are skipped.
    void Update(const Cards& deck);

    // Moves card to a pack row (1 to 3).
    void SetLines(std::int32_t card, int pack);
    // Flips the threading shown for a card, in every pack row at once.
    void VerticalTwist(std::int32_t card);
    void SetTurn(int pack, std::int32_t turn);  // 0 forward, 1 backward, 2 idle
    // Shows the hole order of card 1, a card of these holes (on a square card 0 top left,
    // clockwise to 3 bottom left); an order outside the card's holes changes nothing.
    void SetCardPosition(std::int32_t holeOrder, int holes = kHoles);

    const Column& At(std::int32_t card) const;
    std::int32_t Turn(int pack) const { return turns_[static_cast<std::size_t>(pack - 1)]; }
    std::int32_t CardPosition() const { return cardPosition_; }
    int CardHoles() const { return cardHoles_; }

    // The card's pack, twist and turn for the next pick, in that order.
    void DeterminePack(Card& card) const;
    void DetermineTwist(Card& card) const;
    void DetermineTurn(Card& card) const;

    // The next row's deck: a copy of the last row with every card's pack, twist and turn
    // applied. Every card must have a column; otherwise AppError is raised and nothing is
    // woven, so the band never holds a card nobody chose.
    Cards NextPick(const Cards& lastRow) const;

  private:
    std::vector<Column> columns_;
    std::int32_t turns_[kPacks] = {0, 0, 0};
    std::int32_t cardPosition_ = 0;
    int cardHoles_ = kHoles;
};

}  // namespace tessaly
