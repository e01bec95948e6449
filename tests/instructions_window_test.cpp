#include <gtest/gtest.h>

#include <QElapsedTimer>
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

namespace tessaly {
namespace {

class InstructionsWindowTest : public ::testing::Test {
  protected:
    void Weave(const Cards& deck, const std::string& sequence) {
        test::LoadWoven(document, deck, sequence);
    }
    PatternSession session;
    test::Driver document{session};
    InstructionsWindow window{session.Views()};
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
    for (int c = 0; c <= 12; ++c) EXPECT_EQ(document.Grid().ColWidth(c), 350);
    // the corner shows the grid's own cell (0, 0), which the threading row writes
    EXPECT_EQ(window.Model()->CornerText(), "0");
}

TEST_F(InstructionsWindowTest, follows_the_document_pick_by_pick) {
    auto threading = std::make_unique<Band>();
    threading->Add(test::MakeDeck(2, Forward, SThread), "1");
    test::LoadRows(document, std::move(threading));
    EXPECT_EQ(window.Model()->rowCount(), 0);
    Cards deck = document.CurrentBand().At(1).Cards();
    deck.At(2).Thread = ZThread;
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
    threading->Add(test::MakeDeck(3, Forward, SThread), "1");
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
    EXPECT_EQ(test::AccessibleName(window.TwistTable()), "Net twist");
}

TEST_F(InstructionsWindowTest, the_grid_takes_the_room_and_what_stands_below_it_shows_whole) {
    EXPECT_EQ(window.windowTitle(), "Turning Instructions");
    window.show();
    const QTableView* table = window.Table();
    const QTableView* twist = window.TwistTable();
    const auto* legend = window.findChild<QLabel*>("Label1");
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

}  // namespace
}  // namespace tessaly
