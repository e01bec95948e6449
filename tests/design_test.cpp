#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <random>

#include "GuiSupport.h"
#include "design/CardEditor.h"
#include "design/DesignWindow.h"
#include "design/DraftGrid.h"
#include "design/PaletteStrip.h"
#include "model/Directions.h"
#include "model/Twips.h"
#include "patternfile/PatternFile.h"
#include "render/ColorNames.h"

namespace tessaly {
namespace {

using namespace test::colors;

class DesignTest : public ::testing::Test {
  protected:
    DesignTest() {
        test::LoadWoven(document, test::MakeDeck(12, Forward, SThread, 1), "FFBB");
        window.show();
        window.LeftColor()->SetColor(kRed);
        window.RightColor()->SetColor(kBlue);
    }

    template <class T>
    T* Control(const char* name) {
        T* control = window.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    DraftGrid* Grid() { return window.Grid(); }
    QPoint Centre(std::int32_t card, DraftGrid::Part part) {
        return Grid()->CellRect({card, part}).center();
    }
    void Press(std::int32_t card, DraftGrid::Part part, Qt::MouseButton button) {
        QTest::mousePress(Grid(), button, {}, Centre(card, part));
        QTest::mouseRelease(Grid(), button, {}, Centre(card, part));
    }
    const DraftColumn& Column(std::int32_t card) {
        return document.Draft()[static_cast<std::size_t>(card - 1)];
    }
    void TypeCardCount(const QString& text) {
        QLineEdit* box = Control<QLineEdit>("txtCardNumber");
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    PatternSession session;
    test::Driver document{session};
    DesignWindow window{session, dialogs};
};

TEST_F(DesignTest, shows_the_band_name_the_count_and_the_first_row) {
    EXPECT_EQ(window.windowTitle(), "Threading Design");
    EXPECT_EQ(Control<QLineEdit>("txtBandName")->text(), "Test");
    EXPECT_EQ(Control<QLineEdit>("txtCardNumber")->text(), "12");
    EXPECT_EQ(Control<QLineEdit>("txtTurnSequence")->text(), "FFBB");
    EXPECT_EQ(Grid()->CardCount(), 12);
    EXPECT_EQ(Grid()->CellText({3, DraftGrid::HoleB}), "#2e0100");  // MakeDeck: card 3 B = 302
    EXPECT_EQ(Grid()->CellText({3, DraftGrid::Threading}), "S");
    EXPECT_EQ(Grid()->CellText({12, DraftGrid::Number}), "12");
    EXPECT_EQ(Control<QLabel>("lblSequenceExample")->text(), "Ex.  FFBB");
}

TEST_F(DesignTest, the_draft_shows_every_card_when_the_window_has_room_and_scrolls_when_not) {
    auto* viewport = Control<QScrollArea>("prtDraft");
    window.show();
    for (const char* count : {"12", "40"}) {
        TypeCardCount(count);
        const bool wide = std::string(count) == "40";
        // opened at the size it asks for, every card is in view, with no scroll bar
        test::ProcessEvents();
        window.resize(window.sizeHint());
        test::ProcessEvents();
        EXPECT_GE(viewport->width(), Grid()->width()) << count;
        EXPECT_EQ(viewport->height(), Grid()->height()) << count;
        // narrower, the cards scroll and the viewport grows by the scroll bar, still showing
        // every row of the draft
        if (!wide) continue;
        window.resize(window.minimumSizeHint());
        test::ProcessEvents();
        EXPECT_LT(viewport->width(), Grid()->width()) << count;
        EXPECT_EQ(viewport->height(),
                  Grid()->height() + viewport->horizontalScrollBar()->sizeHint().height())
            << count;
    }
    // the labels are never cut in the dialog font
    for (const char* name : {"lblBandName", "lblCardCount", "lblTurnSequence", "lblSequenceExample"}) {
        const QLabel* label = Control<QLabel>(name);
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
    }
}

TEST_F(DesignTest, each_button_paints_as_the_weaver_expects) {
    Press(5, DraftGrid::HoleC, Qt::RightButton);
    EXPECT_EQ(Column(5).Color(kHoleC), kBlue);
    EXPECT_EQ(Column(5).Color(kHoleD), 504);  // only that cell
    Press(6, DraftGrid::HoleC, Qt::MiddleButton);
    EXPECT_EQ(Column(6).Color(kHoleC), 603);  // the middle button paints no cell
    Press(6, DraftGrid::HoleA, Qt::LeftButton);
    EXPECT_EQ(Column(6).Color(kHoleA), kRed);

    // a card number paints its four holes; any button but the left with the right colour
    Press(2, DraftGrid::Number, Qt::MiddleButton);
    EXPECT_EQ(Column(2).Color(kHoleA), kBlue);
    EXPECT_EQ(Column(2).Color(kHoleD), kBlue);

    // a row label paints the whole row; the middle button with the right colour
    QTest::mouseClick(Control<QLabel>("lblRowB"), Qt::LeftButton);
    for (std::int32_t card = 1; card <= 12; ++card) EXPECT_EQ(Column(card).Color(kHoleB), kRed);
    QTest::mouseClick(Control<QLabel>("lblRowD"), Qt::MiddleButton);
    for (std::int32_t card = 1; card <= 12; ++card) EXPECT_EQ(Column(card).Color(kHoleD), kBlue);

    // the threading letter toggles, and the band waits for Apply
    Press(4, DraftGrid::Threading, Qt::LeftButton);
    EXPECT_EQ(Column(4).Thread(), ZThread);
    EXPECT_EQ(Grid()->CellText({4, DraftGrid::Threading}), "Z");
    Press(4, DraftGrid::Threading, Qt::LeftButton);
    EXPECT_EQ(Column(4).Thread(), SThread);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(5).Color(kHoleC), 503);
    EXPECT_TRUE(recorder.Empty());
}

// Every hole of the band's rows and of the draft, in order.
std::vector<std::int32_t> AllHoles(const test::Driver& document) {
    std::vector<std::int32_t> holes;
    for (const Row& row : document.CurrentBand())
        for (const Card& card : row.Cards())
            for (int hole = 0; hole < card.Holes(); ++hole) holes.push_back(card.Color(hole));
    for (const DraftColumn& column : document.Draft())
        for (int hole = 0; hole < column.holes; ++hole) holes.push_back(column.Color(hole));
    return holes;
}

TEST_F(DesignTest, the_palette_paints_and_changes_a_colour_in_every_hole_that_holds_it) {
    document.PaintDraft({{1, 0}, {2, 1}, {3, 2}, {5, 3}}, kRed);
    ASSERT_TRUE(document.ApplyThreading());
    ASSERT_TRUE(document.WeaveAll());
    auto* strip = Control<PaletteStrip>("picPalette");
    // the colours in the order they are first met, card by card, then "Empty"
    ASSERT_GE(strip->Colors().size(), 3u);
    EXPECT_EQ(strip->Colors()[0].color, kRed);
    EXPECT_EQ(strip->Colors()[1].color, 102);
    EXPECT_EQ(strip->GridCellText(0, strip->GridColumns() - 1), "Empty");
    // a right click takes a colour as R; the keyboard takes one as L
    QTest::mouseClick(strip, Qt::RightButton, {}, strip->GridCellRect(0, 1).center());
    EXPECT_EQ(window.RightColor()->Color(), 102);
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    QTest::keyClick(strip, Qt::Key_Space);
    EXPECT_EQ(window.LeftColor()->Color(), strip->Colors()[2].color);
    QTest::keyClick(strip, Qt::Key_End);
    QTest::keyClick(strip, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(window.RightColor()->Color(), Card::kNoThread);

    // a double click changes red in every hole that held it, and nowhere else, in one step;
    // red taken as L is the new colour then
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->GridCellRect(0, 0).center());
    EXPECT_EQ(window.LeftColor()->Color(), kRed);
    const std::vector<std::int32_t> before = AllHoles(document);
    dialogs.colorAnswer = kGreen;
    QTest::mouseDClick(strip, Qt::LeftButton, {}, strip->GridCellRect(0, 0).center());
    const std::vector<std::int32_t> after = AllHoles(document);
    ASSERT_EQ(after.size(), before.size());
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i], before[i] == kRed ? kGreen : before[i]) << i;
        changed += before[i] == kRed;
    }
    EXPECT_GT(changed, 4);
    EXPECT_EQ(strip->Colors()[0].color, kGreen);  // in the old colour's place
    EXPECT_EQ(window.LeftColor()->Color(), kGreen);
    EXPECT_EQ(window.RightColor()->Color(), Card::kNoThread);
    EXPECT_EQ(document.History().UndoText(), "Change colour 1");
    session.History().Undo();
    EXPECT_EQ(AllHoles(document), before);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, palette_colours_are_named_added_and_removed_and_kept_in_the_file) {
    auto* strip = Control<PaletteStrip>("picPalette");
    const auto action = [this](const char* name) {
        for (QAction* found : window.PaletteActions())
            if (found->objectName() == name) return found;
        ADD_FAILURE() << name;
        return window.PaletteActions().front();
    };
    // named: the usual name is offered, the weaver's is kept and read out
    dialogs.textAnswer = " madder  red ";
    action("mnuNameColor")->trigger();
    ASSERT_EQ(dialogs.textsAsked.size(), 1u);
    EXPECT_EQ(dialogs.textsAsked[0].second, UsualColorName(101));
    EXPECT_EQ(strip->GridCellText(0, 0), "colour 1: madder red");
    // the draft's holes read out their colours by name now the palette is in use
    EXPECT_EQ(Grid()->GridCellText(DraftGrid::HoleA, 0), "hole A: madder red");
    EXPECT_EQ(Grid()->GridCellText(DraftGrid::HoleA + 1, 0), "hole B: " + UsualColorName(102));
    // a colour added stands after the threading's; it can go again, a colour in use cannot
    dialogs.colorAnswer = 0x123456;
    action("mnuAddColor")->trigger();
    const auto& colors = strip->Colors();
    EXPECT_EQ(colors.back().color, 0x123456);
    EXPECT_EQ(strip->Current(), static_cast<int>(colors.size()) - 1);
    EXPECT_TRUE(action("mnuRemoveColor")->isEnabled());
    test::TempDir dir;
    const std::string path = dir.File("named.kst");
    ASSERT_TRUE(WritePatternFile(path, {"Named", "FFBB", {}}, document.CurrentBand(),
                                 document.Document().Extras()));
    const std::string file = test::ReadAll(path);
    EXPECT_NE(file.find("\r\nPalette = 101, madder red\r\nPalette = 1193046\r\n"),
              std::string::npos);
    action("mnuRemoveColor")->trigger();
    EXPECT_NE(strip->Colors().back().color, 0x123456);
    strip->SetCurrent(0);
    EXPECT_FALSE(action("mnuRemoveColor")->isEnabled());
    EXPECT_TRUE(recorder.Empty());
}

TEST(color_name_test, a_colour_goes_by_the_nearest_named_colour) {
    EXPECT_EQ(UsualColorName(kRed), "red");
    EXPECT_EQ(UsualColorName(kWhite), "white");
    EXPECT_EQ(UsualColorName(0x010101), "black");
    EXPECT_EQ(UsualColorName(0x7280FA), "salmon");    // 250, 128, 114
    EXPECT_EQ(UsualColorName(0x8B0000), "darkblue");  // 0, 0, 139
    EXPECT_EQ(UsualColorName(0x808080), "gray");      // before "grey"
    EXPECT_EQ(UsualColorName(0x2A2AA0), "brown");     // 160, 42, 42: near 165, 42, 42
    EXPECT_EQ(ColorName({kRed, "madder red"}), "madder red");
}

TEST_F(DesignTest, the_holes_box_gives_every_card_that_many_holes_in_one_step) {
    QSpinBox* holes = Control<QSpinBox>("txtHoles");
    EXPECT_EQ(holes->value(), 4);
    EXPECT_FALSE(Control<QWidget>("lblRowE")->isVisible());
    holes->setValue(6);  // as an assistive tool may set it
    EXPECT_EQ(Column(1).holes, 6);
    EXPECT_EQ(Column(12).Color(5), kBlue);  // new holes take the R colour
    EXPECT_TRUE(Control<QWidget>("lblRowF")->isVisible());
    EXPECT_EQ(Grid()->GridRows(), 8);
    EXPECT_EQ(Grid()->GridRowName(6), "F");
    EXPECT_EQ(document.History().UndoText(), "Holes");
    // the letter of a row past D paints it, and a hole past D takes paint
    QTest::mouseClick(Control<QWidget>("lblRowE"), Qt::LeftButton);
    EXPECT_EQ(Column(3).Color(4), kRed);
    Press(2, static_cast<DraftGrid::Part>(6), Qt::LeftButton);
    EXPECT_EQ(Column(2).Color(5), kRed);
    // fewer holes would lose threads: asked, and a No keeps them
    dialogs.answer = UserDialogs::Answer::No;
    holes->setValue(4);
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(Column(1).holes, 6);
    EXPECT_EQ(holes->value(), 6);
    dialogs.answer = UserDialogs::Answer::Yes;
    holes->setValue(3);
    EXPECT_EQ(Column(1).holes, 3);
    EXPECT_FALSE(Control<QWidget>("lblRowD")->isVisible());
    // applied, the band's cards have the holes; undone, the draft has its six again
    Control<QPushButton>("cmdOk")->click();
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Holes(), 3);
    session.History().Undo();
    session.History().Undo();
    EXPECT_EQ(Column(1).holes, 6);
    EXPECT_EQ(holes->value(), 6);
    // the taller draft never lies over the buttons below it
    EXPECT_GE(window.height(), window.minimumSizeHint().height());
    // Simple Weave of a draft of other holes than the band's weaves the draft, in one step
    ASSERT_EQ(document.CurrentBand().At(1).Cards().At(1).Holes(), 4);
    Control<QPushButton>("cmdWeaveAll")->click();
    EXPECT_GT(document.CurrentBand().Count(), 1);
    EXPECT_EQ(document.CurrentBand().At(2).Cards().At(2).Color(5), kRed);
    session.History().Undo();
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Holes(), 4);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, dragging_paints_every_hole_the_pointer_crosses) {
    // one merged move across five cells, as a quick stroke arrives
    QTest::mousePress(Grid(), Qt::LeftButton, {}, Centre(2, DraftGrid::HoleA));
    QMouseEvent move(QEvent::MouseMove, Centre(7, DraftGrid::HoleA),
                     Grid()->mapToGlobal(Centre(7, DraftGrid::HoleA)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(Grid(), &move);
    QTest::mouseRelease(Grid(), Qt::LeftButton, {}, Centre(7, DraftGrid::HoleA));
    for (std::int32_t card = 2; card <= 7; ++card)
        EXPECT_EQ(Column(card).Color(kHoleA), kRed) << card;
    EXPECT_EQ(Column(8).Color(kHoleA), 801);
    EXPECT_EQ(Column(1).Color(kHoleA), 101);
}

TEST_F(DesignTest, the_colour_dialog_opens_on_the_colour_and_a_cancel_keeps_it) {
    dialogs.colorAnswer = 0x00FF00;
    QTest::mouseClick(window.LeftColor(), Qt::LeftButton);
    EXPECT_EQ(window.LeftColor()->Color(), 0x00FF00);
    ASSERT_EQ(dialogs.colorsOffered.size(), 1u);
    EXPECT_EQ(dialogs.colorsOffered[0], kRed);
    dialogs.colorAnswer.reset();
    QTest::mouseClick(window.RightColor(), Qt::LeftButton);
    EXPECT_EQ(window.RightColor()->Color(), kBlue);
}

TEST_F(DesignTest, the_empty_swatch_and_the_dialog_paint_holes_without_thread) {
    ColorSwatch* empty = Control<ColorSwatch>("picEmptyHole");
    EXPECT_EQ(empty->accessibleName(), "Empty hole");
    // a click makes the left colour no thread, a right click the right one
    QTest::mouseClick(empty, Qt::LeftButton);
    EXPECT_EQ(window.LeftColor()->Color(), Card::kNoThread);
    EXPECT_EQ(window.RightColor()->Color(), kBlue);
    Press(2, DraftGrid::HoleB, Qt::LeftButton);
    EXPECT_EQ(Column(2).Color(kHoleB), Card::kNoThread);
    EXPECT_EQ(Grid()->CellText({2, DraftGrid::HoleB}), "empty");
    // the colour dialog's No thread does the same
    dialogs.colorAnswer = Card::kNoThread;
    QTest::mouseClick(window.RightColor(), Qt::LeftButton);
    EXPECT_EQ(window.RightColor()->Color(), Card::kNoThread);
    Press(3, DraftGrid::HoleD, Qt::RightButton);
    EXPECT_EQ(Column(3).Color(kHoleD), Card::kNoThread);

    // Replace Colors carries the empty holes into every row, Apply into the threading, and
    // Simple Weave weaves them
    ASSERT_TRUE(document.ReplaceColors());
    for (const Row& row : document.CurrentBand()) {
        EXPECT_EQ(row.Cards().At(2).Color(kHoleB), Card::kNoThread);
        EXPECT_EQ(row.Cards().At(3).Color(kHoleD), Card::kNoThread);
    }
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(2).Color(kHoleB), Card::kNoThread);
    ASSERT_TRUE(document.WeaveAll());
    EXPECT_EQ(document.CurrentBand().At(9).Cards().At(3).Color(kHoleD), Card::kNoThread);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, cards_chosen_by_their_numbers_are_moved_copied_and_deleted) {
    CardEditor* cards = window.CardEditing();
    QAction* right = test::FindAction(*cards, "mnuMoveCardRight");
    EXPECT_FALSE(right->isEnabled());
    const auto pressNumber = [&](std::int32_t card, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(Grid(), Qt::LeftButton, modifiers, Centre(card, DraftGrid::Number));
    };
    // Ctrl and Shift choose without painting
    pressNumber(2, Qt::ControlModifier);
    pressNumber(4, Qt::ShiftModifier);
    EXPECT_EQ(cards->Chosen(), (std::set<std::int32_t>{2, 3, 4}));
    EXPECT_EQ(Column(3).Color(kHoleA), 301);
    EXPECT_FALSE(document.History().CanUndo());
    EXPECT_TRUE(right->isEnabled());
    EXPECT_TRUE(test::FindAction(*cards, "mnuMirrorCards")->isEnabled());
    right->trigger();
    EXPECT_EQ(document.History().UndoText(), "Move Cards 2–4 Right");
    EXPECT_EQ(cards->Chosen(), (std::set<std::int32_t>{3, 4, 5}));
    EXPECT_EQ(Column(2).Color(kHoleA), 501);  // card 5 stands where card 2 stood
    EXPECT_EQ(Column(3).Color(kHoleA), 201);
    EXPECT_EQ(Grid()->CellText({3, DraftGrid::Number}), "3");
    // a plain click paints the card's holes, as it always did, and chooses it alone
    pressNumber(12, Qt::NoModifier);
    EXPECT_EQ(cards->Chosen(), (std::set<std::int32_t>{12}));
    EXPECT_EQ(Column(12).Color(kHoleA), kRed);
    EXPECT_FALSE(test::FindAction(*cards, "mnuMoveCardRight")->isEnabled());
    test::FindAction(*cards, "mnuInsertCardAfter")->trigger();
    EXPECT_EQ(document.Draft().size(), 13u);
    EXPECT_EQ(Control<QLineEdit>("txtCardNumber")->text(), "13");
    EXPECT_EQ(cards->Chosen(), (std::set<std::int32_t>{13}));
    test::FindAction(*cards, "mnuDeleteCards")->trigger();
    EXPECT_EQ(document.Draft().size(), 12u);
    EXPECT_TRUE(cards->Chosen().empty());
    // a band of the most cards a band may have takes no more
    test::LoadWoven(document, test::MakeDeck(kMostCards, Forward, SThread, 1), "FFBB");
    pressNumber(1, Qt::ControlModifier);
    EXPECT_FALSE(test::FindAction(*cards, "mnuInsertCardBefore")->isEnabled());
    EXPECT_FALSE(test::FindAction(*cards, "mnuInsertCardAfter")->isEnabled());
    EXPECT_TRUE(test::FindAction(*cards, "mnuDeleteCards")->isEnabled());
    test::FindAction(*cards, "mnuDeleteCards")->trigger();
    pressNumber(1, Qt::ControlModifier);
    EXPECT_TRUE(test::FindAction(*cards, "mnuInsertCardAfter")->isEnabled());
    test::LoadWoven(document, test::MakeDeck(12, Forward, SThread, 1), "FFBB");

    // dragging the numbers moves the cards chosen, without painting the one pressed
    pressNumber(1, Qt::ControlModifier);
    pressNumber(2, Qt::ShiftModifier);
    const std::int32_t a1 = Column(1).Color(kHoleA), a2 = Column(2).Color(kHoleA);
    QTest::mousePress(Grid(), Qt::LeftButton, {}, Centre(2, DraftGrid::Number));
    QTest::mouseMove(Grid(), Centre(6, DraftGrid::Number));
    QTest::mouseRelease(Grid(), Qt::LeftButton, {}, Centre(6, DraftGrid::Number));
    EXPECT_EQ(Column(5).Color(kHoleA), a1);
    EXPECT_EQ(Column(6).Color(kHoleA), a2);
    EXPECT_EQ(cards->Chosen(), (std::set<std::int32_t>{5, 6}));
    EXPECT_EQ(document.History().UndoText(), "Move Cards 1–2 Right");
    document.History().Undo();
    EXPECT_EQ(Column(1).Color(kHoleA), a1);
    EXPECT_EQ(Column(2).Color(kHoleA), a2);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, the_card_count_grows_and_shrinks_the_draft_until_apply) {
    Press(1, DraftGrid::HoleA, Qt::LeftButton);  // not applied: the count rebuilds the draft
    TypeCardCount("15");
    ASSERT_EQ(document.Draft().size(), 15u);
    EXPECT_EQ(Column(15).Color(kHoleA), Column(12).Color(kHoleA));  // copies of the last card
    EXPECT_EQ(Column(1).Color(kHoleA), 101);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().Count(), 12);
    TypeCardCount("3");
    EXPECT_EQ(document.Draft().size(), 3u);
    // every row of the band keeps one number of cards
    for (const Row& row : document.CurrentBand()) EXPECT_EQ(row.Cards().Count(), 12);

    for (const QString bad : {"0", "-4", "1001", "lots", ""}) {
        dialogs.messages.clear();
        TypeCardCount(bad);
        EXPECT_EQ(document.Draft().size(), 3u) << bad.toStdString();
        EXPECT_EQ(Control<QLineEdit>("txtCardNumber")->text(), "3");
        ASSERT_EQ(dialogs.messages.size(), 1u) << bad.toStdString();
        EXPECT_TRUE(dialogs.messages[0].text.contains("from 1 to 1000"));
    }
    TypeCardCount("1000");
    EXPECT_EQ(document.Draft().size(), 1000u);
}

TEST_F(DesignTest, apply_makes_the_draft_a_band_of_one_row) {
    document.SetTurnSequence("bFF");
    Press(1, DraftGrid::HoleA, Qt::LeftButton);
    Press(2, DraftGrid::Threading, Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    const Band& band = document.CurrentBand();
    ASSERT_EQ(band.Count(), 1);
    const Cards& deck = band.At(1).Cards();
    ASSERT_EQ(deck.Count(), 12);
    for (std::int32_t i = 1; i <= 12; ++i) {
        EXPECT_EQ(deck.At(i).Position(), i);
        EXPECT_EQ(deck.At(i).Key(), i);
        EXPECT_EQ(deck.At(i).Turn(), Backward);  // the sequence's first letter
        EXPECT_EQ(deck.At(i).HoleOrder(), 1);
        EXPECT_EQ(deck.At(i).Pack(), 1);
    }
    EXPECT_EQ(deck.At(1).Color(kHoleA), kRed);
    EXPECT_EQ(deck.At(2).Thread(), ZThread);
    EXPECT_TRUE(document.PatternChanged());
    EXPECT_TRUE(Control<QPushButton>("cmdWeaveAll")->isEnabled());
    // the sequence typed is kept: the band it replaces held no unsaved work
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(DesignTest, apply_over_an_unsaved_woven_band_asks_and_never_loses_it) {
    document.SetPatternChanged(true);
    const std::int32_t rows = document.CurrentBand().Count();
    bool saved = false;
    window.SetSaveHandler([&] { return saved; });

    dialogs.answer = UserDialogs::Answer::Yes;  // but the save is cancelled: keep the band
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Save");
    EXPECT_EQ(dialogs.questions[0].text, "Save pattern before applying changes?");
    EXPECT_EQ(document.CurrentBand().Count(), rows);

    saved = true;
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_EQ(document.CurrentBand().Count(), 1);

    ASSERT_TRUE(document.WeaveAll());
    document.SetPatternChanged(true);
    dialogs.answer = UserDialogs::Answer::No;
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_EQ(document.CurrentBand().Count(), 1);
}

TEST_F(DesignTest, replace_colors_recolours_by_key_and_keeps_the_deck) {
    // with the reverse face showing, the draft still is the front face's threading, and the
    // colours go into the holes the draft names
    document.Reverse();
    Press(1, DraftGrid::Number, Qt::LeftButton);
    Control<QCheckBox>("chkReplaceColor")->setChecked(true);
    QTest::mouseClick(Control<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_TRUE(document.PatternChanged());
    EXPECT_TRUE(document.IsReversed());
    document.Reverse();
    for (const Row& row : document.CurrentBand()) {
        const Card& first = row.Cards().At(1);
        EXPECT_EQ(first.Key(), 1);
        EXPECT_EQ(first.Position(), 1);
        EXPECT_EQ(first.Color(kHoleA), kRed);
        EXPECT_EQ(first.Color(kHoleC), kRed);
        EXPECT_EQ(row.Cards().At(2).Color(kHoleA), 201);
    }
    // Simple Weave weaves from the deck, with its own colours
    QTest::mouseClick(Control<QPushButton>("cmdWeaveAll"), Qt::LeftButton);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Color(kHoleA), 101);
}

TEST_F(DesignTest, replace_colors_with_an_unchanged_draft_leaves_a_flipped_band_as_it_is) {
    // four cards in four colours each, flipped here and there
    auto rows = std::make_unique<Band>();
    Cards deck;
    for (std::int16_t c = 1; c <= 4; ++c)
        deck.Add(Card::Make(Forward, c, {10 * c + 1, 10 * c + 2, 10 * c + 3, 10 * c + 4}, SThread,
                            c - 1, 1));
    rows->Add(deck, 1);
    test::LoadRows(document, std::move(rows));
    std::mt19937 random(7);
    for (int pick = 0; pick < 12; ++pick) {
        PickSteps steps(4);
        for (CardStep& step : steps) {
            step.turn = random() % 2 ? Forward : Backward;
            step.flip = random() % 3 == 0;
        }
        ASSERT_TRUE(document.AddPick(NextRow(document.CurrentBand().At(document.CurrentBand().Count()).Cards(), steps)));
    }
    const auto woven = test::DecksOf(document.CurrentBand());
    document.ReplaceColors();
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), woven);
    // a colour changed in the draft reaches that hole wherever the flips have taken it
    document.PaintDraft({{2, 1}}, kRed);
    document.ReplaceColors();
    for (const Row& row : document.CurrentBand()) {
        const Card& card = row.Cards().At(2);
        const std::int32_t holes[4] = {card.Color(kHoleA), card.Color(kHoleB), card.Color(kHoleC),
                                       card.Color(kHoleD)};
        EXPECT_EQ(std::count(std::begin(holes), std::end(holes), kRed), 1);
        EXPECT_EQ(std::count(std::begin(holes), std::end(holes), 22), 0);
    }
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, simple_weave_follows_the_sequence_and_weaves_from_the_first_row) {
    QPushButton* simpleWeave = Control<QPushButton>("cmdWeaveAll");
    EXPECT_TRUE(simpleWeave->isEnabled());
    QLineEdit* sequence = Control<QLineEdit>("txtTurnSequence");
    // rubbing the sequence out in the box turns Simple Weave off
    sequence->setFocus();
    sequence->selectAll();
    QTest::keyClick(sequence, Qt::Key_Delete);
    EXPECT_EQ(document.TurnSequence(), "");
    EXPECT_FALSE(simpleWeave->isEnabled());
    QTest::keyClicks(sequence, "FB");
    EXPECT_EQ(document.TurnSequence(), "FB");
    EXPECT_TRUE(simpleWeave->isEnabled());

    // a band opened with every row has no threading deck: it weaves from its first row
    auto rows = std::make_unique<Band>();
    rows->Add(test::MakeDeck(4), 1);
    rows->Add(test::MakeDeck(4, Backward), 2);
    test::LoadRows(document, std::move(rows));
    EXPECT_FALSE(simpleWeave->isEnabled());
    QTest::keyClicks(sequence, "FFBB");
    QTest::mouseClick(simpleWeave, Qt::LeftButton);
    EXPECT_EQ(document.CurrentBand().Count(), 97);
    EXPECT_EQ(document.CurrentBand().At(1).Cards(), test::MakeDeck(4));
    EXPECT_TRUE(recorder.Empty());

    // weaving by hand empties the sequence, which turns Simple Weave off
    ASSERT_TRUE(document.AddPick(document.CurrentBand().At(97).Cards()));
    EXPECT_EQ(sequence->text(), "");
    EXPECT_FALSE(simpleWeave->isEnabled());
}

TEST_F(DesignTest, the_boxes_edit_the_document_and_a_reload_keeps_them) {
    QLineEdit* name = Control<QLineEdit>("txtBandName");
    name->selectAll();
    QTest::keyClicks(name, "Ram's horn");
    EXPECT_EQ(document.BandName(), "Ram's horn");
    Press(1, DraftGrid::HoleA, Qt::LeftButton);
    window.Reload();  // the window closed and shown again
    EXPECT_EQ(name->text(), "Ram's horn");
    EXPECT_EQ(Column(1).Color(kHoleA), 101);  // unapplied paint is dropped
    EXPECT_EQ(window.LeftColor()->Color(), kWhite);
}

TEST_F(DesignTest, a_screen_reader_can_read_the_threading) {
    const auto name = test::AccessibleName;
    EXPECT_EQ(name(&window), "Threading Design");
    EXPECT_EQ(name(Control<QLineEdit>("txtBandName")), "Band Name");
    EXPECT_EQ(name(Control<QLineEdit>("txtCardNumber")), "# of Cards");
    EXPECT_EQ(name(Control<QLineEdit>("txtTurnSequence")), "Default Turn Seq");
    EXPECT_EQ(name(window.LeftColor()), "Left colour");
    EXPECT_EQ(name(window.RightColor()), "Right colour");
    EXPECT_EQ(name(Control<QPushButton>("cmdOk")), "Apply");
    EXPECT_EQ(name(Control<QCheckBox>("chkReplaceColor")), "Replace Colors only");
    QAccessibleInterface* draft = QAccessible::queryAccessibleInterface(Grid());
    EXPECT_EQ(draft->text(QAccessible::Name), "Draft");
    EXPECT_EQ(draft->role(), QAccessible::Table);
    QAccessibleTableInterface* table = draft->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 12);
    EXPECT_EQ(table->rowDescription(1), "A");
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "#650000");  // 101, red lowest
    EXPECT_EQ(table->cellAt(5, 0)->text(QAccessible::Name), "S");
    Press(1, DraftGrid::HoleA, Qt::LeftButton);
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "#ff0000");
}

TEST_F(DesignTest, undo_in_the_name_box_and_undo_of_the_pattern_agree) {
    auto* name = Control<QLineEdit>("txtBandName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Sash");
    EXPECT_EQ(document.BandName(), "Sash");
    // the box's own undo (Ctrl+Z while typing) changes the pattern's name with it
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.BandName(), name->text().toStdString());
    // and the pattern's undo puts the box back
    QTest::keyClicks(name, "Belt");
    document.History().Undo();
    EXPECT_EQ(name->text().toStdString(), document.BandName());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// What an assistive tool does: it sets a box's text through the accessibility interface,
// without a key press.
void SetAccessibleText(QWidget* box, const QString& text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(accessible, nullptr);
    accessible->setText(QAccessible::Value, text);
}

TEST_F(DesignTest, simple_weave_over_unsaved_weaving_asks_as_apply_does) {
    bool saved = false;
    window.SetSaveHandler([&] { return saved; });
    document.AddPick(document.CurrentBand().At(document.CurrentBand().Count()).Cards());
    const auto handWoven = test::DecksOf(document.CurrentBand());
    document.SetTurnSequence("FB");
    dialogs.answer = UserDialogs::Answer::Yes;  // but the save is cancelled: keep the band
    QTest::mouseClick(Control<QPushButton>("cmdWeaveAll"), Qt::LeftButton);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "Save pattern before applying changes?");
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), handWoven);
    saved = true;
    QTest::mouseClick(Control<QPushButton>("cmdWeaveAll"), Qt::LeftButton);
    EXPECT_EQ(document.WovenSequence(), "FB");
    EXPECT_NE(test::DecksOf(document.CurrentBand()), handWoven);
    // a band saved as it is asks nothing, also with the sequence typed for it since
    document.SetPatternChanged(false);
    document.SetTurnSequence("FFB");
    QTest::mouseClick(Control<QPushButton>("cmdWeaveAll"), Qt::LeftButton);
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(document.WovenSequence(), "FFB");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, boxes_set_through_the_accessibility_interface_are_what_the_pattern_uses) {
    SetAccessibleText(Control<QLineEdit>("txtTurnSequence"), "FB");
    EXPECT_EQ(document.TurnSequence(), "FB");
    QTest::mouseClick(Control<QPushButton>("cmdWeaveAll"), Qt::LeftButton);
    // weaving FB: the second pick turns backward
    ASSERT_GE(document.CurrentBand().Count(), 3);
    EXPECT_EQ(document.CurrentBand().At(3).Cards().At(1).Turn(), Backward);

    SetAccessibleText(Control<QLineEdit>("txtBandName"), "Spoken");
    EXPECT_EQ(document.BandName(), "Spoken");

    // a card count is taken at once; one that is no count is refused and the box shows the
    // draft's again
    SetAccessibleText(Control<QLineEdit>("txtCardNumber"), "5");
    EXPECT_EQ(document.Draft().size(), 5u);
    SetAccessibleText(Control<QLineEdit>("txtCardNumber"), "lots");
    EXPECT_EQ(document.Draft().size(), 5u);
    EXPECT_EQ(Control<QLineEdit>("txtCardNumber")->text(), "5");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    // typing still waits for the box to be left
    QLineEdit* count = Control<QLineEdit>("txtCardNumber");
    count->setFocus();
    count->selectAll();
    QTest::keyClicks(count, "12");
    EXPECT_EQ(document.Draft().size(), 5u);
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_EQ(document.Draft().size(), 12u);
    EXPECT_TRUE(recorder.Empty());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(DesignReopenTest, reopening_the_window_shows_the_band_and_undo_brings_the_paint_back) {
    PatternSession session;
    test::Driver document{session};
    test::RecordingDialogs dialogs;
    test::LoadWoven(document, test::MakeDeck(4), "FB");
    DesignWindow window{session, dialogs};
    document.PaintDraft({{2, 1}}, test::colors::kRed);
    ASSERT_TRUE(document.DraftNotApplied());
    window.Reload();  // closed and opened again
    EXPECT_FALSE(document.DraftNotApplied());
    EXPECT_EQ(window.Grid()->CellText({2, DraftGrid::HoleB}), "#ca0000");  // MakeDeck's 202
    EXPECT_FALSE(document.PatternChanged());  // no file holds the draft
    session.History().Undo();
    EXPECT_EQ(document.Draft()[1].Color(kHoleB), test::colors::kRed);
    EXPECT_EQ(window.Grid()->CellText({2, DraftGrid::HoleB}), "#ff0000");
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// A band of six-hole cards keeps its holes through the draft's commands: new cards, paint in
// a hole past D, Replace Colors on every row, Apply.
TEST(six_hole_draft_test, the_drafts_commands_keep_every_hole) {
    test::ReportRecorder recorder;
    PatternSession session;
    const test::Driver document{session};
    Cards deck;
    for (std::int16_t i = 1; i <= 2; ++i)
        deck.Add(Card::Make(Forward, i, {1, 2, 3, 4, 5, 6}, SThread, 1, 1, 6));
    test::LoadWoven(document, deck, "FFB");
    document.SetCardCount(3);
    ASSERT_EQ(document.Draft().size(), 3u);
    EXPECT_EQ(document.Draft()[2].holes, 6);
    document.PaintDraft({{1, 4}, {3, 5}}, 0x0000FF);
    EXPECT_EQ(document.Draft()[0].Color(4), 0x0000FF);
    ASSERT_TRUE(document.ApplyThreading());
    ASSERT_TRUE(document.WeaveAll());
    const Band& band = document.CurrentBand();
    for (const Row& row : band)
        for (const Card& card : row.Cards()) ASSERT_EQ(card.Holes(), 6);
    document.PaintDraft({{2, 4}}, 0x00FF00);
    ASSERT_TRUE(document.ReplaceColors());
    for (const Row& row : document.CurrentBand()) {
        HoleColors colors = row.Cards().At(2).Colors();
        std::sort(colors.begin(), colors.begin() + 6);
        EXPECT_EQ(colors, (HoleColors{1, 2, 3, 4, 6, 0x00FF00, -1, -1})) << row.Number();
    }
    EXPECT_TRUE(recorder.Empty());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The draft as the tests compare it: every hole's colour, then every card's threading.
std::vector<std::int32_t> DraftState(const test::Driver& document) {
    std::vector<std::int32_t> state = AllHoles(document);
    for (const DraftColumn& column : document.Draft()) state.push_back(column.Thread());
    return state;
}

// A six-card threading designed by keys alone, then again by mouse from the same start:
// both give the same draft.
TEST_F(DesignTest, keys_design_a_threading_as_the_mouse_does) {
    TypeCardCount("6");
    History& history = document.History();
    const int start = history.Index();
    const std::vector<std::int32_t> before = DraftState(document);
    DraftGrid* grid = Grid();
    grid->setFocus();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyClick(grid, k, held);
    };
    key(Qt::Key_Home, Qt::ControlModifier);  // card 1's number
    key(Qt::Key_Down);
    key(Qt::Key_Space);  // card 1, A: L
    EXPECT_EQ(grid->Cursor(), (DraftGrid::Cell{1, DraftGrid::HoleA}));
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    key(Qt::Key_Space, Qt::ShiftModifier);  // card 2, B: R
    key(Qt::Key_End);
    key(Qt::Key_Delete);  // card 6, B: empty
    key(Qt::Key_Z);       // card 6 threaded Z
    key(Qt::Key_Z);       // and stays Z
    key(Qt::Key_C);       // row C: L
    key(Qt::Key_Left);
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Space, Qt::ShiftModifier);  // card 5's number: the whole card R
    key(Qt::Key_Down, Qt::ControlModifier);
    key(Qt::Key_Space);  // card 5's threading turned over
    EXPECT_EQ(grid->Cursor(), (DraftGrid::Cell{5, DraftGrid::Part(DraftGrid::Threading)}));
    // the cursor's cell has the focus for a screen reader
    EXPECT_EQ(grid->GridCurrentCell(), (std::pair{static_cast<int>(DraftGrid::Threading), 4}));
    const std::vector<std::int32_t> byKeys = DraftState(document);
    EXPECT_NE(byKeys, before);

    while (history.Index() > start) history.Undo();
    ASSERT_EQ(DraftState(document), before);
    Press(1, DraftGrid::HoleA, Qt::LeftButton);
    Press(2, DraftGrid::HoleB, Qt::RightButton);
    QTest::mouseClick(Control<QWidget>("picEmptyHole"), Qt::LeftButton);  // L: empty
    Press(6, DraftGrid::HoleB, Qt::LeftButton);
    window.LeftColor()->SetColor(kRed);
    if (Column(6).Thread() == SThread) Press(6, DraftGrid::Threading, Qt::LeftButton);
    QTest::mouseClick(Control<QLabel>("lblRowC"), Qt::LeftButton);
    Press(5, DraftGrid::Number, Qt::RightButton);
    Press(5, DraftGrid::Threading, Qt::LeftButton);
    EXPECT_EQ(DraftState(document), byKeys);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DesignTest, the_paint_swatches_and_the_palette_stand_in_the_tab_order) {
    QWidget* left = Control<QWidget>("picLeftColor");
    // Tab goes from L to R, Empty, the palette and the draft
    QStringList chain;
    for (QWidget* next = left->nextInFocusChain(); next != left && chain.size() < 4;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled())
            chain << next->objectName();
    EXPECT_EQ(chain.join(" ").toStdString(), "picRightColor picEmptyHole picPalette draftGrid");
    // Space opens the colour dialog as a click does; Shift+Space on Empty makes R empty
    dialogs.colorAnswer = kGreen;
    QTest::keyClick(left, Qt::Key_Space);
    EXPECT_EQ(window.LeftColor()->Color(), kGreen);
    QTest::keyClick(Control<QWidget>("picEmptyHole"), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(window.RightColor()->Color(), Card::kNoThread);
}

}  // namespace
}  // namespace tessaly
