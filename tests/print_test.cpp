#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <sstream>

#include "GuiSupport.h"
#include "cli/ExportCommand.h"
#include "display/DisplayWindow.h"
#include "errors/AppError.h"
#include "model/Directions.h"
#include "print/PrintTable.h"
#include "print/PrintedPattern.h"
#include "shell/PrintCommands.h"

namespace tessaly {
namespace {

using namespace test::colors;

constexpr int kDpi = 1200;  // as the PDFs are written: 1.2 twips to a printer pixel

// A threading of four colours, the same in every card: the legend has four lines.
Cards FourColourDeck(int cards) {
    Cards deck;
    for (int i = 1; i <= cards; ++i)
        deck.Add(Forward, static_cast<std::int16_t>(i), {kRed, kGreen, kBlue, kWhite}, SThread, 0,
                 1);
    return deck;
}

// A band woven by hand: the threading and then `picks` rows, every card turned forward.
std::unique_ptr<Band> ForwardBand(int cards, int picks) {
    auto band = std::make_unique<Band>();
    Cards deck = FourColourDeck(cards);
    band->Add(deck, 1);
    for (int r = 2; r <= picks + 1; ++r) {
        for (Card& card : deck) card.SetTurn(Forward);
        band->Add(deck, r);
    }
    return band;
}

PrintSource SourceOf(const Band& band, std::string name = "Band", std::string sequence = "") {
    PrintSource source;
    source.bandName = std::move(name);
    source.turnSequence = std::move(sequence);
    source.draft = DraftFromDeck(band.At(1).Cards());
    source.band = &band;
    return source;
}

struct Printout {
    std::vector<PageRecord> pages;
    QByteArray pdf;
};

Printout Print(const PrintSource& source, QPageSize::PageSizeId paper = QPageSize::A4) {
    Printout out;
    QBuffer buffer(&out.pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(paper));
    out.pages = PrintPattern(writer, source, true);
    return out;
}

// The table parts of a printout whose header starts with this text, page by page.
std::vector<std::pair<int, PageRecord::TablePart>> TablesHeaded(const Printout& out,
                                                                const std::string& corner) {
    std::vector<std::pair<int, PageRecord::TablePart>> found;
    for (std::size_t p = 0; p < out.pages.size(); ++p)
        for (const auto& table : out.pages[p].tables)
            if (!table.header.empty() && table.header.front() == corner)
                found.emplace_back(static_cast<int>(p) + 1, table);
    return found;
}

QSize PagePixels(QPageSize::PageSizeId paper) { return QPageSize(paper).sizePixels(kDpi); }

// --- The table texts ---------------------------------------------------------------------

TEST(print_table_test, reads_columns_header_body_and_colours_cells) {
    PrintTable table("^+0.18in|^+.23in|<+720", "#|41|42", "A;B;T|S|Z");
    ASSERT_EQ(table.Columns().size(), 3u);
    EXPECT_EQ(table.Columns()[0].widthTwips, 259);  // 0.18 inch
    EXPECT_EQ(table.Columns()[1].widthTwips, 331);
    EXPECT_EQ(table.Columns()[2].widthTwips, 720);
    EXPECT_EQ(table.Columns()[2].align, PrintTable::Align::Left);
    EXPECT_EQ(table.Header(), (std::vector<std::string>{"#", "41", "42"}));
    EXPECT_EQ(table.BodyRows(), 3);
    EXPECT_EQ(table.Cell(1, 1), "A");
    EXPECT_EQ(table.Cell(1, 2), "");  // a row may leave its cells out
    EXPECT_EQ(table.Cell(3, 3), "Z");
    table.SetBackground(3, 2, kRed);
    EXPECT_EQ(table.Background(3, 2), kRed);
    EXPECT_EQ(table.Background(3, 3), std::nullopt);
    EXPECT_THROW(table.SetBackground(4, 1, kRed), AppError);
    EXPECT_THROW(table.SetBackground(1, 4, kRed), AppError);
}

TEST(print_table_test, lengths_in_inches_centimetres_points_and_twips) {
    EXPECT_EQ(PrintTable::LengthInTwips(".5in"), 720);
    EXPECT_EQ(PrintTable::LengthInTwips("2.54cm"), 1440);
    EXPECT_EQ(PrintTable::LengthInTwips("12pt"), 240);
    EXPECT_EQ(PrintTable::LengthInTwips("300"), 300);
    EXPECT_EQ(PrintTable::LengthInTwips("in"), std::nullopt);
    EXPECT_EQ(PrintTable::LengthInTwips("-1in"), std::nullopt);
    EXPECT_EQ(PrintTable::LengthInTwips("1e30in"), std::nullopt);
    EXPECT_THROW(PrintTable("^+wide|", "", ""), AppError);
}

// --- The first page ----------------------------------------------------------------------

TEST(printed_pattern_test, first_page_has_title_count_and_sequence_in_upper_case) {
    const auto band = ForwardBand(18, 8);
    const Printout out = Print(SourceOf(*band, "Diamonds", "ffbb"));
    const auto& text = out.pages.at(0).paragraphs;
    ASSERT_GE(text.size(), 7u);
    EXPECT_EQ(
        std::vector<std::string>(text.begin(), text.begin() + 7),
        (std::vector<std::string>{"Diamonds", "", "Number of Cards:  18", "",
                                  "Turn Sequence:  FFBB", "Repeated:  2 times, 8 picks", ""}));
    // an empty name still takes the title's two lines; a hand-woven band has no sequence line
    const Printout blank = Print(SourceOf(*band, ""));
    const auto& untitled = blank.pages.at(0).paragraphs;
    ASSERT_GE(untitled.size(), 5u);
    EXPECT_EQ(untitled[2], "Number of Cards:  18");
    EXPECT_EQ(untitled[4].find("Turn Sequence"), std::string::npos);
}

TEST(printed_pattern_test, the_threading_has_a_row_for_each_hole_and_the_legend_counts_them_all) {
    auto band = std::make_unique<Band>();
    Cards deck;
    for (std::int16_t i = 1; i <= 3; ++i)
        deck.Add(Card::Make(Forward, i, {kRed, kRed, kGreen, kGreen, kBlue, Card::kNoThread}, SThread, 1, 1, 6));
    band->Add(deck, 1);
    band->Add(deck, 2);
    const Printout out = Print(SourceOf(*band, "Hexagons"));
    const auto threading = TablesHeaded(out, "#");
    ASSERT_EQ(threading.size(), 1u);
    std::vector<std::string> labels;
    for (const auto& row : threading[0].second.rows) labels.push_back(row.front());
    EXPECT_EQ(labels, (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "T"}));
    EXPECT_EQ(threading[0].second.backgrounds[4][1], kBlue);   // hole E
    EXPECT_EQ(threading[0].second.backgrounds[5][1], 0xFFFFFF);  // hole F, empty
    const auto& text = out.pages.at(0).paragraphs;
    EXPECT_NE(std::find(text.begin(), text.end(), "6 RGB( 255, 0, 0)"), text.end());
    EXPECT_NE(std::find(text.begin(), text.end(), "3 holes empty (no thread)"), text.end());
}

struct SplitCase {
    int cards;
    std::vector<std::pair<int, int>> tables;  // first and last card of each
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.cards << " cards"; }

class ThreadingSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ThreadingSplitTest, cuts_the_cards_into_tables_of_forty) {
    const auto band = ForwardBand(GetParam().cards, 2);
    const PrintSource source = SourceOf(*band);
    const auto tables = TablesHeaded(Print(source), "#");
    ASSERT_EQ(tables.size(), GetParam().tables.size());
    for (std::size_t k = 0; k < tables.size(); ++k) {
        const auto [first, last] = GetParam().tables[k];
        const auto& table = tables[k].second;
        ASSERT_EQ(table.header.size(), static_cast<std::size_t>(last - first + 2));
        EXPECT_EQ(table.header[1], std::to_string(first));
        EXPECT_EQ(table.header.back(), std::to_string(last));
        EXPECT_EQ(table.widthsTwips, std::vector<std::int32_t>(table.header.size(), 259));
        // rows A to D carry only their label and the hole colours; T the threading letters
        ASSERT_EQ(table.rows.size(), 5u);
        for (int hole = 0; hole < 4; ++hole) {
            EXPECT_EQ(table.rows[hole][0], std::string(1, static_cast<char>('A' + hole)));
            EXPECT_EQ(table.backgrounds[hole][0], -1);
            for (int card = first; card <= last; ++card) {
                const DraftColumn& column = source.draft[static_cast<std::size_t>(card - 1)];
                const std::int32_t colors[] = {column.Color(kHoleA), column.Color(kHoleB),
                                               column.Color(kHoleC), column.Color(kHoleD)};
                EXPECT_EQ(table.backgrounds[hole][static_cast<std::size_t>(card - first + 1)],
                          colors[hole]);
            }
        }
        EXPECT_EQ(table.rows[4][0], "T");
        EXPECT_EQ(table.rows[4][1], "S");
    }
}

INSTANTIATE_TEST_SUITE_P(card_counts, ThreadingSplitTest,
                         ::testing::Values(SplitCase{5, {{1, 5}}}, SplitCase{40, {{1, 40}}},
                                           SplitCase{41, {{1, 40}, {41, 41}}},
                                           SplitCase{80, {{1, 40}, {41, 80}}},
                                           SplitCase{85, {{1, 40}, {41, 80}, {81, 85}}}),
                         [](const auto& c) { return std::to_string(c.param.cards) + "_cards"; });

TEST(printed_pattern_test, legend_lists_each_colour_after_a_square_of_it) {
    auto band = std::make_unique<Band>();
    Cards deck;
    deck.Add(Forward, 1, {kRed, kRed, kRed, kRed}, SThread, 0, 1);
    deck.Add(Forward, 2, {kGreen, kGreen, kBlue, kBlue}, ZThread, 0, 1);
    deck.Add(Forward, 3, {kRed, kRed, kRed, kRed}, SThread, 0, 1);
    band->Add(deck, 1);
    band->Add(deck, 2);
    const Printout out = Print(SourceOf(*band));
    const PageRecord& page = out.pages.at(0);
    const std::vector<std::string> legend(page.paragraphs.end() - 3, page.paragraphs.end());
    EXPECT_EQ(legend, (std::vector<std::string>{"8 RGB( 255, 0, 0)", "2 RGB( 0, 255, 0)",
                                                "2 RGB( 0, 0, 255)"}));
    // a palette the weaver used names every colour, by the weaver's name or the usual one;
    // the notes follow the title
    PrintSource named = SourceOf(*band);
    named.extras.palette = {{kGreen, "weld green"}};
    named.extras.notes = "Linen weft\n\nfrom a museum band";
    named.extras.warp = WarpLength{2.5, "m", 10};  // 2.75 m a thread
    const Printout namedOut = Print(named);
    const PageRecord& namedPage = namedOut.pages.at(0);
    const std::vector<std::string> names(namedPage.paragraphs.end() - 3,
                                         namedPage.paragraphs.end());
    EXPECT_EQ(names, (std::vector<std::string>{"8 red, RGB( 255, 0, 0), yarn 22.00 m",
                                               "2 weld green, RGB( 0, 255, 0), yarn 5.50 m",
                                               "2 blue, RGB( 0, 0, 255), yarn 5.50 m"}));
    const auto& lines = namedPage.paragraphs;
    const auto notes = std::find(lines.begin(), lines.end(), "Linen weft");
    ASSERT_NE(notes, lines.end());
    EXPECT_LT(notes - lines.begin(), 5);
    EXPECT_EQ(*(notes + 2), "from a museum band");
    ASSERT_EQ(page.rectangles.size(), 3u);
    const std::int32_t colors[] = {kRed, kGreen, kBlue};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page.rectangles[i].color, colors[i]);
        EXPECT_EQ(page.rectangles[i].twips.left(), 720);   // at the half-inch margin
        EXPECT_EQ(page.rectangles[i].twips.width(), 151);  // QRect counts both edges
        if (i > 0) {
            EXPECT_GT(page.rectangles[i].twips.top(), page.rectangles[i - 1].twips.top());
        }
    }
}

TEST(printed_pattern_test, empty_holes_print_white_uncounted_and_idle_picks_print_i) {
    auto band = std::make_unique<Band>();
    Cards deck;
    deck.Add(Forward, 1, {kRed, Card::kNoThread, kRed, kRed}, SThread, 0, 1);
    deck.Add(Forward, 2, {kGreen, kGreen, Card::kNoThread, Card::kNoThread}, ZThread, 0, 1);
    band->Add(deck, 1);
    deck.At(1).SetTurn(Idle);
    deck.At(2).SetTurn(Forward);
    band->Add(deck, 2);
    const Printout out = Print(SourceOf(*band, "T"));
    const PageRecord& page = out.pages.at(0);
    const std::vector<std::string> legend(page.paragraphs.end() - 3, page.paragraphs.end());
    EXPECT_EQ(legend, (std::vector<std::string>{"3 RGB( 255, 0, 0)", "2 RGB( 0, 255, 0)",
                                                "3 holes empty (no thread)"}));
    EXPECT_EQ(page.rectangles.size(), 2u);  // a square for each colour, none for no thread
    const auto threading = TablesHeaded(out, "#");
    ASSERT_EQ(threading.size(), 1u);
    const auto& holes = threading[0].second.backgrounds;
    EXPECT_EQ(holes[0], (std::vector<std::int32_t>{-1, kRed, kGreen}));      // A
    EXPECT_EQ(holes[1], (std::vector<std::int32_t>{-1, 0xFFFFFF, kGreen}));  // B
    EXPECT_EQ(holes[3], (std::vector<std::int32_t>{-1, kRed, 0xFFFFFF}));    // D
    const auto instructions = TablesHeaded(out, "");
    ASSERT_EQ(instructions.size(), 1u);
    EXPECT_EQ(instructions[0].second.rows[0], (std::vector<std::string>{"1", "I", "F"}));
    // idle is shaded apart from forward, and the legend says so
    EXPECT_EQ(instructions[0].second.backgrounds[0],
              (std::vector<std::int32_t>{-1, PatternPrinter::kIdleColor, -1}));
    EXPECT_EQ(out.pages.back().paragraphs.back(),
              "F = forward, B = backward (grey), I = idle (blue), * and red = turn the card over "
              "first");
}

TEST(printed_pattern_test,
     printed_for_the_loom_every_page_is_named_and_numbered_in_the_order_chosen) {
    const auto band = ForwardBand(40, 120);
    PrintSource source = SourceOf(*band, "Long band");
    const Printout tables = Print(source);
    const auto count = static_cast<std::int32_t>(tables.pages.size());
    ASSERT_GE(count, 3);
    for (std::int32_t page = 1; page <= count; ++page)
        EXPECT_EQ(tables.pages[static_cast<std::size_t>(page - 1)].footer,
                  "Long band \u00B7 page " + std::to_string(page) + " of " + std::to_string(count));
    // pick 1 at the bottom, like the band, with a column to tick each pick off
    source.options.pickOneAtBottom = true;
    source.options.tickColumn = true;
    const auto reversed = TablesHeaded(Print(source), "");
    ASSERT_FALSE(reversed.empty());
    const PageRecord::TablePart& first = reversed.front().second;
    EXPECT_EQ(first.header.back(), "Done");
    EXPECT_EQ(first.rows.front().front(), "120");
    EXPECT_EQ(first.rows.front().back(), "");
    EXPECT_EQ(reversed.back().second.rows.back().front(), "1");
    // or as lines of text, one a pick
    source.options.textLines = true;
    const Printout lines = Print(source);
    EXPECT_TRUE(TablesHeaded(lines, "").empty());
    const std::vector<std::string>& last = lines.pages.back().paragraphs;
    ASSERT_GE(last.size(), 3u);
    EXPECT_EQ(last[last.size() - 3], "[  ]  1: F 1\u201340");
}

// --- The band -----------------------------------------------------------------------------

TEST(printed_pattern_test, under_26_cards_the_band_stands_beside_the_tables) {
    const auto band = ForwardBand(25, 6);
    const Printout out = Print(SourceOf(*band));
    ASSERT_EQ(out.pages.size(), 2u);  // the design with the band, then the instructions
    const PageRecord& page = out.pages[0];
    EXPECT_EQ(page.polygons, 25 * 7);
    const QSize paper = PagePixels(QPageSize::A4);
    const int margin = qRound(0.66 * paper.width());
    // block 12.5 times the screen's: a screen pixel is 15 twips, a printer pixel 1.2
    EXPECT_NEAR(page.bandPixels.left(), margin + 125, 1);
    EXPECT_EQ(page.bandPixels.width(), 25 * 125 + 1);
    EXPECT_NEAR(page.bandPixels.top(), 0.1 * paper.height(), 1);
    EXPECT_LE(page.bandPixels.bottom(), qRound(0.98 * paper.height()));
}

TEST(printed_pattern_test, from_26_cards_the_band_has_a_page_of_its_own_under_the_title) {
    const auto band = ForwardBand(26, 6);
    const Printout out = Print(SourceOf(*band, "Wide"));
    ASSERT_GE(out.pages.size(), 2u);
    EXPECT_EQ(out.pages[0].polygons, 0);
    const PageRecord& page = out.pages[1];
    EXPECT_EQ(page.polygons, 26 * 7);
    EXPECT_EQ(page.paragraphs, (std::vector<std::string>{"Wide", ""}));
    // margin: 12.5 printer pixels per screen pixel times the screen's 10, and 150
    EXPECT_EQ(page.bandPixels.left(), 275 + 125);
}

TEST(printed_pattern_test, a_title_of_several_lines_is_not_covered_by_the_band) {
    const auto band = ForwardBand(26, 6);
    const int underShortTitle = Print(SourceOf(*band, "Wide")).pages.at(1).bandPixels.top();
    // three lines of the 20-point title
    std::string name;
    for (int word = 0; word < 40; ++word) name += "Diamonds ";
    const PageRecord page = Print(SourceOf(*band, name)).pages.at(1);
    ASSERT_EQ(page.polygons, 26 * 7);
    // 0.5 in of margin and three title lines of about 24 points reach 1.5 in down the page
    EXPECT_GT(page.bandPixels.top(), qRound(1.5 * kDpi));
    EXPECT_GT(page.bandPixels.top(), underShortTitle);
}

TEST(printed_pattern_test, the_zoom_prints_the_band_larger) {
    const auto band = ForwardBand(10, 4);
    PrintSource source = SourceOf(*band, "Z", "F");
    const int atStart = Print(source).pages[0].bandPixels.width() - 1;
    source.screenBlockSize = 12;  // two zoom-in clicks
    source.screenBandMargin = 12;
    const int zoomed = Print(source).pages[0].bandPixels.width() - 1;
    EXPECT_DOUBLE_EQ(static_cast<double>(zoomed) / atStart, 1.2);
}

TEST(printed_pattern_test, the_bottom_follows_the_paper_printed_on) {
    const auto band = ForwardBand(5, 3);
    for (const auto paper : {QPageSize::A4, QPageSize::Letter, QPageSize::A5}) {
        const PageRecord page = Print(SourceOf(*band, "B", "F"), paper).pages.at(0);
        const QSize size = PagePixels(paper);
        // the threading row's flat blocks end two blocks above the bottom line
        EXPECT_EQ(page.bandPixels.bottom(), qRound(0.98 * size.height()) - 2 * 125)
            << QPageSize::name(paper).toStdString();
        EXPECT_NEAR(page.bandPixels.top(), 0.1 * size.height(), 1);
    }
}

TEST(printed_pattern_test, rows_above_the_top_tenth_of_the_page_are_left_out) {
    const auto band = ForwardBand(5, 200);
    const PageRecord page = Print(SourceOf(*band, "Long", "F")).pages.at(0);
    // rows are 250 printer pixels high; 88 % of an A4 page holds 49 of them
    const double room = 0.88 * PagePixels(QPageSize::A4).height();
    EXPECT_NEAR(page.polygons / 5, room / 250, 1.0);
}

// --- The instructions ---------------------------------------------------------------------

TEST(printed_pattern_test, instructions_mark_backward_turns_grey_and_twists_red) {
    auto band = std::make_unique<Band>();
    Cards deck = FourColourDeck(4);
    band->Add(deck, 1);
    deck.At(1).SetTurn(Backward);
    deck.At(2).SetTurn(Backward);
    deck.At(2).SetThread(ZThread);  // flipped over: "B *"
    deck.At(3).SetTurn(Forward);
    deck.At(3).SetThread(ZThread);  // "F *"
    deck.At(4).SetTurn(Forward);
    band->Add(deck, 2);
    const auto tables = TablesHeaded(Print(SourceOf(*band, "T")), "");
    ASSERT_EQ(tables.size(), 1u);
    const auto& table = tables[0].second;
    EXPECT_EQ(table.header, (std::vector<std::string>{"", "1", "2", "3", "4"}));
    EXPECT_EQ(table.widthsTwips, (std::vector<std::int32_t>{432, 331, 331, 331, 331}));
    ASSERT_EQ(table.rows.size(), 1u);  // one pick beyond the threading: one row, numbered 1
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"1", "B", "B", "F", "F"}));
    EXPECT_EQ(table.backgrounds[0], (std::vector<std::int32_t>{-1, 0xC0C0C0, kRed, kRed, -1}));
}

TEST(printed_pattern_test, instruction_tables_of_32_cards_each_start_a_page_under_the_title) {
    const auto band = ForwardBand(33, 3);
    const Printout out = Print(SourceOf(*band, "Hand"));
    // the design, the band (33 cards), then cards 1 to 32 and card 33 alone
    ASSERT_EQ(out.pages.size(), 4u);
    const auto tables = TablesHeaded(out, "");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].first, 3);
    EXPECT_EQ(tables[0].second.header.size(), 33u);
    EXPECT_EQ(tables[0].second.header.back(), "32");
    EXPECT_EQ(tables[1].first, 4);
    EXPECT_EQ(tables[1].second.header, (std::vector<std::string>{"", "33"}));
    EXPECT_EQ(tables[1].second.rows.size(), 3u);
    for (int p : {3, 4})
        EXPECT_EQ(std::vector<std::string>(out.pages[p - 1].paragraphs.begin(),
                                           out.pages[p - 1].paragraphs.begin() + 2),
                  (std::vector<std::string>{"Hand", ""}));
}

TEST(printed_pattern_test, a_turning_sequence_leaves_the_instructions_out) {
    const auto band = ForwardBand(33, 3);
    const Printout out = Print(SourceOf(*band, "Woven", "FFBB"));
    EXPECT_EQ(out.pages.size(), 2u);
    EXPECT_TRUE(TablesHeaded(out, "").empty());
}

TEST(printed_pattern_test, a_table_taller_than_the_page_goes_on_with_its_header) {
    const auto band = ForwardBand(3, 150);
    const Printout out = Print(SourceOf(*band, "Long"));
    const auto tables = TablesHeaded(out, "");
    ASSERT_GE(tables.size(), 2u);
    int next = 1;
    for (const auto& [page, table] : tables) {
        EXPECT_EQ(table.header, (std::vector<std::string>{"", "1", "2", "3"}));
        EXPECT_EQ(table.firstRow, next);
        EXPECT_EQ(table.rows.front().front(), std::to_string(next));
        next += static_cast<int>(table.rows.size());
    }
    EXPECT_EQ(next, 151);
    // only the first part is under a title; the others continue at the top of the page
    EXPECT_EQ(out.pages[static_cast<std::size_t>(tables[1].first) - 1].paragraphs.size(), 0u);
}

// --- Nothing to print ---------------------------------------------------------------------

TEST(printed_pattern_test, a_band_of_one_row_prints_nothing_and_makes_no_pdf) {
    const auto band = ForwardBand(5, 0);
    const PrintSource source = SourceOf(*band);
    EXPECT_TRUE(PatternPrinter::NothingToPrint(source));
    EXPECT_THROW(Print(source), AppError);
    EXPECT_THROW(PrintPatternToPdf(source, QPageSize(QPageSize::A4)), AppError);
}

TEST(printed_pattern_test, a_pattern_that_cannot_be_laid_out_is_refused_whole) {
    const auto band = ForwardBand(5, 3);
    PrintSource source = SourceOf(*band);
    source.screenBlockSize = 0;
    test::ReportRecorder recorder;
    try {
        PrintPatternToPdf(source, QPageSize(QPageSize::A4));
        FAIL() << "a PDF was made";
    } catch (const AppError& error) {
        EXPECT_NE(error.Description().find("zoom"), std::string::npos) << error.Description();
    }
    EXPECT_TRUE(recorder.Empty());
}

// --- The PDF as a reader sees it ------------------------------------------------------------

QString RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfReadBackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"pdftotext", "pdfinfo", "pdftoppm"})
            ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty())
                << tool << " is missing: scripts/setup.sh installs poppler-utils";
    }
    test::TempDir dir;
};

TEST_F(PdfReadBackTest, pages_texts_and_cell_colours_read_back) {
    auto band = std::make_unique<Band>();
    Cards deck = FourColourDeck(33);
    band->Add(deck, 1);
    for (int r = 2; r <= 5; ++r) {
        for (Card& card : deck) card.SetTurn(r % 2 == 0 ? Backward : Forward);
        if (r == 3) deck.At(2).SetThread(ZThread);  // a twist, forward, on pick 2
        band->Add(deck, r);
    }
    const std::string pdf =
        PrintPatternToPdf(SourceOf(*band, "Read back"), QPageSize(QPageSize::A4));
    const QString file = QString::fromStdString(dir.Write("p.pdf", pdf));

    EXPECT_TRUE(RunTool("pdfinfo", {file}).contains(QRegularExpression("Pages:\\s+4\\b")));
    const QString text = RunTool("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains(QRegularExpression("Number of Cards:\\s+33")));
    EXPECT_TRUE(text.contains("Read back"));
    EXPECT_TRUE(text.contains("33 RGB( 255, 0, 0)"));
    // every page read on its own carries the name and its number
    for (int page = 1; page <= 4; ++page)
        EXPECT_TRUE(RunTool("pdftotext",
                            {"-f", QString::number(page), "-l", QString::number(page), file, "-"})
                        .contains(QString("Read back \u00B7 page %1 of 4").arg(page)));

    // every turn stands in the middle of its cell: columns of 0.23 inch after the pick
    // numbers' 0.3 inch, from the half-inch margin (in points)
    const QString boxes = RunTool("pdftotext", {"-bbox", "-f", "3", "-l", "3", file, "-"});
    static const QRegularExpression kWord(
        "<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>([FB])</word>");
    int turns = 0;
    for (auto it = kWord.globalMatch(boxes); it.hasNext(); ++turns) {
        const auto word = it.next();
        const double middle = (word.captured(1).toDouble() + word.captured(2).toDouble()) / 2;
        const double column = (middle - 36 - 21.6) / (0.23 * 72) - 0.5;
        EXPECT_NEAR(column, std::round(column), 0.03) << word.captured(0).toStdString();
    }
    EXPECT_EQ(turns, 4 * 32);

    // page 3, the instructions: grey for the backward picks, red for the twist
    RunTool("pdftoppm", {"-r", "40", "-f", "3", "-l", "3", "-png", file,
                         QString::fromStdString(dir.File("page"))});
    const QImage page(QString::fromStdString(dir.File("page-3.png")));
    ASSERT_FALSE(page.isNull());
    int grey = 0;
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            grey += pixel == qRgb(192, 192, 192);
            red += pixel == qRgb(255, 0, 0);
        }
    EXPECT_GT(grey, 100);
    EXPECT_GT(red, 5);
}

TEST_F(PdfReadBackTest, the_exporter_writes_the_same_document) {
    // a colour added to the palette: the legend names the colours
    const std::string pattern =
        dir.Write("p.kst", test::ReadAll(TESSALY_DEFAULT_PATTERN) + "Palette = 255\r\n");
    std::string error;
    const auto options =
        ParseExportArguments({pattern, "--pdf", dir.File("o.pdf"), "--page-size", "letter"}, error);
    ASSERT_TRUE(options) << error;
    std::ostringstream out;
    ASSERT_EQ(RunExport(*options, out), kExitOk);
    const QString file = QString::fromStdString(dir.File("o.pdf"));
    const QString info = RunTool("pdfinfo", {file});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\b"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(letter)")) << info.toStdString();
    const QString text = RunTool("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains(QRegularExpression("Turn Sequence:\\s+FFFFBBBB")));
    EXPECT_TRUE(text.contains(QRegularExpression("Number of Cards:\\s+18")));
    // found as written: no "fi" joined into one glyph
    EXPECT_TRUE(text.contains("16 firebrick, RGB( 176, 32, 32)")) << text.toStdString();
}

// --- The commands in the program -------------------------------------------------------------

class PrintCommandsTest : public ::testing::Test {
  protected:
    PrintCommandsTest() {
        auto rows = ForwardBand(30, 12);
        test::LoadRows(document, std::move(rows));
        display.resize(300, 400);
        display.show();
    }

    test::ReportRecorder recorder;
    test::TempDir dir;
    PatternSession session;
    test::Driver document{session};
    DisplayWindow display{session};
    test::RecordingDialogs dialogs;
    PrintCommands commands{session, dialogs, nullptr};
};

TEST_F(PrintCommandsTest, weaving_after_a_print_draws_at_the_screens_zoom) {
    document.SetBlockSize(12);
    dialogs.printFile = QString::fromStdString(dir.File("printed.pdf"));
    commands.Print();
    EXPECT_TRUE(recorder.Empty()) << recorder.Where();
    EXPECT_EQ(test::ReadAll(dir.File("printed.pdf")).rfind("%PDF", 0), 0u);
    // a pick taken off and one woven afterwards are drawn at the screen's geometry
    ASSERT_TRUE(document.RemovePick());
    ASSERT_TRUE(
        document.AddPick(document.CurrentBand().At(document.CurrentBand().Count()).Cards()));
    const QImage shown = display.Canvas().Image();
    EXPECT_EQ(shown, test::FullRedraw(document, shown.size()));
}

TEST_F(PrintCommandsTest, a_print_that_fails_is_reported_and_the_next_one_prints) {
    dialogs.printFile = QString::fromStdString(dir.File("no-such-folder/printed.pdf"));
    commands.Print();
    EXPECT_FALSE(recorder.Empty());
    dialogs.printFile = QString::fromStdString(dir.File("printed.pdf"));
    commands.Print();
    EXPECT_EQ(test::ReadAll(dir.File("printed.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PrintCommandsTest, a_cancelled_print_dialog_prints_nothing) {
    commands.Print();
    EXPECT_EQ(dialogs.printDialogs, 1);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PrintCommandsTest, preview_lays_out_the_pages_and_puts_the_cursor_back) {
    dialogs.previewFile = QString::fromStdString(dir.File("preview.pdf"));
    commands.Preview();
    EXPECT_EQ(dialogs.previews, 1);
    EXPECT_EQ(test::ReadAll(dir.File("preview.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PrintCommandsTest, export_as_pdf_writes_the_printout_under_the_name_chosen) {
    dialogs.exportAnswer = QString::fromStdString(dir.File("band.pdf"));
    commands.ExportPdf();
    ASSERT_EQ(dialogs.exportDialogs.size(), 1u);
    EXPECT_EQ(dialogs.exportDialogs[0].filters, QStringList{"PDF Document (*.pdf)"});
    const std::string pdf = test::ReadAll(dir.File("band.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_TRUE(dialogs.messages.empty());

    // a file that cannot be written is said so, and the old one stays
    dialogs.exportAnswer = QString::fromStdString(dir.File("missing/band.pdf"));
    commands.ExportPdf();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("was not written"));
}

TEST_F(PrintCommandsTest, print_options_chosen_in_the_menu_shape_the_printout_and_are_kept) {
    QAction* tick = commands.OptionsMenu()->findChild<QAction*>("mnuTickColumn");
    ASSERT_NE(tick, nullptr);
    EXPECT_FALSE(PrintCommands::SourceOf(session).options.tickColumn);
    tick->setChecked(true);
    EXPECT_TRUE(PrintCommands::SourceOf(session).options.tickColumn);
    const PrintCommands later{session, dialogs, nullptr};
    EXPECT_TRUE(later.OptionsMenu()->findChild<QAction*>("mnuTickColumn")->isChecked());
    tick->setChecked(false);
    EXPECT_FALSE(PrintCommands::SourceOf(session).options.pickOneAtBottom);
}

TEST_F(PrintCommandsTest, export_picture_writes_what_the_display_shows) {
    document.SetBlockSize(12);
    dialogs.exportAnswer = QString::fromStdString(dir.File("band.png"));
    commands.ExportPicture();
    const QImage written(QString::fromStdString(dir.File("band.png")));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
              test::FullRedraw(document, written.size()).convertToFormat(QImage::Format_RGB32));

    // the reverse face, as the display shows it
    document.Reverse();
    dialogs.exportAnswer = QString::fromStdString(dir.File("reverse.png"));
    commands.ExportPicture();
    const QImage reverse(QString::fromStdString(dir.File("reverse.png")));
    EXPECT_EQ(reverse.convertToFormat(QImage::Format_RGB32),
              test::FullRedraw(document, reverse.size()).convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(reverse.convertToFormat(QImage::Format_RGB32),
              written.convertToFormat(QImage::Format_RGB32));
    document.Reverse();

    dialogs.exportAnswer = QString::fromStdString(dir.File("band.svg"));
    commands.ExportPicture();
    const std::string svg = test::ReadAll(dir.File("band.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_EQ(dialogs.exportDialogs.back().filters,
              (QStringList{"PNG Picture (*.png)", "SVG Picture (*.svg)"}));
}

TEST_F(PrintCommandsTest, the_printout_describes_the_band_not_what_was_typed_for_it) {
    const Band& band = document.CurrentBand();
    // a card count and a sequence typed, neither applied nor woven
    document.SetCardCount(9);
    document.SetTurnSequence("FB");
    PrintSource source = PrintCommands::SourceOf(session);
    EXPECT_EQ(source.draft.size(), 30u);
    EXPECT_EQ(source.draft, DraftFromDeck(band.At(1).Cards()));
    // woven by hand: no sequence, so the turning instructions print
    EXPECT_EQ(source.turnSequence, "");
    EXPECT_EQ(source.band, &band);
    const Printout out = Print(source);
    EXPECT_EQ(out.pages.at(0).paragraphs.at(2), "Number of Cards:  30");
    EXPECT_FALSE(TablesHeaded(out, "").empty());

    // the reverse face: the threading stays the front's, the picture is the face shown
    document.Reverse();
    source = PrintCommands::SourceOf(session);
    EXPECT_EQ(source.draft, DraftFromDeck(band.At(1).Cards()));
    ASSERT_NE(source.band, nullptr);
    EXPECT_EQ(test::DecksOf(*source.band), test::DecksOf(*document.ShownBand()));

    // a band woven from a sequence prints the sequence it was woven with
    document.Reverse();
    test::LoadWoven(document, FourColourDeck(6), "FFBB");
    document.SetTurnSequence("FFFB");
    EXPECT_EQ(PrintCommands::SourceOf(session).turnSequence, "FFBB");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PrintCommandsTest, a_band_of_one_row_is_said_to_have_nothing_to_print) {
    test::LoadRows(document, ForwardBand(5, 0));
    commands.Print();
    commands.Preview();
    commands.ExportPdf();
    EXPECT_EQ(dialogs.printDialogs + dialogs.previews, 0);
    EXPECT_TRUE(dialogs.exportDialogs.empty());
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("weave it before printing"));
}

}  // namespace
}  // namespace tessaly
