#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "engine/Blocks.h"
#include "engine/PickSteps.h"

namespace tessaly {
namespace {

TEST(pick_steps_test, a_band_woven_from_steps_gives_back_its_steps) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const WeavingSteps steps = test::RandomSteps(random, 1 + round % 6, round * 3);
        const Band band = WeaveSteps(steps);
        ASSERT_EQ(band.Count(), static_cast<std::int32_t>(steps.picks.size()) + 1);
        EXPECT_EQ(StepsOf(band), steps);
        // and the band woven from them is the same band
        EXPECT_EQ(test::DecksOf(WeaveSteps(StepsOf(band))), test::DecksOf(band));
    }
}

TEST(pick_steps_test, weaving_again_from_a_pick_keeps_the_rows_below_and_makes_the_rest_anew) {
    std::mt19937 random(11);
    WeavingSteps steps = test::RandomSteps(random, 5, 30);
    Band band = WeaveSteps(steps);
    const Row* row5 = &band.At(5);
    steps.picks[10][2] = {Backward, true, 2};
    ReweaveFrom(band, steps, 10);
    EXPECT_EQ(&band.At(5), row5);  // not made again
    EXPECT_EQ(test::DecksOf(band), test::DecksOf(WeaveSteps(steps)));
    // fewer picks than the band has rows: the rows beyond go
    steps.picks.resize(12);
    ReweaveFrom(band, steps, 12);
    EXPECT_EQ(band.Count(), 13);
}

TEST(pick_steps_test, a_flip_swaps_the_holes_across_the_turning_axis_and_the_threading) {
    // hole order 1: A and D trade, B and C trade; hole order 2: A and B, C and D
    Card card = Card::Make(Forward, 1, {1, 2, 3, 4}, SThread, 1, 1);
    FlipOver(card);
    EXPECT_EQ(std::vector<std::int32_t>(
                  {card.Color(kHoleA), card.Color(kHoleB), card.Color(kHoleC), card.Color(kHoleD)}),
              std::vector<std::int32_t>({4, 3, 2, 1}));
    EXPECT_EQ(card.Thread(), ZThread);
    card.SetHoleOrder(2);
    FlipOver(card);
    EXPECT_EQ(std::vector<std::int32_t>(
                  {card.Color(kHoleA), card.Color(kHoleB), card.Color(kHoleC), card.Color(kHoleD)}),
              std::vector<std::int32_t>({3, 4, 1, 2}));
    EXPECT_EQ(card.Thread(), SThread);
}

TEST(pick_steps_test, steps_for_another_number_of_cards_are_refused) {
    WeavingSteps steps;
    steps.threading = test::MakeDeck(3);
    steps.picks.push_back(PickSteps(2));
    EXPECT_THROW(WeaveSteps(steps), AppError);
}

TEST(pick_steps_test, cards_move_several_places_and_stop_at_the_edge) {
    // cards 2 and 3 three places right on six: 1 4 5 6 2 3
    EXPECT_EQ(MoveCardsOrder(6, {2, 3}, 3).source, (std::vector<std::int32_t>{1, 4, 5, 6, 2, 3}));
    // ten places left stops at the edge
    EXPECT_EQ(MoveCardsOrder(6, {5}, -10).source, (std::vector<std::int32_t>{5, 1, 2, 3, 4, 6}));
    // a card and one apart move together past the others
    EXPECT_EQ(MoveCardsOrder(5, {1, 3}, 1).source, (std::vector<std::int32_t>{2, 1, 4, 3, 5}));
    EXPECT_EQ(MirrorCardsOrder(5, {2, 3, 4}).source, (std::vector<std::int32_t>{1, 4, 3, 2, 5}));
    EXPECT_EQ(InsertCardOrder(3, 2, false).source, (std::vector<std::int32_t>{1, 2, 2, 3}));
}

}  // namespace
}  // namespace tessaly
