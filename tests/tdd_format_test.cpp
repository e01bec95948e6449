#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "engine/Blocks.h"
#include "patternfile/PatternError.h"
#include "patternfile/TddFormat.h"

namespace tessaly {
namespace {

using test::kGreen;
using test::kRed;
using test::Shown;
using test::SmallBand;
constexpr std::int32_t kDefault3 = 0x009900, kDefault5 = 0xDDDDDD;

TEST(tdd_format_test, a_draft_is_read_the_last_pick_first_with_its_palette_and_empty_holes) {
    // tablet 1 is S, tablet 2 Z; hole rows cut short where their last holes are empty
    const std::string text =
        "# tdd v1.0\n# Two tablets\n\n"
        "\\/\n//\n\\\\\n\n"
        "0\n12\n3\n45\nSZ\n\n"
        "0 - #FF0000\n1 - #00ff00\n";
    const PeerPattern peer = TddFormat::Read(text, "two.tdd");
    EXPECT_EQ(peer.name, "Two tablets");
    // Notepad starts the file with a byte-order mark: the same draft
    EXPECT_EQ(TddFormat::Read("\xEF\xBB\xBF" + text, "two.tdd").holes, peer.holes);
    ASSERT_EQ(peer.Tablets(), 2);
    EXPECT_EQ(peer.holes[0], (std::vector<std::int32_t>{0, -1}));
    EXPECT_EQ(peer.holes[2], (std::vector<std::int32_t>{3, -1}));
    ASSERT_EQ(peer.picks.size(), 3u);
    // pick 1 is the bottom row "\\": backward on the S tablet, forward on the Z one
    EXPECT_EQ(peer.picks[0][0].turn, Backward);
    EXPECT_EQ(peer.picks[0][1].turn, Forward);
    EXPECT_EQ(peer.picks[2][1].turn, Backward);

    const PatternData data = PatternFromPeer(peer);
    const Band& band = *data.Rows;
    ASSERT_EQ(band.Count(), 4);
    const Card& first = band.At(1).Cards().At(1);
    EXPECT_EQ(first.Color(kHoleA), kRed);
    EXPECT_EQ(first.Color(kHoleB), kGreen);
    EXPECT_EQ(first.Color(kHoleC), kDefault3);
    EXPECT_EQ(first.HoleOrder(), 1);
    EXPECT_EQ(first.Turn(), Backward);  // turned as its first pick turns it
    EXPECT_EQ(band.At(1).Cards().At(2).Color(kHoleA), Card::kNoThread);
    // forward from the start shows D, backward A
    EXPECT_EQ(Shown(band, 1), (std::vector<std::int32_t>{kRed, kRed, kRed}));
    EXPECT_EQ(Shown(band, 2), (std::vector<std::int32_t>{kDefault5, kDefault5, Card::kNoThread}));
}

TEST(tdd_format_test, a_phase_row_idles_tablets_on_odd_or_even_picks) {
    const std::string text =
        "# tdd v1.8\n# Phases\n\n"
        "////\n\\\\\\\\\n////\n////\n\n"
        "0000\n1111\n0000\n1111\nSSSS\nTOET\n\n";
    const PeerPattern peer = TddFormat::Read(text, "phases.tdd");
    std::string turns;
    for (const PickSteps& pick : peer.picks) {
        for (const CardStep& step : pick) turns += "FBI"[step.turn];
        turns += '|';
    }
    // pick 3 (the second row from the top) turns backward; an O tablet turns its forward
    // cells on odd picks and its backward cells on even ones, an E tablet the other way
    EXPECT_EQ(turns, "FFIF|FIFF|BIBB|FIFF|");
}

TEST(tdd_format_test, what_cannot_be_read_is_refused_with_its_line) {
    const auto refusal = [](const std::string& text) -> std::string {
        try {
            TddFormat::Read(text, "t.tdd");
        } catch (const PatternFileError& error) {
            return error.what();
        }
        return "read";
    };
    const std::string holes = "0\n0\n0\n0\nS\n\n";
    EXPECT_NE(refusal("# kst\n").find("line 1: not a Tablet Weaving Draft Designer file"),
              std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n|\n\n" + holes).find("line 5: a turning row holds only"),
              std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n//\n\n" + holes).find("line 5: this turning row has 2"),
              std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n\n0\n0\n0\n0\n0\n0\n0\n0\n0\nS\n\n")
                  .find("9-hole tablets: Tessaly weaves cards of 2 to 8 holes"),
              std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n\n0\nx\n0\n0\nS\n\n").find("line 7: 'x' is not a palette key"),
              std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n\n0\n0\n0\n0\nSS\n\n").find("S and Z"), std::string::npos);
    EXPECT_NE(refusal("# tdd v1.0\n# x\n\n/\n\n" + holes + "0 - red\n").find("k - #RRGGBB"),
              std::string::npos);
    EXPECT_EQ(refusal("# tdd v1.0\n# x\n\n/\n\n" + holes), "read");
}

TEST(tdd_format_test, a_band_goes_out_and_comes_back_drawing_the_same_picks) {
    for (const std::int32_t holeOrder : {1, 0, 3}) {
        SCOPED_TRACE(holeOrder);
        const Band band = SmallBand(holeOrder);
        const std::string text = TddFormat::Write(PeerFromBand(band, "Small"));
        const PatternData back = PatternFromPeer(TddFormat::Read(text, "small.tdd"));
        EXPECT_EQ(back.BandName, "Small");
        ASSERT_EQ(back.Rows->Count(), band.Count());
        for (std::int32_t card = 1; card <= 4; ++card)
            EXPECT_EQ(Shown(*back.Rows, card), Shown(band, card)) << card;
        // written again, the draft is the same text
        EXPECT_EQ(TddFormat::Write(PeerFromBand(*back.Rows, "Small")), text);
        // a band woven from a threading at hole order 1 comes back card for card
        if (holeOrder == 1) {
            EXPECT_EQ(test::DecksOf(*back.Rows), test::DecksOf(band));
        }
    }
}

TEST(tdd_format_test, what_a_draft_cannot_hold_is_refused) {
    Band band = SmallBand(1);
    PeerPattern peer = PeerFromBand(band, "x");
    peer.picks[1][2].turn = Idle;
    EXPECT_THROW(TddFormat::Write(peer), AppError);
    peer = PeerFromBand(band, "x");
    peer.picks[0][0].flip = true;
    EXPECT_THROW(TddFormat::Write(peer), AppError);
    peer = PeerFromBand(band, "x");
    peer.palette.resize(13, 0);
    EXPECT_THROW(TddFormat::Write(peer), AppError);
    peer = PeerFromBand(band, "x");
    peer.picks.clear();
    EXPECT_THROW(TddFormat::Write(peer), AppError);
}

}  // namespace
}  // namespace tessaly
