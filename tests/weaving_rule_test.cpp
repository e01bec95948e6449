#include <gtest/gtest.h>

#include "CardGeometry.h"
#include "TestSupport.h"
#include "engine/Blocks.h"
#include "engine/PickSteps.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

constexpr std::int32_t A = 1, B = 2, C = 3, D = 4;

Card CardWith(std::int32_t turn, std::int32_t holeOrder, ThreadDirection thread = SThread) {
    return Card::Make(turn, 1, {A, B, C, D}, thread, holeOrder, 1);
}

struct ColorCase {
    std::int32_t holeOrder;
    std::int32_t turn;
    std::int32_t expected;
};

class ColorTableTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTableTest, face_colour_follows_turn_and_hole_order) {
    const Card card = CardWith(GetParam().turn, GetParam().holeOrder);
    EXPECT_EQ(Blocks::DetermineColor(&card), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(table, ColorTableTest,
                         ::testing::Values(ColorCase{0, Forward, B}, ColorCase{1, Forward, A},
                                           ColorCase{2, Forward, D}, ColorCase{3, Forward, C},
                                           ColorCase{0, Backward, A}, ColorCase{1, Backward, D},
                                           ColorCase{2, Backward, C}, ColorCase{3, Backward, B},
                                           ColorCase{4, Forward, 0}, ColorCase{-1, Backward, 0},
                                           ColorCase{0, 3, 0}));

struct ShapeCase {
    ThreadDirection thread;
    std::int32_t turn;
    std::int32_t expected;
};

class SlantTableTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SlantTableTest, slant_follows_threading_and_turn) {
    const Card card = CardWith(GetParam().turn, 0, GetParam().thread);
    EXPECT_EQ(Blocks::DetermineType(2, &card, &card), GetParam().expected);
    EXPECT_EQ(Blocks::DetermineType(1, &card, &card), OpenThread);
}

INSTANTIATE_TEST_SUITE_P(
    table, SlantTableTest,
    ::testing::Values(ShapeCase{SThread, Forward, SlantZ}, ShapeCase{ZThread, Forward, SlantS},
                      ShapeCase{SThread, Backward, SlantS}, ShapeCase{ZThread, Backward, SlantZ},
                      ShapeCase{static_cast<ThreadDirection>(2), Forward, OpenThread},
                      ShapeCase{SThread, 3, OpenThread}));

TEST(weaving_rule_test, forward_turns_show_a_d_c_b_and_backward_b_c_d_a) {
    Card forward = CardWith(Forward, 0, ZThread);
    Card backward = CardWith(Backward, 0, ZThread);
    std::vector<std::int32_t> forwardFaces;
    std::vector<std::int32_t> backwardFaces;
    for (int pick = 0; pick < 5; ++pick) {
        forward.SetTurn(Forward);
        backward.SetTurn(Backward);
        forwardFaces.push_back(Blocks::DetermineColor(&forward));
        backwardFaces.push_back(Blocks::DetermineColor(&backward));
    }
    EXPECT_EQ(forwardFaces, (std::vector<std::int32_t>{A, D, C, B, A}));
    EXPECT_EQ(backwardFaces, (std::vector<std::int32_t>{B, C, D, A, B}));
}

TEST(weaving_rule_test, a_change_of_direction_shows_the_same_hole_and_no_block) {
    for (std::int32_t order = 0; order < 4; ++order) {
        Card before = CardWith(Forward, order);
        Card after = before;
        after.SetTurn(Backward);
        EXPECT_EQ(Blocks::DetermineColor(&after), Blocks::DetermineColor(&before)) << order;
        EXPECT_EQ(Blocks::DetermineType(6, &after, &before), NoBlock);
        Card back = after;
        back.SetTurn(Forward);
        EXPECT_EQ(Blocks::DetermineColor(&back), Blocks::DetermineColor(&after)) << order;
    }
}

TEST(weaving_rule_test, a_twist_alone_changes_the_slant_but_never_gives_no_block) {
    const Card before = CardWith(Forward, 1, SThread);
    const Card after = CardWith(Forward, 2, ZThread);
    EXPECT_EQ(Blocks::DetermineType(3, &after, &before), SlantS);
}

// One card of four colours woven from hole order 0 by the given steps; what the face shows at
// each pick (row 1, the threading, left out).
std::vector<std::int32_t> FaceOf(const std::vector<CardStep>& picks) {
    WeavingSteps steps;
    steps.threading.Add(Card::Make(Forward, 1, {A, B, C, D}, SThread, 0, 1));
    for (const CardStep& step : picks) steps.picks.push_back({step});
    std::vector<std::int32_t> visible = test::VisibleColours(WeaveSteps(steps), 1);
    visible.erase(visible.begin());
    return visible;
}

TEST(weaving_rule_test, a_flip_turns_the_card_the_other_way_round_relative_to_its_threads) {
    const CardStep f{Forward, false, 1}, b{Backward, false, 1}, i{Idle, false, 1};
    const CardStep flipF{Forward, true, 1}, flipB{Backward, true, 1}, flipI{Idle, true, 1};
    // F, F a new thread each pick; F, B the same thread again
    EXPECT_EQ(FaceOf({f, f}), (std::vector<std::int32_t>{A, D}));
    EXPECT_EQ(FaceOf({f, b}), (std::vector<std::int32_t>{A, A}));
    // F, then flip and F: the thread that showed is now behind and comes over the top again
    EXPECT_EQ(FaceOf({f, flipF}), (std::vector<std::int32_t>{A, A}));
    // F, then flip and B: the thread that stood behind crosses the top, a new thread as in F, F
    EXPECT_EQ(FaceOf({f, flipB, b}), (std::vector<std::int32_t>{A, D, C}));
    // the same with an idle pick between, the flip before or in it
    EXPECT_EQ(FaceOf({f, i, flipB}), (std::vector<std::int32_t>{A, A, D}));
    EXPECT_EQ(FaceOf({f, flipI, b}), (std::vector<std::int32_t>{A, A, D}));
    EXPECT_EQ(FaceOf({f, flipI, f}), (std::vector<std::int32_t>{A, A, A}));
}

// Random turns, idles and flips of cards threaded at every hole order and facing either way:
// at every pick the face shows the thread the card's geometry brings over the top.
TEST(weaving_rule_test, the_face_shows_what_the_cards_geometry_gives_for_any_turns_idles_and_flips) {
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 2000; ++trial) {
        WeavingSteps steps;
        for (std::int16_t c = 1; c <= 4; ++c)
            steps.threading.Add(Card::Make(c % 2 ? Forward : Backward, c, {A, B, C, D},
                                           c <= 2 ? SThread : ZThread, c - 1, 1));
        steps.picks = test::RandomPicks(random, 4, 16);
        const Band band = WeaveSteps(steps);
        for (std::int32_t c = 1; c <= 4; ++c)
            ASSERT_EQ(test::VisibleColours(band, c),
                      test::GeometryColours(steps.threading.At(c), steps.picks, static_cast<std::size_t>(c - 1)))
                << "trial " << trial << ", card " << c;
    }
}

TEST(weaving_rule_test, a_missing_card_is_reported_and_gives_zero) {
    test::ReportRecorder recorder;
    const Card card = CardWith(Forward, 0);
    EXPECT_EQ(Blocks::DetermineColor(nullptr), 0);
    EXPECT_EQ(Blocks::DetermineType(2, &card, nullptr), SlantZ);  // the value held at the error
    ASSERT_EQ(recorder.Reports().size(), 2u);
    EXPECT_EQ(recorder.Where(0), "Blocks.DetermineColor");
    EXPECT_EQ(recorder.Where(1), "Blocks.DetermineType");
    EXPECT_EQ(recorder.Reports()[1].number, 91);
}

}  // namespace
}  // namespace tessaly
