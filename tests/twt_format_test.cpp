#include <gtest/gtest.h>

#include <random>

#include "CardGeometry.h"
#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "engine/PickSteps.h"
#include "patternfile/PatternFile.h"
#include "patternfile/TddFormat.h"
#include "patternfile/TwtFormat.h"

namespace tessaly {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kWhite;
using test::PeerDrawn;
using test::Shown;

// A Twisted Threads pattern of three tablets; cells are "F1", "B0" (idle) and so on.
std::string Twt(const std::vector<std::vector<std::string>>& rows,
                const std::string& chart = "[[0, 1, 2], [1, 2, 3], [2, 3, -1], [3, 0, 1]]",
                const std::string& extra = "") {
    std::string design;
    for (const auto& row : rows) {
        design += design.empty() ? "[" : ", [";
        for (std::size_t t = 0; t < row.size(); ++t)
            design += std::string(t ? ", " : "") + "{\"direction\": \"" + row[t][0] +
                      "\", \"numberOfTurns\": " + row[t].substr(1) + "}";
        design += "]";
    }
    return "{\n  \"source\": \"Twisted Threads\",\n  \"version\": \"2.0\",\n  \"Name\": \"Small\",\n"
           "  \"Pattern type\": \"individual\",\n  \"Number of holes\": 4,\n"
           "  \"Colour palette\": [\"#ff0000\", \"#00ff00\", \"#0000ff\", \"#ffffff\"],\n"
           "  \"Number of tablets\": 3,\n  \"Threading chart\": " + chart + ",\n"
           "  \"Tablet orientations\": [\"/\", \"\\\\\", \"/\"],\n" + extra +
           "  \"Pattern design\": {\"weavingInstructions\": [" + design + "]}\n}\n";
}

std::string Refusal(const std::string& text) {
    return test::RefusalOf([](const std::string& t) { TwtFormat::Read(t, "p.twt"); }, text);
}

TEST(twt_format_test, a_pattern_is_woven_as_twisted_threads_draws_it_idles_and_empty_holes_included) {
    const std::string text = Twt({{"F1", "B1", "B0"}, {"F1", "B1", "B1"}, {"B1", "B0", "F1"},
                                  {"B1", "F1", "F1"}, {"F0", "F1", "F0"}});
    const PeerPattern peer = TwtFormat::Read(text, "small.twt");
    EXPECT_EQ(peer.name, "Small");
    EXPECT_EQ(peer.palette, (std::vector<std::int32_t>{kRed, kGreen, kBlue, kWhite}));
    EXPECT_EQ(peer.holes[2], (std::vector<std::int32_t>{2, 3, -1}));
    EXPECT_EQ(peer.sThreaded, (std::vector<bool>{true, false, true}));
    ASSERT_EQ(peer.picks.size(), 5u);
    EXPECT_EQ(peer.picks[0][2].turn, Idle);
    EXPECT_EQ(peer.picks[3][0].turn, Backward);

    const PatternData data = PatternFromPeer(peer);
    const Band& band = *data.Rows;
    ASSERT_EQ(band.Count(), 6);
    for (std::int32_t card = 1; card <= 3; ++card)
        EXPECT_EQ(Shown(band, card), PeerDrawn(peer, static_cast<std::size_t>(card - 1))) << card;
    // pick 1 forward shows hole D; tablet 3 idles in pick 1 facing backward, as row 2 names
    // it, and shows its hole D
    EXPECT_EQ(Shown(band, 1)[0], kWhite);
    EXPECT_EQ(band.At(2).Cards().At(3).Facing(), Backward);
    EXPECT_EQ(Shown(band, 3)[0], kGreen);
    // the slant follows the threading and the turn: forward on S leans "/"
    EXPECT_EQ(Blocks::DetermineType(2, &band.At(2).Cards().At(1), &band.At(1).Cards().At(1)), SlantZ);
    EXPECT_EQ(Blocks::DetermineType(2, &band.At(2).Cards().At(2), &band.At(1).Cards().At(2)), SlantZ);
}

TEST(twt_format_test, palette_colours_are_read_in_either_hex_form_and_nothing_else) {
    EXPECT_EQ(ColourFromHex("#ff0000"), kRed);
    EXPECT_EQ(ColourFromHex("#F00"), kRed);
    EXPECT_EQ(ColourFromHex("#0000FF"), kBlue);
    EXPECT_EQ(ColourFromHex("#123456"), 0x563412);
    for (const char* bad : {"ff0000", "#ff000", "#gg0000", "#+f0000", "#-f0000", "#", ""})
        EXPECT_FALSE(ColourFromHex(bad).has_value()) << bad;
    EXPECT_EQ(HexOfColour(0x563412), "#123456");
}

TEST(twt_format_test, an_all_together_pattern_turns_every_tablet_the_way_its_row_says) {
    std::string text = Twt({});
    text.replace(text.find("\"individual\""), 12, "\"allTogether\"");
    text.replace(text.find("[]}"), 3, "[\"F\", \"F\", \"B\"]}");
    const PeerPattern peer = TwtFormat::Read(text, "together.twt");
    ASSERT_EQ(peer.picks.size(), 3u);
    for (const CardStep& step : peer.picks[1]) EXPECT_EQ(step.turn, Forward);
    for (const CardStep& step : peer.picks[2]) EXPECT_EQ(step.turn, Backward);
}

TEST(twt_format_test, what_tessaly_has_no_place_for_is_listed) {
    const PeerPattern plain = TwtFormat::Read(Twt({{"F1", "F1", "F1"}}), "p.twt");
    EXPECT_TRUE(plain.notCarried.empty());
    const PeerPattern noted = TwtFormat::Read(
        Twt({{"F1", "F1", "F1"}}, "[[0, 1, 2], [1, 2, 3], [2, 3, -1], [3, 0, 1]]",
            "  \"Description\": \"a band\\r\\nfor a belt \", \"Tags\": [\"belt\", \"diamonds\"],"
            " \"Weaving notes\": \"tight weft\", \"Weft colour\": 3,\n"),
        "p.twt");
    EXPECT_EQ(noted.notCarried, (std::vector<std::string>{"the weft colour"}));
    // the description and the notes come over as the pattern's notes, and go back whole
    const std::string notes =
        "a band\nfor a belt\n\nWeaving notes:\ntight weft\n\nTags: belt diamonds";
    EXPECT_EQ(noted.notes, notes);
    EXPECT_EQ(TwtFormat::Read(TwtFormat::Write(noted), "q.twt").notes, notes);
    // a pattern's weft goes out as its place in the palette, a free place when it needs one
    PeerPattern woven = noted;
    woven.weft = 0x123456;
    const std::string written = TwtFormat::Write(woven);
    EXPECT_NE(written.find("\"#563412\""), std::string::npos);
    EXPECT_NE(written.find("\"Weft colour\": " + std::to_string(noted.palette.size())),
              std::string::npos);
}

TEST(twt_format_test, what_tessaly_does_not_weave_or_cannot_read_is_refused_naming_where) {
    const std::string good = Twt({{"F1", "F1", "F1"}});
    EXPECT_EQ(Refusal(good), "read");
    const auto replaced = [&](const std::string& from, const std::string& to) {
        return test::Replaced(good, from, to);
    };
    EXPECT_NE(Refusal(replaced("\"Number of holes\": 4", "\"Number of holes\": 9"))
                  .find("9-hole tablets: Tessaly weaves cards of 2 to 8 holes"),
              std::string::npos);
    EXPECT_NE(Refusal(replaced("\"individual\"", "\"freehand\""))
                  .find("\"freehand\" is not a pattern type"),
              std::string::npos);
    EXPECT_NE(Refusal(Twt({{"F1", "F2", "F1"}})).find("row 1, tablet 2: pick 1 turns tablet 2 2 times"),
              std::string::npos);
    EXPECT_NE(Refusal(Twt({{"F1", "X1", "F1"}})).find("row 1, tablet 2: \"X\" is neither"),
              std::string::npos);
    EXPECT_NE(Refusal(Twt({{"F1", "F1"}})).find("row 1: names 2 tablets, not 3"), std::string::npos);
    EXPECT_NE(Refusal(replaced("\"weavingInstructions\": [[", "\"weavingInstructions\": [{\"a\": [1]}, ["))
                  .find("\"weavingInstructions\", row 1: should be a list"),
              std::string::npos);
    EXPECT_NE(Refusal(replaced("\"weavingInstructions\": [[", "\"weavingInstructions\": [[7, [2]], ["))
                  .find("row 1, tablet 1: should be an object"),
              std::string::npos);
    EXPECT_NE(Refusal(Twt({{"F1", "F1", "F1"}}, "[[0, 1, 2], [1, 2, 3], [2, 3, 4], [3, 0, 1]]"))
                  .find("\"Threading chart\", hole 3, tablet 3: 4 is not a colour of the palette"),
              std::string::npos);
    EXPECT_NE(Refusal(replaced("\"source\": \"Twisted Threads\"", "\"source\": \"elsewhere\""))
                  .find("not a Twisted Threads pattern"),
              std::string::npos);
    EXPECT_NE(Refusal(replaced("\"Name\": \"Small\",", "\"Name\": \"Small\"")).find("p.twt, line 5: not JSON"),
              std::string::npos);
    EXPECT_NE(Refusal("[1, 2]").find("not a Twisted Threads pattern"), std::string::npos);
    EXPECT_NE(Refusal("[11e911]").find("p.twt: not JSON: number overflow"), std::string::npos);
    EXPECT_NE(Refusal(replaced("\"Number of holes\": 4", "\"Number of holes\": 4.5")).find("whole number"),
              std::string::npos);
    // more tablets than Tessaly weaves
    std::string wide = "[";
    for (int t = 0; t < 1001; ++t) wide += t ? ", \"/\"" : "\"/\"";
    EXPECT_NE(Refusal(replaced("[\"/\", \"\\\\\", \"/\"]", wide + "]")).find("1001 tablets"), std::string::npos);
}

TEST(twt_format_test, a_band_goes_out_and_comes_back_drawing_the_same_picks) {
    for (const std::int32_t holeOrder : {1, 0, 3}) {
        SCOPED_TRACE(holeOrder);
        Band band = test::SmallBand(holeOrder);
        // an idle card keeps the way it faces, and says so in the file
        PickSteps steps(4, CardStep{Backward, false, 1});
        steps[1].turn = Idle;
        band.Add(NextRow(band.At(band.Count()).Cards(), steps), band.Count() + 1);
        const std::string text = TwtFormat::Write(PeerFromBand(band, "Small"));
        const PatternData back = PatternFromPeer(TwtFormat::Read(text, "small.twt"));
        EXPECT_EQ(back.BandName, "Small");
        ASSERT_EQ(back.Rows->Count(), band.Count());
        for (std::int32_t card = 1; card <= 4; ++card) EXPECT_EQ(Shown(*back.Rows, card), Shown(band, card)) << card;
        EXPECT_EQ(TwtFormat::Write(PeerFromBand(*back.Rows, "Small")), text);
        if (holeOrder == 1) {
            EXPECT_EQ(test::DecksOf(*back.Rows), test::DecksOf(band));
        }
    }
}

// Random patterns of the tablets Twisted Threads weaves, and .tdd drafts of any hole count:
// each read back draws every pick as the program's published rule does, and is written again
// the same.
TEST(twt_format_test, tablets_of_two_four_and_six_holes_draw_as_the_published_rule_and_come_back) {
    std::mt19937 random(30);
    for (const int holes : {2, 3, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE(holes);
        PeerPattern peer;
        peer.name = "Random";
        peer.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
        peer.holes.assign(static_cast<std::size_t>(holes), {});
        for (std::size_t t = 0; t < 5; ++t) {
            for (auto& hole : peer.holes)
                hole.push_back(static_cast<std::int32_t>(random() % 5) - 1);
            peer.sThreaded.push_back(random() % 2 == 0);
        }
        peer.picks = test::RandomPicks(random, 5, 30);
        for (PickSteps& pick : peer.picks)
            for (CardStep& step : pick) step.flip = false;
        for (std::size_t t = 0; t < 5; ++t) peer.picks.front()[t].turn = Forward;
        const bool twisted = holes == 2 || holes == 4 || holes == 6;
        const std::string text = twisted ? TwtFormat::Write(peer) : TddFormat::Write([&] {
            PeerPattern plain = peer;  // a draft has no idles
            for (PickSteps& pick : plain.picks)
                for (CardStep& step : pick)
                    if (step.turn == Idle) step.turn = Backward;
            return plain;
        }());
        const PeerPattern read =
            twisted ? TwtFormat::Read(text, "r.twt") : TddFormat::Read(text, "r.tdd");
        ASSERT_EQ(read.Holes(), holes);
        const PatternData band = PatternFromPeer(read);
        for (std::size_t t = 0; t < 5; ++t)
            EXPECT_EQ(test::Shown(*band.Rows, static_cast<std::int32_t>(t + 1)),
                      test::PeerDrawn(read, t))
                << t;
        // written back (the palette gathered in the order met), it reads back the same band
        const auto write = [&](const Band& rows) {
            const PeerPattern again = PeerFromBand(rows, "Random");
            return twisted ? TwtFormat::Write(again) : TddFormat::Write(again);
        };
        const std::string written = write(*band.Rows);
        const PatternData back = PatternFromPeer(twisted ? TwtFormat::Read(written, "w.twt")
                                                         : TddFormat::Read(written, "w.tdd"));
        for (std::int32_t t = 1; t <= 5; ++t)
            EXPECT_EQ(test::Shown(*back.Rows, t), test::Shown(*band.Rows, t)) << t;
        EXPECT_EQ(write(*back.Rows), written);
    }
    // a format's own limit is named when its tablets cannot hold the band's cards
    PeerPattern triangles = PeerFromBand(*PatternFromPeer([] {
                                              PeerPattern p;
                                              p.palette = {0};
                                              p.holes.assign(3, {0});
                                              p.sThreaded = {true};
                                              p.picks = {PickSteps(1, CardStep{Forward, false, 1})};
                                              return p;
                                          }())
                                              .Rows,
                                         "T");
    try {
        TwtFormat::Write(triangles);
        ADD_FAILURE() << "three holes written";
    } catch (const AppError& error) {
        EXPECT_NE(error.Description().find("holds tablets of 2, 4 or 6 holes"), std::string::npos);
    }
}

TEST(twt_format_test, a_design_given_twice_keeps_the_last_as_a_json_reader_does) {
    std::string text = Twt({{"F1", "F1", "F1"}});
    text.replace(text.find("  \"Pattern design\""), 0,
                 "  \"Pattern design\": {\"weavingInstructions\": [[{\"direction\": \"B\", \"numberOfTurns\": 1}, "
                 "{\"direction\": \"B\", \"numberOfTurns\": 1}, {\"direction\": \"B\", \"numberOfTurns\": 1}]]},\n");
    const PeerPattern peer = TwtFormat::Read(text, "twice.twt");
    ASSERT_EQ(peer.picks.size(), 1u);
    EXPECT_EQ(peer.picks[0][0].turn, Forward);
}

TEST(twt_format_test, a_band_twisted_threads_would_not_open_is_refused_naming_the_limit) {
    const auto refusal = [](const PeerPattern& peer) {
        return test::RefusalOf([&](const std::string&) { TwtFormat::Write(peer); }, "");
    };
    PeerPattern peer = PeerFromBand(test::SmallBand(1), "x");
    peer.picks.resize(199, peer.picks[0]);
    EXPECT_EQ(refusal(peer), "read");
    peer.picks.push_back(peer.picks[0]);
    EXPECT_EQ(refusal(peer), "The band has 200 picks; a Twisted Threads pattern holds 199 at most.");
    peer.picks.resize(1);
    for (auto& hole : peer.holes) hole.resize(101, 0);
    peer.sThreaded.resize(101, true);
    peer.picks[0].resize(101);
    EXPECT_EQ(refusal(peer), "The band has 101 cards; a Twisted Threads pattern holds 100 at most.");
}

TEST(twt_format_test, what_the_format_cannot_hold_is_refused) {
    PeerPattern peer = PeerFromBand(test::SmallBand(1), "x");
    peer.picks[0][0].flip = true;
    EXPECT_THROW(TwtFormat::Write(peer), AppError);
    peer = PeerFromBand(test::SmallBand(1), "x");
    peer.palette.resize(17, 0);
    EXPECT_THROW(TwtFormat::Write(peer), AppError);
    peer.palette.resize(16);
    EXPECT_NO_THROW(TwtFormat::Write(peer));
    // a card idling in pick 1 facing forward, then turned backward: Twisted Threads would
    // draw pick 1 facing backward
    peer = PeerFromBand(test::SmallBand(1), "x");
    peer.picks[0][1].turn = Idle;
    peer.picks[1][1].turn = Backward;
    peer.firstFacing.assign(4, Forward);
    EXPECT_NE(test::RefusalOf([&](const std::string&) { TwtFormat::Write(peer); }, "")
                  .find("Card 2 idles in pick 1 facing forward, but Twisted Threads would draw it facing backward"),
              std::string::npos);
    peer.firstFacing[1] = Backward;
    EXPECT_NO_THROW(TwtFormat::Write(peer));
}

}  // namespace
}  // namespace tessaly
