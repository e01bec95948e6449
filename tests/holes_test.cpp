#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/Blocks.h"
#include "engine/PickSteps.h"
#include "engine/RecordingCanvas.h"
#include "model/Directions.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"

namespace tessaly {
namespace {

// A card of `holes` holes threaded A, B, C ... in colours 1, 2, 3 ..., as a file's threading
// row has it before its first pick: hole order 1.
Card CardOf(int holes, std::int32_t turn = Forward, std::int32_t holeOrder = 1) {
    HoleColors colors{};
    for (int hole = 0; hole < holes; ++hole) colors[static_cast<std::size_t>(hole)] = hole + 1;
    return Card::Make(turn, 1, colors, SThread, holeOrder, 1, holes);
}

int Mod(int n, int m) { return ((n % m) + m) % m; }

// The rule Twisted Threads publishes, with `total` the card's forward turns minus backward ones
// so far, this pick's included: forward (and any turn of a two-hole card) shows hole
// (N - total) mod N, backward (N - total - 1) mod N; an idle card as it last turned.
TEST(holes_test, every_hole_count_shows_the_hole_the_published_rule_gives) {
    std::mt19937 random(29);
    for (int holes = kMinHoles; holes <= kMaxHoles; ++holes) {
        Card card = CardOf(holes, Idle);
        int total = 0;  // a threading row stands at hole order 1: no turn yet
        std::int32_t lastTurn = Forward;
        for (int pick = 0; pick < 200; ++pick) {
            const auto turn =
                pick == 0 ? std::int32_t{Forward} : static_cast<std::int32_t>(random() % 3);
            card.SetTurn(turn);
            if (turn != Idle) {
                total += turn == Forward ? 1 : -1;
                lastTurn = turn;
            }
            const int expected = lastTurn == Forward || holes == 2 ? Mod(holes - total, holes)
                                                                   : Mod(holes - total - 1, holes);
            ASSERT_EQ(ShownHole(card), expected) << holes << " holes, pick " << pick;
        }
    }
}

TEST(holes_test, cards_of_other_shapes_follow_their_geometry) {
    // a hexagon turned forward brings its holes up one after another, each a step back in
    // the order; a reversal shows the same hole again, the float goes on
    Card hexagon = CardOf(6, Forward, 0);
    std::string shown;
    for (int pick = 0; pick < 6; ++pick) {
        shown += static_cast<char>('A' + ShownHole(hexagon));
        hexagon.SetTurn(Forward);
    }
    EXPECT_EQ(shown, "BAFEDC");
    const int before = ShownHole(hexagon);
    hexagon.SetTurn(Backward);
    EXPECT_EQ(ShownHole(hexagon), before);
    // a two-hole card shows its upper hole, the other one after any half turn
    Card two = CardOf(2, Forward, 0);
    EXPECT_EQ(ShownHole(two), kHoleB);
    two.SetTurn(Backward);
    EXPECT_EQ(ShownHole(two), kHoleA);
    two.SetTurn(Backward);
    EXPECT_EQ(ShownHole(two), kHoleB);
    // a triangle and an octagon go round all their holes and come back
    for (const int holes : {3, 8}) {
        Card card = CardOf(holes, Forward, 0);
        const int first = ShownHole(card);
        for (int turn = 0; turn < holes; ++turn) card.SetTurn(Forward);
        EXPECT_EQ(ShownHole(card), first) << holes;
        EXPECT_EQ(card.HoleOrder(), 0) << holes;
    }
}

TEST(holes_test, a_flip_mirrors_the_holes_front_to_back_for_any_count) {
    // the hexagon at hole order 0: the top front (B) and top back (A) trade, and so on round
    Card hexagon = CardOf(6, Forward, 0);
    FlipOver(hexagon);
    EXPECT_EQ(hexagon.Colors(), (HoleColors{2, 1, 6, 5, 4, 3, -1, -1}));
    EXPECT_EQ(hexagon.Thread(), ZThread);
    FlipOver(hexagon);
    EXPECT_EQ(hexagon.Colors(), CardOf(6, Forward, 0).Colors());
    // a square card as before: A and D, B and C at hole order 1
    Card square = CardOf(4, Forward, 1);
    FlipOver(square);
    EXPECT_EQ(square.Colors(), (HoleColors{4, 3, 2, 1, -1, -1, -1, -1}));
    // a triangle keeps the hole on the axis it turns over about
    Card triangle = CardOf(3, Forward, 0);
    FlipOver(triangle);
    EXPECT_EQ(triangle.Colors(), (HoleColors{2, 1, 3, -1, -1, -1, -1, -1}));
}

TEST(holes_test, the_reverse_face_shows_the_thread_on_the_back) {
    for (const int holes : {2, 3, 4, 5, 6, 8}) {
        Band band;
        RecordingCanvas canvas;
        Cards deck;
        deck.Add(CardOf(holes, Forward, 1));
        band.WeaveRow(deck, &canvas, DrawingGeometry::AtBlockSize(10));
        deck.At(1).SetTurn(Forward);
        band.WeaveRow(deck, &canvas, DrawingGeometry::AtBlockSize(10));
        const Card front = band.At(2).Cards().At(1);
        band.TurnOver();
        const Card& back = band.At(2).Cards().At(1);
        // half way round the card from the hole on the face (the lower of two for an odd count)
        EXPECT_EQ(back.Color(ShownHole(back)), front.Color((ShownHole(front) + holes / 2) % holes))
            << holes;
    }
}

// A band of `holes`-hole cards: a threading row and a few picks with a turn, an idle and a flip.
std::unique_ptr<Band> BandOf(int holes) {
    auto band = std::make_unique<Band>();
    Cards deck;
    for (std::int16_t position = 1; position <= 3; ++position) {
        Card card = CardOf(holes, Forward, 0);
        card.SetPosition(position);
        card.SetKey(position);
        card.SetColor(kHoleA, Card::kNoThread);
        deck.Add(card);
    }
    band->Add(deck, 1);
    for (std::int32_t row = 2; row <= 4; ++row) {
        if (row == 4) FlipOver(deck.At(3));  // turned over before its turn, as a weaver does
        for (Card& card : deck) card.SetTurn(row == 3 ? Backward : Forward);
        deck.At(2).SetTurn(Idle);
        band->Add(deck, row);
    }
    // an idle card faces as it did the pick before, as a file read back has it
    band->FaceIdleCardsAsBefore();
    return band;
}

TEST(holes_test, a_pattern_file_keeps_any_hole_count_and_reads_back_byte_for_byte) {
    for (int holes = kMinHoles; holes <= kMaxHoles; ++holes) {
        SCOPED_TRACE(holes);
        const std::unique_ptr<Band> band = BandOf(holes);
        const std::string bytes = PatternWriter::FormatForSaving({"Shapes", "", {}}, *band);
        const std::string header = PatternReader::ColumnHeader(holes);
        EXPECT_NE(bytes.find("\r\n" + header + "\r\n"), std::string::npos);
        EXPECT_NE(header.find(std::string(1, static_cast<char>('A' + holes - 1)) + "Color, Thread"),
                  std::string::npos);
        for (const auto reading :
             {PatternReader::Reading::Quick, PatternReader::Reading::Careful}) {
            const PatternData read = PatternReader::Parse(bytes, "shapes.kst", reading);
            ASSERT_EQ(read.Rows->Count(), band->Count());
            for (std::int32_t row = 1; row <= band->Count(); ++row)
                EXPECT_EQ(read.Rows->At(row).Cards(), band->At(row).Cards()) << "row " << row;
            EXPECT_EQ(PatternWriter::FormatForSaving({"Shapes", "", {}}, *read.Rows), bytes);
        }
    }
    EXPECT_EQ(PatternReader::ColumnHeader(kHoles), PatternReader::kColumnHeader);
}

TEST(holes_test, the_reader_refuses_a_hole_count_or_hole_order_it_cannot_hold) {
    const auto refusal = [](const std::string& header, const std::string& line) {
        std::string head = test::PatternHead();
        head.replace(head.rfind("Row, Position"), std::string::npos, header + "\r\n");
        try {
            PatternReader::Parse(head + line + "\r\n", "t.kst");
        } catch (const AppError& error) {
            return error.Description();
        }
        return std::string("read");
    };
    const std::string six = PatternReader::ColumnHeader(6);
    EXPECT_EQ(refusal(six, "1, 1, 0, 1, 2, 3, 4, 5, 6, 1, 5, 1"), "read");
    EXPECT_NE(
        refusal(six, "1, 1, 0, 1, 2, 3, 4, 5, 6, 1, 6, 1").find("HoleOrder must be 0 to 5, not 6"),
        std::string::npos);
    EXPECT_NE(refusal(six, "1, 1, 0, 1, 2, 3, 4, 1, 0, 1").find("needs 12 fields"),
              std::string::npos);
    EXPECT_NE(refusal(six, "1, 1, 0, 1, 2, 3, 4, 5, -2, 1, 0, 1").find("FColor must be a colour"),
              std::string::npos);
    EXPECT_NE(refusal("Row, Position, Turn, AColor, Thread, HoleOrder, Pack", "1, 1, 0, 1, 1, 0, 1")
                  .find("names 1 hole colours: a card has from 2 to 8 holes"),
              std::string::npos);
    EXPECT_NE(refusal(PatternReader::ColumnHeader(8).replace(0, 3, "Row, IColor"), "1")
                  .find("names 9 hole colours"),
              std::string::npos);
    EXPECT_EQ(refusal(PatternReader::ColumnHeader(2), "1, 1, 0, 1, 2, 1, 1, 1"), "read");
}

}  // namespace
}  // namespace tessaly
