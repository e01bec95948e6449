#include "Twist.h"

#include "model/Directions.h"

namespace tessaly {

void AddPickTwist(std::vector<std::int32_t>& twist, const Cards& pick, int sign) {
    for (const Card& card : pick) AddCardTwist(twist, card, sign);
}

void AddCardTwist(std::vector<std::int32_t>& twist, const Card& card, int sign) {
    // a card the instructions leave out (no turn of its own) adds nothing
    if (card.Position() < 1 || (card.Turn() != Forward && card.Turn() != Backward)) return;
    const auto place = static_cast<std::size_t>(card.Position() - 1);
    if (place >= twist.size()) twist.resize(place + 1, 0);
    twist[place] += card.Turn() == Forward ? sign : -sign;
}

std::vector<std::int32_t> NetTwist(const Band& band) {
    std::vector<std::int32_t> twist;
    if (band.Count() == 0) return twist;
    twist.assign(static_cast<std::size_t>(band.At(1).Cards().Count()), 0);
    bool threading = true;  // the first row is the threading, not a pick
    for (const Row& row : band) {
        if (!threading) AddPickTwist(twist, row.Cards(), 1);
        threading = false;
    }
    return twist;
}

}  // namespace tessaly
