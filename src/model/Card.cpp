#include "Card.h"

#include "Directions.h"

namespace tessaly {

std::int32_t FindTurn(std::string_view letter) noexcept {
    if (letter == "B" || letter == "b") return Backward;
    return Forward;
}

}  // namespace tessaly
