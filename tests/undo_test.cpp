#include <gtest/gtest.h>

#include <random>

#include "GuiSupport.h"
#include "display/DisplayWindow.h"
#include "document/commands/PaletteCommands.h"
#include "engine/Twist.h"
#include "errors/AppError.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

using namespace test::colors;

using State = test::PatternState;

bool SameDraft(const std::vector<DraftColumn>& a, const std::vector<DraftColumn>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.Color(kHoleA) == y.Color(kHoleA) && x.Color(kHoleB) == y.Color(kHoleB) &&
               x.Color(kHoleC) == y.Color(kHoleC) && x.Color(kHoleD) == y.Color(kHoleD) &&
               x.Thread() == y.Thread();
    });
}

void ExpectState(const State& shown, const State& expected, const std::string& where) {
    // a difference in the decks is only named: printing thousands of cards says nothing
    EXPECT_EQ(shown.decks.size(), expected.decks.size()) << where;
    EXPECT_TRUE(shown.decks == expected.decks) << where;
    EXPECT_TRUE(shown.threading == expected.threading) << where;
    EXPECT_EQ(shown.name, expected.name) << where;
    EXPECT_EQ(shown.sequence, expected.sequence) << where;
    EXPECT_TRUE(SameDraft(shown.draft, expected.draft)) << where;
    EXPECT_TRUE(shown.instructions == expected.instructions) << where;
    EXPECT_EQ(shown.reversed, expected.reversed) << where;
    EXPECT_EQ(shown.twist, expected.twist) << where;
    EXPECT_TRUE(shown.extras == expected.extras) << where;
}

class UndoTest : public ::testing::Test {
  protected:
    UndoTest() {
        test::LoadWoven(document, test::MakeDeck(6, Forward, SThread, 1), "FFBB");
        display.resize(300, 400);
        display.show();
    }
    void ExpectDisplayRedrawn(const std::string& where) {
        const QImage shown = display.Canvas().Image();
        EXPECT_EQ(shown, test::FullRedraw(document, shown.size())) << where;
    }
    tessaly::History& Stack() { return session.History(); }
    // The last row's deck with some cards turned backward and some flipped over.
    Cards NextPick(std::mt19937& random) {
        const Band& band = document.CurrentBand();
        Cards deck = band.At(band.Count()).Cards();
        for (Card& card : deck) {
            card.SetTurn(random() % 2 == 0 ? Forward : Backward);
            if (random() % 8 == 0) card.SetThread(OtherThreading(card.Thread()));
        }
        return deck;
    }

    test::ReportRecorder recorder;
    PatternSession session;
    test::Driver document{session};
    DisplayWindow display{session};
};

TEST_F(UndoTest, random_sessions_undo_to_the_start_and_redo_to_the_end) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        test::LoadWoven(document, test::MakeDeck(6, Forward, SThread, 1), "FFBB");
        std::mt19937 random(seed);
        // the state at each index of the stack
        std::vector<State> states{State(document)};
        std::vector<std::string> made{"start"};  // the step that led to each state
        int op = 0;
        const auto record = [&] {
            states.resize(static_cast<std::size_t>(Stack().Index()) + 1, State(document));
            made.resize(states.size());
            states.back() = State(document);
            made.back() = std::to_string(op) + " " + Stack().UndoText().toStdString();
        };
        for (int step = 0; step < 60; ++step) {
            op = static_cast<int>(random() % 15);
            try {
                switch (op) {
                    case 0:
                    case 1:
                        document.AddPick(NextPick(random));
                        break;
                    case 2:
                        document.RemovePick();
                        break;
                    case 3:
                        document.ApplyThreading();
                        break;
                    case 4:
                        if (document.TurnSequence().empty()) {
                            document.SetTurnSequence("FB");
                            record();
                        }
                        document.WeaveAll();
                        break;
                    case 5:
                        document.ReplaceColors();
                        break;
                    case 6:
                        document.Reverse();
                        break;
                    case 7:
                        document.PaintDraft({{static_cast<std::int32_t>(random() % 6) + 1,
                                              static_cast<int>(random() % 4)}},
                                            random() % 2 == 0 ? kRed : kBlue, random() % 2 == 0);
                        break;
                    case 8:
                        document.ToggleThreading(static_cast<std::int32_t>(random() % 6) + 1);
                        break;
                    case 9:
                        document.SetCardCount(static_cast<std::int32_t>(random() % 4) + 4);
                        break;
                    case 10:
                        document.SetBandName(document.BandName() + "x");
                        break;
                    case 11:
                        document.SetTurnSequence(random() % 3 == 0 ? "" : "FFB");
                        break;
                    case 12: {
                        // a palette colour changed everywhere it is used
                        const DraftColumn& column = document.Draft()[static_cast<std::size_t>(
                            random() % document.Draft().size())];
                        session.Run<ChangeColor>(column.Color(static_cast<int>(random() % 4)),
                                                 random() % 2 == 0 ? kRed : 0x123456, 1);
                        break;
                    }
                    case 13: {
                        PatternExtras extras = document.Document().Extras();
                        extras.notes += "n";
                        session.Run<EditExtras>(EditExtras::Kind::Notes, std::move(extras));
                        break;
                    }
                    default:
                        // a step undone, then others made in its place
                        Stack().Undo();
                }
            } catch (const AppError&) {
                // refused: nothing changed, nothing recorded
            }
            record();
            // kept up pick by pick, the twist is what counting the whole band gives
            EXPECT_EQ(document.NetTwist(), NetTwist(document.CurrentBand())) << made.back();
        }
        const std::string where = "seed " + std::to_string(seed);
        for (int i = Stack().Index(); i > 0; --i) {
            Stack().Undo();
            ExpectState(State(document), states[static_cast<std::size_t>(i) - 1],
                        where + ", undoing " + made[static_cast<std::size_t>(i)]);
            ExpectDisplayRedrawn(where);
        }
        EXPECT_FALSE(document.PatternChanged()) << where;
        for (int i = 1; i < static_cast<int>(states.size()); ++i) {
            Stack().Redo();
            ExpectState(State(document), states[static_cast<std::size_t>(i)],
                        where + ", redone to " + std::to_string(i));
        }
        ExpectDisplayRedrawn(where);
    }
    EXPECT_TRUE(recorder.Empty()) << recorder.Where();
}

TEST_F(UndoTest, steps_say_what_they_undo) {
    document.AddPick(test::MakeDeck(6, Backward, SThread, 1));
    const std::int32_t pick = document.CurrentBand().Count() - 1;
    EXPECT_EQ(Stack().UndoText(), QString("Weave pick %1").arg(pick));
    document.RemovePick();
    EXPECT_EQ(Stack().UndoText(), QString("UnWeave pick %1").arg(pick));
    document.ApplyThreading();
    EXPECT_EQ(Stack().UndoText(), "Apply");
    document.PaintDraft({{1, 0}}, kRed);
    EXPECT_EQ(Stack().UndoText(), "Paint");
    Stack().Undo();
    EXPECT_EQ(Stack().RedoText(), "Paint");
}

TEST_F(UndoTest, a_stroke_is_one_step_and_typing_is_one_step) {
    const auto before = document.Draft();
    const int steps = Stack().Count();
    document.PaintDraft({{1, 0}}, kRed);
    document.PaintDraft({{2, 0}}, kRed, true);
    document.PaintDraft({{3, 0}}, kRed, true);
    EXPECT_EQ(Stack().Count(), steps + 1);
    document.PaintDraft({{4, 0}}, kRed);  // a new press
    EXPECT_EQ(Stack().Count(), steps + 2);
    Stack().Undo();
    Stack().Undo();
    EXPECT_TRUE(SameDraft(document.Draft(), before));

    document.SetBandName("B");
    document.SetBandName("Ba");
    document.SetBandName("Band");
    EXPECT_EQ(Stack().Count(), steps + 1);
    Stack().Undo();
    EXPECT_EQ(document.BandName(), "Test");
}

TEST_F(UndoTest, undoing_to_the_saved_state_leaves_nothing_to_save) {
    EXPECT_FALSE(document.PatternChanged());
    document.AddPick(test::MakeDeck(6, Backward, SThread, 1));
    EXPECT_TRUE(document.PatternChanged());
    Stack().Undo();
    EXPECT_FALSE(document.PatternChanged());
    Stack().Redo();
    EXPECT_TRUE(document.PatternChanged());
    document.SetPatternChanged(false);  // saved
    Stack().Undo();
    EXPECT_TRUE(document.PatternChanged());
    Stack().Redo();
    EXPECT_FALSE(document.PatternChanged());

    // the face shown and the draft are not stored: they change nothing to save
    document.PaintDraft({{1, 1}}, kGreen);
    document.Reverse();
    EXPECT_FALSE(document.PatternChanged());
    // a face turned and back again is no step at all; a name typed and rubbed out neither
    const int steps = Stack().Count();
    document.Reverse();
    EXPECT_EQ(Stack().Count(), steps - 1);
    document.SetBandName("Testx");
    EXPECT_TRUE(document.PatternChanged());
    document.SetBandName("Test");
    EXPECT_EQ(Stack().Count(), steps - 1);
    EXPECT_FALSE(document.PatternChanged());
}

TEST_F(UndoTest, opening_a_pattern_forgets_the_history) {
    document.AddPick(test::MakeDeck(6, Backward, SThread, 1));
    ASSERT_TRUE(Stack().CanUndo());
    test::LoadWoven(document, test::MakeDeck(4, Forward, SThread, 1), "FB");
    EXPECT_FALSE(Stack().CanUndo());
    EXPECT_FALSE(Stack().CanRedo());
    EXPECT_FALSE(document.PatternChanged());
}

TEST_F(UndoTest, history_keeps_at_most_twice_the_band) {
    // a hand-woven band of 3,000 picks by 200 cards; each recolouring keeps the band it replaced
    auto rows = std::make_unique<Band>();
    const Cards deck = test::MakeDeck(200, Forward, SThread, 1);
    for (int r = 1; r <= 3001; ++r) rows->Add(deck, r);
    test::LoadRows(document, std::move(rows));
    const std::int64_t band = BandBytes(document.CurrentBand());
    ASSERT_GT(2 * band, History::kMinBudget);
    for (int i = 0; i < 6; ++i) {
        document.PaintDraft({{1, 0}}, i % 2 == 0 ? kRed : kBlue);
        document.ReplaceColors();
        EXPECT_LE(session.History().HeldBytes(), 2 * band + band / 10);
    }
    // the oldest steps went, and the saved state with them
    EXPECT_LT(Stack().Count(), 12);
    EXPECT_TRUE(document.PatternChanged());
    const State last(document);
    int kept = 0;
    for (; Stack().CanUndo(); ++kept) Stack().Undo();
    EXPECT_EQ(kept, Stack().Count());
    EXPECT_TRUE(document.PatternChanged());  // still not the band that was opened
    ExpectDisplayRedrawn("undone after trimming");
    while (Stack().CanRedo()) Stack().Redo();
    ExpectState(State(document), last, "redone after trimming");
    ExpectDisplayRedrawn("redone after trimming");
}

TEST_F(UndoTest, a_long_band_replaced_by_a_short_one_stays_in_reach) {
    // hand weaving of 3,000 picks by 200 cards, then Simple Weave makes a short band
    auto rows = std::make_unique<Band>();
    Cards deck = test::MakeDeck(200, Forward, SThread, 1);
    for (int r = 1; r <= 3001; ++r) rows->Add(deck, r);
    test::LoadRows(document, std::move(rows));
    const auto handWoven = test::DecksOf(document.CurrentBand());
    document.SetTurnSequence("FFBB");
    ASSERT_TRUE(document.WeaveAll());
    // the short band alone would allow no more than the least budget
    ASSERT_LT(2 * BandBytes(document.CurrentBand()), History::kMinBudget);
    // more edits after it: a face turned, a name typed
    document.Reverse();
    document.SetBandName("Longer");
    document.Reverse();
    document.SetBandName("Longer still");
    while (Stack().CanUndo()) Stack().Undo();
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), handWoven);
    EXPECT_FALSE(document.PatternChanged());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

using namespace test::colors;

TEST(CommandTest, a_command_started_while_another_is_at_work_is_refused) {
    // a window that hears of an undo and answers with a command of its own would change the
    // stack under the step being undone
    PatternSession session;
    test::Driver document{session};
    test::LoadWoven(document, test::MakeDeck(4), "FB");
    document.SetBandName("First");
    int answered = 0;
    QObject::connect(&session.Document(), &PatternDocument::bandNameChanged, [&] {
        if (session.Run<EditText>(EditText::Field::BandName, "Echo")) ++answered;
    });
    session.History().Undo();
    EXPECT_EQ(document.BandName(), "Test");
    EXPECT_EQ(answered, 0);
    EXPECT_EQ(session.History().Count(), 1);
    session.History().Redo();
    EXPECT_EQ(document.BandName(), "First");
}

TEST(CommandTest, steps_kept_after_the_oldest_were_forgotten_undo_and_redo_as_before) {
    // a long band so that a few recolourings pass the budget; typing between them, and a save
    PatternSession session;
    test::Driver document{session};
    auto rows = std::make_unique<Band>();
    const Cards deck = test::MakeDeck(200, Forward, SThread, 1);
    for (int r = 1; r <= 3001; ++r) rows->Add(deck, r);
    test::LoadRows(document, std::move(rows));
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i) {
        document.PaintDraft({{1, 0}}, i % 2 == 0 ? kRed : kBlue);
        document.ReplaceColors();
        names.push_back("Band " + std::to_string(i));
        document.SetBandName(names.back());
        if (i == 3) document.SetPatternChanged(false);  // saved here
    }
    ASSERT_LT(session.History().Count(), 15);  // some were forgotten
    EXPECT_TRUE(document.PatternChanged());
    History& stack = session.History();
    stack.Undo();  // the last name
    EXPECT_EQ(document.BandName(), "Band 3");
    stack.Undo();  // the last recolouring
    EXPECT_EQ(document.CurrentBand().At(2).Cards().At(1).Color(kHoleA), kBlue);
    // only the paint, which no file holds, stands between here and the save
    EXPECT_FALSE(document.PatternChanged());
    stack.Undo();
    EXPECT_FALSE(document.PatternChanged());
    stack.Undo();
    EXPECT_EQ(document.BandName(), "Band 2");
    EXPECT_TRUE(document.PatternChanged());
    while (stack.CanRedo()) stack.Redo();
    EXPECT_EQ(document.BandName(), "Band 4");
    EXPECT_EQ(document.CurrentBand().At(2).Cards().At(1).Color(kHoleA), kRed);
}

}  // namespace
}  // namespace tessaly
