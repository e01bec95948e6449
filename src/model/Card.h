#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Directions.h"

namespace tessaly {

// One weaving card: the thread colour in each hole (0x00BBGGRR, or kNoThread for an empty
// hole), its threading, its place in the deck, its rotation state, the direction it was
// turned in this pick (or Idle) and the direction it last turned.
class Card {
  public:
    static constexpr std::int32_t kNoThread = -1;

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
    // on every write, also when the same direction is written again. Idle leaves it, and the
    // way the card faces, as they were.
    void SetTurn(std::int32_t turn) {
        turn_ = turn;
        if (turn == Forward) {
            HoleOrder = HoleOrder >= 3 ? 0 : HoleOrder + 1;
            facing_ = static_cast<std::int8_t>(Forward);
        } else if (turn == Backward) {
            HoleOrder = HoleOrder <= 0 ? 3 : HoleOrder - 1;
            facing_ = static_cast<std::int8_t>(Backward);
        }
    }
    // The direction the card last turned: its own turn, or for an idle card the turn it kept
    // from the picks before. Which hole shows, and whether the next turn reverses, follow it.
    std::int32_t Facing() const { return facing_; }
    // A card turned over (a vertical twist) turns the other way round relative to its threads:
    // after forward, flip, backward the thread that stood behind comes over the top, a new
    // thread as after forward, forward. So the way it last turned, seen in its own frame,
    // changes with the flip.
    void TurnFacingOver() { facing_ = static_cast<std::int8_t>(facing_ == Backward ? Forward : Backward); }
    // An idle card faces as it did in the pick before (the same card one row below), the other
    // way when it was turned over in between (its threading changed); a file stores only the
    // turn, so a band read from one takes this from the row under it.
    void FaceAsBefore(const Card& before) {
        if (turn_ != Idle) return;
        facing_ = before.facing_;
        if (Thread != before.Thread) TurnFacingOver();
    }

    // The card's number as text ("7"); empty on a new card. Keys are always the text of a
    // 16-bit card number, so the card keeps the number itself; other text raises error 13.
    std::string Key() const;
    void SetKey(std::string_view key);
    void SetKeyNumber(std::int16_t key) {
        key_ = key;
        hasKey_ = true;
    }

    friend bool operator==(const Card&, const Card&) = default;

  private:
    // a band keeps a card for every card of every pick: the key, the facing and whether there
    // is a key share one word
    std::int32_t turn_ = 0;
    std::int16_t key_ = 0;
    std::int8_t facing_ = Forward;
    bool hasKey_ = false;
};

}  // namespace tessaly
