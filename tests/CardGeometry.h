#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/Band.h"
#include "engine/Blocks.h"
#include "engine/PickSteps.h"

namespace tessaly::test {

// One card followed at the loom through the four places a hole can stand, independently of
// the engine's hole order: a forward turn moves top back -> top front -> bottom front ->
// bottom back -> top back, a backward turn the reverse; the thread on the face is the one
// that crossed the top edge in the pick's turn, and an idle pick keeps the thread that showed.
// Turning the card over (a flip) trades top front with top back and bottom front with bottom
// back.
class CardGeometry {
  public:
    enum Place { TopFront, TopBack, BottomBack, BottomFront };

    // Holes at their places, and the thread the card shows before its first pick.
    CardGeometry(std::array<std::int32_t, 4> places, std::int32_t shown) : at_(places), shown_(shown) {}

    // Where a card of the band stands: at hole order h, forward's hole stands at top front
    // and backward's at top back (hole A at top back for order 0, then B, C, D going round).
    static CardGeometry Of(const Card& card) {
        const std::int32_t holes[4] = {card.Color(kHoleA), card.Color(kHoleB), card.Color(kHoleC),
                                       card.Color(kHoleD)};
        const auto hole = [&](int k) { return holes[((k % 4) + 4) % 4]; };
        const int h = card.HoleOrder();
        // order 0: A top back, B top front, C bottom front, D bottom back
        std::array<std::int32_t, 4> places{hole(1 - h), hole(-h), hole(3 - h), hole(2 - h)};
        return {places, card.Facing() == Backward ? places[TopBack] : places[TopFront]};
    }

    void Step(const CardStep& step) {
        if (step.flip) {
            std::swap(at_[TopFront], at_[TopBack]);
            std::swap(at_[BottomFront], at_[BottomBack]);
        }
        const auto old = at_;
        if (step.turn == Forward) {
            at_[TopFront] = old[TopBack];
            at_[BottomFront] = old[TopFront];
            at_[BottomBack] = old[BottomFront];
            at_[TopBack] = old[BottomBack];
            shown_ = at_[TopFront];
        } else if (step.turn == Backward) {
            at_[TopBack] = old[TopFront];
            at_[TopFront] = old[BottomFront];
            at_[BottomFront] = old[BottomBack];
            at_[BottomBack] = old[TopBack];
            shown_ = at_[TopBack];
        }
    }

    std::int32_t Shown() const { return shown_; }

  private:
    std::array<std::int32_t, 4> at_;
    std::int32_t shown_;
};

// What the face of the band shows for a card at each row, as the display draws it: a row
// that draws no block shows the row below through it.
inline std::vector<std::int32_t> VisibleColours(const Band& band, std::int32_t card) {
    std::vector<std::int32_t> visible;
    for (std::int32_t r = 1; r <= band.Count(); ++r) {
        const Card& now = band.At(r).Cards().At(card);
        const Card& before = r > 1 ? band.At(r - 1).Cards().At(card) : now;
        const bool drawn = Blocks::DetermineType(r, &now, &before) != NoBlock;
        visible.push_back(drawn || visible.empty() ? Blocks::DetermineColor(&now) : visible.back());
    }
    return visible;
}

// The threads the geometry shows for a card at each row of a band woven from these steps.
inline std::vector<std::int32_t> GeometryColours(const Card& threading,
                                                 const std::vector<PickSteps>& picks, std::size_t card) {
    CardGeometry geometry = CardGeometry::Of(threading);
    std::vector<std::int32_t> shown{geometry.Shown()};
    for (const PickSteps& pick : picks) {
        geometry.Step(pick.at(card));
        shown.push_back(geometry.Shown());
    }
    return shown;
}

// Random picks of turns, idles and flips for the given number of cards.
inline std::vector<PickSteps> RandomPicks(std::mt19937& random, std::size_t cards, std::size_t picks) {
    std::uniform_int_distribution<int> turn(0, 5);
    std::bernoulli_distribution flip(0.3);
    std::vector<PickSteps> steps(picks, PickSteps(cards));
    for (PickSteps& pick : steps)
        for (CardStep& step : pick) {
            const int t = turn(random);
            step.turn = t < 2 ? Forward : t < 4 ? Backward : Idle;
            step.flip = flip(random);
        }
    return steps;
}

}  // namespace tessaly::test
