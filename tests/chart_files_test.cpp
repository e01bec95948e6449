#include <gtest/gtest.h>

#include <random>

#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "engine/ChartTurns.h"
#include "patternfile/GttFormat.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"
#include "patternfile/TddFormat.h"
#include "patternfile/TwtFormat.h"

namespace tessaly {
namespace {

using test::kBlue;
using test::kRed;

// A chart from rows of '.' and 'X', the first row woven first.
std::vector<std::vector<bool>> Rows(const std::vector<std::string>& rows) {
    std::vector<std::vector<bool>> chart;
    for (const std::string& row : rows) {
        std::vector<bool> cells;
        for (const char cell : row) cells.push_back(cell == 'X');
        chart.push_back(std::move(cells));
    }
    return chart;
}

TwoColourChart RandomChart(std::mt19937& random, ChartWeave weave, int cards, int rows) {
    std::bernoulli_distribution marked(0.4);
    TwoColourChart chart;
    chart.weave = weave;
    if (weave == ChartWeave::BrokenTwill)
        chart.twill = marked(random) ? TwillDirection::Z : TwillDirection::S;
    const auto layer = [&](double share) {
        std::bernoulli_distribution cell(share);
        std::vector<std::vector<bool>> cells(static_cast<std::size_t>(rows),
                                             std::vector<bool>(static_cast<std::size_t>(cards)));
        for (auto& row : cells)
            for (std::size_t c = 0; c < row.size(); ++c) row[c] = cell(random);
        return cells;
    };
    chart.foreground = layer(0.4);
    if (weave == ChartWeave::BrokenTwill) {
        chart.longFloats = layer(0.15);
        // the row after the last is the background's, as both programs keep it
        chart.foreground.back().assign(static_cast<std::size_t>(cards), false);
        chart.longFloats.back().assign(static_cast<std::size_t>(cards), false);
    }
    return chart;
}

// A pattern of the chart, threaded as the chart's kind needs it in red (foreground) and blue.
PeerPattern ChartPattern(const TwoColourChart& chart) {
    PeerPattern peer;
    peer.name = "Chart";
    peer.palette = {kRed, kBlue};
    peer.holes.assign(4, {});
    for (const ChartCard& card : ChartThreading(chart.weave, chart.Cards())) {
        for (std::size_t h = 0; h < 4; ++h) peer.holes[h].push_back(card.foreground[h] ? 0 : 1);
        peer.sThreaded.push_back(card.sThreaded);
    }
    peer.chart = chart;
    WeaveChart(peer);
    return peer;
}

void ExpectSameBand(const Band& a, const Band& b) {
    ASSERT_EQ(a.Count(), b.Count());
    EXPECT_EQ(test::DecksOf(a), test::DecksOf(b));
}

TEST(chart_files_test, a_double_faced_band_shows_the_chart_on_its_face_two_picks_a_row) {
    // the weave's promise: each cell's colour shows for both its picks
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const TwoColourChart chart = RandomChart(random, ChartWeave::DoubleFaced, 6, 8);
        const PeerPattern peer = ChartPattern(chart);
        for (std::size_t t = 0; t < 6; ++t) {
            const std::vector<std::int32_t> drawn = test::PeerDrawn(peer, t);
            ASSERT_EQ(drawn.size(), 16u);
            for (std::size_t pick = 0; pick < drawn.size(); ++pick)
                EXPECT_EQ(drawn[pick], chart.foreground[pick / 2][t] ? kRed : kBlue)
                    << "round " << round << ", card " << t + 1 << ", pick " << pick + 1;
        }
    }
}

TEST(chart_files_test, a_chart_band_is_the_band_its_picks_weave_turned_by_hand) {
    std::mt19937 random(11);
    for (const ChartWeave weave : {ChartWeave::DoubleFaced, ChartWeave::BrokenTwill}) {
        const PeerPattern charted = ChartPattern(RandomChart(random, weave, 8, 6));
        PeerPattern byHand = charted;
        byHand.chart.reset();
        const PatternData fromChart = PatternFromPeer(charted);
        ExpectSameBand(*fromChart.Rows, *PatternFromPeer(byHand).Rows);
        EXPECT_EQ(fromChart.Extras.chart, charted.chart);
    }
}

// The band and the chart a file of the format reads back as.
template <class Format>
PeerPattern ThroughFormat(const PeerPattern& peer, const char* name) {
    return Format::Read(Format::Write(peer), name);
}

PatternData ThroughKst(const PatternData& data) {
    const std::string text = PatternWriter::FormatForSaving(
        {data.BandName, data.TurnSequence, data.Windows}, *data.Rows, data.Extras);
    return PatternReader::Parse(text, "chart.kst");
}

TEST(chart_files_test, random_charts_go_through_every_format_as_charts_weaving_the_same_band) {
    std::mt19937 random(3);
    for (int round = 0; round < 12; ++round) {
        const ChartWeave weave = round % 2 ? ChartWeave::BrokenTwill : ChartWeave::DoubleFaced;
        const PeerPattern peer = ChartPattern(RandomChart(random, weave, 3 + round, 2 + round % 5));
        const PatternData original = PatternFromPeer(peer);
        for (const PeerPattern& back :
             {ThroughFormat<TwtFormat>(peer, "c.twt"), ThroughFormat<GttFormat>(peer, "c.gtt")}) {
            EXPECT_EQ(back.chart, peer.chart) << "round " << round;
            ExpectSameBand(*PatternFromPeer(back).Rows, *original.Rows);
        }
        const PatternData kst = ThroughKst(original);
        EXPECT_EQ(kst.Extras, original.Extras);
        ExpectSameBand(*kst.Rows, *original.Rows);
        // a band exported from the .kst keeps its chart
        EXPECT_EQ(PeerFromBand(*kst.Rows, "c", kst.Extras).chart, peer.chart);
    }
}

TEST(chart_files_test, a_twisted_threads_chart_reads_as_that_program_keeps_it) {
    const std::string text = R"({"source": "Twisted Threads", "version": "2.0", "Name": "Twill",
      "Pattern type": "brokenTwill", "Number of holes": 4, "Number of tablets": 2,
      "Number of weaving rows": 4, "Colour palette": ["#ff0000", "#0000ff"],
      "Threading chart": [[0, 1], [0, 0], [1, 0], [1, 1]], "Tablet orientations": ["/", "/"],
      "Pattern design": {"twillDirection": "Z", "weavingStartRow": 3,
        "twillPatternChart": [[".", "X"], "X.", [".", "."]],
        "twillDirectionChangeChart": [[".", "."], [".", "X"], [".", "."]]}})";
    const PeerPattern peer = TwtFormat::Read(text, "twill.twt");
    ASSERT_TRUE(peer.chart);
    EXPECT_EQ(peer.chart->weave, ChartWeave::BrokenTwill);
    EXPECT_EQ(peer.chart->twill, TwillDirection::Z);
    EXPECT_EQ(peer.chart->weavingStartRow, 3);
    EXPECT_EQ(peer.chart->foreground, Rows({".X", "X.", ".."}));
    EXPECT_EQ(peer.chart->longFloats, Rows({"..", ".X", ".."}));
    ASSERT_EQ(peer.picks.size(), 4u);
    EXPECT_EQ(peer.picks, [&] {
        std::vector<PickSteps> picks;
        for (const auto& turns : ChartTurns(*peer.chart)) {
            PickSteps pick(turns.size());
            for (std::size_t t = 0; t < turns.size(); ++t) pick[t].turn = turns[t];
            picks.push_back(pick);
        }
        return picks;
    }());

    const auto refusal = [&](const std::string& from, const std::string& to) {
        return test::RefusalOf([](const std::string& t) { TwtFormat::Read(t, "p.twt"); },
                               test::Replaced(text, from, to));
    };
    EXPECT_NE(refusal("\"X.\"", "\"Y.\"")
                  .find("\"twillPatternChart\", row 2, tablet 1: \"Y\" is neither"),
              std::string::npos);
    EXPECT_NE(refusal("[\".\", \"X\"], [\".\", \".\"]]", "[\".\", \"X\"]]")
                  .find("has 2 rows, but the pattern chart has 3"),
              std::string::npos);
    EXPECT_NE(refusal("\"Number of weaving rows\": 4", "\"Number of weaving rows\": 6")
                  .find("but the design weaves 4 rows"),
              std::string::npos);
    EXPECT_NE(refusal("\"Number of holes\": 4", "\"Number of holes\": 6")
                  .find("tablets of 4 holes, not 6"),
              std::string::npos);
    EXPECT_NE(
        refusal("\"twillDirection\": \"Z\"", "\"twillDirection\": \"Q\"").find("\"Q\" is neither"),
        std::string::npos);
}

std::string GttChart(const std::string& type, const std::string& layers) {
    return "<?xml version=\"1.0\"?>\n<TWData><Source>Guntram's Tabletweaving Thingy</Source>\n"
           "<Pattern Type=\"" +
           type +
           "\"><Name>G</Name><Cards Count=\"2\">\n"
           "<Card Number=\"1\" Holes=\"4\"><Holes Count=\"4\"><Colour>0</Colour><Colour>0</Colour>"
           "<Colour>1</Colour><Colour>1</Colour></Holes><Threading>Z</Threading></Card>\n"
           "<Card Number=\"2\" Holes=\"4\"><Holes Count=\"4\"><Colour>0</Colour><Colour>0</Colour>"
           "<Colour>1</Colour><Colour>1</Colour></Holes><Threading>S</Threading></Card></Cards>\n" +
           layers + "</Pattern></TWData>\n";
}

TEST(chart_files_test, a_gtt_chart_reads_in_every_form_the_program_wrote) {
    // both spellings of double face; P1 is woven first whatever the order of the elements
    for (const char* type : {"DoubleFace", "Doubleface"}) {
        const PeerPattern peer =
            GttFormat::Read(GttChart(type, "<Data><P2>X.</P2>\n<P1>.X</P1></Data>"), "d.gtt");
        ASSERT_TRUE(peer.chart) << type;
        EXPECT_EQ(peer.chart->weave, ChartWeave::DoubleFaced);
        EXPECT_EQ(peer.chart->foreground, Rows({".X", "X."}));
        EXPECT_EQ(peer.picks.size(), 4u);
    }
    // broken twill: the long floats now, or as the older files kept them (last row first);
    // the row after the last is the background's; S unless the file says
    const PeerPattern now =
        GttFormat::Read(GttChart("BrokenTwill",
                                 "<Data><P1>X.</P1><P2>.X</P2><P3>..</P3></Data>"
                                 "<LongFloats><P1>.X</P1><P2>..</P2><P3>X.</P3></LongFloats>"
                                 "<BackgroundTwill>Z</BackgroundTwill>"),
                        "t.gtt");
    const PeerPattern older =
        GttFormat::Read(GttChart("BrokenTwill",
                                 "<Data><P1>X.</P1><P2>.X</P2><P3>..</P3></Data>"
                                 "<Reversals><P1>X.</P1><P2>..</P2><P3>.X</P3></Reversals>"),
                        "t.gtt");
    ASSERT_TRUE(now.chart && older.chart);
    EXPECT_EQ(now.chart->foreground, Rows({"X.", ".X", "..", ".."}));
    EXPECT_EQ(now.chart->longFloats, Rows({".X", "..", "X.", ".."}));
    EXPECT_EQ(older.chart->longFloats, now.chart->longFloats);
    EXPECT_EQ(now.chart->twill, TwillDirection::Z);
    EXPECT_EQ(older.chart->twill, TwillDirection::S);
    EXPECT_EQ(now.picks.size(), 6u);

    const auto refusal = [](const std::string& text) {
        return test::RefusalOf([](const std::string& t) { GttFormat::Read(t, "p.gtt"); }, text);
    };
    EXPECT_NE(refusal(GttChart("DoubleFace", "<Data><P1>X</P1></Data>"))
                  .find("<Data>: P1 has 1 cells, but the pattern has 2 cards"),
              std::string::npos);
    EXPECT_NE(refusal(GttChart("DoubleFace", "<Data><P1>XO</P1></Data>")).find("'O' is neither"),
              std::string::npos);
    EXPECT_NE(refusal(GttChart("DoubleFace", "<Data><P2>XX</P2></Data>")).find("has no row P1"),
              std::string::npos);
    EXPECT_NE(refusal(GttChart("DoubleFace", "")).find("has no chart (<Data>)"), std::string::npos);
    EXPECT_NE(refusal(GttChart("Brocade", "")).find("\"Brocade\" is not a pattern type"),
              std::string::npos);
}

TEST(chart_files_test, a_gtt_file_keeps_the_picks_of_a_twill_chart_whose_last_row_it_cannot_hold) {
    TwoColourChart chart;
    chart.weave = ChartWeave::BrokenTwill;
    chart.foreground = Rows({"X..", ".X.", "..X"});
    chart.longFloats = Rows({"...", "...", "..."});
    const PeerPattern peer = ChartPattern(chart);
    const std::string text = GttFormat::Write(peer);
    EXPECT_NE(text.find("Type=\"Threaded-in\""), std::string::npos);
    const PeerPattern back = GttFormat::Read(text, "t.gtt");
    EXPECT_FALSE(back.chart);
    // and the weaver is told so; Twisted Threads keeps it, a .tdd draft never does
    PatternExtras extras;
    extras.chart = chart;
    const std::vector<std::string> told{"the chart (its picks go)"};
    EXPECT_EQ(LeftOutOf(peer, extras, GttFormat::Limits()), told);
    EXPECT_EQ(LeftOutOf(peer, extras, TddFormat::Limits()), told);
    EXPECT_TRUE(LeftOutOf(peer, extras, TwtFormat::Limits()).empty());
    ExpectSameBand(*PatternFromPeer(back).Rows, *PatternFromPeer(peer).Rows);
}

TEST(chart_files_test, a_kst_chart_that_does_not_fit_its_band_is_refused_naming_the_line) {
    const PatternData data = PatternFromPeer(ChartPattern([] {
        TwoColourChart chart;
        chart.foreground = Rows({"X.", ".X"});
        return chart;
    }()));
    const std::string good = PatternWriter::Format({data.BandName, data.TurnSequence, data.Windows},
                                                   *data.Rows, data.Extras);
    ASSERT_NE(good.find("Chart = double faced\r\nChart row = X.\r\nChart row = .X\r\n"),
              std::string::npos);
    const auto refusal = [&](const std::string& from, const std::string& to) {
        return test::RefusalOf([](const std::string& t) { PatternReader::Parse(t, "c.kst"); },
                               test::Replaced(good, from, to));
    };
    EXPECT_NE(refusal("Chart row = .X", "Chart row = .XX")
                  .find("a chart row of 3 cells, but the chart's first has 2"),
              std::string::npos);
    EXPECT_NE(refusal("Chart row = .X", "Chart row = .O").find("a chart cell is '.' or 'X'"),
              std::string::npos);
    EXPECT_NE(refusal("Chart = double faced\r\n", "")
                  .find("a \"Chart row = \" line before the \"Chart = \" line"),
              std::string::npos);
    EXPECT_NE(refusal("Chart = double faced\r\n", "Chart = double faced\r\nLong floats = ..\r\n")
                  .find("a double-faced chart has no long floats"),
              std::string::npos);
    EXPECT_NE(
        refusal("Chart = double faced", "Chart = broken twill, Q").find("'Q' is neither S nor Z"),
        std::string::npos);
    EXPECT_NE(refusal("X.\r\nChart row = .X", "X.X\r\nChart row = .X.")
                  .find("the chart's rows have 3 cells, but the band has 2 cards"),
              std::string::npos);
}

}  // namespace
}  // namespace tessaly
