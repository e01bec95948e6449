#include "engine/Block.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/RecordingCanvas.h"

namespace tessaly {
namespace {

Block MakeBlock(std::int32_t row, std::int16_t number, std::int32_t shape,
                const DrawingGeometry& geometry, std::int32_t bottom = 996) {
    Block block(bottom, row, number, 0x123456);
    block.SetBlockType(shape, geometry);
    return block;
}

Outline Points(std::initializer_list<CanvasPoint> points) {
    Outline outline{};
    std::copy(points.begin(), points.end(), outline.begin());
    return outline;
}

TEST(block_test, outlines_of_the_three_shapes) {
    const DrawingGeometry g{10, 10, 0, 0};
    EXPECT_EQ(MakeBlock(1, 1, OpenThread, g).Points(),
              Points({{20, 976}, {30, 976}, {30, 0}, {20, 0}}));
    EXPECT_EQ(MakeBlock(2, 1, SlantS, g).Points(),
              Points({{20, 946}, {30, 966}, {30, 0}, {20, 0}}));
    EXPECT_EQ(MakeBlock(2, 1, SlantZ, g).Points(),
              Points({{20, 966}, {30, 946}, {30, 0}, {20, 0}}));
    // card 3 of row 4 with a different size, margin and top limit
    const DrawingGeometry h{7, 3, 50, 0};
    EXPECT_EQ(MakeBlock(4, 3, SlantS, h, 1000).Points(),
              Points({{24, 937}, {31, 951}, {31, 50}, {24, 50}}));
}

TEST(block_test, blocks_above_the_top_limit_set_no_outline_and_are_not_drawn) {
    const DrawingGeometry g{10, 10, 0, 0};
    RecordingCanvas canvas;
    // row 50: base line 996 - 1000 = -4, below zero
    const Block flat = MakeBlock(50, 1, OpenThread, g);
    EXPECT_FALSE(flat.HasOutline());
    flat.DrawBlock(&canvas);
    // a slanted block is drawn while one corner still reaches the top limit
    const Block slanted = MakeBlock(50, 1, SlantS, g);
    EXPECT_TRUE(slanted.HasOutline());
    EXPECT_EQ(slanted.Points()[0].y, -14);
    EXPECT_FALSE(MakeBlock(51, 1, SlantS, g).HasOutline());
    EXPECT_TRUE(canvas.Polygons().empty());
}

TEST(block_test, no_block_leaves_the_float_below_showing) {
    // at a reversal the card shows no block: whatever was drawn there stays
    const DrawingGeometry g{10, 10, 0, 0};
    RecordingCanvas canvas;
    MakeBlock(2, 1, SlantS, g).DrawBlock(&canvas);
    const auto below = canvas.Polygons();
    ASSERT_EQ(below.size(), 1u);
    MakeBlock(3, 1, NoBlock, g).DrawBlock(&canvas);
    EXPECT_EQ(canvas.Polygons(), below);
}

TEST(block_test, draw_fills_the_outline_with_the_block_colour) {
    const DrawingGeometry g{10, 10, 0, 0};
    RecordingCanvas canvas;
    const Block block = MakeBlock(1, 2, OpenThread, g);
    block.DrawBlock(&canvas);
    ASSERT_EQ(canvas.Polygons().size(), 1u);
    EXPECT_EQ(canvas.Polygons()[0].fillColor, 0x123456);
    EXPECT_EQ(canvas.Polygons()[0].points, block.Points());
}

TEST(block_test, coordinate_overflow_is_reported_and_the_block_not_drawn) {
    test::ReportRecorder recorder;
    const DrawingGeometry g{2000000000, 10, 0, 0};
    RecordingCanvas canvas;
    const Block block = MakeBlock(1, 2, OpenThread, g);
    block.DrawBlock(&canvas);
    EXPECT_TRUE(canvas.Polygons().empty());
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Where(), "Block.MapOpenThread");
    EXPECT_EQ(recorder.Reports()[0].number, 6);
}

TEST(block_test, drawing_on_no_canvas_is_reported) {
    test::ReportRecorder recorder;
    MakeBlock(1, 1, OpenThread, {10, 10, 0, 0}).DrawBlock(nullptr);
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Where(), "Block.DrawBlock");
    EXPECT_EQ(recorder.Reports()[0].number, 91);
}

TEST(block_test, hex_colour_puts_red_first) {
    EXPECT_EQ(std::string(HexRgb(0x0000FF).data()), "#ff0000");
    EXPECT_EQ(std::string(HexRgb(0xFF0000).data()), "#0000ff");
    EXPECT_EQ(std::string(HexRgb(0x505050).data()), "#505050");
    EXPECT_EQ(std::string(HexRgb(0x01ABCDEF).data()), "#efcdab");
}

}  // namespace
}  // namespace tessaly
