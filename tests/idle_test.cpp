#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/Blocks.h"
#include "engine/TurningInstructions.h"
#include "engine/RecordingCanvas.h"
#include "engine/Twist.h"
#include "model/Directions.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};
constexpr std::int32_t A = 1, B = 2, C = 3, D = 4;

// A band of one card threaded as Apply threads it (hole order 1), S or Z, woven by the
// given turns, one letter a pick: F, B or I.
struct Woven {
    Band band;
    RecordingCanvas canvas;
};

void Weave(Woven& woven, const std::string& turns, ThreadDirection thread = SThread, int cards = 1,
           const std::vector<int>& turning = {}) {
    Cards deck;
    for (int i = 1; i <= cards; ++i)
        deck.Add(Forward, static_cast<std::int16_t>(i), {A, B, C, D}, thread, 1, 1);
    woven.band.WeaveRow(deck, &woven.canvas, kScreen);
    for (const char letter : turns) {
        Cards pick = woven.band.At(woven.band.Count()).Cards();
        for (int i = 1; i <= cards; ++i) {
            // cards not listed in turning idle when the letter is I; listed ones always turn F
            const bool listed = std::find(turning.begin(), turning.end(), i) != turning.end();
            const std::int32_t turn = letter == 'B' ? Backward : letter == 'I' ? Idle : Forward;
            pick.At(i).SetTurn(listed ? Forward : turn);
        }
        woven.band.WeaveRow(pick, &woven.canvas, kScreen);
    }
}

// What each pick of card `card` shows, and its block shape, picks 1 on (band rows 2 on).
std::vector<std::int32_t> Faces(const Band& band, int card = 1) {
    std::vector<std::int32_t> faces;
    for (std::int32_t r = 2; r <= band.Count(); ++r)
        faces.push_back(Blocks::DetermineColor(&band.At(r).Cards().At(card)));
    return faces;
}
std::vector<std::int32_t> Shapes(const Band& band, int card = 1) {
    std::vector<std::int32_t> shapes;
    for (std::int32_t r = 2; r <= band.Count(); ++r)
        shapes.push_back(Blocks::DetermineType(r, &band.At(r).Cards().At(card),
                                               &band.At(r - 1).Cards().At(card)));
    return shapes;
}

TEST(idle_test, forward_idle_forward_shows_d_d_c_and_the_float_goes_on) {
    Woven woven;
    Weave(woven, "FIF");
    EXPECT_EQ(Faces(woven.band), (std::vector<std::int32_t>{D, D, C}));
    // the idle pick draws no block, so the block below shows through; the next forward turn
    // is no reversal
    EXPECT_EQ(Shapes(woven.band), (std::vector<std::int32_t>{SlantZ, NoBlock, SlantZ}));
    EXPECT_EQ(woven.band.At(3).Cards().At(1).HoleOrder(),
              woven.band.At(2).Cards().At(1).HoleOrder());
}

TEST(idle_test, forward_idle_backward_shows_d_d_d_and_the_backward_pick_reverses) {
    Woven woven;
    Weave(woven, "FIB", ZThread);
    EXPECT_EQ(Faces(woven.band), (std::vector<std::int32_t>{D, D, D}));
    EXPECT_EQ(Shapes(woven.band), (std::vector<std::int32_t>{SlantS, NoBlock, NoBlock}));
}

TEST(idle_test, idles_in_a_row_keep_the_last_turn_and_an_idle_first_pick_continues_row_1) {
    Woven woven;
    Weave(woven, "IIBIIB");
    // the threading row faces forward at hole order 1 and shows A; idling keeps it
    EXPECT_EQ(Faces(woven.band), (std::vector<std::int32_t>{A, A, A, A, A, B}));
    // the first backward turn reverses the threading's forward; the second does not
    EXPECT_EQ(Shapes(woven.band),
              (std::vector<std::int32_t>{NoBlock, NoBlock, NoBlock, NoBlock, NoBlock, SlantS}));
}

TEST(idle_test, instructions_say_i_on_white_and_net_twist_ignores_idle_picks) {
    Woven woven;
    // card 2 turns forward in every pick; card 1 idles in the I picks
    Weave(woven, "FIIIF", SThread, 2, {2});
    const TurningInstructions instructions(woven.band);
    EXPECT_EQ(instructions.Text(1, 1), "F");
    for (int pick = 2; pick <= 4; ++pick) {
        EXPECT_EQ(instructions.Text(pick, 1), "I") << pick;
        EXPECT_EQ(instructions.Text(pick, 2), "F");
    }
    EXPECT_EQ(NetTwist(woven.band), (std::vector<std::int32_t>{2, 5}));
    // a card flipped while it idles is starred
    Cards pick = woven.band.At(woven.band.Count()).Cards();
    pick.At(1).SetThread(ZThread);
    pick.At(1).SetTurn(Idle);
    woven.band.WeaveRow(pick, &woven.canvas, kScreen);
    EXPECT_EQ(TurningInstructions(woven.band).Text(6, 1), "I *");
}

TEST(idle_test, the_reverse_face_of_an_idle_pick_continues_the_reverse_of_the_pick_below) {
    Woven woven;
    Weave(woven, "FFIIBIF", SThread, 3, {3});
    Band turned = woven.band.Copy();
    turned.TurnOver();
    for (std::int32_t r = 2; r <= turned.Count(); ++r) {
        for (int card = 1; card <= 3; ++card) {
            const Card& now = turned.At(r).Cards().At(card);
            const Card& before = turned.At(r - 1).Cards().At(card);
            if (now.Turn() != Idle) continue;
            EXPECT_EQ(Blocks::DetermineColor(&now), Blocks::DetermineColor(&before)) << r;
            EXPECT_EQ(now.HoleOrder(), before.HoleOrder()) << r;
        }
    }
    turned.TurnOver();
    EXPECT_EQ(test::DecksOf(turned), test::DecksOf(woven.band));
}

TEST(idle_test, a_band_with_idles_and_empty_holes_round_trips_through_its_file) {
    Woven woven;
    Weave(woven, "FIBIIFFIB", ZThread, 3, {2});
    // card 3 has no thread in hole C
    for (Row& row : woven.band) row.Cards().At(3).SetColor(kHoleC, Card::kNoThread);
    woven.canvas.Clear();
    woven.band.WeaveBand(&woven.canvas, kScreen);
    const std::string file = PatternWriter::Format({"Idle", "", {}}, woven.band);
    EXPECT_NE(file.find("\r\n3, 1, 2, "), std::string::npos) << "an idle card is stored as Turn 2";
    EXPECT_NE(file.find("\r\n3, 3, 2, 1, 2, -1, 4, 0, "), std::string::npos) << file;
    const PatternData read = PatternReader::Parse(file, "idle.kst");
    EXPECT_EQ(test::DecksOf(*read.Rows), test::DecksOf(woven.band));
    EXPECT_EQ(PatternWriter::Format({"Idle", "", {}}, *read.Rows), file);
    RecordingCanvas drawn;
    read.Rows->WeaveBand(&drawn, kScreen);
    EXPECT_EQ(drawn.Polygons(), woven.canvas.Polygons());
    EXPECT_NE(std::find_if(drawn.Polygons().begin(), drawn.Polygons().end(),
                           [](const auto& polygon) { return polygon.fillColor == Card::kNoThread; }),
              drawn.Polygons().end());
}

}  // namespace
}  // namespace tessaly
