#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <random>
#include <thread>

#include "TestSupport.h"
#include "engine/TurningInstructions.h"
#include "engine/RecordingCanvas.h"
#include "patternfile/PatternError.h"
#include "patternfile/PatternFile.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"

namespace tessaly {
namespace {

using test::PatternHead;

std::string Card(int row, int position, int turn = 0, int thread = 1, int holeOrder = 0) {
    return std::to_string(row) + ", " + std::to_string(position) + ", " + std::to_string(turn) +
           ", 255, 65280, 16711680, 0, " + std::to_string(thread) + ", " +
           std::to_string(holeOrder) + ", 1\r\n";
}

PatternData Parse(const std::string& content) { return PatternReader::Parse(content, "t.kst"); }

TEST(pattern_reader_test, reads_head_rows_and_cards) {
    const PatternData data =
        Parse(PatternHead("FFBB", "Diamond border") + Card(1, 1) + Card(1, 2, 1, 0, 3));
    EXPECT_EQ(data.BandName, "Diamond border");
    EXPECT_EQ(data.TurnSequence, "FFBB");
    EXPECT_EQ(data.Windows[0], (WindowValue{0, 1185, 1650, 9600, 7200}));
    EXPECT_EQ(data.Windows[3], (WindowValue{0, 5400, 0, 7200, 3000}));
    ASSERT_EQ(data.Rows->Count(), 1);
    const tessaly::Card& card = data.Rows->At(1).Cards().At(2);
    EXPECT_EQ(card.Position(), 2);
    EXPECT_EQ(card.Turn(), 1);
    EXPECT_EQ(card.Color(kHoleA), 255);
    EXPECT_EQ(card.Color(kHoleB), 65280);
    EXPECT_EQ(card.Color(kHoleC), 16711680);
    EXPECT_EQ(card.Thread(), 0);
    EXPECT_EQ(card.HoleOrder(), 3);  // stored exactly, not rotated by the turn
    EXPECT_EQ(card.Key(), 2);
}

TEST(pattern_reader_test, tolerates_missing_blanks_lf_endings_and_a_padded_sequence) {
    std::string text =
        PatternHead("   BF  ") + "1,1,1,255,0,0,0,0,3,2\n1, 2, 0, 0, 0, 0, 0, 1, 0, 1";
    for (std::size_t pos; (pos = text.find("\r\n")) != std::string::npos;) text.erase(pos, 1);
    const PatternData data = Parse(text);
    EXPECT_EQ(data.TurnSequence, "BF");
    ASSERT_EQ(data.Rows->At(1).Cards().Count(), 2);
    EXPECT_EQ(data.Rows->At(1).Cards().At(1).Pack(), 2);
}

TEST(pattern_reader_test, sequence_line_ignores_a_further_equals_sign) {
    EXPECT_EQ(Parse(PatternHead("FB = x") + Card(1, 1)).TurnSequence, "FB");
    EXPECT_EQ(Parse(PatternHead("") + Card(1, 1)).TurnSequence, "");
}

TEST(pattern_reader_test, rows_group_by_number_and_keep_their_keys) {
    const PatternData data = Parse(PatternHead() + Card(1, 1) + Card(1, 2) + Card(2, 1) +
                                   Card(2, 2) + Card(3, 1) + Card(3, 2));
    ASSERT_EQ(data.Rows->Count(), 3);
    EXPECT_EQ(data.Rows->At(3).Number(), 3);
    EXPECT_EQ(data.Rows->At(3).PrevRow(), &data.Rows->At(2));
}

TEST(pattern_reader_test, negative_window_top_and_left_become_zero) {
    std::string text = PatternHead() + Card(1, 1);
    text.replace(text.find("Main, 0, 1185, 1650"), 19, "Main, 0, -120, -45");
    const PatternData data = Parse(text);
    EXPECT_EQ(data.Windows[0], (WindowValue{0, 0, 0, 9600, 7200}));
}

TEST(pattern_reader_test, fractional_window_places_round_half_to_even) {
    std::string text = PatternHead() + Card(1, 1);
    text.replace(text.find("9600, 7200"), 10, "9600.5, 7201.5");
    const PatternData data = Parse(text);
    EXPECT_EQ(data.Windows[0].Width, 9600);
    EXPECT_EQ(data.Windows[0].Height, 7202);
}

TEST(pattern_reader_test, blank_lines_after_the_last_card_are_not_data) {
    const PatternData data = Parse(PatternHead() + Card(1, 1) + Card(2, 1) + "\r\n\r\n  \r\n");
    EXPECT_EQ(data.Rows->Count(), 2);
}

TEST(pattern_reader_test, windows_1252_and_utf8_names) {
    EXPECT_EQ(Parse(PatternHead("", "Caf\xE9") + Card(1, 1)).BandName, "Caf\xC3\xA9");
    EXPECT_EQ(Parse("\xEF\xBB\xBF" + PatternHead("", "\xE2\x9C\x93 ok") + Card(1, 1)).BandName,
              "\xE2\x9C\x93 ok");
}

struct RejectCase {
    const char* name;
    std::string content;
    std::int64_t line;
    const char* procedure;
    const char* message;  // a part of the description
};

void PrintTo(const RejectCase& c, std::ostream* os) { *os << c.name; }

class RejectTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectTest, names_the_line_and_the_problem) {
    try {
        Parse(GetParam().content);
        FAIL() << "accepted";
    } catch (const PatternFileError& error) {
        EXPECT_EQ(error.Line(), GetParam().line);
        EXPECT_EQ(error.Procedure(), GetParam().procedure);
        EXPECT_NE(error.Description().find("t.kst, line " + std::to_string(GetParam().line)),
                  std::string::npos)
            << error.Description();
        EXPECT_NE(error.Description().find(GetParam().message), std::string::npos)
            << error.Description();
    }
}

INSTANTIATE_TEST_SUITE_P(
    malformed, RejectTest,
    ::testing::Values(
        RejectCase{"empty", "", 1, "ProcessFile", "ends before the band name"},
        RejectCase{"head_only", PatternHead(), 8, "ProcessFile", "no cards"},
        RejectCase{"huge_row",
                   PatternHead() + "99999999999999999999, 1, 0, 0, 0, 0, 0, 1, 0, 1\r\n", 8,
                   "ProcessFile", "row number '99999999999999999999' does not fit in 32 bits"},
        RejectCase{"descending_then_ascending",
                   PatternHead() + Card(1, 2) + Card(1, 1) + Card(2, 1) + Card(2, 2), 10, "NewCard",
                   "down to 1"},
        RejectCase{"descending_stops_early", PatternHead() + Card(1, 3) + Card(1, 2), 9,
                   "ProcessFile", "stops before card 1"},
        RejectCase{"row_zero", PatternHead() + Card(0, 1) + Card(1, 2), 8, "ProcessFile",
                   "numbered from 1"},
        RejectCase{
            "padded_card_line",
            PatternHead() + "1, 1, 0, 0, 0, 0, 0, 1, 0, 1" + std::string(70000, ' ') + "\r\n", 8,
            "ProcessFile", "longer than"},
        RejectCase{"head_and_blank", PatternHead() + "\r\n", 8, "ProcessFile", "no cards"},
        RejectCase{"no_equals",
                   "n\r\nMain,0,0,0,0,0\r\nDesign,0,0,0,0,0\r\nDisplay,0,0,0,0,0\r\n"
                   "Weave,0,0,0,0,0\r\nTurn sequence FB\r\nhdr\r\n1,1,0,0,0,0,0,0,0,0",
                   6, "ProcessFile", "Turn sequence = "},
        RejectCase{"short_window", "n\r\nMain, 0, 0\r\n", 2, "ReadWindowValues", "six fields"},
        RejectCase{"window_text", "n\r\nMain, x, 0, 0, 0, 0\r\n", 2, "ReadWindowValues",
                   "'x' is not a number"},
        RejectCase{"nine_fields", PatternHead() + "1, 1, 0, 0, 0, 0, 0, 1, 0\r\n", 8, "NewCard",
                   "needs 10 fields"},
        RejectCase{"text_field", PatternHead() + "1, 1, F, 0, 0, 0, 0, 1, 0, 1\r\n", 8, "NewCard",
                   "Turn 'F' is not a number"},
        RejectCase{"position_overflow", PatternHead() + "1, 40000, 0, 0, 0, 0, 0, 1, 0, 1\r\n", 8,
                   "NewCard", "does not fit in 16 bits"},
        RejectCase{"colour_overflow", PatternHead() + "1, 1, 0, 4294967295, 0, 0, 0, 1, 0, 1\r\n",
                   8, "NewCard", "AColor"},
        RejectCase{"very_long_number",
                   PatternHead() + "1, 1, 0, 12345678901234567890123, 0, 0, 0, 1, 0, 1\r\n", 8,
                   "NewCard", "AColor"},
        RejectCase{"row_text", PatternHead() + "one, 1, 0, 0, 0, 0, 0, 1, 0, 1\r\n", 8,
                   "ProcessFile", "row number 'one'"},
        RejectCase{"blank_between", PatternHead() + Card(1, 1) + "\r\n" + Card(2, 1), 9,
                   "ProcessFile", "blank line"},
        RejectCase{"first_row_2", PatternHead() + Card(2, 1), 8, "ProcessFile", "should be 1"},
        RejectCase{"rows_1_1_2_2_1",
                   PatternHead() + Card(1, 1) + Card(1, 2) + Card(2, 1) + Card(2, 2) + Card(1, 1),
                   12, "ProcessFile", "out of order"},
        RejectCase{"row_skipped", PatternHead() + Card(1, 1) + Card(3, 1), 9, "ProcessFile",
                   "should be 1 or 2"},
        RejectCase{"position_zero", PatternHead() + Card(1, 0), 8, "NewCard",
                   "Position 0 is out of order"},
        RejectCase{"position_repeated", PatternHead() + Card(1, 1) + Card(1, 1), 9, "NewCard",
                   "should be 2"},
        RejectCase{"card_skipped", PatternHead() + Card(1, 1) + Card(1, 3), 9, "NewCard",
                   "should be 2"},
        RejectCase{"short_row", PatternHead() + Card(1, 1) + Card(1, 2) + Card(2, 1) + Card(3, 1),
                   10, "ProcessFile", "row 2 has 1 cards, but row 1 has 2"},
        RejectCase{"short_last_row", PatternHead() + Card(1, 1) + Card(1, 2) + Card(2, 1), 10,
                   "ProcessFile", "row 2 has 1 cards"},
        RejectCase{"turn_3", PatternHead() + Card(1, 1, 3), 8, "NewCard", "Turn must be 0"},
        RejectCase{"thread_2", PatternHead() + Card(1, 1, 0, 2), 8, "NewCard", "Thread must be 0"},
        RejectCase{"hole_order_4", PatternHead() + Card(1, 1, 0, 1, 4), 8, "NewCard",
                   "HoleOrder must be 0 to 3"},
        RejectCase{"huge_line", PatternHead() + std::string(100000, '1'), 8, "ProcessFile",
                   "longer than"},
        RejectCase{"bad_utf8_name", "\xEF\xBB\xBF\xFF\r\n", 1, "ProcessFile", "not UTF-8"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(process_file_test, a_rejected_file_is_reported_by_its_line_and_gives_nothing) {
    test::TempDir dir;
    test::ReportRecorder recorder;
    const auto good =
        ReadPatternFile(dir.Write("good.kst", PatternHead("FB", "Good") + Card(1, 1) + Card(1, 2)));
    ASSERT_TRUE(good);
    EXPECT_EQ(good->TurnSequence, "FB");
    EXPECT_TRUE(recorder.Empty());

    EXPECT_EQ(
        ReadPatternFile(dir.Write("bad.kst", PatternHead("", "Bad") + Card(1, 1) + Card(2, 5))),
        std::nullopt);
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].Title(), "Unexpected error in TessalyApp.basMain.NewCard");
    EXPECT_NE(recorder.Reports()[0].Text().find("bad.kst, line 9"), std::string::npos);
}

TEST(process_file_test, a_missing_file_is_error_53) {
    test::ReportRecorder recorder;
    EXPECT_EQ(ReadPatternFile("/nonexistent/folder/x.kst"), std::nullopt);
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].number, 53);
    EXPECT_EQ(recorder.Where(), "basMain.ProcessFile");
}

TEST(process_file_test, a_good_file_gives_band_name_windows_and_rows) {
    test::TempDir dir;
    const auto read =
        ReadPatternFile(dir.Write("p.kst", PatternHead("", "Name") + Card(1, 1) + Card(2, 1)));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->TurnSequence, "");
    EXPECT_EQ(read->BandName, "Name");
    EXPECT_EQ(read->Rows->Count(), 2);
    EXPECT_EQ(read->Windows[2].Left, 7200);
}

TEST(process_file_test, the_default_pattern_reads) {
    const auto read = ReadPatternFile(TESSALY_DEFAULT_PATTERN);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->TurnSequence.empty());
    EXPECT_GE(read->Rows->At(1).Cards().Count(), 12);
}

// Every row and card of a pattern that was read, as text to compare.
std::string Describe(const PatternData& data) {
    std::string decks = data.BandName + "|" + data.TurnSequence + "|";
    for (const Row& row : *data.Rows)
        for (const tessaly::Card& card : row.Cards())
            decks += std::to_string(row.Number()) + ":" + std::to_string(card.Position()) + "/" +
                     std::to_string(card.Turn()) + "/" + std::to_string(card.Color(kHoleA)) + "/" +
                     std::to_string(card.Color(kHoleB)) + "/" + std::to_string(card.Color(kHoleC)) +
                     "/" + std::to_string(card.Color(kHoleD)) + "/" +
                     std::to_string(card.Thread()) + "/" + std::to_string(card.HoleOrder()) + "/" +
                     std::to_string(card.Pack()) + " ";
    return decks;
}

// The outcome of reading a file: its decks, or the message it was rejected with.
std::string Outcome(const std::string& content, PatternReader::Reading reading) {
    try {
        return Describe(PatternReader::Parse(content, "t.kst", reading));
    } catch (const PatternFileError& error) {
        return "rejected: " + std::string(error.what());
    }
}

// Card lines made of the pieces real and broken files hold: blanks and tabs, signs, leading
// zeros, fractions, long digit runs, missing and extra fields, stray text.
std::string RandomCardLine(std::mt19937& random, int row, int position) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    static const char* const kOddValues[] = {"1.5",
                                             "0.5",
                                             "-0",
                                             "+1",
                                             "007",
                                             "1e3",
                                             "x",
                                             "",
                                             " ",
                                             "\t2",
                                             "9999999999999999999",
                                             "123456789012345678",
                                             "2.4999",
                                             "-32769",
                                             "32768",
                                             "2147483648",
                                             "-2147483648",
                                             "2",
                                             "4",
                                             "-1",
                                             "000000000000000042"};
    std::vector<std::string> fields = {std::to_string(row),
                                       std::to_string(position),
                                       std::to_string(pick(2)),
                                       std::to_string(pick(0x1000000)),
                                       "0",
                                       "16711680",
                                       std::to_string(pick(3) * 255),
                                       std::to_string(pick(2)),
                                       std::to_string(pick(4)),
                                       "1"};
    if (pick(3) == 0)
        fields[static_cast<std::size_t>(pick(10))] =
            kOddValues[pick(static_cast<int>(std::size(kOddValues)))];
    if (pick(10) == 0) fields.pop_back();
    if (pick(10) == 0) fields.push_back("7");
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += std::string(static_cast<std::size_t>(pick(3)), pick(4) == 0 ? '\t' : ' ');
        line += fields[i];
    }
    if (pick(20) == 0) line += std::string(70000, ' ');
    return line + (pick(4) == 0 ? "\n" : "\r\n");
}

// The same, read from a file through the stream reader; messages name the file as "t.kst".
std::string FileOutcome(const test::TempDir& dir, const std::string& content) {
    const std::string path = dir.Write("t.kst", content);
    try {
        return Describe(PatternReader::ReadFile(path));
    } catch (const PatternFileError& error) {
        std::string message = error.what();
        if (message.starts_with(path)) message.replace(0, path.size(), "t.kst");
        return "rejected: " + message;
    }
}

TEST(pattern_reader_test, the_quick_and_the_careful_reading_agree) {
    std::mt19937 random(20261206);
    test::TempDir dir;
    for (int file = 0; file < 400; ++file) {
        std::string content = PatternHead("FB");
        const int rows = 1 + static_cast<int>(random() % 3);
        const int cards = 1 + static_cast<int>(random() % 3);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cards; ++c) content += RandomCardLine(random, r, c);
        // a file whose last line has no line end
        if (random() % 4 == 0)
            while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
                content.pop_back();
        const std::string careful = Outcome(content, PatternReader::Reading::Careful);
        ASSERT_EQ(Outcome(content, PatternReader::Reading::Quick), careful)
            << content.substr(0, 2000);
        ASSERT_EQ(FileOutcome(dir, content), careful) << content.substr(0, 2000);
    }
}

// Every field of a card line after its position, just past either end of what it may hold,
// is refused naming that field; just inside, the line is read. Row and position are checked
// by the cases above.
TEST(pattern_reader_test, each_card_field_is_checked_at_both_ends_of_its_range) {
    struct Range {
        std::size_t field;
        std::int64_t low, high;
        const char* beyond;  // what the message says past the ends
    };
    const Range kRanges[] = {{2, 0, 2, "Turn must be 0 (forward), 1 (backward) or 2 (idle)"},
                             {3, -1, INT32_MAX, "AColor"},
                             {4, -1, INT32_MAX, "BColor"},
                             {5, -1, INT32_MAX, "CColor"},
                             {6, -1, INT32_MAX, "DColor"},
                             {7, 0, 1, "Thread must be 0"},
                             {8, 0, 3, "HoleOrder must be 0 to 3"},
                             {9, INT16_MIN, INT16_MAX, "Pack"}};
    const auto outcome = [](const Range& range, std::int64_t value, PatternReader::Reading reading) {
        std::array<std::int64_t, 10> values = {1, 1, 0, 255, 65280, 16711680, 0, 1, 0, 1};
        values[range.field] = value;
        std::string line;
        for (const std::int64_t v : values) line += (line.empty() ? "" : ", ") + std::to_string(v);
        return Outcome(PatternHead() + line + "\r\n", reading);
    };
    for (const Range& range : kRanges) {
        SCOPED_TRACE(range.beyond);
        for (const auto reading : {PatternReader::Reading::Quick, PatternReader::Reading::Careful}) {
            for (const std::int64_t inside : {range.low, range.high})
                EXPECT_FALSE(outcome(range, inside, reading).starts_with("rejected"))
                    << outcome(range, inside, reading);
            for (const std::int64_t beyond : {range.low - 1, range.high + 1})
                EXPECT_NE(outcome(range, beyond, reading).find(range.beyond), std::string::npos)
                    << outcome(range, beyond, reading);
        }
    }
}

TEST(pattern_reader_test, a_file_read_piece_by_piece_is_the_same_as_read_whole) {
    // long enough that lines straddle the pieces the file is read in
    test::TempDir dir;
    std::string content = PatternHead("", "Long");
    for (int r = 1; r <= 30000; ++r)
        for (int c = 1; c <= 3; ++c) content += Card(r, c, r % 2, c % 2, (r + c) % 4);
    content += "\r\n  \r\n";  // blank lines may end the file
    ASSERT_GT(content.size(), 3u << 20);
    const std::string path = dir.Write("long.kst", content);
    EXPECT_EQ(Describe(PatternReader::ReadFile(path)),
              Outcome(content, PatternReader::Reading::Quick));
}

TEST(pattern_reader_test, a_pattern_comes_through_a_fifo) {
    test::TempDir dir;
    const std::string fifo = dir.File("pattern.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string content = PatternHead("FB", "Piped") + Card(1, 1) + Card(1, 2);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << content; });
    const PatternData data = PatternReader::ReadFile(fifo);
    writer.join();
    EXPECT_EQ(data.BandName, "Piped");
    EXPECT_EQ(data.Rows->At(1).Cards().Count(), 2);
}

TEST(pattern_reader_test, a_band_saved_showing_its_reverse_face_opens_as_stored) {
    // what saving the reverse face wrote: every row's cards in deck order, places mirrored
    Band band;
    Cards deck = test::MakeDeck(4, 0, SThread, 2);
    for (int r = 1; r <= 3; ++r) {
        band.Add(deck, r);
        for (tessaly::Card& card : deck) card.SetTurn(r % 2);
    }
    RecordingCanvas canvas;
    band.WeaveReverse(&canvas, {10, 10, 0, 0});
    std::string content = PatternHead();
    for (const Row& row : band)
        for (const tessaly::Card& card : row.Cards())
            content +=
                std::to_string(row.Number()) + ", " + std::to_string(card.Position()) + ", " +
                std::to_string(card.Turn()) + ", " + std::to_string(card.Color(kHoleA)) + ", " +
                std::to_string(card.Color(kHoleB)) + ", " + std::to_string(card.Color(kHoleC)) +
                ", " + std::to_string(card.Color(kHoleD)) + ", " + std::to_string(card.Thread()) +
                ", " + std::to_string(card.HoleOrder()) + ", " + std::to_string(card.Pack()) +
                "\r\n";
    ASSERT_EQ(content.find("1, 4,"), content.find("\r\n1, ") + 2);  // row 1 starts at card 4
    const PatternData read = Parse(content);
    ASSERT_EQ(read.Rows->Count(), 3);
    // each card as stored, the deck in the order of the cards' places, so that writing the
    // band again and reading it back gives the same deck
    for (std::int32_t r = 1; r <= 3; ++r)
        for (std::int32_t c = 1; c <= 4; ++c) {
            const tessaly::Card& mine = band.At(r).Cards().At(5 - c);
            const tessaly::Card& back = read.Rows->At(r).Cards().At(c);
            EXPECT_EQ(back.Position(), c);
            EXPECT_EQ(back.Position(), mine.Position());
            EXPECT_EQ(back.Color(kHoleA), mine.Color(kHoleA));
            EXPECT_EQ(back.HoleOrder(), mine.HoleOrder());
        }
    const PatternData again = Parse(PatternWriter::Format({"Test", "", read.Windows}, *read.Rows));
    EXPECT_EQ(test::DecksOf(*again.Rows), test::DecksOf(*read.Rows));
}

}  // namespace
}  // namespace tessaly
