#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "CardGeometry.h"
#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "cli/ExportCommand.h"
#include "patternfile/GttFormat.h"
#include "patternfile/PatternWriter.h"
#include "patternfile/TwtFormat.h"
#include "render/RasterCanvas.h"

namespace tessaly {
namespace {

using test::PatternHead;

struct Polygon {
    std::string points;
    std::string fill;
};

std::vector<Polygon> PolygonsOf(const std::string& svg) {
    static const std::regex kPolygon(
        R"re(<polygon points="([^"]*)" fill="(#[0-9a-f]{6})" stroke="#505050"/>)re");
    std::vector<Polygon> polygons;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kPolygon);
         it != std::sregex_iterator(); ++it)
        polygons.push_back({(*it)[1], (*it)[2]});
    return polygons;
}

class ExportTest : public ::testing::Test {
  protected:
    // As the program runs a command line: its exit code, with the usage problem kept.
    int Run(std::vector<std::string> args) {
        const auto options = ParseExportArguments(args, usageError);
        if (!options) return kExitUsage;
        if (const auto clash = CheckExportFiles(*options)) {
            usageError = *clash;
            return kExitUsage;
        }
        std::ostringstream out;
        return RunExport(*options, out);
    }
    std::string usageError;
    test::TempDir dir;
    test::ReportRecorder recorder;
};

TEST_F(ExportTest, hand_woven_file_is_drawn_as_stored) {
    // two cards: Z-threaded turned forward, S-threaded turned forward then backward
    const std::string file =
        dir.Write("hand.kst", PatternHead() +
                                  "1, 1, 0, 255, 65280, 16711680, 0, 0, 0, 1\r\n"
                                  "1, 2, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n"
                                  "2, 1, 0, 255, 65280, 16711680, 0, 0, 1, 1\r\n"
                                  "2, 2, 1, 255, 65280, 16711680, 0, 1, 3, 1\r\n"
                                  "3, 1, 0, 255, 65280, 16711680, 0, 0, 2, 1\r\n"
                                  "3, 2, 1, 255, 65280, 16711680, 0, 1, 2, 1\r\n");
    ASSERT_EQ(Run({file, "--svg", dir.File("o.svg"), "--instructions", dir.File("o.csv")}),
              kExitOk);
    const std::string svg = test::ReadAll(dir.File("o.svg"));
    EXPECT_NE(svg.find("width=\"60\" height=\"1000\""), std::string::npos);
    const auto polygons = PolygonsOf(svg);
    // row 1: two flat blocks; row 2: card 1 slants, card 2 changed direction (not drawn);
    // row 3: both slant
    ASSERT_EQ(polygons.size(), 5u);
    EXPECT_EQ(polygons[0].points, "20,980 30,980 30,0 20,0");
    EXPECT_EQ(polygons[0].fill, "#00ff00");  // hole order 0, forward: BColor 65280
    EXPECT_EQ(polygons[2].points, "20,950 30,970 30,0 20,0");  // Z forward: backslash
    EXPECT_EQ(polygons[3].points, "20,930 30,950 30,0 20,0");
    EXPECT_EQ(polygons[4].points, "30,930 40,950 40,0 30,0");  // S backward: backslash too
    EXPECT_EQ(test::ReadAll(dir.File("o.csv")), "Pick,1,2\n0,,\n1,F,B\n2,F,B\n");
    // the same picks as lines for the loom, the last first and each with a box to tick
    ASSERT_EQ(Run({file, "--text", dir.File("o.txt"), "--pick-1-at-bottom", "--tick-column"}),
              kExitOk);
    EXPECT_EQ(test::ReadAll(dir.File("o.txt")),
              "[  ]  2: F 1 \u00B7 B 2\n[  ]  1: F 1 \u00B7 B 2\n");
}

// Random hand-woven bands of turns, idles and flips, stored row by row: the exporter's picture
// and the .gtt and .twt it writes show at every pick the thread the card's geometry brings
// over the top.
TEST_F(ExportTest, every_output_shows_the_threads_the_cards_geometry_gives) {
    constexpr std::int32_t kCards = 6, kPicks = 40;
    std::mt19937 random(1207);
    for (int trial = 0; trial < 24; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const bool flips = trial % 2 == 0;  // Twisted Threads has no flips
        WeavingSteps steps;
        // four different colours in each card, eight in all, as the other programs' palettes hold
        constexpr std::int32_t kColours[8] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF,
                                              0x000000, 0x00FFFF, 0xFF00FF, 0x808080};
        const auto colour = [&](int c, int hole) { return kColours[(hole + 2 * c) % 8]; };
        for (std::int16_t c = 1; c <= kCards; ++c)
            steps.threading.Add(Card::Make(c % 2 ? Forward : Backward, c,
                                           {colour(c, 0), colour(c, 1), colour(c, 2), colour(c, 3)},
                                           c % 3 ? SThread : ZThread, c % 4, 1));
        steps.picks = test::RandomPicks(random, kCards, kPicks);
        for (PickSteps& pick : steps.picks)
            for (CardStep& step : pick) step.flip = step.flip && flips;
        // a card idling in pick 1 faces as the file says: none does, so every format agrees
        for (CardStep& step : steps.picks.front())
            if (step.turn == Idle) step.turn = Forward;
        const Band band = WeaveSteps(steps);
        const std::string kst = dir.Write("band.kst", PatternWriter::Format({"Band", "", {}}, band));
        std::vector<std::string> args{kst, "--png", dir.File("band.png"), "--gtt", dir.File("band.gtt")};
        if (!flips) args.insert(args.end(), {"--twt", dir.File("band.twt")});
        ASSERT_EQ(Run(args), kExitOk);
        const QImage picture(QString::fromStdString(dir.File("band.png")));
        const PeerPattern gtt = GttFormat::Read(test::ReadAll(dir.File("band.gtt")), "band.gtt");
        const std::optional<PeerPattern> twt =
            flips ? std::nullopt : std::optional(TwtFormat::Read(test::ReadAll(dir.File("band.twt")), "band.twt"));
        for (std::int32_t c = 1; c <= kCards; ++c) {
            const auto card = static_cast<std::size_t>(c - 1);
            const std::vector<std::int32_t> geometry = test::GeometryColours(steps.threading.At(c), steps.picks, card);
            for (std::int32_t row = 1; row <= band.Count(); ++row)
                ASSERT_EQ(picture.pixelColor(10 * c + 15, 1000 - 20 * row - 10),
                          RasterCanvas::ToQColor(geometry[static_cast<std::size_t>(row - 1)]))
                    << "card " << c << ", row " << row;
            // the other programs' files: their tablets stand at hole order 1 before pick 1
            const Card& first = steps.threading.At(c);
            const Card atOrderOne =
                Card::Make(Forward, 1,
                           {gtt.palette.at(static_cast<std::size_t>(gtt.holes[0][card])),
                            gtt.palette.at(static_cast<std::size_t>(gtt.holes[1][card])),
                            gtt.palette.at(static_cast<std::size_t>(gtt.holes[2][card])),
                            gtt.palette.at(static_cast<std::size_t>(gtt.holes[3][card]))},
                           first.Thread(), 1, 1);
            std::vector<std::int32_t> fromGtt = test::GeometryColours(atOrderOne, gtt.picks, card);
            fromGtt.erase(fromGtt.begin());
            const std::vector<std::int32_t> picks(geometry.begin() + 1, geometry.end());
            EXPECT_EQ(fromGtt, picks) << "card " << c << " in the .gtt";
            if (twt) {
                EXPECT_EQ(test::PeerDrawn(*twt, card), picks) << "card " << c << " in the .twt";
            }
        }
    }
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ExportTest, sequence_option_weaves_from_the_threading) {
    const std::string file =
        dir.Write("t.kst", PatternHead("") + "1, 1, 1, 255, 65280, 16711680, 0, 1, 3, 1\r\n");
    ASSERT_EQ(Run({file, "--sequence", "FFBB", "--instructions", dir.File("o.csv"), "--svg",
                   dir.File("o.svg")}),
              kExitOk);
    const std::string csv = test::ReadAll(dir.File("o.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 97);
    EXPECT_EQ(csv.rfind("Pick,1\n0,\n1,F\n2,F\n3,B\n4,B\n5,F\n", 0), 0u);
    // row 1 is the threading with hole order 1 and the first letter's turn: AColor shows
    EXPECT_EQ(PolygonsOf(test::ReadAll(dir.File("o.svg")))[0].fill, "#ff0000");
}

TEST_F(ExportTest, block_size_sets_size_and_margin) {
    const std::string file = dir.Write("t.kst", PatternHead() + "1, 1, 0, 0, 0, 0, 0, 1, 0, 1\r\n");
    ASSERT_EQ(Run({file, "--block-size", "4", "--svg", dir.File("o.svg")}), kExitOk);
    const std::string svg = test::ReadAll(dir.File("o.svg"));
    EXPECT_NE(svg.find("width=\"20\""), std::string::npos);
    EXPECT_EQ(PolygonsOf(svg).at(0).points, "8,992 12,992 12,0 8,0");
}

TEST_F(ExportTest, reverse_draws_the_reverse_face_over_the_front) {
    const std::string file = dir.Write("t.kst", PatternHead("FB") +
                                                    "1, 1, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n"
                                                    "1, 2, 0, 0, 0, 0, 0, 0, 0, 1\r\n");
    ASSERT_EQ(Run({file, "--svg", dir.File("front.svg"), "--instructions", dir.File("f.csv")}),
              kExitOk);
    ASSERT_EQ(Run({file, "--reverse", "--svg", dir.File("back.svg"), "--instructions",
                   dir.File("b.csv")}),
              kExitOk);
    const auto front = PolygonsOf(test::ReadAll(dir.File("front.svg")));
    const auto back = PolygonsOf(test::ReadAll(dir.File("back.svg")));
    ASSERT_GT(back.size(), front.size());
    // the front face first, then the reverse face over it; card 1 now in column 2
    EXPECT_EQ(back[0].points, front[0].points);
    EXPECT_EQ(back[front.size()].points, "30,980 40,980 40,0 30,0");
    EXPECT_EQ(back[front.size()].fill, "#0000ff");  // hole C's colour shows where A did
    const std::string csv = test::ReadAll(dir.File("b.csv"));
    EXPECT_EQ(csv.substr(0, 24), "Pick,1,2\n0,,\n1,B,B\n2,F,F");
}

TEST_F(ExportTest, png_is_the_same_picture) {
    const std::string file =
        dir.Write("t.kst", PatternHead() + "1, 1, 0, 0, 255, 0, 0, 1, 0, 1\r\n");
    ASSERT_EQ(Run({file, "--png", dir.File("o.png")}), kExitOk);
    const QImage image(QString::fromStdString(dir.File("o.png")));
    ASSERT_EQ(image.size(), QSize(50, 1000));
    EXPECT_EQ(image.pixelColor(25, 500), QColor(255, 0, 0));   // inside the block
    EXPECT_EQ(image.pixelColor(20, 500), QColor(80, 80, 80));  // its left edge
    EXPECT_EQ(image.pixelColor(5, 500), QColor(255, 255, 255));
}

TEST_F(ExportTest, idle_picks_and_an_empty_hole_are_drawn_and_written_by_the_rule) {
    // one S card, hole B without thread: F shows D, I goes on showing D, F shows C, F shows
    // the empty B (the weft), B shows B again
    const std::string card = ", 255, -1, 16711680, 65280, 1, ";
    const std::string file = dir.Write(
        "idle.kst", PatternHead() + "1, 1, 0" + card + "1, 1\r\n" + "2, 1, 0" + card +
                        "2, 1\r\n" + "3, 1, 2" + card + "2, 1\r\n" + "4, 1, 0" + card +
                        "3, 1\r\n" + "5, 1, 0" + card + "0, 1\r\n" + "6, 1, 1" + card +
                        "3, 1\r\n");
    ASSERT_EQ(Run({file, "--png", dir.File("o.png"), "--instructions", dir.File("o.csv")}),
              kExitOk);
    EXPECT_EQ(test::ReadAll(dir.File("o.csv")), "Pick,1\n0,\n1,F\n2,I\n3,F\n4,F\n5,B\n");
    const QImage image(QString::fromStdString(dir.File("o.png")));
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), weft(255, 255, 255);
    const QColor shown[6] = {red, green, green, blue, weft, weft};
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(image.pixelColor(25, 1000 - 20 * row - 10), shown[row - 1]) << row;
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ExportTest, a_tdd_draft_is_read_by_its_extension_and_written_back) {
    // two S tablets turned forward, forward, backward (the bottom row is pick 1)
    const std::string draft = dir.Write("draft.TDD",
                                        "# tdd v1.0\n# Draft\n\n\\\\\n//\n//\n\n"
                                        "01\n10\n01\n10\nSS\n\n");
    ASSERT_EQ(Run({draft, "--instructions", dir.File("o.csv"), "--kst", dir.File("o.kst"),
                   "--tdd", dir.File("o.tdd")}),
              kExitOk);
    EXPECT_EQ(test::ReadAll(dir.File("o.csv")), "Pick,1,2\n0,,\n1,F,F\n2,F,F\n3,B,B\n");
    const std::string kst = test::ReadAll(dir.File("o.kst"));
    EXPECT_TRUE(kst.starts_with("Draft\r\n"));
    EXPECT_NE(kst.find("\r\n4, 2, 1, "), std::string::npos);
    // the draft written back is the draft read, in the default palette's full form
    EXPECT_TRUE(test::ReadAll(dir.File("o.tdd"))
                    .starts_with("# tdd v1.0\n# Draft\n\n\\\\\n//\n//\n\n01\n10\n01\n10\nSS\n\n"));
    // and Tessaly's file of it exports the same draft
    ASSERT_EQ(Run({dir.File("o.kst"), "--tdd", dir.File("again.tdd")}), kExitOk);
    EXPECT_EQ(test::ReadAll(dir.File("again.tdd")), test::ReadAll(dir.File("o.tdd")));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ExportTest, a_band_a_draft_cannot_hold_writes_no_output_at_all) {
    // an idle card: a .tdd draft turns every card every pick
    const std::string file = dir.Write("idle.kst", PatternHead() +
                                                       "1, 1, 0, 255, 65280, 16711680, 0, 1, 1, 1\r\n"
                                                       "2, 1, 2, 255, 65280, 16711680, 0, 1, 1, 1\r\n");
    EXPECT_EQ(Run({file, "--png", dir.File("o.png"), "--tdd", dir.File("o.tdd")}), kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.tdd")));
    EXPECT_FALSE(recorder.Empty());
}

TEST_F(ExportTest, the_default_pattern_goes_through_each_other_format_and_draws_the_same) {
    ASSERT_EQ(Run({TESSALY_DEFAULT_PATTERN, "--png", dir.File("o.png"), "--tdd", dir.File("o.tdd"),
                   "--twt", dir.File("o.twt"), "--gtt", dir.File("o.gtt")}),
              kExitOk);
    const QImage drawn(QString::fromStdString(dir.File("o.png")));
    for (const char* format : {"tdd", "twt", "gtt"}) {
        SCOPED_TRACE(format);
        const std::string back = dir.File(std::string("back.") + format + ".png");
        ASSERT_EQ(Run({dir.File(std::string("o.") + format), "--png", back, "--kst",
                       dir.File(std::string("back.") + format + ".kst")}),
                  kExitOk);
        EXPECT_EQ(QImage(QString::fromStdString(back)), drawn);
    }
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ExportTest, a_pattern_tessaly_does_not_weave_writes_nothing_and_says_why) {
    const std::string nineHoles = dir.Write("nine.twt",
                                            "{\"source\": \"Twisted Threads\", \"Number of "
                                            "holes\": 9, \"Pattern type\": \"individual\"}");
    EXPECT_EQ(Run({nineHoles, "--png", dir.File("o.png"), "--kst", dir.File("o.kst")}),
              kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.kst")));
    ASSERT_FALSE(recorder.Empty());
    EXPECT_NE(recorder.Reports().front().description.find(
                  "9-hole tablets: Tessaly weaves cards of 2 to 8 holes"),
              std::string::npos);
    const std::string twill = dir.Write(
        "twill.gtt", "<TWData><Pattern Type=\"BrokenTwill\"><Cards/></Pattern></TWData>");
    EXPECT_EQ(Run({twill, "--svg", dir.File("o.svg")}), kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.svg")));
}

TEST_F(ExportTest, the_default_pattern_exports) {
    ASSERT_EQ(Run({TESSALY_DEFAULT_PATTERN, "--svg", dir.File("o.svg"), "--png", dir.File("o.png"),
                   "--instructions", dir.File("o.csv")}),
              kExitOk);
    EXPECT_GT(PolygonsOf(test::ReadAll(dir.File("o.svg"))).size(), 100u);
}

TEST_F(ExportTest, bad_input_fails_without_writing_anything) {
    const std::string bad =
        dir.Write("bad.kst", PatternHead() + "1, 1, 0, 0, 0, 0, 0, 1, 7, 1\r\n");
    EXPECT_EQ(Run({bad, "--svg", dir.File("o.svg"), "--instructions", dir.File("o.csv")}),
              kExitBadInput);
    EXPECT_EQ(Run({dir.File("none.kst"), "--svg", dir.File("o.svg")}), kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.svg")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.csv")));
    ASSERT_EQ(recorder.Reports().size(), 2u);
    EXPECT_NE(recorder.Reports()[0].description.find("bad.kst, line 8: HoleOrder"),
              std::string::npos);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* problem;
};

class ExportUsageTest : public ExportTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(ExportUsageTest, is_refused_with_exit_2_and_a_reason) {
    const std::string pattern = dir.Write("p.kst", test::ReadAll(TESSALY_DEFAULT_PATTERN));
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args)
        args.push_back(arg == "P"               ? pattern
                       : arg.rfind("@", 0) == 0 ? dir.File(arg.substr(1))
                                                : arg);
    EXPECT_EQ(Run(args), kExitUsage);
    EXPECT_NE(usageError.find(GetParam().problem), std::string::npos) << usageError;
    EXPECT_EQ(test::ReadAll(pattern), test::ReadAll(TESSALY_DEFAULT_PATTERN));
}

INSTANTIATE_TEST_SUITE_P(
    command_lines, ExportUsageTest,
    ::testing::Values(
        UsageCase{"nothing", {}, "no pattern file"},
        UsageCase{"two_patterns", {"P", "P"}, "only one pattern"},
        UsageCase{"unknown", {"P", "--frobnicate"}, "unknown option"},
        UsageCase{"block_size_0", {"P", "--block-size", "0"}, "from 1 to 8191"},
        UsageCase{"block_size_8192", {"P", "--block-size", "8192"}, "from 1 to 8191"},
        UsageCase{"block_size_missing", {"P", "--block-size"}, "needs a value"},
        UsageCase{"empty_name", {"P", "--svg", ""}, "not an empty one"},
        UsageCase{"option_as_name", {"P", "--svg", "--reverse"}, "not the option --reverse"},
        UsageCase{"twice", {"P", "--svg", "@a.svg", "--svg", "@b.svg"}, "given twice"},
        UsageCase{"reverse_twice", {"P", "--reverse", "--reverse"}, "given twice"},
        UsageCase{"whole_band_twice", {"P", "--whole-band", "--whole-band"}, "given twice"},
        UsageCase{"folder", {"P", "--svg", "@out/"}, "names a folder"},
        UsageCase{
            "page_size_unknown", {"P", "--pdf", "@o.pdf", "--page-size", "A3"}, "A4 or Letter"},
        UsageCase{"page_size_without_pdf", {"P", "--page-size", "A4"}, "needs --pdf"},
        UsageCase{"tick_column_without_instructions",
                  {"P", "--svg", "@o.svg", "--tick-column"},
                  "needs --pdf or --text"},
        UsageCase{"pdf_is_input", {"P", "--pdf", "P"}, "the pattern file itself"},
        UsageCase{"output_is_input", {"P", "--instructions", "P"}, "the pattern file itself"},
        UsageCase{
            "two_outputs_one_file", {"P", "--svg", "@x", "--png", "@./x"}, "name the same file"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(ExportTest, an_empty_sequence_draws_the_stored_rows) {
    const std::string file =
        dir.Write("t.kst", PatternHead("FFBB") + "1, 1, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n");
    ASSERT_EQ(Run({file, "--sequence", "", "--instructions", dir.File("o.csv")}), kExitOk);
    EXPECT_EQ(test::ReadAll(dir.File("o.csv")), "Pick,1\n0,\n");
}

TEST_F(ExportTest, a_sequence_that_fits_fewer_than_twice_is_woven_once) {
    const std::string file =
        dir.Write("t.kst", PatternHead() + "1, 1, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n");
    // 100 rows fit at the start zoom: 120 letters are woven once, whole
    const std::string motif = std::string(60, 'F') + std::string(60, 'B');
    ASSERT_EQ(Run({file, "--sequence", motif, "--instructions", dir.File("o.csv")}), kExitOk);
    const std::string csv = test::ReadAll(dir.File("o.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 121);
    EXPECT_NE(csv.find("\n120,B\n"), std::string::npos);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ExportTest, an_output_that_cannot_be_written_leaves_every_old_output_intact) {
    const std::string svg = dir.Write("k.svg", "old svg");
    const std::string csv = dir.Write("k.csv", "old csv");
    EXPECT_EQ(Run({TESSALY_DEFAULT_PATTERN, "--svg", svg, "--instructions", csv, "--png",
                   dir.File("missing-folder/x.png")}),
              kExitBadInput);
    EXPECT_EQ(test::ReadAll(svg), "old svg");
    EXPECT_EQ(test::ReadAll(csv), "old csv");
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_NE(recorder.Reports()[0].description.find("missing-folder"), std::string::npos);
}

TEST_F(ExportTest, a_picture_beyond_its_memory_budget_is_refused_up_front) {
    std::string content = PatternHead();
    for (int c = 1; c <= 40; ++c)
        content += "1, " + std::to_string(c) + ", 0, 0, 0, 0, 0, 1, 0, 1\r\n";
    const std::string file = dir.Write("wide.kst", content);
    EXPECT_EQ(Run({file, "--block-size", "8191", "--png", dir.File("o.png")}), kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.png")));
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_NE(recorder.Reports()[0].description.find("1024 MB a picture may use"),
              std::string::npos);
    // the drawing alone is small enough
    EXPECT_EQ(Run({file, "--block-size", "8191", "--svg", dir.File("o.svg")}), kExitOk);
}

TEST_F(ExportTest, the_whole_band_draws_every_row_and_a_tall_png_is_refused) {
    // 300 rows of 3 cards woven by hand: the display's canvas shows 50 of them
    std::string content = PatternHead();
    for (int r = 1; r <= 300; ++r)
        for (int c = 1; c <= 3; ++c)
            content += std::to_string(r) + ", " + std::to_string(c) + ", 0, 255, 65280, " +
                       "16711680, 0, 1, " + std::to_string((r - 1) % 4) + ", 1\r\n";
    const std::string file = dir.Write("long.kst", content);
    ASSERT_EQ(Run({file, "--svg", dir.File("part.svg")}), kExitOk);
    ASSERT_EQ(
        Run({file, "--whole-band", "--svg", dir.File("whole.svg"), "--png", dir.File("whole.png")}),
        kExitOk);
    const std::string svg = test::ReadAll(dir.File("whole.svg"));
    EXPECT_NE(svg.find("height=\"6040\""), std::string::npos);  // 2 x 10 x (300 + 2)
    EXPECT_EQ(PolygonsOf(svg).size(), 300u * 3u);
    EXPECT_LT(PolygonsOf(test::ReadAll(dir.File("part.svg"))).size(), 300u * 3u);
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("whole.png"))).size(), QSize(70, 6040));

    // 604,000 pixels high and 7,000 wide at block size 1000: more than a picture may use
    EXPECT_EQ(Run({file, "--whole-band", "--block-size", "1000", "--png", dir.File("big.png")}),
              kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.File("big.png")));
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_NE(recorder.Reports()[0].description.find("MB a picture may use"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
