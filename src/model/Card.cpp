#include "Card.h"

#include "Directions.h"
#include "errors/Numeric.h"

namespace tessaly {

std::int32_t FindTurn(std::string_view letter) noexcept {
    if (letter == "B" || letter == "b") return Backward;
    return Forward;
}

std::string Card::Key() const { return key_ == kNoKey ? std::string() : std::to_string(key_); }

void Card::SetKey(std::string_view key) { key_ = key.empty() ? kNoKey : TextToInt16(key); }

}  // namespace tessaly
