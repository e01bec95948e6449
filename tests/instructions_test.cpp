#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/Blocks.h"
#include "engine/LoomPosition.h"
#include "engine/PickSummary.h"
#include "engine/RecordingCanvas.h"
#include "engine/TurningInstructions.h"
#include "engine/Twist.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};

TEST(instructions_test, each_pick_lists_every_cards_turn) {
    Band band;
    RecordingCanvas canvas;
    band.WeaveAll(test::MakeDeck(4), &canvas, "FFBB", kScreen);
    const TurningInstructions instructions(band);
    EXPECT_EQ(instructions.Picks(), band.Count() - 1);
    EXPECT_EQ(instructions.Cards(), 4);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(instructions.CardNumber(c), c);
        EXPECT_EQ(instructions.Text(1, c), "F");
        EXPECT_EQ(instructions.Text(3, c), "B");
        EXPECT_EQ(instructions.At(3, c), (CardStep{Backward, false, 1}));
    }
    // outside the band there is nothing: the threading, a pick past the top, a sixth card
    EXPECT_EQ(instructions.At(0, 1), std::nullopt);
    EXPECT_EQ(instructions.Text(band.Count(), 1), "");
    EXPECT_EQ(instructions.At(1, 5), std::nullopt);
    EXPECT_EQ(TurningInstructions().Picks(), 0);
}

TEST(instructions_test, a_flip_is_starred_and_seen_from_both_faces) {
    Band band;
    RecordingCanvas canvas;
    Cards deck = test::MakeDeck(3, Forward, SThread);
    for (int r = 0; r < 2; ++r) band.WeaveRow(deck, &canvas, kScreen);
    deck.At(1).SetThread(ZThread);  // card 1 flipped in pick 2
    deck.At(1).SetTurn(Backward);
    deck.At(3).SetTurn(Idle);
    band.WeaveRow(deck, &canvas, kScreen);
    const TurningInstructions front(band);
    EXPECT_EQ(front.Text(2, 1), "B *");
    EXPECT_EQ(front.Text(2, 2), "F");
    EXPECT_EQ(front.Text(2, 3), "I");
    // the reverse face lists card 1 last, and every turn the other way; idle stays idle
    const TurningInstructions reverse(band, true);
    EXPECT_EQ(reverse.CardNumber(1), 3);
    EXPECT_EQ(reverse.Text(2, 3), "F *");
    EXPECT_EQ(reverse.Text(2, 2), "B");
    EXPECT_EQ(reverse.Text(2, 1), "I");
    // a band turned over reads from its front as the reverse face does (its cards numbered
    // as they now stand)
    auto reverseTexts = test::InstructionTexts(reverse);
    band.TurnOver();
    auto turnedTexts = test::InstructionTexts(TurningInstructions(band));
    reverseTexts.erase(reverseTexts.begin());
    turnedTexts.erase(turnedTexts.begin());
    EXPECT_EQ(turnedTexts, reverseTexts);
}

TEST(pick_summary_test, cards_are_grouped_as_a_weaver_says_them_on_either_face) {
    Band band;
    RecordingCanvas canvas;
    Cards deck = test::MakeDeck(12, Forward, SThread);
    band.WeaveRow(deck, &canvas, kScreen);
    for (std::int32_t card = 7; card <= 8; ++card) deck.At(card).SetTurn(Backward);
    deck.At(4).SetThread(ZThread);  // card 4 flipped before the pick
    deck.At(4).SetTurn(Forward);
    band.WeaveRow(deck, &canvas, kScreen);
    const TurningInstructions front(band);
    EXPECT_EQ(PickSummary(front, 1),
              "Turn F: 1\u20136, 9\u201312 \u00B7 Turn B: 7\u20138 \u00B7 Idle: \u2014 \u00B7 "
              "Flip first: 4");
    EXPECT_EQ(PickLine(front, 1), "1: F 1\u20136, 9\u201312 \u00B7 B 7\u20138 \u00B7 flip 4");
    // from the other face every card keeps its number and turns the other way
    const TurningInstructions reverse(band, true);
    EXPECT_EQ(PickSummary(reverse, 1),
              "Turn F: 7\u20138 \u00B7 Turn B: 1\u20136, 9\u201312 \u00B7 Idle: \u2014 "
              "\u00B7 Flip first: 4");
    // an idle card is named as idle; a pick past the band has no summary
    deck.At(3).SetTurn(Idle);
    band.WeaveRow(deck, &canvas, kScreen);
    EXPECT_EQ(PickLine(TurningInstructions(band), 2),
              "2: F 1\u20132, 4\u20136, 9\u201312 \u00B7 B 7\u20138 \u00B7 I 3");
    EXPECT_EQ(PickSummary(front, 3), "");
    EXPECT_EQ(CardRanges({3}), "3");
    EXPECT_EQ(CardRanges({1, 2, 4, 6, 7}), "1\u20132, 4, 6\u20137");
}

TEST(loom_position_test, a_hand_woven_band_ends_with_its_last_pick) {
    Band band;
    RecordingCanvas canvas;
    Cards deck = test::MakeDeck(3);
    band.WeaveRow(deck, &canvas, kScreen);
    for (const std::int32_t turn : {Forward, Backward, Forward}) {
        for (Card& card : deck) card.SetTurn(turn);
        deck.At(2).SetTurn(Idle);
        band.WeaveRow(deck, &canvas, kScreen);
    }
    LoomPosition at(band, 0);
    EXPECT_EQ(at.Previous(), LoomPosition::Move::AtStart);
    EXPECT_EQ(at.Next(), LoomPosition::Move::Moved);
    EXPECT_EQ(at.Next(), LoomPosition::Move::Moved);
    EXPECT_EQ(at.Pick(), 3);
    EXPECT_EQ(at.Next(), LoomPosition::Move::AtEnd);
    // before pick 3: forward and backward for cards 1 and 3, card 2 idle throughout
    EXPECT_EQ(at.TwistBefore(), (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(at.GoTo(9), LoomPosition::Move::AtEnd);
    EXPECT_EQ(at.Pick(), 3);
    EXPECT_EQ(at.GoTo(2), LoomPosition::Move::Moved);
    EXPECT_EQ(at.TwistBefore(), (std::vector<std::int32_t>{1, 0, 1}));
}

TEST(loom_position_test, a_sequence_goes_on_with_its_next_repeat_and_keeps_count_of_the_twist) {
    Band band;
    RecordingCanvas canvas;
    band.WeaveAll(test::MakeDeck(2), &canvas, "FFB", kScreen);
    LoomPosition walked(band, 3);
    const std::int32_t end = walked.BandPicks();
    while (walked.Pick() <= end + 4) ASSERT_EQ(walked.Next(), LoomPosition::Move::Moved);
    EXPECT_EQ(walked.Pick(), end + 5);
    EXPECT_EQ(walked.PlaceInRepeat(), (end + 4) % 3 + 1);
    EXPECT_EQ(walked.Repeat(), (end + 4) / 3 + 1);
    EXPECT_EQ(walked.BandPick(), walked.PlaceInRepeat());
    // a jump counts the twist as walking there does
    LoomPosition jumped(band, 3);
    EXPECT_EQ(jumped.GoTo(end + 5), LoomPosition::Move::Moved);
    EXPECT_EQ(jumped.TwistBefore(), walked.TwistBefore());
    EXPECT_EQ(jumped.GoTo(3001), LoomPosition::Move::Moved);
    EXPECT_EQ(jumped.TwistBefore(), (std::vector<std::int32_t>{1000, 1000}));
    EXPECT_EQ(jumped.GoTo(band.Count()), LoomPosition::Move::Moved);
    EXPECT_EQ(jumped.TwistBefore(), NetTwist(band));
}

TEST(loom_position_test, each_card_before_a_pick_shows_at_the_top_front_the_thread_on_the_face) {
    Band band;
    RecordingCanvas canvas;
    band.WeaveAll(test::MakeDeck(2), &canvas, "FFB", kScreen);
    const std::int32_t end = band.Count() - 1;
    // the same turns woven on by hand well past the band's repeats
    Band longer;
    Cards deck = test::MakeDeck(2);
    longer.WeaveRow(deck, &canvas, kScreen);
    for (std::int32_t pick = 1; pick <= end + 7; ++pick) {
        for (Card& card : deck) card.SetTurn((pick - 1) % 3 == 2 ? Backward : Forward);
        longer.WeaveRow(deck, &canvas, kScreen);
    }
    LoomPosition at(band, 3);
    using Holes = std::array<int, kMaxHoles>;
    // threading row: B shows; after F: A; after F F B the reversal shows D again
    EXPECT_EQ(HolesAround(at.CardBefore(1)),
              (Holes{kHoleB, kHoleA, kHoleD, kHoleC, -1, -1, -1, -1}));
    at.Next();
    EXPECT_EQ(HolesAround(at.CardBefore(2)),
              (Holes{kHoleA, kHoleD, kHoleC, kHoleB, -1, -1, -1, -1}));
    at.GoTo(4);
    EXPECT_EQ(HolesAround(at.CardBefore(1)),
              (Holes{kHoleD, kHoleC, kHoleB, kHoleA, -1, -1, -1, -1}));
    for (const std::int32_t pick : {end, end + 1, end + 2, end + 3, end + 7}) {
        at.GoTo(pick);
        for (std::int16_t card = 1; card <= 2; ++card) {
            const Card& woven = longer.At(pick).Cards().At(card);
            EXPECT_EQ(HolesAround(at.CardBefore(card)), HolesAround(woven)) << "pick " << pick;
            EXPECT_EQ(at.CardBefore(card).HoleOrder(), woven.HoleOrder()) << "pick " << pick;
        }
    }
    // a hole order out of range shows no hole, as the drawing shows black
    EXPECT_EQ(ShownHole(Card::Make(Idle, 1, {}, SThread, 9, 1)), -1);
}

}  // namespace
}  // namespace tessaly
