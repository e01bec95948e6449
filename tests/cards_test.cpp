#include "model/Cards.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

TEST(cards_test, copy_appends_an_independent_field_exact_copy) {
    Cards source = test::MakeDeck(3, Backward, ZThread, 2);
    source.At(1).SetTurn(Forward);
    Cards target = test::MakeDeck(2);
    target.Copy(&source);
    ASSERT_EQ(target.Count(), 5);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(target.At(i + 2), source.At(i));
    source.At(1).SetColor(kHoleA, -5);
    EXPECT_NE(target.At(3).Color(kHoleA), -5);
}

TEST(cards_test, copying_a_deck_into_itself_doubles_it) {
    Cards deck = test::MakeDeck(2);
    deck.Copy(&deck);
    ASSERT_EQ(deck.Count(), 4);
    EXPECT_EQ(deck.At(3), deck.At(1));
}

TEST(cards_test, item_outside_the_deck_is_reported_and_yields_no_card) {
    test::ReportRecorder recorder;
    Cards deck = test::MakeDeck(2);
    EXPECT_EQ(deck.Item(0), nullptr);
    EXPECT_EQ(deck.Item(3), nullptr);
    deck.Remove(5);
    ASSERT_EQ(recorder.Reports().size(), 3u);
    EXPECT_EQ(recorder.Where(0), "Cards.Item");
    EXPECT_EQ(recorder.Reports()[0].number, 9);
    EXPECT_EQ(recorder.Where(2), "Cards.Remove");
    EXPECT_EQ(deck.Count(), 2);
}


}  // namespace
}  // namespace tessaly
