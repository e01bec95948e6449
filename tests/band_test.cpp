#include "engine/Band.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaly {
namespace {

TEST(band_test, rows_link_to_the_row_below) {
    Band band;
    Row* first = band.Add(test::MakeDeck(2), 1);
    Row* second = band.Add(test::MakeDeck(2), 2);
    EXPECT_EQ(first->PrevRow(), nullptr);
    EXPECT_EQ(second->PrevRow(), first);
    EXPECT_EQ(second->Number(), 2);
}

TEST(band_test, a_row_holds_its_own_copy_of_the_deck) {
    Band band;
    Cards deck = test::MakeDeck(2);
    Row* row = band.Add(deck, 1);
    deck.At(1).SetColor(kHoleA, -1);
    EXPECT_NE(row->Cards().At(1).Color(kHoleA), -1);
}

TEST(band_test, enumeration_runs_bottom_row_first) {
    Band band;
    for (int i = 1; i <= 5; ++i) band.Add(test::MakeDeck(1), i);
    std::string keys;
    for (const Row& row : band) keys += std::to_string(row.Number());
    EXPECT_EQ(keys, "12345");
}

TEST(band_test, item_outside_the_band_is_reported) {
    test::ReportRecorder recorder;
    Band band;
    band.Add(test::MakeDeck(1), 1);
    EXPECT_EQ(band.Item(0), nullptr);
    EXPECT_EQ(band.Item(2), nullptr);
    EXPECT_NE(band.Item(1), nullptr);
    ASSERT_EQ(recorder.Reports().size(), 2u);
    EXPECT_EQ(recorder.Where(), "Band.Item");
}

TEST(band_test, removing_a_row_never_leaves_a_dangling_link) {
    Band band;
    for (int i = 1; i <= 3; ++i) band.Add(test::MakeDeck(1), i);
    band.Remove(3);
    EXPECT_EQ(band.Count(), 2);
    EXPECT_EQ(band.At(2).PrevRow(), &band.At(1));
    band.Add(test::MakeDeck(1), 3);
    band.Remove(2);  // from the middle: the rows move, and the one above loses its row below
    EXPECT_EQ(band.At(2).PrevRow(), nullptr);
    band.Remove(1);
    EXPECT_EQ(band.At(1).PrevRow(), nullptr);
    band.Clear();
    band.Clear();
    EXPECT_EQ(band.Count(), 0);
}

}  // namespace
}  // namespace tessaly
