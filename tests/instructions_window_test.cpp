#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "GuiSupport.h"
#include "engine/RecordingCanvas.h"
#include "model/Directions.h"
#include "weave/InstructionTableModel.h"
#include "weave/InstructionsWindow.h"
#include "weave/PickEditor.h"

namespace tessaly {
namespace {

class InstructionsWindowTest : public ::testing::Test {
  protected:
    void Weave(const Cards& deck, const std::string& sequence) {
        test::LoadWoven(document, deck, sequence);
    }
    PatternSession session;
    test::Driver document{session};
    test::RecordingDialogs dialogs;
    InstructionsWindow window{session, dialogs};
};

TEST_F(InstructionsWindowTest, headings_and_cells_after_a_weave) {
    Cards deck = test::MakeDeck(12, Forward, SThread);
    Weave(deck, "FFBB");
    InstructionTableModel& model = *window.Model();
    ASSERT_EQ(model.columnCount(), 12);
    ASSERT_EQ(model.rowCount(), 96);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(model.headerData(11, Qt::Horizontal, Qt::DisplayRole).toString(), "12");
    EXPECT_EQ(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "F");
    EXPECT_EQ(model.data(model.index(2, 5), Qt::DisplayRole).toString(), "B");
    EXPECT_EQ(model.data(model.index(2, 5), Qt::BackgroundRole).value<QColor>(),
              QColor(192, 192, 192));
    EXPECT_EQ(model.data(model.index(0, 5), Qt::BackgroundRole).value<QColor>(),
              QColor(255, 255, 255));
    EXPECT_FALSE(model.data(model.index(0, 5), Qt::FontRole).isValid());
    // the corner shows the threading's pick, 0
    EXPECT_EQ(window.Model()->CornerText(), "0");
}

TEST_F(InstructionsWindowTest, follows_the_document_pick_by_pick) {
    auto threading = std::make_unique<Band>();
    threading->Add(test::MakeDeck(2, Forward, SThread), 1);
    test::LoadRows(document, std::move(threading));
    EXPECT_EQ(window.Model()->rowCount(), 0);
    Cards deck = document.CurrentBand().At(1).Cards();
    deck.At(2).SetThread(ZThread);
    ASSERT_TRUE(document.AddPick(deck));
    ASSERT_EQ(window.Model()->rowCount(), 1);
    const QModelIndex twisted = window.Model()->index(0, 1);
    EXPECT_EQ(window.Model()->data(twisted, Qt::DisplayRole).toString(), "F *");
    EXPECT_TRUE(window.Model()->data(twisted, Qt::FontRole).value<QFont>().bold());
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(window.Model()->rowCount(), 0);
}

TEST_F(InstructionsWindowTest, the_twist_row_counts_each_card_and_marks_the_largest) {
    auto threading = std::make_unique<Band>();
    threading->Add(test::MakeDeck(3, Forward, SThread), 1);
    test::LoadRows(document, std::move(threading));
    QAbstractItemModel& twist = *window.TwistTable()->model();
    ASSERT_EQ(twist.columnCount(), 3);
    EXPECT_EQ(twist.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "Net twist");
    // card 1 forward twice, card 2 forward then backward, card 3 backward twice
    Cards deck = document.CurrentBand().At(1).Cards();
    deck.At(3).SetTurn(Backward);
    ASSERT_TRUE(document.AddPick(deck));
    deck.At(2).SetTurn(Backward);
    ASSERT_TRUE(document.AddPick(deck));
    const auto text = [&](int card) {
        return twist.data(twist.index(0, card - 1), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(text(1), "+2");
    EXPECT_EQ(text(2), "0");
    EXPECT_EQ(text(3), "-2");
    for (int card : {1, 3}) {
        EXPECT_TRUE(twist.data(twist.index(0, card - 1), Qt::FontRole).value<QFont>().bold());
        EXPECT_EQ(twist.data(twist.index(0, card - 1), Qt::ForegroundRole).value<QColor>(),
                  QColor(Qt::red));
    }
    EXPECT_FALSE(twist.data(twist.index(0, 1), Qt::FontRole).isValid());
    // taking the last pick off takes its turns back
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(text(2), "+1");
    EXPECT_EQ(text(3), "-1");
    // every card twisted as much as the others: none stands out
    Weave(test::MakeDeck(3, Forward, SThread), "FF");
    for (int card = 1; card <= 3; ++card)
        EXPECT_FALSE(twist.data(twist.index(0, card - 1), Qt::FontRole).isValid()) << card;
    EXPECT_EQ(test::AccessibleName(window.TwistTable()), "Net twist");
}

TEST_F(InstructionsWindowTest, the_grid_takes_the_room_and_what_stands_below_it_shows_whole) {
    EXPECT_EQ(window.windowTitle(), "Turning Instructions");
    window.show();
    const QTableView* table = window.Table();
    const QTableView* twist = window.TwistTable();
    const auto* legend = window.findChild<QLabel*>("lblLegend");
    const auto* close = window.findChild<QPushButton*>("cmdClose");
    EXPECT_EQ(legend->text(), "F = Forward, B = Backward, I = Idle, * = Vertical Twist");
    int tableHeight = 0;
    for (const QSize size : {QSize(520, 460), QSize(700, 600)}) {
        window.resize(size);
        test::ProcessEvents();
        // a taller window gives the grid the room, never the rows below it
        EXPECT_GT(table->height(), tableHeight);
        tableHeight = table->height();
        EXPECT_GE(twist->y(), table->geometry().bottom());
        EXPECT_GE(legend->y(), twist->geometry().bottom());
        EXPECT_GE(close->y(), twist->geometry().bottom());
        EXPECT_LE(close->geometry().bottom(), window.height());
        // the legend in the desktop's font is not cut, nor hidden behind the button
        EXPECT_GE(legend->width(), legend->sizeHint().width());
        EXPECT_FALSE(legend->geometry().intersects(close->geometry()));
        // the twist row's columns stand under the grid's: it ends where the scroll bar begins
        const QScrollBar* bar = table->verticalScrollBar();
        EXPECT_EQ(twist->x(), table->x());
        EXPECT_EQ(twist->geometry().right(),
                  table->geometry().right() - (bar->isVisible() ? bar->width() : 0));
    }
}

// A band of 4 cards stored row by row, woven forward `picks` times, with the window shown.
class InstructionEditTest : public InstructionsWindowTest {
  protected:
    explicit InstructionEditTest(int picks = 3) {
        auto rows = std::make_unique<Band>();
        Cards deck = test::MakeDeck(4, Forward, SThread, 1);
        rows->Add(deck, 1);
        for (int p = 1; p <= picks; ++p) {
            for (Card& card : deck) card.SetTurn(Forward);
            rows->Add(deck, p + 1);
        }
        test::LoadRows(document, std::move(rows));
        window.show();
    }
    QTableView* Table() { return window.Table(); }
    QPoint CellPoint(int pick, int card) {
        return Table()->visualRect(window.Model()->index(pick - 1, card - 1)).center();
    }
    void Click(int pick, int card, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, modifiers, CellPoint(pick, card));
    }
    QString Cell(int pick, int card) {
        return window.Model()->data(window.Model()->index(pick - 1, card - 1), Qt::DisplayRole).toString();
    }
    QAction* Action(const char* name) { return test::FindAction(window, name); }
    void SelectPicks(int first, int last) {
        Table()->setCurrentIndex(window.Model()->index(first - 1, 0));
        Table()->selectionModel()->select(
            QItemSelection(window.Model()->index(first - 1, 0),
                           window.Model()->index(last - 1, 3)),
            QItemSelectionModel::ClearAndSelect);
    }
    test::ReportRecorder recorder;
};

TEST_F(InstructionEditTest, a_click_turns_a_cell_on_and_keys_set_it) {
    // a cell set to what it says already is no step
    Table()->setCurrentIndex(window.Model()->index(1, 2));
    QTest::keyClick(Table(), Qt::Key_F);
    EXPECT_FALSE(document.History().CanUndo());
    Click(2, 3);
    EXPECT_EQ(Cell(2, 3), "B");
    EXPECT_EQ(document.History().UndoText(), "Set Pick 2 Card 3 to B");
    QTest::keyClick(Table(), Qt::Key_I);
    EXPECT_EQ(Cell(2, 3), "I");
    QTest::keyClick(Table(), Qt::Key_Asterisk);
    EXPECT_EQ(Cell(2, 3), "I *");
    QTest::keyClick(Table(), Qt::Key_Space);
    EXPECT_EQ(Cell(2, 3), "F *");
    QTest::keyClick(Table(), Qt::Key_B);
    EXPECT_EQ(Cell(2, 3), "B *");
    // Shift+click flips that card at that pick and makes it the current cell
    Click(1, 1, Qt::ShiftModifier);
    EXPECT_EQ(Cell(1, 1), "F *");
    EXPECT_EQ(Table()->currentIndex(), window.Model()->index(0, 0));
    // the band is what the cells say: card 3 turned F, B, F
    const Band& band = document.CurrentBand();
    EXPECT_EQ(band.At(3).Cards().At(3).Turn(), Backward);
    EXPECT_EQ(band.At(4).Cards().At(3).HoleOrder(), 2);
    EXPECT_EQ(document.NetTwist(), (std::vector<std::int32_t>{3, 3, 1, 3}));
    for (int i = 0; i < 6; ++i) document.History().Undo();
    EXPECT_EQ(Cell(2, 3), "F");
    EXPECT_EQ(Cell(1, 1), "F");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(InstructionEditTest, whole_picks_are_chosen_by_their_numbers) {
    QHeaderView* numbers = Table()->verticalHeader();
    const auto section = [&](int pick) {
        return QPoint(numbers->width() / 2, numbers->sectionViewportPosition(pick - 1) +
                                                numbers->sectionSize(pick - 1) / 2);
    };
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, section(1));
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, Qt::ShiftModifier, section(2));
    EXPECT_EQ(window.Editor()->SelectedPicks(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(window.Editor()->SelectedCells().size(), 8u);
    QTest::keyClick(Table(), Qt::Key_Delete);
    EXPECT_EQ(window.Model()->rowCount(), 1);
    EXPECT_EQ(document.History().UndoText(), "Delete Picks 1–2");
}

TEST_F(InstructionEditTest, several_cells_are_set_at_once) {
    SelectPicks(1, 2);
    QTest::keyClick(Table(), Qt::Key_B);
    for (int card = 1; card <= 4; ++card) {
        EXPECT_EQ(Cell(1, card), "B");
        EXPECT_EQ(Cell(2, card), "B");
        EXPECT_EQ(Cell(3, card), "F");
    }
    EXPECT_EQ(document.History().UndoText(), "Set 8 Cells to B");
    EXPECT_EQ(window.Editor()->SelectedPicks(), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(InstructionEditTest, picks_are_inserted_deleted_and_repeated_from_the_menu_entries) {
    QTest::keyClick(Table(), Qt::Key_Home);
    Table()->setCurrentIndex(window.Model()->index(1, 2));
    Click(2, 3);  // B
    Action("mnuInsertPickAbove")->trigger();
    EXPECT_EQ(document.History().UndoText(), "Insert Pick 2");
    EXPECT_EQ(window.Model()->rowCount(), 4);
    EXPECT_EQ(Cell(2, 3), "B");
    EXPECT_EQ(Cell(3, 3), "B");
    Action("mnuDeletePicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 3);
    EXPECT_EQ(document.History().UndoText(), "Delete Pick 2");
    // the saved rows are what the weaving assistant weaves with those instructions
    EXPECT_EQ(test::DecksOf(document.CurrentBand()),
              test::DecksOf(WeaveSteps(StepsOf(document.CurrentBand()))));

    SelectPicks(1, 2);
    dialogs.numberAnswer = 2;
    Action("mnuRepeatPicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 7);
    EXPECT_EQ(document.History().UndoText(), "Repeat Picks 1–2");
    EXPECT_EQ(Cell(4, 3), "B");
    EXPECT_EQ(Cell(6, 3), "B");
    dialogs.numberAnswer.reset();  // cancelled: nothing happens
    Action("mnuRepeatPicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 7);
    SelectPicks(1, 2);
    Action("mnuTurnOver")->trigger();
    EXPECT_EQ(Cell(1, 1), "B");
    EXPECT_EQ(Cell(2, 3), "F");
    Action("mnuDuplicatePicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 9);
    EXPECT_EQ(Cell(3, 1), "B");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(InstructionEditTest, picks_go_to_the_clipboard_as_csv_and_come_back) {
    Click(2, 4);  // B
    SelectPicks(2, 2);
    Action("mnuCopyPicks")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2,F,F,F,B\n");
    SelectPicks(1, 1);
    Action("mnuPastePicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 4);
    EXPECT_EQ(Cell(1, 4), "B");
    EXPECT_EQ(Cell(2, 4), "F");
    // a spreadsheet's cells, a flip and lower case come in too
    QGuiApplication::clipboard()->setText("\tb\tb *\ti\tF\r\n");
    Action("mnuPastePicks")->trigger();
    EXPECT_EQ(Cell(1, 2), "B *");
    EXPECT_EQ(Cell(1, 3), "I");
    // text that is no pick of this band is refused with the reason
    QGuiApplication::clipboard()->setText("1,F,F\n");
    Action("mnuPastePicks")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("2 cells, but the band has 4 cards"));
    EXPECT_EQ(window.Model()->rowCount(), 5);
    SelectPicks(1, 2);
    Action("mnuCutPicks")->trigger();
    EXPECT_EQ(window.Model()->rowCount(), 3);
    EXPECT_EQ(QGuiApplication::clipboard()->text().count('\n'), 2);
}

TEST_F(InstructionEditTest, with_the_reverse_face_showing_a_cell_is_edited_as_it_is_seen) {
    document.Reverse();
    ASSERT_EQ(Cell(1, 1), "B");  // the front's forward turns seen from the back
    Table()->setCurrentIndex(window.Model()->index(0, 0));
    QTest::keyClick(Table(), Qt::Key_F);
    EXPECT_EQ(Cell(1, 1), "F");
    Click(2, 2);  // seen B: the next is I
    EXPECT_EQ(Cell(2, 2), "I");
    SelectPicks(3, 3);
    Action("mnuCopyPicks")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "3,B,B,B,B\n");
    document.Reverse();
    // on the front it is the card at the other edge, turned the other way
    EXPECT_EQ(Cell(1, 4), "B");
    EXPECT_EQ(Cell(1, 1), "F");
    EXPECT_EQ(Cell(2, 3), "I");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(InstructionEditTest, on_the_reverse_face_copy_cut_and_paste_keep_the_picks_as_shown) {
    // a flip of card 2 at pick 3 on the front is card 3 seen from the back
    Click(3, 2, Qt::ShiftModifier);
    ASSERT_EQ(Cell(3, 2), "F *");
    const auto front = test::DecksOf(document.CurrentBand());
    document.Reverse();
    // the columns stand under the cards they show
    EXPECT_EQ(window.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "4");
    EXPECT_EQ(window.Model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "1");
    ASSERT_EQ(Cell(3, 3), "B *");
    SelectPicks(3, 3);
    Action("mnuCopyPicks")->trigger();
    // what the table shows: card order and letters as seen
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "3,B,B,B *,B\n");
    Action("mnuCutPicks")->trigger();
    SelectPicks(3, 3);
    Action("mnuPastePicks")->trigger();
    EXPECT_EQ(document.History().UndoText(), "Paste Pick 3");
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), front);
    document.Reverse();
    EXPECT_EQ(window.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(Cell(3, 2), "F *");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(InstructionEditTest, the_steps_name_the_picks_chosen) {
    for (const auto& [first, last, name] :
         {std::tuple{2, 2, "Pick 2"}, std::tuple{1, 3, "Picks 1–3"}, std::tuple{1, 2, "Picks 1–2"}}) {
        SelectPicks(first, last);
        dialogs.numberAnswer = 1;
        Action("mnuRepeatPicks")->trigger();
        EXPECT_EQ(document.History().UndoText(), QString("Repeat ") + name);
        EXPECT_EQ(dialogs.numberQuestions.back(), QString("Weave %1 again how many more times?").arg(name));
        document.History().Undo();
    }
}

TEST_F(InstructionEditTest, the_instructions_csv_the_exporter_writes_pastes_back) {
    // header, the threading's line (pick 0) and the picks, as the exporter writes them
    QGuiApplication::clipboard()->setText("Pick,1,2,3,4\n0,,,,\n1,B,F,I,F *\n");
    SelectPicks(1, 1);
    Action("mnuPastePicks")->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.Model()->rowCount(), 4);
    EXPECT_EQ(Cell(1, 1), "B");
    EXPECT_EQ(Cell(1, 4), "F *");
}

TEST_F(InstructionEditTest, the_entries_apply_only_to_picks) {
    test::LoadRows(document, [] {
        auto rows = std::make_unique<Band>();
        rows->Add(test::MakeDeck(4), 1);
        return rows;
    }());
    for (const char* name : {"mnuInsertPickAbove", "mnuInsertPickBelow", "mnuDeletePicks",
                             "mnuDuplicatePicks", "mnuRepeatPicks", "mnuTurnOver", "mnuCopyPicks",
                             "mnuCutPicks"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_TRUE(Action("mnuPastePicks")->isEnabled());
    EXPECT_EQ(Action("mnuRepeatPicks")->text(), "Repeat…");
}

}  // namespace
}  // namespace tessaly
