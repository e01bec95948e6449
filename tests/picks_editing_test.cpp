#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "engine/PicksEditing.h"
#include "engine/Twist.h"

namespace tessaly {
namespace {

std::int32_t Below(std::mt19937& random, std::int32_t n) {
    return static_cast<std::int32_t>(random() % static_cast<std::uint32_t>(n));
}

// An edit of any kind, as the instructions make them, with the steps it gives the band.
PicksEdit RandomEdit(std::mt19937& random, const Band& band, WeavingSteps& steps) {
    const std::int32_t picks = band.Count() - 1;
    const std::int32_t cards = band.At(1).Cards().Count();
    // a band of one pick grows first, so there is always a pick to change or take out
    switch (picks < 2 ? 1 : random() % 4) {
        case 0: {
            std::vector<CellChange> changes;
            for (int i = 0, n = 1 + Below(random, 6); i < n; ++i) {
                const PickCell cell{1 + Below(random, picks), 1 + Below(random, cards)};
                CellChange change{cell, std::nullopt, random() % 3 == 0};
                if (random() % 3 != 0) change.turn = Below(random, 3);
                CardStep& step = steps.picks[static_cast<std::size_t>(cell.pick - 1)]
                                            [static_cast<std::size_t>(cell.card - 1)];
                if (change.turn) step.turn = *change.turn;
                if (change.toggleFlip) step.flip = !step.flip;
                changes.push_back(change);
            }
            return ChangeCells(band, changes);
        }
        case 1: {
            const std::int32_t at = 1 + Below(random, picks + 1);
            std::vector<PickSteps> added =
                test::RandomSteps(random, cards, 1 + Below(random, 3)).picks;
            steps.picks.insert(steps.picks.begin() + (at - 1), added.begin(), added.end());
            return InsertPicks(band, at, added);
        }
        case 2: {
            std::vector<std::int32_t> gone;
            for (int i = 0, n = 1 + Below(random, std::min(4, picks - 1)); i < n; ++i)
                gone.push_back(1 + Below(random, picks));
            std::vector<std::int32_t> sorted = gone;
            std::sort(sorted.begin(), sorted.end());
            sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
            for (auto pick = sorted.rbegin(); pick != sorted.rend(); ++pick)
                steps.picks.erase(steps.picks.begin() + (*pick - 1));
            return DeletePicks(band, gone);
        }
        default: {
            const std::int32_t first = 1 + Below(random, picks);
            const std::int32_t last = std::min(picks, first + Below(random, 3));
            const std::vector<PickSteps> block(steps.picks.begin() + (first - 1),
                                               steps.picks.begin() + last);
            for (int i = 0; i < 2; ++i)
                steps.picks.insert(steps.picks.begin() + last + i * (last - first + 1),
                                   block.begin(), block.end());
            return RepeatPicks(band, first, last, 2);
        }
    }
}

TEST(picks_editing_test, an_edit_made_in_place_is_the_band_its_steps_weave_and_undoes_exactly) {
    std::mt19937 random(5);
    for (int round = 0; round < 60; ++round) {
        WeavingSteps steps = test::RandomSteps(random, 1 + round % 7, 3 + Below(random, 25));
        Band band = WeaveSteps(steps);
        // each edit on the band the ones before it left; then all undone from the last
        std::vector<std::pair<PicksEdit, PicksEditRecord>> made;
        std::vector<std::vector<Cards>> before;
        for (int e = 0; e < 4; ++e) {
            before.push_back(test::DecksOf(band));
            PicksEdit edit = RandomEdit(random, band, steps);
            const std::vector<std::int32_t> twist = NetTwist(band);
            PicksEditRecord record = ApplyPicksEdit(band, edit);
            ASSERT_EQ(test::DecksOf(band), test::DecksOf(WeaveSteps(steps))) << round << "/" << e;
            // the record says what the edit did to the twist
            std::vector<std::int32_t> expected = twist;
            for (std::size_t c = 0; c < expected.size(); ++c) expected[c] += record.change.twist[c];
            EXPECT_EQ(NetTwist(band), expected);
            for (std::int32_t r = 2; r <= band.Count(); ++r)
                ASSERT_EQ(band.At(r).PrevRow(), &band.At(r - 1));
            made.emplace_back(std::move(edit), std::move(record));
        }
        for (int e = 3; e >= 0; --e) {
            UndoPicksEdit(band, made[static_cast<std::size_t>(e)].first,
                          made[static_cast<std::size_t>(e)].second);
            ASSERT_EQ(test::DecksOf(band), before[static_cast<std::size_t>(e)])
                << round << "/" << e;
        }
        for (std::int32_t r = 1; r <= band.Count(); ++r) EXPECT_EQ(band.At(r).Number(), r);
    }
}

TEST(picks_editing_test, rows_their_steps_would_not_weave_are_kept_above_the_edit_and_put_back) {
    // a file may hold rows whose colours no flip explains: an edit weaves a card again only
    // as far as it changes, and undoing it gives every such card back
    std::mt19937 random(9);
    for (int round = 0; round < 40; ++round) {
        WeavingSteps steps = test::RandomSteps(random, 2 + round % 5, 6 + Below(random, 20));
        Band band = WeaveSteps(steps);
        for (int i = 0; i < 6; ++i) {
            Card& card = band.At(2 + Below(random, band.Count() - 1))
                             .Cards()
                             .At(1 + Below(random, band.At(1).Cards().Count()));
            card.SetColor(kHoleA, 900 + i);
        }
        const std::vector<Cards> before = test::DecksOf(band);
        PicksEdit edit = RandomEdit(random, band, steps);
        const PicksEditRecord record = ApplyPicksEdit(band, edit);
        UndoPicksEdit(band, edit, record);
        ASSERT_EQ(test::DecksOf(band), before) << round;
    }
}

TEST(picks_editing_test, a_row_changed_after_the_band_was_found_regular_is_kept_through_an_edit) {
    // an edit finds the band's rows all follow their steps and keeps nothing; a card changed
    // afterwards by other means must make the next edit look again
    std::mt19937 random(13);
    WeavingSteps steps = test::RandomSteps(random, 4, 12);
    Band band = WeaveSteps(steps);
    PicksEdit first = InsertPicks(band, 2, CopyPicks(band, 5, 5));
    ASSERT_TRUE(band.RowsFollowTheirSteps());
    ApplyPicksEdit(band, first);
    EXPECT_TRUE(band.RowsFollowTheirSteps());
    band.At(9).Cards().At(3).SetColor(kHoleA, 901);
    EXPECT_FALSE(band.RowsFollowTheirSteps());
    const std::vector<Cards> before = test::DecksOf(band);
    const PicksEdit second = ChangeCells(band, {{{1, 3}, std::nullopt, true}});
    const PicksEditRecord record = ApplyPicksEdit(band, second);
    UndoPicksEdit(band, second, record);
    EXPECT_EQ(test::DecksOf(band), before);
}

TEST(picks_editing_test, a_turn_changed_low_in_a_long_band_weaves_only_that_card_again) {
    WeavingSteps steps;
    steps.threading = test::MakeDeck(3, Forward, SThread, 1);
    steps.picks.assign(200, PickSteps(3, {Forward, false, 1}));
    Band band = WeaveSteps(steps);
    const std::vector<Cards> before = test::DecksOf(band);
    const PicksEditRecord record =
        ApplyPicksEdit(band, ChangeCells(band, {{{1, 2}, Backward, false}}));
    // card 2 turns back once instead of forward: two hole orders behind in every row above
    for (std::int32_t r = 2; r <= band.Count(); ++r) {
        EXPECT_EQ(band.At(r).Cards().At(1), before[static_cast<std::size_t>(r - 1)].At(1));
        EXPECT_EQ(band.At(r).Cards().At(2).HoleOrder(),
                  (before[static_cast<std::size_t>(r - 1)].At(2).HoleOrder() + 2) % 4);
    }
    EXPECT_EQ(record.change.twist, (std::vector<std::int32_t>{0, -2, 0}));
    EXPECT_EQ(record.change.cards, (std::vector<std::int32_t>{2}));
    // an idle pick inserted leaves every card standing as it stood: nothing above is woven
    const PicksEditRecord idle =
        ApplyPicksEdit(band, InsertPicks(band, 1, {PickSteps(3, {Idle, false, 1})}));
    EXPECT_EQ(idle.pieces.front().reach, (std::vector<std::int32_t>{2, 2, 2}));
}

TEST(picks_editing_test, a_cell_set_to_its_own_turn_changes_nothing) {
    std::mt19937 random(3);
    const WeavingSteps steps = test::RandomSteps(random, 3, 5);
    const Band band = WeaveSteps(steps);
    const std::int32_t turn = band.At(3).Cards().At(2).Turn();
    EXPECT_FALSE(ChangesRows(band, ChangeCells(band, {{{2, 2}, turn, false}})));
    EXPECT_FALSE(ChangesRows(
        band, ChangeCells(band, {{{2, 2}, std::nullopt, true}, {{2, 2}, std::nullopt, true}})));
    EXPECT_TRUE(ChangesRows(band, ChangeCells(band, {{{2, 2}, std::nullopt, true}})));
    EXPECT_TRUE(ChangesRows(band, DeletePicks(band, {5})));
}

}  // namespace
}  // namespace tessaly
