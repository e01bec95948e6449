#pragma once

#include <cstdint>
#include <vector>

#include "Band.h"

namespace tessaly {

// The twist built up behind each card: its forward turns minus its backward turns over every
// pick (row 2 on), as the turning instructions list them. Index 0 is the card at position 1.
std::vector<std::int32_t> NetTwist(const Band& band);

// Adds one pick's turns (sign 1) or takes them off again (sign -1).
void AddPickTwist(std::vector<std::int32_t>& twist, const Cards& pick, int sign);
// Adds one card's turn of a pick, or takes it off.
void AddCardTwist(std::vector<std::int32_t>& twist, const Card& card, int sign);

}  // namespace tessaly
