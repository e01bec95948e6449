#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "engine/TurningInstructions.h"
#include "engine/RecordingCanvas.h"
#include "patternfile/PatternFile.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"

namespace tessaly {
namespace {

Band ThreeRowsOfFour() {
    Band band;
    Cards deck = test::MakeDeck(4, 0, SThread, 2);
    deck.At(2).SetThread(ZThread);
    deck.At(3).SetPack(-7);
    deck.At(4).SetColor(kHoleA, 16777215);
    for (int r = 1; r <= 3; ++r) {
        band.Add(deck, r);
        for (Card& card : deck) card.SetTurn(r % 2);
    }
    return band;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

// Places of the four windows as a file stores them.
WindowValues SomeWindows() {
    return {{{0, 1, 2, 3, 4},
             {1, 0, 0, 7200, 5400},
             {2, 0, 7200, 4800, 5400},
             {0, 5400, 0, 7200, 3000}}};
}

TEST(pattern_writer_test, writes_every_row_without_a_sequence) {
    const Band band = ThreeRowsOfFour();
    const auto lines = Lines(PatternWriter::Format({"Name", "", SomeWindows()}, band));
    ASSERT_EQ(lines.size(), 7u + 12u);
    EXPECT_EQ(lines[0], "Name");
    EXPECT_EQ(lines[1], "Main, 0, 1, 2, 3, 4");
    EXPECT_EQ(lines[3], "Display, 2, 0, 7200, 4800, 5400");
    EXPECT_EQ(lines[5], "Turn sequence = ");
    EXPECT_EQ(lines[6],
              "Row, Position, Turn, AColor, BColor, CColor, DColor, Thread, HoleOrder, Pack");
    EXPECT_EQ(lines[7], "1, 1, 0, 101, 102, 103, 104, 1, 2, 1");
    EXPECT_EQ(lines[9], "1, 3, 0, 301, 302, 303, 304, 1, 2, -7");
    EXPECT_EQ(lines[18].substr(0, 6), "3, 4, ");
}

TEST(pattern_writer_test, writes_only_the_threading_with_a_sequence) {
    const auto lines = Lines(PatternWriter::Format({"", "FFBB", {}}, ThreeRowsOfFour()));
    ASSERT_EQ(lines.size(), 7u + 4u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[5], "Turn sequence = FFBB");
}

TEST(pattern_writer_test, round_trip_gives_back_the_same_pattern) {
    const Band band = ThreeRowsOfFour();
    const WindowValues windows = SomeWindows();
    for (const std::string name : {"", "Caf\xC3\xA9 band", "\xE2\x9C\x93 check",
                                   "\xC3\xAF\xC2\xBB\xC2\xBF looks like a mark"}) {
        const std::string text = PatternWriter::Format({name, "", windows}, band);
        const bool utf8 = text.rfind("\xEF\xBB\xBF", 0) == 0;
        EXPECT_EQ(utf8,
                  name.find("\xE2\x9C\x93") != std::string::npos || name.find("\xC3\xAF") == 0)
            << name;
        const PatternData data = PatternReader::Parse(text, "x");
        EXPECT_EQ(data.BandName, name);
        EXPECT_EQ(data.Windows, windows);
        ASSERT_EQ(data.Rows->Count(), 3);
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(data.Rows->At(r).Number(), r);
            EXPECT_EQ(data.Rows->At(r).Cards(), band.At(r).Cards());
        }
    }
}

TEST(pattern_writer_test, the_palette_weft_warp_and_notes_follow_the_cards_and_read_back) {
    PatternExtras extras;
    extras.palette = {{255, "madder red"}, {0xFFFFFF, ""}, {0x00FF00, "weld, green \xC3\xA9"}};
    extras.weft = 0x102030;
    extras.warp = WarpLength{3.25, "m", 12.5};
    extras.notes = "Woven on an inkle loom.\n\n  indented, with a = sign ";
    const std::string text =
        PatternWriter::FormatForSaving({"Band", "FFBB", {}}, ThreeRowsOfFour(), extras);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 7u + 4u + 8u);
    EXPECT_EQ(lines[11], "Palette = 255, madder red");
    EXPECT_EQ(lines[12], "Palette = 16777215");
    EXPECT_EQ(lines[13], "Palette = 65280, weld, green \xE9");  // Windows-1252, as the name
    EXPECT_EQ(lines[14], "Weft = 1056816");
    EXPECT_EQ(lines[15], "Warp = 3.25, m, 12.5");
    EXPECT_EQ(lines[16], "Notes = Woven on an inkle loom.");
    EXPECT_EQ(lines[17], "Notes = ");
    const PatternData back = PatternReader::Parse(text, "x");
    EXPECT_EQ(back.Extras, extras);
    EXPECT_EQ(back.Rows->Count(), 1);
    // written again, byte for byte
    EXPECT_EQ(PatternWriter::Format({"Band", "FFBB", {}}, *back.Rows, back.Extras), text);
    // a pattern that uses none of them is the file it always was
    EXPECT_EQ(Lines(PatternWriter::Format({"Band", "FFBB", {}}, ThreeRowsOfFour())).size(), 11u);
}

TEST(pattern_reader_test, labelled_lines_are_refused_naming_the_line_when_wrong) {
    const std::string head = test::PatternHead("FB") + "1, 1, 0, 1, 2, 3, 4, 1, 0, 1\r\n";
    for (const auto& [tail, why] : std::vector<std::pair<std::string, std::string>>{
             {"Weft = blue", "line 9: weft colour 'blue' is not a number"},
             {"Weft = 16777216", "line 9: weft colour '16777216' is not a colour"},
             {"Weft = 1\r\nWeft = 2", "line 10: a second \"Weft = \" line"},
             {"Warp = 3, m", "line 9: expected \"Warp = length"},
             {"Warp = -1, m, 10", "line 9: warp length '-1' is not a number"},
             {"Border = 1", "line 9: unknown line 'Border = 1'"},
             {"Notes = x\r\n1, 1, 0, 1, 2, 3, 4, 1, 0, 1", "line 10: expected a card line"}}) {
        try {
            PatternReader::Parse(head + tail + "\r\n", "p.kst");
            ADD_FAILURE() << tail;
        } catch (const AppError& error) {
            EXPECT_NE(error.Description().find(why), std::string::npos) << error.Description();
        }
    }
}

TEST(pattern_writer_test, windows_1252_is_written_when_the_name_fits) {
    const std::string text = PatternWriter::Format({"Caf\xC3\xA9", "", {}}, ThreeRowsOfFour());
    EXPECT_EQ(text.substr(0, 6), "Caf\xE9\r\n");
}

TEST(save_file_test, writes_the_pattern_to_the_path) {
    test::TempDir dir;
    const std::string path = dir.File("p.kst");
    EXPECT_TRUE(WritePatternFile(path, {"Band", "FB", SomeWindows()}, ThreeRowsOfFour()));
    EXPECT_EQ(Lines(test::ReadAll(path)).size(), 11u);
}

TEST(save_file_test, a_failed_write_keeps_the_old_file) {
    test::ReportRecorder recorder;
    test::TempDir dir;
    // the target is a folder that holds a file: it cannot be replaced
    std::filesystem::create_directories(dir.File("taken.kst"));
    dir.Write("taken.kst/keep", "old");
    EXPECT_FALSE(WritePatternFile(dir.File("taken.kst"), {"Band", "", {}}, ThreeRowsOfFour()));
    EXPECT_EQ(test::ReadAll(dir.File("taken.kst/keep")), "old");
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Where(), "frmMain.SaveFile");
    // no temporary file is left behind
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.File("")))
        ++entries;
    EXPECT_EQ(entries, 1);

    EXPECT_FALSE(
        WritePatternFile(dir.File("missing-folder/x.kst"), {"Band", "", {}}, ThreeRowsOfFour()));
    EXPECT_EQ(recorder.Reports().size(), 2u);
}

TEST(save_file_test, an_existing_file_is_replaced_whole) {
    test::TempDir dir;
    const std::string path = dir.Write("p.kst", std::string(100000, 'x'));
    EXPECT_TRUE(WritePatternFile(path, {"Band", "", {}}, ThreeRowsOfFour()));
    EXPECT_EQ(test::ReadAll(path).find('x'), std::string::npos);
}

TEST(save_file_test, what_the_reader_could_not_give_back_is_refused_and_nothing_written) {
    test::TempDir dir;
    test::ReportRecorder recorder;
    const std::string path = dir.Write("p.kst", "old");
    struct Case {
        std::string name;
        std::string sequence;
        bool empty;
        const char* why;
    };
    for (const Case& c :
         {Case{"two\nlines", "", false, "band name holds a line break"},
          Case{"Band", "FF\rBB", false, "sequence holds a line break"},
          Case{"Band", " FB", false, "blanks at its ends"}, Case{"Band", "", true, "no rows"}}) {
        const Band band = c.empty ? Band() : ThreeRowsOfFour();
        EXPECT_FALSE(WritePatternFile(path, {c.name, c.sequence, {}}, band)) << c.why;
        EXPECT_EQ(test::ReadAll(path), "old");
        ASSERT_FALSE(recorder.Reports().empty());
        EXPECT_NE(recorder.Reports().back().description.find(c.why), std::string::npos)
            << recorder.Reports().back().description;
    }
}

TEST(save_file_test, the_reverse_face_is_saved_in_card_order_and_reads_back) {
    test::TempDir dir;
    Band band = ThreeRowsOfFour();
    RecordingCanvas canvas;
    band.WeaveReverse(&canvas, {10, 10, 0, 0});
    const std::string path = dir.File("reverse.kst");
    ASSERT_TRUE(WritePatternFile(path, {"Band", "", {}}, band));
    const PatternData read = PatternReader::ReadFile(path);
    ASSERT_EQ(read.Rows->Count(), 3);
    // the same cards, each at its place
    for (std::int32_t r = 1; r <= 3; ++r)
        for (const Card& card : band.At(r).Cards()) {
            const Card& back = read.Rows->At(r).Cards().At(card.Position());
            EXPECT_EQ(back.Color(kHoleA), card.Color(kHoleA));
            EXPECT_EQ(back.Turn(), card.Turn());
            EXPECT_EQ(back.HoleOrder(), card.HoleOrder());
        }
}

}  // namespace
}  // namespace tessaly
