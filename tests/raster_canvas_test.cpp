#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/TurningInstructions.h"
#include "engine/Threading.h"
#include "render/RasterCanvas.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};

Band WovenBand() {
    Band band;
    Cards deck = test::MakeDeck(6, 0, SThread, 0);
    deck.At(2).SetThread(ZThread);
    deck.At(5).SetThread(ZThread);
    RasterCanvas scratch(10, 10);
    band.WeaveAll(deck, &scratch, "FFFBBFB", kScreen);
    return band;
}

TEST(raster_canvas_test, painting_last_block_first_gives_the_same_picture) {
    for (const DrawingGeometry& geometry :
         {kScreen, DrawingGeometry{1, 1, 0, 0}, DrawingGeometry{23, 23, 0, 0},
          DrawingGeometry{10, 10, 300, 0}}) {
        Band band = WovenBand();
        const int width = BandCanvasWidth(6, geometry);
        RasterCanvas deferred(width, 1000);
        RasterCanvas inOrder(width, 1000);
        inOrder.SetDeferred(false);
        band.WeaveBand(&deferred, geometry);
        band.WeaveBand(&inOrder, geometry);
        EXPECT_EQ(deferred.Image(), inOrder.Image()) << geometry.BlockSize;
    }
}

TEST(raster_canvas_test, a_long_queue_is_painted_part_way_with_the_same_result) {
    // more blocks than the queue holds: a band of 2,000 rows of 40 cards at block size 1
    Band band;
    Cards deck = test::MakeDeck(40, 0, SThread, 0);
    for (int r = 1; r <= 2000; ++r) {
        for (Card& card : deck) card.SetTurn((r / 3 + card.Position()) % 2);
        band.Add(deck, r);
    }
    const DrawingGeometry small{1, 1, 0, 0};
    RasterCanvas deferred(BandCanvasWidth(40, small), 5000);
    RasterCanvas inOrder(BandCanvasWidth(40, small), 5000);
    inOrder.SetDeferred(false);
    band.WeaveBand(&deferred, small);
    band.WeaveBand(&inOrder, small);
    ASSERT_GT(2000u * 40u, RasterCanvas::kMaxQueued);
    EXPECT_EQ(deferred.Image(), inOrder.Image());
}

TEST(raster_canvas_test, pixels_follow_the_block_outlines) {
    Band band;
    Cards deck = test::MakeDeck(2, 0, SThread, 0);  // hole order 0, forward: BColor shows
    deck.At(1).SetColor(kHoleB, 0x0000FF);          // red
    deck.At(2).SetColor(kHoleB, 0xFF0000);          // blue
    RasterCanvas canvas(BandCanvasWidth(2, kScreen), 1000);
    band.WeaveRow(deck, &canvas, kScreen);
    const QImage& image = canvas.Image();
    // card 1 spans x 20..30, card 2 x 30..40; row 1's base line is at y 980
    EXPECT_EQ(image.pixelColor(25, 900), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(35, 10), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(20, 500), QColor(80, 80, 80));  // shared edges are outlined
    EXPECT_EQ(image.pixelColor(30, 500), QColor(80, 80, 80));
    EXPECT_EQ(image.pixelColor(25, 980), QColor(80, 80, 80));  // bottom edge
    EXPECT_EQ(image.pixelColor(25, 990), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(10, 500), QColor(255, 255, 255));  // the margin
}

TEST(raster_canvas_test, clear_drops_queued_blocks) {
    RasterCanvas canvas(50, 100);
    canvas.SetFillColor(0x0000FF);
    canvas.Polygon({{{20, 80}, {30, 80}, {30, 0}, {20, 0}}});
    canvas.Clear();
    EXPECT_EQ(canvas.Image().pixelColor(25, 50), QColor(255, 255, 255));
}

TEST(raster_canvas_test, other_shapes_are_painted_in_order_too) {
    RasterCanvas canvas(50, 100);
    canvas.SetFillColor(0x0000FF);
    canvas.Polygon({{{20, 80}, {30, 80}, {30, 0}, {20, 0}}});
    canvas.SetFillColor(0x00FF00);
    canvas.Polygon({{{0, 60}, {49, 60}, {49, 40}, {0, 30}}});  // not a block: painted directly
    EXPECT_EQ(canvas.Image().pixelColor(25, 50), QColor(0, 255, 0));
    EXPECT_EQ(canvas.Image().pixelColor(25, 70), QColor(255, 0, 0));
}

}  // namespace
}  // namespace tessaly
