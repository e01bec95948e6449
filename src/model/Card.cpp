#include "Card.h"

#include "Directions.h"
#include "errors/Numeric.h"

namespace tessaly {

std::int32_t FindTurn(std::string_view letter) noexcept {
    if (letter == "B" || letter == "b") return Backward;
    return Forward;
}

Card Card::Make(std::int32_t turn, std::int16_t position, std::int32_t aColor, std::int32_t bColor,
                std::int32_t cColor, std::int32_t dColor, std::int32_t thread,
                std::int32_t holeOrder, std::int16_t pack) {
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

void Card::SetTurn(std::int32_t turn) {
    turn_ = turn;
    if (turn == Forward) {
        HoleOrder = HoleOrder >= 3 ? 0 : HoleOrder + 1;
    } else if (turn == Backward) {
        HoleOrder = HoleOrder <= 0 ? 3 : HoleOrder - 1;
    }
}

std::string Card::Key() const { return key_ == kNoKey ? std::string() : std::to_string(key_); }

void Card::SetKey(std::string_view key) { key_ = key.empty() ? kNoKey : TextToInt16(key); }

}  // namespace tessaly
