#include <gtest/gtest.h>

#include <string>

#include "engine/ChartEdits.h"
#include "engine/ChartTurns.h"
#include "errors/AppError.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

// A chart from rows of text, the first row woven first: 'X' the foreground, '.' the background.
std::vector<std::vector<bool>> Cells(const std::vector<std::string>& rows) {
    std::vector<std::vector<bool>> cells;
    for (const std::string& row : rows) {
        std::vector<bool> line;
        for (const char cell : row) line.push_back(cell == 'X');
        cells.push_back(line);
    }
    return cells;
}

// Each card's turns as letters, "FFBB|BBFF|…".
std::string Letters(const std::vector<std::vector<std::int32_t>>& turns) {
    std::string letters;
    const std::size_t cards = turns.empty() ? 0 : turns.front().size();
    for (std::size_t card = 0; card < cards; ++card) {
        if (card > 0) letters += '|';
        for (const auto& pick : turns) letters += pick[card] == Forward ? 'F' : 'B';
    }
    return letters;
}

std::string DoubleFaced(const std::vector<std::string>& rows) {
    return Letters(ChartTurns({ChartWeave::DoubleFaced, Cells(rows), {}, TwillDirection::S}));
}

std::string BrokenTwill(const std::vector<std::string>& rows,
                        const std::vector<std::string>& floats,
                        TwillDirection twill = TwillDirection::S) {
    return Letters(ChartTurns({ChartWeave::BrokenTwill, Cells(rows), Cells(floats), twill}));
}

TEST(chart_turns_test,
     double_faced_cards_turn_the_background_cycle_and_keep_turning_through_a_change) {
    // the background alone: forward twice, back twice, two picks a row
    EXPECT_EQ(DoubleFaced({".", "."}), "FFBB");
    // a single foreground cell: the card keeps turning forward into it and out of it
    EXPECT_EQ(DoubleFaced({".", "X", "."}), "FFFFFF");
    // a card that starts in the foreground goes back a place first
    EXPECT_EQ(DoubleFaced({"X", "."}), "BBBB");
    // a vertical stripe: every row the same, each card in its own cycle
    EXPECT_EQ(DoubleFaced({".X.", ".X.", ".X."}), "FFBBFF|BBFFBB|FFBBFF");
    // a diagonal: each card meets the foreground a row later than the one before
    EXPECT_EQ(DoubleFaced({"X..", ".X.", "..X"}), "BBBBFF|FFFFFF|FFBBBB");
}

TEST(chart_turns_test,
     broken_twill_cards_start_where_the_twill_runs_and_odd_cards_weave_half_a_row_later) {
    // the background twill: each card one place further round, the other way for Z
    EXPECT_EQ(BrokenTwill({"....", "....", "...."}, {"....", "....", "...."}),
              "FFBB|FBBF|BBFF|BFFB");
    EXPECT_EQ(BrokenTwill({"....", "....", "...."}, {"....", "....", "...."}, TwillDirection::Z),
              "FFBB|BFFB|BBFF|FBBF");
    // a foreground row: the even card reaches it at the row's first pick, the odd one at the
    // previous row's second pick
    EXPECT_EQ(BrokenTwill({"..", "XX", ".."}, {"..", "..", ".."}), "FFFF|FFFF");
    // the chart's last row only completes the odd cards' last pick
    EXPECT_EQ(BrokenTwill({"..", "..", ".X"}, {"..", "..", ".."}), "FFBB|FBBB");
    EXPECT_EQ(BrokenTwill({"..", "..", "X."}, {"..", "..", ".."}), "FFBB|FBBF");
}

TEST(chart_turns_test, a_long_float_adds_half_a_turn_at_its_second_pick) {
    // even card: the second pick of the float's row; odd card: the first pick of its row, the
    // second of its pair woven half a row later
    EXPECT_EQ(BrokenTwill({"..", "..", ".."}, {"X.", "..", ".."}), "FBFF|FBBF");
    EXPECT_EQ(BrokenTwill({"..", "..", ".."}, {".X", "..", ".."}), "FFBB|BFFB");
}

TEST(chart_turns_test, each_kind_threads_its_cards_as_the_chart_needs) {
    const ChartCard doubleA{{true, true, false, false}, false};
    const ChartCard doubleB{{true, true, false, false}, true};
    EXPECT_EQ(ChartThreading(ChartWeave::DoubleFaced, 3),
              (std::vector<ChartCard>{doubleA, doubleB, doubleA}));
    // the weaver's choice of the pair's threading: both S
    EXPECT_EQ(ChartThreading(ChartWeave::DoubleFaced, 2, {true, true}),
              (std::vector<ChartCard>{doubleB, doubleB}));
    // broken twill: the foreground moves round the holes card by card, repeating every four
    const std::vector<ChartCard> twill = ChartThreading(ChartWeave::BrokenTwill, 5);
    const std::vector<std::array<bool, 4>> holes{{true, true, false, false},
                                                 {false, true, true, false},
                                                 {false, false, true, true},
                                                 {false, true, true, false},
                                                 {true, true, false, false}};
    ASSERT_EQ(twill.size(), holes.size());
    for (std::size_t card = 0; card < holes.size(); ++card) {
        EXPECT_EQ(twill[card].foreground, holes[card]) << card;
        EXPECT_TRUE(twill[card].sThreaded);
    }
}

TEST(chart_turns_test, a_chart_of_ragged_rows_is_refused) {
    EXPECT_THROW(ChartTurns({ChartWeave::DoubleFaced, Cells({"..", "."}), {}, TwillDirection::S}),
                 AppError);
    EXPECT_THROW(ChartTurns({ChartWeave::BrokenTwill, Cells({"..", ".."}), Cells({".."}),
                             TwillDirection::S}),
                 AppError);
    EXPECT_EQ(ChartTurns({ChartWeave::BrokenTwill, Cells({".."}), Cells({".."}), TwillDirection::S})
                  .size(),
              0u);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(chart_edits_test,
     blocks_mirror_and_repeat_in_both_layers_and_rows_never_drop_below_the_fewest) {
    TwoColourChart chart = BlankChart(ChartWeave::BrokenTwill, 4, 3);
    ASSERT_EQ(chart.Rows(), 4);  // with the row after the last
    chart.foreground[0] = {true, false, false, false};
    chart.longFloats[0] = {false, true, false, false};
    const ChartArea firstRow{0, 0, 0, 2};
    const TwoColourChart across = MirroredAcross(chart, firstRow);
    EXPECT_EQ(across.foreground[0], (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(across.longFloats[0], (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(MirroredAcross(across, firstRow), chart);
    const TwoColourChart upDown = MirroredUpDown(chart, {0, 2, 0, 0});
    EXPECT_EQ(upDown.foreground[2][0], true);
    EXPECT_EQ(upDown.foreground[0][0], false);
    EXPECT_EQ(MirroredUpDown(upDown, {0, 2, 0, 0}), chart);

    // a 2 x 2 block tiles the chart from where it stands, above and below, left and right
    const TwoColourChart tiled = Repeated(chart, {0, 1, 0, 1});
    for (int r = 0; r < tiled.Rows(); ++r)
        for (int c = 0; c < tiled.Cards(); ++c) {
            EXPECT_EQ(tiled.foreground[r][c], chart.foreground[r % 2][c % 2]) << r << ", " << c;
            EXPECT_EQ(tiled.longFloats[r][c], chart.longFloats[r % 2][c % 2]) << r << ", " << c;
        }
    const TwoColourChart offset = Repeated(chart, {1, 1, 1, 2});  // one row, two cards
    EXPECT_EQ(offset.longFloats[3], (std::vector<bool>{false, false, false, false}));

    const TwoColourChart inserted = WithRowsInserted(chart, 1, 2);
    EXPECT_EQ(inserted.Rows(), 6);
    EXPECT_EQ(inserted.foreground[0], chart.foreground[0]);
    EXPECT_EQ(inserted.longFloats[1], std::vector<bool>(4));
    EXPECT_EQ(WithRowsDeleted(inserted, 1, 2), chart);
    EXPECT_EQ(WithRowsDeleted(chart, 0, 9).Rows(), 2);
    EXPECT_EQ(WithRowsDeleted(BlankChart(ChartWeave::DoubleFaced, 3, 1), 0, 0).Rows(), 1);
    const TwoColourChart grown = Resized(chart, 6, 5);
    EXPECT_EQ(grown.Cards(), 6);
    EXPECT_EQ(grown.longFloats.size(), 5u);
    EXPECT_EQ(Resized(grown, 4, 4), chart);
}

}  // namespace
}  // namespace tessaly
