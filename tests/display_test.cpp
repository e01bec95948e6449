#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <sstream>

#include "GuiSupport.h"
#include "cli/ExportCommand.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "display/WholeBandView.h"
#include "display/Zoom.h"
#include "document/commands/PaletteCommands.h"
#include "model/Directions.h"
#include "render/BandMarks.h"
#include "render/BandPicture.h"

namespace tessaly {
namespace {

class DisplayTest : public ::testing::Test {
  protected:
    DisplayTest() {
        Cards deck = test::MakeDeck(20, Forward, SThread, 1);
        deck.At(3).SetColor(kHoleB, 0x00FF00);
        test::LoadWoven(document, deck, "FFBB");
        display.resize(300, 400);
        display.show();
    }
    void Click(Qt::MouseButton button) {
        QTest::mouseClick(display.View(), button, {}, QPoint(30, 900));
    }
    std::int32_t BlockSize() const { return document.Geometry().BlockSize; }
    QImage FullRedraw() const {
        return test::FullRedraw(document, display.Canvas().Image().size());
    }

    test::ReportRecorder recorder;
    PatternSession session;
    test::Driver document{session};
    DisplayWindow display{session};
};

TEST_F(DisplayTest, the_canvas_is_the_exported_pictures_size) {
    // what the screen shows and what a picture file holds are one drawing
    const BandPicture picture(BandCanvasWidth(document.CardCount(), document.Geometry()), false,
                              true);
    const QImage file = QImage::fromData(QByteArray::fromStdString(picture.Png()));
    EXPECT_EQ(display.Canvas().Image().size(), file.size());
    EXPECT_EQ(display.View()->size(), display.Canvas().Image().size());
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:1");
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
}

TEST_F(DisplayTest, empty_holes_show_the_weft_once_the_pattern_has_one) {
    Cards deck = test::MakeDeck(4, Forward, SThread, 1);
    for (int card = 1; card <= 4; ++card) deck.At(card).SetColor(card - 1, Card::kNoThread);
    test::LoadWoven(document, deck, "FFBB");
    const QImage plain = display.Canvas().Image();
    PatternExtras extras;
    extras.weft = 0x2080C0;
    session.Run<EditExtras>(EditExtras::Kind::Weft, extras);
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    EXPECT_NE(display.Canvas().Image(), plain);
    session.History().Undo();
    EXPECT_EQ(display.Canvas().Image(), plain);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DisplayTest, clicks_step_size_margin_and_ratio) {
    Click(Qt::LeftButton);
    EXPECT_EQ(BlockSize(), 11);
    EXPECT_EQ(document.Geometry().BandMargin, 11);
    EXPECT_EQ(display.windowTitle(), "Display Band - 2:1");
    EXPECT_EQ(display.Canvas().Image().width(), 4 * 11 + 11 * 20);
    Click(Qt::RightButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:1");
    EXPECT_EQ(BlockSize(), 10);
    Click(Qt::RightButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:2");
    EXPECT_EQ(BlockSize(), 9);
    Click(Qt::MiddleButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:2");
    EXPECT_EQ(BlockSize(), 9);
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    EXPECT_TRUE(recorder.Empty());
}

TEST(zoom_test, the_ratio_follows_the_block_size) {
    EXPECT_EQ(Zoom::Ratio(10), "1:1");
    EXPECT_EQ(Zoom::Ratio(12), "3:1");
    EXPECT_EQ(Zoom::Ratio(8), "1:3");
    EXPECT_EQ(Zoom::Ratio(1), "1:10");
    EXPECT_EQ(Zoom::StepOut(1), std::nullopt);
    EXPECT_EQ(Zoom::StepIn(DrawingGeometry::kMaxBlockSize, 1), std::nullopt);
    // 4 margins and 200 cards of 81 pixels would pass the widest canvas
    EXPECT_EQ(Zoom::StepIn(79, 200), 80);
    EXPECT_EQ(Zoom::StepIn(80, 200), std::nullopt);
    // the keys and the wheel step a quarter at a time, a pixel at the least, within limits
    EXPECT_EQ(Zoom::Stepped(10, 1, 20), 13);
    EXPECT_EQ(Zoom::Stepped(2, 1, 20), 3);
    EXPECT_EQ(Zoom::Stepped(10, -1, 20), 8);
    EXPECT_EQ(Zoom::Stepped(1, -3, 20), 1);
    EXPECT_EQ(Zoom::Stepped(10, 40, 200), 80);      // as wide as the widest canvas allows
    EXPECT_EQ(Zoom::FitWidth(20, 480), 20);         // 24 blocks
    EXPECT_EQ(Zoom::FitBand(20, 9, 480, 220), 10);  // 2 x 11 rows of blocks
}

TEST(ruler_test, numbers_stand_at_their_columns_and_rows_and_thin_out_as_the_band_shrinks) {
    RulerScale scale{10, 12, false, 1000, 30, 17};
    // every 5th card at 10 pixels, and the first: its column begins after the margin and a block
    std::vector<RulerMark> cards = CardMarks(scale);
    ASSERT_EQ(cards.size(), 3u);
    EXPECT_EQ(cards[0].number, 1);
    EXPECT_EQ(cards[0].at, 25);
    EXPECT_EQ(cards[2].number, 10);
    // every 5th pick and the current one, at the middle of its row
    std::vector<RulerMark> picks = PickMarks(scale);
    std::vector<std::int32_t> numbers;
    for (const RulerMark& mark : picks) numbers.push_back(mark.number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{5, 10, 15, 20, 25, 30, 17}));
    EXPECT_EQ(picks[0].at, 1000 - 2 * 10 * 6 - 10);
    EXPECT_TRUE(picks.back().current);
    // closer: the same numbers further apart; the reverse face numbers the cards as they stand
    scale.blockSize = 23;
    scale.reversed = true;
    cards = CardMarks(scale);
    ASSERT_EQ(cards.size(), 12u);  // room for every card
    EXPECT_EQ(cards.front().number, 12);
    EXPECT_EQ(cards.back().number, 1);
    EXPECT_EQ(cards.back().at, 23 * 13 + 11);
    EXPECT_EQ(PickMarks(scale)[1].at, 1000 - 2 * 23 * 11 - 23);
    // further out: every 5th card, and picks far enough apart for their text
    scale.blockSize = 2;
    scale.reversed = false;
    numbers.clear();
    for (const RulerMark& mark : CardMarks(scale)) numbers.push_back(mark.number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 10}));
    numbers.clear();
    for (const RulerMark& mark : PickMarks(scale)) numbers.push_back(mark.number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{5, 10, 15, 20, 25, 30, 17}));
    scale.blockSize = 1;
    numbers.clear();
    for (const RulerMark& mark : PickMarks(scale)) numbers.push_back(mark.number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{10, 20, 30, 17}));
}

TEST_F(DisplayTest, zoom_out_stops_at_block_size_one_and_the_band_still_weaves) {
    for (int i = 0; i < 15; ++i) Click(Qt::RightButton);
    EXPECT_EQ(BlockSize(), 1);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:10");
    Click(Qt::LeftButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:9");
    EXPECT_TRUE(document.WeaveAll());
    EXPECT_EQ(document.CurrentBand().Count(), 1 + (1000 / 2 / 4 - 1) * 4);
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DisplayTest, a_zoom_click_keeps_the_scroll_position) {
    QScrollBar* bar = display.Viewport()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), bar->maximum());  // a new band shows its first rows
    bar->setValue(100);
    Click(Qt::LeftButton);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(bar->singleStep(), 2 * 11);
    EXPECT_EQ(bar->pageStep(), 20 * 11);
}

TEST_F(DisplayTest, the_wheel_and_the_keys_zoom_about_the_mouse_and_the_current_pick) {
    // a band shorter than the canvas, so its last pick's fell shows
    while (document.CurrentBand().Count() > 20) document.RemovePick();
    display.resize(260, 300);
    test::ProcessEvents();
    QScrollArea* area = display.Viewport();
    BandView* view = display.View();
    // Ctrl and the wheel: the point under the mouse stays under it
    area->verticalScrollBar()->setValue(300);
    const QPoint mouse(120, 500);
    const QPoint before = view->mapTo(area->viewport(), mouse);
    QWheelEvent notch(QPointF(mouse), view->mapToGlobal(QPointF(mouse)), {}, QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &notch);
    EXPECT_EQ(BlockSize(), 13);
    const QPoint moved(120 * 13 / 10,
                       static_cast<int>(view->height() - (view->height() - 500) * 1.3));
    EXPECT_NEAR(view->mapTo(area->viewport(), moved).x(), before.x(), 1);
    EXPECT_NEAR(view->mapTo(area->viewport(), moved).y(), before.y(), 1);
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    // without Ctrl the wheel scrolls, as ever
    QWheelEvent scroll(QPointF(mouse), view->mapToGlobal(QPointF(mouse)), {}, QPoint(0, -120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &scroll);
    EXPECT_EQ(BlockSize(), 13);

    // Ctrl+minus and Ctrl+0: the last pick's fell stays where it was in the view
    const auto fellInViewport = [&] {
        return view->mapTo(area->viewport(), QPoint(0, *view->FellLine())).y();
    };
    ASSERT_TRUE(view->FellLine().has_value());
    area->verticalScrollBar()->setValue(*view->FellLine() - 100);
    const int fell = fellInViewport();
    display.ZoomOutStep();
    EXPECT_EQ(BlockSize(), 10);
    EXPECT_NEAR(fellInViewport(), fell, 1);
    display.ZoomInStep();
    display.ZoomActualSize();
    EXPECT_EQ(BlockSize(), 10);
    // Fit Width: the band as wide as the view; Fit Band: all of it in view
    display.FitWidth();
    EXPECT_EQ(BlockSize(), Zoom::FitWidth(20, area->viewport()->width()));
    display.FitBand();
    EXPECT_LE(2 * BlockSize() * (document.CurrentBand().Count() + 1), area->viewport()->height());
    EXPECT_EQ(area->verticalScrollBar()->value(), area->verticalScrollBar()->maximum());
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DisplayTest, the_screen_s_fell_line_and_rulers_are_what_the_exporter_adds_when_asked) {
    test::TempDir dir;
    // six picks of two cards, stored as they are woven
    std::string file = test::PatternHead("", "Short");
    for (int row = 1; row <= 7; ++row)
        for (int card = 1; card <= 2; ++card)
            file += std::to_string(row) + ", " + std::to_string(card) +
                    ", 0, 255, 65280, 16711680, 0, " + std::to_string(card % 2) + ", " +
                    std::to_string(row % 4) + ", 1\r\n";
    const std::string path = dir.Write("short.kst", file);
    ASSERT_TRUE(document.OpenPattern(path));
    test::ProcessEvents();
    BandView* view = display.View();
    const std::optional<int> fell = view->FellLine();
    ASSERT_TRUE(fell.has_value());
    EXPECT_EQ(*fell, 1000 - 2 * 10 * (document.CurrentBand().Count() + 1));
    ExportOptions options;
    options.patternPath = path;
    options.pngPath = dir.File("band.png");
    options.fellLine = true;
    std::ostringstream out;
    ASSERT_EQ(RunExport(options, out), kExitOk);
    const QImage exported =
        QImage(QString::fromStdString(options.pngPath)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(view->grab().toImage().convertToFormat(QImage::Format_RGB32), exported);
    EXPECT_NE(display.Canvas().Image().convertToFormat(QImage::Format_RGB32), exported);
    // the rulers stand in margins of the picture, the band moved by them
    options.rulers = true;
    options.svgPath = dir.File("band.svg");
    ASSERT_EQ(RunExport(options, out), kExitOk);
    const QImage ruled =
        QImage(QString::fromStdString(options.pngPath)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ruled.size(), exported.size() + QSize(kPickRulerWidth, kCardRulerHeight));
    EXPECT_EQ(ruled.copy(kPickRulerWidth, kCardRulerHeight, exported.width(), exported.height()),
              exported);
    const std::string svg = test::ReadAll(options.svgPath);
    // the last pick, marked
    EXPECT_NE(svg.find("font-weight=\"bold\" fill=\"#c00000\">6</text>"), std::string::npos);
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DisplayTest, unweaving_shows_exactly_a_full_redraw) {
    ASSERT_TRUE(document.RemovePick());
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
}

TEST_F(DisplayTest, unweaving_over_a_change_of_direction_leaves_no_trace_of_the_pick) {
    // row 4 turns back: its blocks are not drawn, so the picture below row 5 shows row 3's
    auto rows = std::make_unique<Band>();
    Cards deck = test::MakeDeck(20, Forward, SThread, 1);
    for (int r = 1; r <= 5; ++r) {
        rows->Add(deck, r);
        for (Card& card : deck) card.SetTurn(r == 3 ? Backward : deck.At(1).Turn());
    }
    test::LoadRows(document, std::move(rows));
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
}

TEST_F(DisplayTest, shows_the_same_picture_the_exporter_draws) {
    test::TempDir dir;
    ASSERT_TRUE(document.OpenPattern(TESSALY_DEFAULT_PATTERN));
    ExportOptions options;
    options.patternPath = TESSALY_DEFAULT_PATTERN;
    options.pngPath = dir.File("band.png");
    std::ostringstream out;
    ASSERT_EQ(RunExport(options, out), kExitOk);
    const QImage exported(QString::fromStdString(options.pngPath));
    EXPECT_EQ(display.Canvas().Image().convertToFormat(exported.format()), exported);
}

// --- The whole band ---------------------------------------------------------------------------

// A hand-woven band long enough to pass the display's canvas many times, with turns changing
// direction and cards flipped over, written as a file the exporter reads too.
class WholeBandTest : public ::testing::Test {
  protected:
    WholeBandTest() {
        std::string file = test::PatternHead("", "Long");
        Cards deck = test::MakeDeck(7, Forward, SThread, 0);
        for (int row = 1; row <= 160; ++row) {
            for (Card& card : deck) {
                if (row > 1)
                    card.SetTurn((row / (card.Position() + 1)) % 2 == 0 ? Forward : Backward);
                if (row % 37 == card.Position())
                    card.SetThread(card.Thread() == SThread ? ZThread : SThread);
                file += std::to_string(row) + ", " + std::to_string(card.Position()) + ", " +
                        std::to_string(card.Turn()) + ", " + std::to_string(card.Color(kHoleA)) +
                        ", " + std::to_string(card.Color(kHoleB)) + ", " +
                        std::to_string(card.Color(kHoleC)) + ", " +
                        std::to_string(card.Color(kHoleD)) + ", " + std::to_string(card.Thread()) +
                        ", " + std::to_string(card.HoleOrder()) + ", 1\r\n";
            }
        }
        path = dir.Write("long.kst", file);
        EXPECT_TRUE(document.OpenPattern(path));
        display.resize(300, 500);
        display.show();
        display.SetWholeBand(true);
        test::ProcessEvents();
    }
    QImage Exported(std::int32_t blockSize, bool reverse = false) {
        ExportOptions options;
        options.patternPath = path;
        options.reverse = reverse;
        options.pngPath = dir.File("whole.png");
        options.wholeBand = true;
        options.fellLine = true;  // as the screen marks where the woven picks end
        options.blockSize = blockSize;
        std::ostringstream out;
        EXPECT_EQ(RunExport(options, out), kExitOk);
        return QImage(QString::fromStdString(options.pngPath))
            .convertToFormat(QImage::Format_RGB32);
    }
    // What the view paints in a strip, as the screen gets it.
    QImage Shown(int top, int height) {
        WholeBandView* view = display.WholeView();
        return view->grab(QRect(0, top, view->width(), height))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    test::ReportRecorder recorder;
    test::TempDir dir;
    std::string path;
    PatternSession session;
    test::Driver document{session};
    DisplayWindow display{session};
};

TEST_F(WholeBandTest, every_strip_is_the_exporters_whole_band_picture) {
    const QImage whole = Exported(10);
    ASSERT_EQ(whole.size(), display.WholeView()->size());
    EXPECT_EQ(whole.height(), 2 * 10 * (160 + 2));
    // strips at the top, the bottom and across row boundaries, some one pixel high
    for (const auto& [top, height] : std::vector<std::pair<int, int>>{{0, 300},
                                                                      {3000, 240},
                                                                      {1234, 1},
                                                                      {2917, 77},
                                                                      {whole.height() - 300, 300},
                                                                      {whole.height() - 1, 1},
                                                                      {15, 33}}) {
        EXPECT_EQ(Shown(top, height), whole.copy(0, top, whole.width(), height))
            << "strip at " << top;
    }
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WholeBandTest, the_reverse_face_is_the_exporters_reverse_picture) {
    document.Reverse();
    test::ProcessEvents();
    const QImage whole = Exported(10, true);
    ASSERT_EQ(whole.size(), display.WholeView()->size());
    for (const auto& [top, height] : std::vector<std::pair<int, int>>{
             {0, 300}, {1234, 1}, {2917, 77}, {whole.height() - 300, 300}}) {
        EXPECT_EQ(Shown(top, height), whole.copy(0, top, whole.width(), height))
            << "strip at " << top;
    }
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WholeBandTest, the_zoom_grows_the_whole_band_and_keeps_it_the_exporters) {
    QTest::mouseClick(display.WholeView(), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(document.Geometry().BlockSize, 11);
    const QImage whole = Exported(11);
    ASSERT_EQ(whole.size(), display.WholeView()->size());
    EXPECT_EQ(Shown(1000, 400), whole.copy(0, 1000, whole.width(), 400));
}

TEST_F(WholeBandTest, the_view_follows_the_newest_pick_and_goes_back_to_the_display) {
    QScrollBar* bar = display.Viewport()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());  // the band's start, at the bottom
    Cards pick = document.CurrentBand().At(document.CurrentBand().Count()).Cards();
    for (Card& card : pick) card.SetTurn(Forward);
    ASSERT_TRUE(document.AddPick(pick));
    test::ProcessEvents();
    const QRect newest = display.WholeView()->NewestPickRect();
    const QRect shown(0, bar->value(), display.Viewport()->viewport()->width(),
                      display.Viewport()->viewport()->height());
    EXPECT_TRUE(shown.contains(newest)) << bar->value();
    EXPECT_EQ(display.WholeView()->height(), 2 * 10 * (161 + 2));

    display.SetWholeBand(false);
    EXPECT_EQ(display.Viewport()->widget(), display.View());
    EXPECT_EQ(display.Canvas().Image(),
              test::FullRedraw(document, display.Canvas().Image().size()));
}

}  // namespace
}  // namespace tessaly
