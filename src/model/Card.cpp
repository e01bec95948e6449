#include "Card.h"

#include "Directions.h"
#include "errors/Numeric.h"

namespace tessaly {

std::int32_t FindTurn(std::string_view letter) noexcept {
    if (letter == "B" || letter == "b") return Backward;
    return Forward;
}

std::string Card::Key() const { return hasKey_ ? std::to_string(key_) : std::string(); }

void Card::SetKey(std::string_view key) {
    if (key.empty()) {
        key_ = 0;
        hasKey_ = false;
        return;
    }
    key_ = TextToInt16(key);
    hasKey_ = true;
}

}  // namespace tessaly
