#include "engine/Twist.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

// A band of the threading and one row per pick; each letter of a pick turns one card.
Band Woven(int cards, const std::vector<std::string>& picks) {
    Band band;
    Cards deck = test::MakeDeck(cards, Forward, SThread, 0);
    band.Add(deck, 1);
    int row = 1;
    for (const std::string& pick : picks) {
        for (int i = 0; i < cards; ++i)
            deck.At(i + 1).SetTurn(pick[static_cast<std::size_t>(i)] == 'B' ? Backward : Forward);
        band.Add(deck, ++row);
    }
    return band;
}

TEST(net_twist_test, counted_by_hand) {
    // all forward: one twist a pick
    EXPECT_EQ(NetTwist(Woven(3, {"FFF", "FFF", "FFF", "FFF", "FFF"})),
              (std::vector<std::int32_t>{5, 5, 5}));
    // FFBB repeated turns back out to nothing
    EXPECT_EQ(NetTwist(Woven(2, {"FF", "FF", "BB", "BB", "FF", "FF", "BB", "BB"})),
              (std::vector<std::int32_t>{0, 0}));
    // cards in different packs: card 1 always forward, card 2 FB, card 3 backward
    EXPECT_EQ(NetTwist(Woven(3, {"FFB", "FBB", "FFB", "FBB"})),
              (std::vector<std::int32_t>{4, 0, -4}));
    // the threading alone has no twist
    EXPECT_EQ(NetTwist(Woven(4, {})), (std::vector<std::int32_t>{0, 0, 0, 0}));
    EXPECT_TRUE(NetTwist(Band()).empty());
}

TEST(net_twist_test, a_pick_added_and_taken_off_again_changes_nothing) {
    const Band band = Woven(3, {"FBF", "BBF"});
    std::vector<std::int32_t> twist = NetTwist(band);
    const std::vector<std::int32_t> before = twist;
    const Cards& last = band.At(3).Cards();
    AddPickTwist(twist, last, 1);
    EXPECT_EQ(twist, (std::vector<std::int32_t>{-1, -3, 3}));
    AddPickTwist(twist, last, -1);
    EXPECT_EQ(twist, before);
}

}  // namespace
}  // namespace tessaly
