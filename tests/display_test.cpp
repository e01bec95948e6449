#include <gtest/gtest.h>

#include <QTest>

#include "GuiSupport.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "engine/Threading.h"
#include "model/Directions.h"
#include "shell/PatternDocument.h"

namespace tessaly {
namespace {

class DisplayTest : public ::testing::Test {
  protected:
    DisplayTest() {
        Cards deck = test::MakeDeck(20, Forward, SThread, 1);
        deck.At(3).BColor = 0x00FF00;
        State().CurrentBand->WeaveAll(deck, &display.Canvas(), "FFBB", &document.Grid(),
                                      State().Geometry());
        display.FitCanvas();
    }
    AppState& State() { return document.State(); }

    // The picture a full redraw of the band at the present zoom gives, on a fresh canvas.
    QImage FullRedraw() {
        RasterCanvas fresh(BandCanvasWidth(20, State().Geometry()), DisplayWindow::kCanvasHeight);
        InstructionGrid grid;
        State().CurrentBand->WeaveBand(&fresh, &grid, State().Geometry());
        return fresh.Image();
    }

    test::ReportRecorder recorder;
    PatternDocument document;
    DisplayWindow display{document};
};

TEST_F(DisplayTest, canvas_is_four_margins_and_a_block_per_card_wide) {
    EXPECT_EQ(display.Canvas().Image().size(), QSize(240, 1000));
    EXPECT_EQ(display.View()->size(), QSize(240, 1000));
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:1");
}

TEST_F(DisplayTest, zoom_steps_change_size_margin_and_ratio) {
    display.ClickBand(Qt::LeftButton);
    EXPECT_EQ(State().BlockSize, 11);
    EXPECT_EQ(State().BandMargin, 11);
    EXPECT_EQ(display.windowTitle(), "Display Band - 2:1");
    EXPECT_EQ(display.Canvas().Image().width(), 4 * 11 + 11 * 20);
    display.ClickBand(Qt::RightButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:1");
    EXPECT_EQ(State().BlockSize, 10);
    display.ClickBand(Qt::RightButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:2");
    EXPECT_EQ(State().BlockSize, 9);
    display.ClickBand(Qt::MiddleButton);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:2");
    EXPECT_EQ(State().BlockSize, 9);
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
}

TEST_F(DisplayTest, zoom_out_stops_at_block_size_one) {
    for (int i = 0; i < 15; ++i) display.ClickBand(Qt::RightButton);
    EXPECT_EQ(State().BlockSize, 1);
    EXPECT_EQ(State().BandMargin, 1);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:10");
    display.ClickBand(Qt::LeftButton);
    EXPECT_EQ(State().BlockSize, 2);
    EXPECT_EQ(display.windowTitle(), "Display Band - 1:9");
    // the next weave still works at the smallest size
    Cards deck = test::MakeDeck(20);
    State().CurrentBand->WeaveAll(deck, &display.Canvas(), "FB", &document.Grid(),
                                  State().Geometry());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DisplayTest, zoom_in_stops_before_the_canvas_gets_too_wide) {
    for (int i = 0; i < 200; ++i) display.ClickBand(Qt::LeftButton);
    EXPECT_EQ(State().BlockSize, Zoom::kMaxBlockSize);
    EXPECT_EQ(display.windowTitle(), QString("Display Band - %1:1").arg(Zoom::kMaxBlockSize - 9));
    EXPECT_LE(display.Canvas().Image().width(), Zoom::kMaxCanvasWidth);
}

TEST_F(DisplayTest, mouse_clicks_on_the_band_zoom) {
    QTest::mouseClick(display.View(), Qt::LeftButton, {}, QPoint(50, 900));
    EXPECT_EQ(State().BlockSize, 11);
    QTest::mouseClick(display.View(), Qt::RightButton, {}, QPoint(50, 900));
    EXPECT_EQ(State().BlockSize, 10);
}

TEST_F(DisplayTest, redraw_shows_exactly_a_full_redraw_after_a_top_row_redraw) {
    // take the top pick back as unweaving does: remove it, redraw the new top row alone
    Band& band = *State().CurrentBand;
    band.Remove(band.Count());
    band.Remove(band.Count());
    band.At(band.Count()).DrawRow(&display.Canvas(), &document.Grid());
    display.RedrawBand();
    EXPECT_EQ(display.Canvas().Image(), FullRedraw());
    EXPECT_EQ(document.Grid().Rows(), band.Count());
}

TEST_F(DisplayTest, pixels_match_the_block_outlines) {
    display.RedrawBand();
    const QImage& image = display.Canvas().Image();
    // row 1 is woven from hole order 1 and forward: A shows; card 3 of row 2 shows D
    const Block& first = *State().CurrentBand->At(1).Blocks().begin();
    const Outline points = first.Points();
    EXPECT_EQ(points[0], (CanvasPoint{20, 980}));
    EXPECT_EQ(image.pixelColor(25, 975), RasterCanvas::ToQColor(first.BlockColor));
    EXPECT_EQ(image.pixelColor(20, 975), QColor(80, 80, 80));
    EXPECT_EQ(image.pixelColor(25, 995), QColor(255, 255, 255));  // below the band
}

}  // namespace
}  // namespace tessaly
