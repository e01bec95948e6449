#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "GuiSupport.h"
#include "model/Directions.h"
#include "weave/PackChoices.h"
#include "weave/PackGrid.h"
#include "weave/WeaveWindow.h"

namespace tessaly {
namespace {

using namespace test::colors;

TEST(pack_choices_test, the_worked_card_flips_over_and_turns) {
    PackChoices choices;
    choices.Build(1);
    Card card = Card::Make(Forward, 1, {kRed, kGreen, kBlue, kWhite}, SThread, 0, 1);
    Cards deck;
    deck.Add(card);
    choices.Update(deck);
    choices.VerticalTwist(1);  // the column now shows Z
    const Cards next = choices.NextPick(deck);
    const Card& woven = next.At(1);
    EXPECT_EQ(woven.Pack(), 1);
    EXPECT_EQ(woven.Color(kHoleA), kGreen);
    EXPECT_EQ(woven.Color(kHoleB), kRed);
    EXPECT_EQ(woven.Color(kHoleC), kWhite);
    EXPECT_EQ(woven.Color(kHoleD), kBlue);
    EXPECT_EQ(woven.Thread(), ZThread);
    EXPECT_EQ(woven.Turn(), Forward);
    EXPECT_EQ(woven.HoleOrder(), 1);

    // an odd hole order trades A with D and B with C
    Card odd = Card::Make(Forward, 1, {kRed, kGreen, kBlue, kWhite}, SThread, 1, 1);
    choices.DetermineTwist(odd);
    EXPECT_EQ(odd.Color(kHoleA), kWhite);
    EXPECT_EQ(odd.Color(kHoleB), kBlue);
    // a pack that is no pack turns nothing
    Card lost = Card::Make(Backward, 1, {kRed, kGreen, kBlue, kWhite}, SThread, 2, 4);
    choices.DetermineTurn(lost);
    EXPECT_EQ(lost.HoleOrder(), 2);
    // the indicator takes the card's own places only
    choices.SetCardPosition(3);
    choices.SetCardPosition(4);
    choices.SetCardPosition(-1);
    EXPECT_EQ(choices.CardPosition(), 3);
    choices.SetCardPosition(5, 6);
    choices.SetCardPosition(6, 6);
    EXPECT_EQ(choices.CardPosition(), 5);
    EXPECT_EQ(choices.CardHoles(), 6);
}

class WeaveWindowTest : public ::testing::Test {
  protected:
    WeaveWindowTest() { Load(test::MakeDeck(4, Forward, SThread, 0)); }

    void Load(const Cards& deck) {
        auto rows = std::make_unique<Band>();
        rows->Add(deck, 1);
        test::LoadRows(document, std::move(rows));
        window.show();
    }
    template <class T>
    T* Control(const QString& name) {
        T* control = window.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QPoint CardPoint(std::int32_t card, int pack) {
        return window.Grid()->CardRect(card, pack).center();
    }
    void ClickCard(std::int32_t card, int pack) {
        QTest::mouseClick(window.Grid(), Qt::LeftButton, {}, CardPoint(card, pack));
    }
    void DoubleClickCard(std::int32_t card, int pack) {
        ClickCard(card, pack);  // a double click starts with its click
        QTest::mouseDClick(window.Grid(), Qt::LeftButton, {}, CardPoint(card, pack));
    }
    void Weave() { QTest::mouseClick(Control<QPushButton>("cmdWeave"), Qt::LeftButton); }
    void Unweave() { QTest::mouseClick(Control<QPushButton>("cmdUnweave"), Qt::LeftButton); }
    const Card& Woven(std::int32_t card) {
        const Band& band = document.CurrentBand();
        return band.At(band.Count()).Cards().At(card);
    }
    int SelectedPosition() {
        for (int i = 0; i < 4; ++i)
            if (Control<QRadioButton>(QString("optCardPosition%1").arg(i))->isChecked()) return i;
        return -1;
    }

    test::ReportRecorder recorder;
    PatternSession session;
    test::Driver document{session};
    WeaveWindow window{session};
};

TEST_F(WeaveWindowTest, two_packs_turned_apart_give_hole_orders_one_and_three) {
    ClickCard(3, 2);
    ClickCard(4, 2);
    QTest::mouseClick(Control<QRadioButton>("optFB2_1"), Qt::LeftButton);
    EXPECT_FALSE(Control<QPushButton>("cmdUnweave")->isEnabled());
    Weave();
    ASSERT_EQ(document.CurrentBand().Count(), 2);
    EXPECT_EQ(Woven(1).Turn(), Forward);
    EXPECT_EQ(Woven(1).HoleOrder(), 1);
    EXPECT_EQ(Woven(2).HoleOrder(), 1);
    EXPECT_EQ(Woven(3).Turn(), Backward);
    EXPECT_EQ(Woven(3).HoleOrder(), 3);
    EXPECT_EQ(Woven(4).Pack(), 2);
    EXPECT_EQ(SelectedPosition(), 1);  // top right
    EXPECT_TRUE(Control<QPushButton>("cmdUnweave")->isEnabled());
    EXPECT_TRUE(document.PatternChanged());
    EXPECT_EQ(Control<QLabel>("lblNextPick")->text(), "Next pick: 2");
    // the instructions say so
    EXPECT_EQ(document.Instructions().Text(1, 1), "F");
    EXPECT_EQ(document.Instructions().Text(1, 3), "B");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, a_pack_on_idle_leaves_its_cards_where_they_are) {
    ClickCard(3, 2);
    ClickCard(4, 2);
    QRadioButton* idle = Control<QRadioButton>("optFB2_2");
    EXPECT_EQ(idle->accessibleName(), "I");
    QTest::mouseClick(idle, Qt::LeftButton);
    Weave();
    EXPECT_EQ(Woven(1).Turn(), Forward);
    EXPECT_EQ(Woven(1).HoleOrder(), 1);
    EXPECT_EQ(Woven(3).Turn(), Idle);
    EXPECT_EQ(Woven(3).HoleOrder(), 0);  // as threaded
    EXPECT_EQ(document.Instructions().Text(1, 1), "F");
    EXPECT_EQ(document.Instructions().Text(1, 3), "I");
    EXPECT_EQ(document.Instructions().Text(1, 4), "I");
    // the pack still idles, as its cards did last
    EXPECT_TRUE(idle->isChecked());
    QTest::mouseClick(Control<QRadioButton>("optFB2_0"), Qt::LeftButton);
    Weave();
    EXPECT_EQ(Woven(3).Turn(), Forward);
    EXPECT_EQ(Woven(3).HoleOrder(), 1);
    EXPECT_EQ(document.Instructions().Text(2, 3), "F");
    // and undo takes the picks off as they were woven
    document.History().Undo();
    EXPECT_TRUE(idle->isChecked());
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{1, 1, 0, 0}));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, after_undo_and_redo_the_packs_show_the_last_pick) {
    DoubleClickCard(2, 1);  // flipped over
    ClickCard(3, 2);        // moved to pack 2, which turns backward
    QTest::mouseClick(Control<QRadioButton>("optFB2_1"), Qt::LeftButton);
    Weave();
    const Cards woven = document.CurrentBand().At(2).Cards();
    document.History().Undo();
    // the packs are those of the threading again: nothing flipped, card 3 back in pack 1
    EXPECT_EQ(window.Choices().At(2).threading, SThread);
    EXPECT_EQ(window.Choices().At(3).pack, 1);
    document.History().Redo();
    EXPECT_EQ(document.CurrentBand().At(2).Cards(), woven);
    EXPECT_EQ(window.Choices().At(2).threading, ZThread);
    EXPECT_EQ(window.Choices().At(3).pack, 2);
    EXPECT_TRUE(Control<QRadioButton>("optFB2_1")->isChecked());
    // the next pick flips nothing that was not double-clicked again
    Weave();
    EXPECT_EQ(document.Instructions().Text(2, 2), "F");
    EXPECT_EQ(document.Instructions().Text(2, 3), "B");
    EXPECT_EQ(Woven(2).Thread(), ZThread);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, a_choice_set_through_the_accessibility_interface_is_woven) {
    // an assistive tool toggles the radio button; it never clicks it
    QAccessibleInterface* backward =
        QAccessible::queryAccessibleInterface(Control<QRadioButton>("optFB1_1"));
    ASSERT_NE(backward, nullptr);
    ASSERT_NE(backward->actionInterface(), nullptr);
    backward->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(Control<QRadioButton>("optFB1_1")->isChecked());
    Weave();
    EXPECT_EQ(Woven(1).Turn(), Backward);
    EXPECT_EQ(document.Instructions().Text(1, 1), "B");
    // the position indicator shows the band; a check set from outside does not stick
    const int shown = SelectedPosition();
    Control<QRadioButton>(QString("optCardPosition%1").arg((shown + 2) % 4))->setChecked(true);
    EXPECT_EQ(SelectedPosition(), shown);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, four_forward_picks_bring_hole_a_round_once) {
    std::vector<int> seen;
    for (int pick = 0; pick < 4; ++pick) {
        Weave();
        seen.push_back(SelectedPosition());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(Woven(1).HoleOrder(), 0);
}

TEST_F(WeaveWindowTest, a_six_hole_card_is_drawn_with_a_going_round_its_six_places) {
    Cards deck = test::MakeDeck(2, Forward, SThread, 0);
    for (Card& card : deck) card.SetHoles(6, kRed);
    Load(deck);
    auto* drawn = Control<QWidget>("picCardPosition");
    EXPECT_TRUE(drawn->isVisible());
    EXPECT_FALSE(Control<QRadioButton>("optCardPosition0")->isVisible());
    QStringList seen;
    for (int pick = 0; pick < 6; ++pick) {
        Weave();
        seen << drawn->accessibleDescription().section(' ', 3, 3);
    }
    EXPECT_EQ(seen.join(' '), "2 3 4 5 6 1");
    EXPECT_EQ(drawn->accessibleDescription(), "A at place 1 of 6, clockwise from the upper left");
    // back to square cards, the corners return
    Load(test::MakeDeck(2, Forward, SThread, 2));
    EXPECT_FALSE(drawn->isVisible());
    EXPECT_EQ(SelectedPosition(), 2);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, a_double_click_moves_the_card_there_and_flips_it) {
    DoubleClickCard(4, 2);  // card 4 stands in pack 1
    EXPECT_EQ(window.Choices().At(4).pack, 2);
    EXPECT_EQ(window.Choices().At(4).threading, ZThread);
    Weave();
    EXPECT_EQ(Woven(4).Thread(), ZThread);
    EXPECT_EQ(Woven(4).Color(kHoleA), 402);  // flipped at hole order 0: A and B traded
    EXPECT_EQ(Woven(4).Color(kHoleB), 401);

    // two double clicks flip nothing
    DoubleClickCard(2, 1);
    DoubleClickCard(2, 1);
    Weave();
    EXPECT_EQ(Woven(2).Thread(), SThread);
}

TEST_F(WeaveWindowTest, unweave_shows_the_last_pick_again_and_never_takes_the_threading) {
    ClickCard(1, 3);
    QTest::mouseClick(Control<QRadioButton>("optFB3_1"), Qt::LeftButton);
    Weave();
    // the weaver changes the choices, then takes the pick back
    ClickCard(1, 1);
    QTest::mouseClick(Control<QRadioButton>("optFB1_1"), Qt::LeftButton);
    Unweave();
    EXPECT_EQ(document.CurrentBand().Count(), 1);
    EXPECT_EQ(window.Choices().At(1).pack, 1);  // the threading's own packs and turns
    EXPECT_TRUE(Control<QRadioButton>("optFB1_0")->isChecked());
    EXPECT_FALSE(Control<QPushButton>("cmdUnweave")->isEnabled());

    document.SetTurnSequence("FB");
    document.SetPatternChanged(false);
    window.Grid()->setFocus();
    // with one row the button is off, but the key still answers: nothing is taken, and it
    // still counts as weaving by hand
    QTest::keyClick(window.Grid(), Qt::Key_Backspace);
    EXPECT_EQ(document.CurrentBand().Count(), 1);
    EXPECT_EQ(document.TurnSequence(), "");
    EXPECT_TRUE(document.PatternChanged());
}

TEST_F(WeaveWindowTest, the_keyboard_weaves_and_unweaves) {
    window.Grid()->setFocus();
    QTest::keyClick(window.Grid(), Qt::Key_Return);
    QTest::keyClick(window.Grid(), Qt::Key_Return);
    EXPECT_EQ(document.CurrentBand().Count(), 3);
    QTest::keyClick(window.Grid(), Qt::Key_Backspace);
    EXPECT_EQ(document.CurrentBand().Count(), 2);
    EXPECT_EQ(Control<QPushButton>("cmdWeave")->text(), "&Weave");
    EXPECT_EQ(Control<QPushButton>("cmdUnweave")->text(), "&UnWeave");
}

// Three picks woven by keys alone, with a card moved to pack 2 and one flipped, then again by
// mouse from the same start: both weave the same band.
TEST_F(WeaveWindowTest, keys_weave_picks_with_a_pack_change_and_a_flip_as_the_mouse_does) {
    PackGrid* grid = window.Grid();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyClick(grid, k, held);
    };
    key(Qt::Key_Right);
    key(Qt::Key_2);  // card 2 to pack 2
    EXPECT_EQ(grid->Cursor(), 2);
    EXPECT_EQ(grid->GridCurrentCell(), (std::pair{2, 1}));  // pack 2's row, card 2
    key(Qt::Key_B);                                         // pack 2 turns backward
    key(Qt::Key_End);
    key(Qt::Key_F, Qt::ShiftModifier);  // card 4 flipped over
    key(Qt::Key_Return);
    key(Qt::Key_Home);
    key(Qt::Key_Asterisk);  // card 1 flipped
    key(Qt::Key_I);         // its pack, pack 1, idles
    key(Qt::Key_Return);
    key(Qt::Key_Right);
    key(Qt::Key_1);  // card 2 back to pack 1
    key(Qt::Key_F);  // pack 1 forward again
    key(Qt::Key_Return);
    const std::vector<Cards> byKeys = test::DecksOf(document.CurrentBand());
    ASSERT_EQ(byKeys.size(), 4u);

    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    ASSERT_EQ(document.CurrentBand().Count(), 1);
    window.Reload();
    ClickCard(2, 2);
    QTest::mouseClick(Control<QRadioButton>("optFB2_1"), Qt::LeftButton);
    DoubleClickCard(4, 1);
    Weave();
    DoubleClickCard(1, 1);
    QTest::mouseClick(Control<QRadioButton>("optFB1_2"), Qt::LeftButton);
    Weave();
    ClickCard(2, 1);
    QTest::mouseClick(Control<QRadioButton>("optFB1_0"), Qt::LeftButton);
    Weave();
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), byKeys);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveWindowTest, a_card_without_a_column_weaves_nothing_and_is_reported_once) {
    // a deck whose card 4 claims place 9: no column shows it
    Cards odd = test::MakeDeck(4);
    odd.At(4).SetPosition(9);
    Load(odd);
    const std::size_t before = recorder.Reports().size();
    Weave();
    EXPECT_EQ(document.CurrentBand().Count(), 1);
    ASSERT_EQ(recorder.Reports().size(), before + 1);
    EXPECT_EQ(recorder.Where(before), "frmWeave1.cmdWeave_Click");
}

TEST_F(WeaveWindowTest, the_grid_follows_the_band_not_a_count_typed_elsewhere) {
    document.SetCardCount(9);  // typed in the design window, not applied
    window.Reload();
    EXPECT_EQ(window.Choices().CardCount(), 4);
    ASSERT_TRUE(document.ApplyThreading());
    EXPECT_EQ(window.Choices().CardCount(), 9);
}

TEST_F(WeaveWindowTest, a_screen_reader_can_read_the_packs) {
    const auto name = test::AccessibleName;
    EXPECT_EQ(name(&window), "Weave Instructions");
    EXPECT_EQ(name(Control<QRadioButton>("optCardPosition1")), "A top right");
    EXPECT_EQ(name(Control<QGroupBox>("fraPack3")), "Pack 3");
    EXPECT_EQ(name(Control<QPushButton>("cmdUnweave")), "UnWeave");
    ClickCard(2, 3);
    QAccessibleInterface* packs = QAccessible::queryAccessibleInterface(window.Grid());
    EXPECT_EQ(packs->text(QAccessible::Name), "Packs");
    QAccessibleTableInterface* table = packs->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 5);  // the card numbers, three packs, the net twist
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->rowDescription(4), "Net twist");
    EXPECT_EQ(table->rowDescription(1), "Pack 3");
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name), "S");  // card 2 in pack 3
    EXPECT_EQ(table->cellAt(3, 1)->text(QAccessible::Name), "");   // not in pack 1 any more
    EXPECT_EQ(table->cellAt(0, 3)->text(QAccessible::Name), "4");
}

}  // namespace
}  // namespace tessaly
