#include "LoomPosition.h"

#include <algorithm>
#include <limits>

#include "Band.h"
#include "Blocks.h"
#include "Twist.h"

namespace tessaly {

namespace {

// Far enough for any band at a loom, and far from overflowing a pick number.
constexpr std::int32_t kLastPick = std::numeric_limits<std::int32_t>::max() / 2;

}  // namespace

LoomPosition::LoomPosition(const Band& band, std::int32_t repeatLength)
    : band_(band),
      bandPicks_(std::max(band.Count() - 1, 0)),
      twist_(static_cast<std::size_t>(band.Count() > 0 ? band.At(1).Cards().Count() : 0), 0) {
    // a sequence longer than the band's picks, or a band without picks, cannot repeat
    repeatLength_ = repeatLength > 0 && repeatLength <= bandPicks_ ? repeatLength : 0;
    repeatTwist_.assign(twist_.size(), 0);
    for (std::int32_t p = 1; p <= repeatLength_; ++p)
        AddPickTwist(repeatTwist_, band_.At(p + 1).Cards(), 1);
}

Card LoomPosition::CardBefore(std::int32_t position) const {
    if (pick_ == 1) return band_.At(1).Cards().At(position);
    // the card as the pick before left it: in a later repeat of a sequence, that pick's card
    // of the band's own repeat turned on by every repeat since, each turning it as much
    const std::int32_t before = pick_ - 1;
    const std::int32_t bandBefore = BandPickOf(before);
    Card card = band_.At(bandBefore + 1).Cards().At(position);
    if (bandBefore != before) {
        const std::int64_t repeats = (before - bandBefore) / repeatLength_;
        const std::int64_t holes = card.Holes();
        const std::int64_t turns =
            (repeats % holes) * (repeatTwist_[static_cast<std::size_t>(position - 1)] % holes);
        card.SetHoleOrder(
            static_cast<std::int32_t>(((card.HoleOrder() + turns) % holes + holes) % holes));
    }
    return card;
}

std::array<int, kMaxHoles> HolesAround(const Card& card) {
    std::array<int, kMaxHoles> holes;
    holes.fill(-1);
    const int shown = ShownHole(card);
    if (shown < 0) return holes;
    // each forward turn brings the hole one step lower in the order to the top front
    const int count = card.Holes();
    for (int place = 0; place < count; ++place)
        holes[static_cast<std::size_t>(place)] = ((shown - place) % count + count) % count;
    return holes;
}

std::int32_t LoomPosition::BandPick() const { return BandPickOf(pick_); }

std::int32_t LoomPosition::BandPickOf(std::int32_t pick) const {
    if (!Repeats() || pick <= bandPicks_) return pick;
    return (pick - 1) % repeatLength_ + 1;
}

std::int32_t LoomPosition::Repeat() const {
    return Repeats() ? (pick_ - 1) / repeatLength_ + 1 : 1;
}

std::int32_t LoomPosition::PlaceInRepeat() const {
    return Repeats() ? (pick_ - 1) % repeatLength_ + 1 : pick_;
}

void LoomPosition::AddPick(std::int32_t pick, int sign) {
    const std::int32_t bandPick = BandPickOf(pick);
    if (bandPick < 1 || bandPick > bandPicks_) return;
    AddPickTwist(twist_, band_.At(bandPick + 1).Cards(), sign);
}

LoomPosition::Move LoomPosition::Next() {
    const std::int32_t last = Repeats() ? kLastPick : std::max(bandPicks_, 1);
    if (pick_ >= last) return Move::AtEnd;
    AddPick(pick_, 1);
    ++pick_;
    return Move::Moved;
}

LoomPosition::Move LoomPosition::Previous() {
    if (pick_ <= 1) return Move::AtStart;
    --pick_;
    AddPick(pick_, -1);
    return Move::Moved;
}

LoomPosition::Move LoomPosition::GoTo(std::int32_t pick) {
    const std::int32_t last = Repeats() ? kLastPick : std::max(bandPicks_, 1);
    const std::int32_t target = std::clamp(pick, 1, last);
    if (Repeats() && std::abs(target - pick_) > repeatLength_) {
        // every repeat turns each card by as much: whole repeats, then the rest of one
        const std::int32_t before = target - 1;
        std::vector<std::int32_t> rest(twist_.size(), 0);
        for (std::int32_t p = 1; p <= before % repeatLength_; ++p)
            AddPickTwist(rest, band_.At(p + 1).Cards(), 1);
        const std::int64_t repeats = before / repeatLength_;
        for (std::size_t card = 0; card < twist_.size(); ++card)
            twist_[card] = static_cast<std::int32_t>(repeats * repeatTwist_[card] + rest[card]);
        pick_ = target;
        return target == pick ? Move::Moved : (pick < 1 ? Move::AtStart : Move::AtEnd);
    }
    // the twist is counted afresh when that is shorter than walking there
    if (std::abs(target - pick_) > target) {
        std::fill(twist_.begin(), twist_.end(), 0);
        pick_ = 1;
    }
    while (pick_ < target) Next();
    while (pick_ > target) Previous();
    if (target != pick) return pick < 1 ? Move::AtStart : Move::AtEnd;
    return Move::Moved;
}

}  // namespace tessaly
