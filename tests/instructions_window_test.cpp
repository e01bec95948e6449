#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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

TEST_F(InstructionsWindowTest, controls_and_layout) {
    EXPECT_EQ(window.windowTitle(), "Turning Instructions");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(),
              "F = Forward, B = Backward, * = Vertical Twist");
    EXPECT_EQ(window.findChild<QPushButton*>("cmdClose")->text(), "&Close");
    window.show();
    window.resize(8000 / 15, 7000 / 15);
    test::ProcessEvents();
    const QTableView* table = window.Table();
    const QLabel* legend = window.findChild<QLabel*>("Label1");
    EXPECT_EQ(table->width(), 8000 / 15 - 27);
    // the net twist row sits between the grid and the legend
    const QTableView* twist = window.TwistTable();
    EXPECT_EQ(twist->y(), table->y() + table->height());
    EXPECT_EQ(legend->y(), twist->y() + twist->height());
    EXPECT_EQ(window.findChild<QPushButton*>("cmdClose")->y(), legend->y() + 7);
}

}  // namespace
}  // namespace tessaly
