#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Card.h"

namespace tessaly {

class Band;

// Where a weaver following a band at the loom stands: the pick about to be woven, and the
// twist the cards have taken up before it. A band woven from a sequence goes on past its
// last pick with the next repeat of the sequence; a hand-woven band ends with its last pick.
// Each move by one pick costs one pick's cards, however long the band.
class LoomPosition {
  public:
    enum class Move {
        Moved,
        AtStart,  // nothing before pick 1
        AtEnd     // a hand-woven band has no pick after its last
    };

    // repeatLength: the sequence's length for a band woven from one, 0 for a hand-woven band.
    // The band must outlive the position.
    LoomPosition(const Band& band, std::int32_t repeatLength);

    // The pick about to be woven, from 1.
    std::int32_t Pick() const { return pick_; }
    // The band's pick whose steps it takes: itself, or the same place of an earlier repeat.
    std::int32_t BandPick() const;
    // For a band woven from a sequence, the repeat (from 1) and the place in it (from 1).
    std::int32_t Repeat() const;
    std::int32_t PlaceInRepeat() const;
    // The band's own picks; a position past them goes on only for a sequence.
    std::int32_t BandPicks() const { return bandPicks_; }
    bool Repeats() const { return repeatLength_ > 0; }
    // The sequence's picks; 0 for a hand-woven band.
    std::int32_t RepeatLength() const { return repeatLength_; }

    Move Next();
    Move Previous();
    // To this pick, held within the band's picks for a hand-woven band and from 1 up.
    Move GoTo(std::int32_t pick);

    // The card at this position (from 1) as it stands before the current pick: its threads,
    // threading and hole order. In a later repeat of a sequence it has turned on from where
    // the band's own repeat left it.
    Card CardBefore(std::int32_t position) const;

    // Each card's forward turns minus backward turns over the picks before the current one,
    // by position from 1 at index 0.
    const std::vector<std::int32_t>& TwistBefore() const { return twist_; }

  private:
    // The band's pick that this pick takes its steps from.
    std::int32_t BandPickOf(std::int32_t pick) const;
    // The twist of one pick, the band's pick that the given pick takes its steps from.
    void AddPick(std::int32_t pick, int sign);

    const Band& band_;
    std::int32_t repeatLength_;
    std::int32_t bandPicks_;
    std::int32_t pick_ = 1;
    std::vector<std::int32_t> twist_;
    std::vector<std::int32_t> repeatTwist_;  // each card's turns over one repeat
};

// Where a card's holes stand around it, as a weaver checks the deck: the hole that shows on
// the face at the top front, then the one the next forward turn brings there (top back), and
// on round the card (on a square card the bottom back and the bottom front); -1 beyond the
// card's holes, and everywhere when its hole order is out of range.
enum CardCorner { kTopFront, kTopBack, kBottomBack, kBottomFront };
std::array<int, kMaxHoles> HolesAround(const Card& card);

}  // namespace tessaly
