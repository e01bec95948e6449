#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "GuiSupport.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "render/RasterCanvas.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "weave/InstructionTableModel.h"
#include "weave/LoomCardStrip.h"
#include "weave/NetTwistModel.h"
#include "widgets/CardDiagram.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {
namespace {

// The default pattern: 18 cards turned F F F F B B B B, over and over.
const QString kAllForward = QStringLiteral(
    "Turn F: 1\u201318 \u00B7 Turn B: \u2014 \u00B7 Idle: \u2014 \u00B7 Flip first: \u2014");
const QString kAllBackward = QStringLiteral(
    "Turn F: \u2014 \u00B7 Turn B: 1\u201318 \u00B7 Idle: \u2014 \u00B7 Flip first: \u2014");

class WeaveAlongTest : public ::testing::Test {
  protected:
    // The program started on a pattern file (the default pattern without one), Weave Along
    // opened as its menu entry does.
    WeaveAlongWindow& OpenWeaveAlong(Startup& startup, const std::string& path = {}) {
        MainWindow& window = startup.Run(false, QString::fromStdString(path));
        test::FindAction(window, "mnuWindowWeaveAlong")->trigger();
        WeaveAlongWindow* along = test::WeaveAlongOf(window);
        EXPECT_TRUE(along != nullptr && along->isVisible());
        return *along;
    }
    static void Press(QWidget& window, Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::keyClick(&window, key);
    }

    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    test::ProgramFolder folder;
};

TEST_F(WeaveAlongTest, the_pick_reached_comes_back_with_the_file_and_not_for_a_changed_one) {
    const std::string path = folder.File("diamonds.kst");
    {
        Startup startup(dialogs, folder.Path());
        startup.Run(false);
        ASSERT_TRUE(startup.Session().Save(path, {}));
    }
    {
        Startup startup(dialogs, folder.Path());
        WeaveAlongWindow& along = OpenWeaveAlong(startup, path);
        EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 1 of "));
        EXPECT_EQ(along.TurnsLabel()->text(), kAllForward);
        Press(along, Qt::Key_Space, 5);
        EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 6 of "));
        EXPECT_EQ(along.TurnsLabel()->text(), kAllBackward);
        // a screen reader reads the pick from the window itself
        EXPECT_TRUE(along.accessibleDescription().contains(kAllBackward));
    }
    {
        Startup startup(dialogs, folder.Path());
        WeaveAlongWindow& along = OpenWeaveAlong(startup, path);
        EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 6 of "));
        EXPECT_EQ(along.TurnsLabel()->text(), kAllBackward);
        // saved under another name, the file is another pattern: it starts at pick 1, and the
        // pick comes with it from then on
        Press(along, Qt::Key_Right);
        startup.Session().Document().SetBandName("Diamonds, changed");
        ASSERT_TRUE(startup.Session().Save(path, {}));
    }
    {
        Startup startup(dialogs, folder.Path());
        EXPECT_TRUE(OpenWeaveAlong(startup, path).PickLabel()->text().startsWith("Pick 7 of "));
    }
    std::filesystem::copy_file(path, folder.File("copy.kst"));
    Startup startup(dialogs, folder.Path());
    EXPECT_TRUE(OpenWeaveAlong(startup, folder.File("copy.kst"))
                    .PickLabel()
                    ->text()
                    .startsWith("Pick 1 of "));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveAlongTest, keys_move_through_the_band_and_its_repeats_and_say_where_it_ends) {
    Startup startup(dialogs, folder.Path());
    WeaveAlongWindow& along = OpenWeaveAlong(startup);
    QWidget& window = *along.window();
    const std::int32_t picks = startup.Document().CurrentBand().Count() - 1;
    Press(along, Qt::Key_Backspace);
    EXPECT_EQ(along.MessageLabel()->text(), "Pick 1 is the band's first.");
    Press(along, Qt::Key_PageDown, 3);
    Press(along, Qt::Key_Left);
    EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 3 of "));
    EXPECT_TRUE(along.PickLabel()->text().endsWith("repeat 1, pick 3 of 8"));
    Press(along, Qt::Key_End);
    EXPECT_EQ(along.PickLabel()->text(),
              QString("Pick %1 of %1 \u00B7 repeat %2, pick 8 of 8").arg(picks).arg(picks / 8));
    // a band woven from a sequence goes on with the next repeat
    Press(along, Qt::Key_Return);
    EXPECT_EQ(along.PickLabel()->text(),
              QString("Pick %1 (the band has %2) \u00B7 repeat %3, pick 1 of 8")
                  .arg(picks + 1)
                  .arg(picks)
                  .arg(picks / 8 + 1));
    EXPECT_EQ(along.TurnsLabel()->text(), kAllForward);
    dialogs.numberAnswer = 8 * 1000 + 5;
    QTest::keyClick(&along, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(along.PickLabel()->text().endsWith("repeat 1001, pick 5 of 8"));
    EXPECT_EQ(along.TurnsLabel()->text(), kAllBackward);
    // F F F F B B B B a thousand times leaves no twist; then four turns forward
    EXPECT_EQ(along.Strip()->GridCellText(5, 0), "+4");
    Press(along, Qt::Key_Home);
    EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 1 of "));
    // a pedal's key moves on too, once set
    window.findChild<QKeySequenceEdit*>("txtPedalKey")->setKeySequence(QKeySequence(Qt::Key_F13));
    Press(along, Qt::Key_F13);
    EXPECT_TRUE(along.PickLabel()->text().startsWith("Pick 2 of "));

    // a hand-woven band ends with its last pick
    test::Driver document(startup.Session());
    test::LoadRows(document, [] {
        auto rows = std::make_unique<Band>();
        rows->Add(test::MakeDeck(2), 1);
        rows->Add(test::MakeDeck(2, Backward), 2);
        return rows;
    }());
    Press(along, Qt::Key_Space, 2);
    EXPECT_EQ(along.PickLabel()->text(), "Pick 1 of 1");
    EXPECT_EQ(along.MessageLabel()->text(), "Pick 1 is the band's last: the band is woven.");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveAlongTest, the_twist_is_counted_and_a_card_past_the_limit_is_named) {
    Startup startup(dialogs, folder.Path());
    WeaveAlongWindow& along = OpenWeaveAlong(startup);
    QWidget& window = *along.window();
    window.findChild<QSpinBox*>("txtTwistLimit")->setValue(2);
    Press(along, Qt::Key_Space, 3);
    // three forward turns: past a limit of two
    EXPECT_EQ(along.Strip()->GridCellText(5, 17), "+3, over the limit");
    EXPECT_TRUE(along.TwistLabel()->text().startsWith("Twist past \u00B12 turns: card 1 (+3)"));
    window.findChild<QSpinBox*>("txtTwistLimit")->setValue(8);
    EXPECT_EQ(along.TwistLabel()->text(), "Twist within \u00B18 turns (most: +3 on card 1).");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveAlongTest, while_followed_the_band_shows_its_fell_and_the_instructions_the_pick) {
    Startup startup(dialogs, folder.Path());
    MainWindow& window = startup.Run(false);
    DisplayWindow& display = *test::DisplayOf(window);
    InstructionTableModel& instructions = *test::InstructionsOf(window)->Model();
    const QImage unmarked = display.View()->grab().toImage();
    EXPECT_EQ(display.View()->Fell(), std::nullopt);
    test::FindAction(window, "mnuWindowWeaveAlong")->trigger();
    WeaveAlongWindow& along = *test::WeaveAlongOf(window);
    Press(along, Qt::Key_Space, 4);
    // picks 1 to 4 woven: the threading row and four rows below the fell
    const int block = startup.Session().Presentation().Geometry().BlockSize;
    EXPECT_EQ(display.View()->Fell(), display.View()->height() - 2 * block * 5);
    EXPECT_EQ(instructions.MarkedPick(), 5);
    EXPECT_EQ(instructions.headerData(4, Qt::Vertical, Qt::AccessibleDescriptionRole).toString(),
              "at the loom");
    EXPECT_NE(instructions.data(instructions.index(4, 0), Qt::BackgroundRole),
              instructions.data(instructions.index(3, 0), Qt::BackgroundRole));
    const QImage marked = display.View()->grab().toImage();
    const int below = *display.View()->Fell() + 4;
    const int above = *display.View()->Fell() - 4;
    EXPECT_EQ(marked.pixel(20, below), unmarked.pixel(20, below));
    EXPECT_NE(marked.pixel(20, above), unmarked.pixel(20, above));
    // closed, nothing is marked: the display is the band's picture again
    along.findChild<QPushButton*>("cmdClose")->click();
    EXPECT_EQ(display.View()->Fell(), std::nullopt);
    EXPECT_EQ(instructions.MarkedPick(), std::nullopt);
    EXPECT_EQ(display.View()->grab().toImage(), unmarked);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(WeaveAlongTest, the_large_view_fills_the_screen_and_escape_leaves_it) {
    Startup startup(dialogs, folder.Path());
    WeaveAlongWindow& along = OpenWeaveAlong(startup);
    QWidget& window = *along.window();
    const qreal normal = along.PickLabel()->font().pointSizeF();
    along.findChild<QPushButton*>("cmdLarge")->click();
    EXPECT_TRUE(window.isFullScreen());
    EXPECT_TRUE(test::SubWindowOf(&along)->isMaximized());
    EXPECT_GT(along.PickLabel()->font().pointSizeF(), normal * 1.5);
    Press(along, Qt::Key_Escape);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_FALSE(along.IsLarge());
    EXPECT_EQ(along.PickLabel()->font().pointSizeF(), normal);
    EXPECT_TRUE(recorder.Empty());
}

TEST(card_diagram_test, every_card_shape_keeps_its_holes_apart_and_on_the_card) {
    for (int holes = kMinHoles; holes <= kMaxHoles; ++holes) {
        const CardDiagram diagram(std::vector<std::int32_t>(static_cast<std::size_t>(holes), 0),
                                  CardDiagram::UpperLeftDegrees(holes));
        const QRectF bounds(10, 20, 36, 36);
        for (int place = 0; place < holes; ++place) {
            const QRectF cell = diagram.PlaceCell(bounds, place);
            EXPECT_TRUE(bounds.contains(cell)) << holes << " holes, place " << place;
            EXPECT_GT(cell.width(), 5) << holes << " holes";
            // the holes are round: their centres stand at least a hole apart
            for (int other = 0; other < place; ++other) {
                const QPointF apart = cell.center() - diagram.PlaceCell(bounds, other).center();
                EXPECT_GE(std::hypot(apart.x(), apart.y()), cell.width() - 0.01)
                    << holes << " holes, places " << other << " and " << place;
            }
        }
        // places run clockwise from the upper left: place 0 left of place 1, both up top
        if (holes > 2) {
            const QPointF first = diagram.PlaceCell(bounds, 0).center();
            const QPointF second = diagram.PlaceCell(bounds, 1).center();
            EXPECT_LT(first.x(), second.x()) << holes << " holes";
            EXPECT_NEAR(first.y(), second.y(), 0.01) << holes << " holes";
            EXPECT_LT(first.y(), bounds.center().y()) << holes << " holes";
        }
    }
}

TEST(loom_card_strip_test, a_six_hole_card_lists_its_six_places_from_the_top_front) {
    auto& strip = *new LoomCardStrip;  // the view owns it
    ColumnViewport view("prtLoomCards", "Cards", &strip, 450);
    view.show();
    strip.SetCards({LoomCardStrip::Column{1, {11, 12, 13, 14}, 0, 4}}, 8);
    const int squareHeight = view.height();
    LoomCardStrip::Column card{1, {11, 12, 13, 14, 15, Card::kNoThread, 0, 0}, -2, 6};
    strip.SetCards({card}, 8);
    // drawn larger, and the view grows with it: the twist row stays in sight
    EXPECT_GT(view.height(), squareHeight);
    EXPECT_GE(view.height(), strip.height());
    ASSERT_EQ(strip.GridRows(), 8);
    EXPECT_EQ(strip.GridRowName(1), "Top front");
    EXPECT_EQ(strip.GridCellText(1, 0), RasterCanvas::ToQColor(11).name());
    EXPECT_EQ(strip.GridCellText(6, 0), "empty");
    EXPECT_EQ(strip.GridRowName(7), "Net twist");
    EXPECT_EQ(strip.GridCellText(7, 0), NetTwistModel::TwistText(-2));
    // every place can be found where it is drawn
    for (int row = 0; row < strip.GridRows(); ++row)
        EXPECT_EQ(strip.GridCellAt(strip.GridCellRect(row, 0).center()), std::pair(row, 0));
}

}  // namespace
}  // namespace tessaly
