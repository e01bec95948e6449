#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <sstream>

#include "GuiSupport.h"
#include "cli/ExportCommand.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "display/WholeBandView.h"
#include "display/Zoom.h"
#include "document/commands/PaletteCommands.h"
#include "model/Directions.h"
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
