#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/InstructionGrid.h"
#include "engine/RecordingCanvas.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};

TEST(instructions_test, codes_and_formats_after_weaving_ffbb) {
    Band band;
    RecordingCanvas canvas;
    InstructionGrid grid;
    band.WeaveAll(test::MakeDeck(4), &canvas, "FFBB", &grid, kScreen);
    EXPECT_EQ(grid.TextAt(0, 0), "0");
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(grid.TextAt(0, c), "") << "band row 1 writes only its pick number";
        EXPECT_EQ(grid.TextAt(1, c), "F");
        EXPECT_EQ(grid.BackColorAt(1, c), 0xFFFFFF);
        EXPECT_EQ(grid.TextAt(3, c), "B");
        EXPECT_EQ(grid.BackColorAt(3, c), 0xC0C0C0);
        EXPECT_FALSE(grid.BoldAt(3, c));
    }
    EXPECT_EQ(grid.TextAt(1, 0), "1");
    EXPECT_EQ(grid.TextAt(3, 0), "3");
}

TEST(instructions_test, a_vertical_twist_is_starred_and_bold) {
    Band band;
    RecordingCanvas canvas;
    InstructionGrid grid;
    Cards deck = test::MakeDeck(2, Forward, SThread);
    for (int r = 0; r < 5; ++r) band.WeaveRow(deck, &canvas, &grid, kScreen);
    deck.At(2).Thread = ZThread;
    deck.At(2).SetTurn(Backward);
    deck.At(1).SetTurn(Backward);
    band.WeaveRow(deck, &canvas, &grid, kScreen);
    EXPECT_EQ(grid.TextAt(5, 2), "B *");
    EXPECT_TRUE(grid.BoldAt(5, 2));
    EXPECT_EQ(grid.TextAt(5, 1), "B");
    EXPECT_FALSE(grid.BoldAt(5, 1));
}

TEST(instructions_test, reverse_face_mirrors_the_line_and_swaps_directions) {
    Band band;
    RecordingCanvas canvas;
    InstructionGrid grid;
    Cards deck = test::MakeDeck(3, Forward, SThread);
    band.WeaveRow(deck, &canvas, &grid, kScreen);
    deck.At(1).Thread = ZThread;  // card 1 twisted at pick 1
    for (Card& card : deck) card.SetTurn(Forward);
    band.WeaveRow(deck, &canvas, &grid, kScreen);
    EXPECT_EQ(grid.TextAt(1, 1), "F *");
    band.WeaveReverse(&canvas, &grid, kScreen);
    EXPECT_EQ(grid.TextAt(1, 3), "B *");  // card 1 now stands in column 3
    EXPECT_EQ(grid.TextAt(1, 1), "B");
}

TEST(instructions_test, redrawing_a_lower_row_alone_cuts_the_grid_back) {
    Band band;
    RecordingCanvas canvas;
    InstructionGrid grid;
    band.WeaveAll(test::MakeDeck(2), &canvas, "FB", &grid, kScreen);
    ASSERT_GE(band.Count(), 20);
    band.At(10).DrawRow(&canvas, &grid, kScreen);
    EXPECT_EQ(grid.Rows(), 10);
}

TEST(instruction_grid_test, selection_outside_the_grid_raises_error_9) {
    InstructionGrid grid;
    grid.SetRows(2);
    grid.SetCols(3);
    EXPECT_THROW(grid.SetRow(2), AppError);
    EXPECT_THROW(grid.SetCol(-1), AppError);
    EXPECT_THROW(grid.SetRows(-1), AppError);
    grid.SetRow(1);
    grid.SetCol(2);
    grid.SetText("x");
    grid.SetCols(5);  // widening keeps what was written
    EXPECT_EQ(grid.TextAt(1, 2), "x");
    grid.SetRows(1);
    grid.SetRows(2);  // a row cut off comes back empty
    EXPECT_EQ(grid.TextAt(1, 2), "");
}

TEST(instruction_grid_test, sparse_writes_land_in_the_right_cells) {
    InstructionGrid grid;
    grid.SetCols(201);
    grid.SetRows(10000);
    for (std::int32_t r = 0; r < 10000; r += 97) {
        grid.SetRow(r);
        grid.SetCol(1 + r % 200);
        grid.SetText(r % 2 ? "F *" : "B");
    }
    EXPECT_EQ(grid.TextAt(97, 98), "F *");
}

}  // namespace
}  // namespace tessaly
