#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <sstream>

#include "GuiSupport.h"
#include "cli/ExportCommand.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "display/Zoom.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

class DisplayTest : public ::testing::Test {
  protected:
    DisplayTest() {
        Cards deck = test::MakeDeck(20, Forward, SThread, 1);
        deck.At(3).BColor = 0x00FF00;
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
    PatternDocument document;
    DisplayWindow display{document};
};

TEST_F(DisplayTest, canvas_is_four_margins_and_a_block_per_card_wide) {
    EXPECT_EQ(display.Canvas().Image().size(), QSize(240, 1000));
    EXPECT_EQ(display.View()->size(), QSize(240, 1000));
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:1");
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
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
    EXPECT_EQ(Zoom::StepIn(Zoom::kMaxBlockSize, 1), std::nullopt);
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
    EXPECT_EQ(document.Grid().Rows(), document.CurrentBand().Count());
}

TEST_F(DisplayTest, unweaving_over_a_change_of_direction_leaves_no_trace_of_the_pick) {
    // row 4 turns back: its blocks are not drawn, so the picture below row 5 shows row 3's
    auto rows = std::make_unique<Band>();
    Cards deck = test::MakeDeck(20, Forward, SThread, 1);
    for (int r = 1; r <= 5; ++r) {
        rows->Add(deck, std::to_string(r));
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

TEST_F(DisplayTest, pixels_match_the_block_outlines) {
    const QImage& image = display.Canvas().Image();
    // row 1 is woven from hole order 1 and forward: A shows
    const Block first =
        *document.CurrentBand().At(1).CreateBlocks(1000, 1, document.Geometry()).begin();
    EXPECT_EQ(first.Points()[0], (CanvasPoint{20, 980}));
    EXPECT_EQ(image.pixelColor(25, 975), RasterCanvas::ToQColor(first.BlockColor));
    EXPECT_EQ(image.pixelColor(20, 975), QColor(80, 80, 80));
    EXPECT_EQ(image.pixelColor(25, 995), QColor(255, 255, 255));  // below the band
}

}  // namespace
}  // namespace tessaly
