#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Directions.h"

namespace tessaly {

// One weaving card: the thread colour in each hole (0x00BBGGRR), its threading, its place in
// the deck, its rotation state and the direction it was last turned.
class Card {
  public:
    std::int32_t Thread = 0;
    std::int32_t AColor = 0;
    std::int32_t BColor = 0;
    std::int32_t CColor = 0;
    std::int32_t DColor = 0;
    std::int32_t HoleOrder = 0;
    std::int16_t Position = 0;
    std::int16_t Pack = 0;

    // A card with these fields and its Position as key. The turn is written first, through
    // SetTurn, and the hole order after it, so the card keeps exactly the hole order given.
    static Card Make(std::int32_t turn, std::int16_t position, std::int32_t aColor,
                     std::int32_t bColor, std::int32_t cColor, std::int32_t dColor,
                     std::int32_t thread, std::int32_t holeOrder, std::int16_t pack) {
        Card card;
        card.SetTurn(turn);
        card.Position = position;
        card.DColor = dColor;
        card.CColor = cColor;
        card.BColor = bColor;
        card.AColor = aColor;
        card.Thread = thread;
        card.HoleOrder = holeOrder;
        card.Pack = pack;
        card.SetKeyNumber(position);
        return card;
    }

    std::int32_t Turn() const { return turn_; }
    // Turning the card rotates its hole order: forward one step up, backward one step down,
    // on every write, also when the same direction is written again.
    void SetTurn(std::int32_t turn) {
        turn_ = turn;
        if (turn == Forward) {
            HoleOrder = HoleOrder >= 3 ? 0 : HoleOrder + 1;
        } else if (turn == Backward) {
            HoleOrder = HoleOrder <= 0 ? 3 : HoleOrder - 1;
        }
    }

    // The card's number as text ("7"); empty on a new card. Keys are always the text of a
    // 16-bit card number, so the card keeps the number itself; other text raises error 13.
    std::string Key() const;
    void SetKey(std::string_view key);
    void SetKeyNumber(std::int16_t key) { key_ = key; }

    friend bool operator==(const Card&, const Card&) = default;

  private:
    static constexpr std::int32_t kNoKey = INT32_MIN;
    std::int32_t turn_ = 0;
    std::int32_t key_ = kNoKey;
};

}  // namespace tessaly
