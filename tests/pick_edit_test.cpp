#include <gtest/gtest.h>

#include "GuiSupport.h"
#include "display/DisplayWindow.h"
#include "engine/PickSteps.h"
#include "engine/RecordingCanvas.h"
#include "patternfile/PatternWriter.h"
#include "weave/PackChoices.h"

namespace tessaly {
namespace {

// A band of 4 cards woven by hand: F F B B F with card 3 flipped at pick 2 and card 4 idle at
// pick 4.
class PickEditTest : public ::testing::Test {
  protected:
    PickEditTest() {
        WeavingSteps steps;
        steps.threading = test::MakeDeck(4, Forward, SThread, 1);
        const char* turns = "FFBBF";
        for (int p = 0; p < 5; ++p) {
            PickSteps pick(4);
            for (CardStep& step : pick) step.turn = turns[p] == 'F' ? Forward : Backward;
            steps.picks.push_back(pick);
        }
        steps.picks[1][2].flip = true;
        steps.picks[3][3].turn = Idle;
        test::LoadRows(document, std::make_unique<Band>(WeaveSteps(steps)));
    }
    std::string Saved() const {
        return PatternWriter::Format({"Edit", document.TurnSequence(), {}}, document.CurrentBand());
    }
    std::string Letters(std::int32_t pick) const {
        std::string letters;
        for (std::int32_t c = 1; c <= 4; ++c) letters += document.Instructions().Text(pick, c) + "|";
        return letters;
    }

    test::ReportRecorder recorder;
    PatternSession session;
    test::Driver document{session};
};

TEST_F(PickEditTest, a_cell_set_weaves_the_picks_above_it_again) {
    const std::string before = Saved();
    ASSERT_TRUE(document.EditPicks("Set Turn", ChangeCells(document.CurrentBand(),
                                                           {{{2, 1}, Backward, false}})));
    EXPECT_EQ(Letters(2), "B|F|F *|F|");
    EXPECT_EQ(document.History().UndoText(), "Set Turn");
    // card 1 turned back once more: its later hole orders follow, two steps behind
    const Band& band = document.CurrentBand();
    EXPECT_EQ(band.At(6).Cards().At(1).HoleOrder(), (1 + 1 - 1 - 1 - 1 + 1 + 4) % 4);
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{-1, 1, 1, 2}));
    // the edited band is the band the same steps weave
    EXPECT_EQ(test::DecksOf(band), test::DecksOf(WeaveSteps(StepsOf(band))));
    document.History().Undo();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{1, 1, 1, 2}));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PickEditTest, inserting_then_deleting_a_pick_gives_the_same_band_back) {
    const std::string before = Saved();
    const Band& band = document.CurrentBand();
    ASSERT_TRUE(document.EditPicks("Insert Pick 3", InsertPicks(band, 3, CopyPicks(band, 3, 3))));
    EXPECT_EQ(band.Count(), 7);
    EXPECT_EQ(Letters(3), "B|B|B|B|");
    EXPECT_EQ(Letters(4), "B|B|B|B|");
    EXPECT_EQ(Letters(5), "B|B|B|I|");
    ASSERT_TRUE(document.EditPicks("Delete Picks", DeletePicks(band, {4})));
    EXPECT_EQ(Saved(), before);
    ASSERT_TRUE(document.EditPicks("Delete Picks", DeletePicks(band, {4, 5})));
    EXPECT_EQ(band.Count(), 4);
    document.History().Undo();
    document.History().Undo();
    EXPECT_EQ(band.Count(), 7);
    document.History().Undo();
    EXPECT_EQ(Saved(), before);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PickEditTest, the_display_after_each_edit_is_a_full_redraw) {
    DisplayWindow display(session);
    const auto redrawn = [&] {
        return test::FullRedraw(document, display.Canvas().Image().size());
    };
    const Band& band = document.CurrentBand();
    ASSERT_TRUE(document.EditPicks("Set", ChangeCells(band, {{{1, 3}, Idle, false}})));
    EXPECT_EQ(display.Canvas().Image(), redrawn());
    // a cell edit draws only its cards' columns again, each pixel as the whole redraw
    ASSERT_TRUE(document.EditPicks("Flip", ChangeCells(band, {{{2, 2}, std::nullopt, true}})));
    EXPECT_EQ(display.Canvas().Image(), redrawn());
    document.History().Undo();
    EXPECT_EQ(display.Canvas().Image(), redrawn());
    ASSERT_TRUE(document.EditPicks("Delete", DeletePicks(band, {1, 2})));
    EXPECT_EQ(display.Canvas().Image(), redrawn());
    ASSERT_TRUE(document.EditPicks("Repeat", RepeatPicks(band, 1, 3, 3)));
    EXPECT_EQ(display.Canvas().Image(), redrawn());
    document.History().Undo();
    document.History().Undo();
    EXPECT_EQ(display.Canvas().Image(), redrawn());
}

TEST_F(PickEditTest, a_repeat_weaves_from_where_the_cards_stand_and_undoes_whole) {
    const std::string before = Saved();
    const Band& band = document.CurrentBand();
    // picks 1 to 3 turn forward twice and back once: a net turn, so the repeat's hole orders
    // are not those of the picks it repeats
    ASSERT_TRUE(document.EditPicks("Repeat", RepeatPicks(band, 1, 3, 2)));
    EXPECT_EQ(band.Count(), 12);
    EXPECT_EQ(Letters(4), Letters(1));
    EXPECT_EQ(Letters(9), Letters(3));
    EXPECT_NE(band.At(5).Cards().At(1).HoleOrder(), band.At(2).Cards().At(1).HoleOrder());
    EXPECT_EQ(band.At(5).Cards().At(1).HoleOrder(), (band.At(2).Cards().At(1).HoleOrder() + 1) % 4);
    // the old picks 4 and 5 now stand at 10 and 11
    EXPECT_EQ(Letters(10), "B|B|B|I|");
    document.History().Undo();
    EXPECT_EQ(Saved(), before);
}

TEST_F(PickEditTest, turn_over_trades_f_and_b_and_leaves_idle) {
    const Band& band = document.CurrentBand();
    ASSERT_TRUE(document.EditPicks(
        "Turn Over", TurnOverCells(band, {{4, 1}, {4, 2}, {4, 3}, {4, 4}, {5, 1}})));
    EXPECT_EQ(Letters(4), "F|F|F|I|");
    EXPECT_EQ(Letters(5), "B|F|F|F|");
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{1, 3, 3, 2}));
}

TEST_F(PickEditTest, an_edit_makes_a_band_from_a_sequence_one_stored_row_by_row) {
    test::LoadWoven(document, test::MakeDeck(4, Forward, SThread, 1), "FFBB");
    ASSERT_EQ(document.TurnSequence(), "FFBB");
    ASSERT_TRUE(document.EditPicks("Set Turn", ChangeCells(document.CurrentBand(),
                                                           {{{1, 2}, Idle, false}})));
    EXPECT_EQ(document.TurnSequence(), "");
    EXPECT_EQ(document.Instructions().Text(1, 2), "I");
    document.History().Undo();
    EXPECT_EQ(document.TurnSequence(), "FFBB");
    EXPECT_EQ(document.Instructions().Text(1, 2), "F");
}

TEST_F(PickEditTest, an_edited_band_is_what_the_weaving_assistant_weaves) {
    // set cells, insert and delete picks, then weave the same steps in the assistant
    const Band& band = document.CurrentBand();
    ASSERT_TRUE(document.EditPicks("Set", ChangeCells(band, {{{1, 2}, Idle, true},
                                                            {{3, 4}, Forward, false}})));
    ASSERT_TRUE(document.EditPicks("Insert", InsertPicks(band, 2, CopyPicks(band, 4, 5))));
    const WeavingSteps steps = StepsOf(band);

    PackChoices choices;
    Band byHand;
    byHand.Add(steps.threading, 1);
    choices.Build(4);
    for (const PickSteps& pick : steps.picks) {
        choices.Update(byHand.At(byHand.Count()).Cards());
        // every card in a pack of its own turn, flipped as asked
        for (std::int32_t c = 1; c <= 4; ++c) {
            const CardStep& step = pick[static_cast<std::size_t>(c - 1)];
            const int pack = step.turn + 1;
            choices.SetLines(c, pack);
            choices.SetTurn(pack, step.turn);
            if (step.flip) choices.VerticalTwist(c);
        }
        Cards next = choices.NextPick(byHand.At(byHand.Count()).Cards());
        for (std::int32_t c = 1; c <= 4; ++c)
            next.At(c).SetPack(pick[static_cast<std::size_t>(c - 1)].pack);  // packs as stored
        byHand.Add(next, byHand.Count() + 1);
    }
    EXPECT_EQ(test::DecksOf(byHand), test::DecksOf(band));
    RecordingCanvas edited, woven;
    band.WeaveBand(&edited, document.Geometry());
    byHand.WeaveBand(&woven, document.Geometry());
    EXPECT_EQ(edited.Polygons(), woven.Polygons());
}

TEST_F(PickEditTest, edits_outside_the_band_are_refused_and_change_nothing) {
    const Band& band = document.CurrentBand();
    EXPECT_THROW(ChangeCells(band, {{{6, 1}, Forward, false}}), AppError);
    EXPECT_THROW(ChangeCells(band, {{{1, 5}, Forward, false}}), AppError);
    EXPECT_THROW(DeletePicks(band, {0}), AppError);
    EXPECT_THROW(InsertPicks(band, 7, {}), AppError);
    EXPECT_THROW(InsertPicks(band, 1, {PickSteps(3)}), AppError);
    EXPECT_THROW(RepeatPicks(band, 1, 2, 0), AppError);
    EXPECT_FALSE(document.History().CanUndo());
}

TEST_F(PickEditTest, a_card_inserted_then_deleted_gives_the_same_band_back) {
    const std::string before = Saved();
    ASSERT_TRUE(document.EditCards("Insert Card 4", InsertCardOrder(4, 3, true)));
    const Band& band = document.CurrentBand();
    ASSERT_EQ(document.CardCount(), 5);
    ASSERT_EQ(document.Draft().size(), 5u);
    // the copy takes card 3's threading and instructions, flip included
    EXPECT_EQ(Letters(2), "F|F|F *|F *|");
    EXPECT_EQ(band.At(3).Cards().At(4).Key(), 4);
    EXPECT_EQ(band.At(3).Cards().At(5).Position(), 5);
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{1, 1, 1, 1, 2}));
    ASSERT_TRUE(document.EditCards("Delete Cards", DeleteCardsOrder(5, {4})));
    EXPECT_EQ(Saved(), before);
    document.History().Undo();
    document.History().Undo();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(document.Draft().size(), 4u);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(PickEditTest, cards_moved_right_then_left_and_mirrored_twice_come_back) {
    const std::string before = Saved();
    ASSERT_TRUE(document.EditCards("Move Card Right", MoveCardsOrder(4, {3}, 1)));
    EXPECT_EQ(Letters(4), "B|B|I|B|");  // card 4 (idle at pick 4) now stands third
    EXPECT_EQ(document.Draft()[2], DraftFromDeck(document.CurrentBand().At(1).Cards())[2]);
    ASSERT_TRUE(document.EditCards("Move Card Left", MoveCardsOrder(4, {4}, -1)));
    EXPECT_EQ(Saved(), before);
    ASSERT_TRUE(document.EditCards("Mirror Cards", MirrorCardsOrder(4, {1, 2, 3, 4})));
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Thread(), ZThread);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Color(kHoleA), 401);
    EXPECT_EQ(Letters(4), "I|B|B|B|");
    ASSERT_TRUE(document.EditCards("Mirror Cards", MirrorCardsOrder(4, {1, 2, 3, 4})));
    EXPECT_EQ(Saved(), before);
    // at the edge, and with nothing chosen, nothing moves
    EXPECT_THROW(MoveCardsOrder(4, {1}, -1), AppError);
    EXPECT_THROW(DeleteCardsOrder(4, {1, 2, 3, 4}), AppError);
    EXPECT_THROW(MirrorCardsOrder(4, {}), AppError);
}

TEST_F(PickEditTest, a_band_from_a_sequence_keeps_its_sequence_through_card_edits) {
    test::LoadWoven(document, test::MakeDeck(4, Forward, SThread, 1), "FFBB");
    const std::int32_t rows = document.CurrentBand().Count();
    ASSERT_TRUE(document.EditCards("Delete Cards", DeleteCardsOrder(4, {1, 2})));
    EXPECT_EQ(document.TurnSequence(), "FFBB");
    EXPECT_EQ(document.CurrentBand().Count(), rows);
    ASSERT_NE(document.CurrentDeck(), nullptr);
    EXPECT_EQ(document.CurrentDeck()->Count(), 2);
    EXPECT_EQ(document.CurrentDeck()->At(1).Color(kHoleA), 301);
    EXPECT_EQ(DraftFromDeck(document.CurrentBand().At(1).Cards()), document.Draft());
}

}  // namespace
}  // namespace tessaly
