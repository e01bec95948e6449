#include <gtest/gtest.h>

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "GuiSupport.h"
#include "design/ChartGrid.h"
#include "design/ChartWindow.h"
#include "document/commands/ChartCommands.h"
#include "document/commands/PaletteCommands.h"
#include "engine/ChartTurns.h"
#include "patternfile/PatternFile.h"
#include "render/RasterCanvas.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"

namespace tessaly {
namespace {

class ChartWindowTest : public ::testing::Test {
  protected:
    ChartWindowTest() : window(startup.Run(false)) {}

    test::Driver Document() { return test::Driver(startup.Session()); }
    void Trigger(const char* action) { test::FindAction(window, action)->trigger(); }
    void New(int kind) {
        dialogs.choiceAnswer = kind;
        Trigger("mnuNew");
        QCoreApplication::processEvents();  // the chart comes forward once the windows are placed
    }
    ChartWindow& Chart() { return *window.findChild<ChartWindow*>("frmChart"); }
    ChartGrid& Grid() { return *Chart().Grid(); }
    const TwoColourChart& DocumentChart() { return *Document().Document().Extras().chart; }
    void Click(std::int32_t row, std::int32_t card, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&Grid(), button, Qt::NoModifier, Grid().CellRect(row, card).center());
    }
    // The band is what its chart weaves: every card's turn at every pick.
    void ExpectBandFollowsChart() {
        const auto turns = ChartTurns(DocumentChart());
        const std::vector<PickSteps> steps = StepsFrom(Document().CurrentBand(), 1);
        ASSERT_EQ(steps.size(), turns.size());
        for (std::size_t p = 0; p < steps.size(); ++p)
            for (std::size_t t = 0; t < steps[p].size(); ++t)
                ASSERT_EQ(steps[p][t].turn, turns[p][t]) << "pick " << p + 1 << ", card " << t + 1;
    }

    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    test::ProgramFolder folder;
    Startup startup{dialogs, folder.Path()};
    MainWindow& window;
};

TEST_F(ChartWindowTest,
       a_new_double_faced_band_is_painted_with_the_mouse_and_keys_a_step_at_a_time) {
    New(1);
    ASSERT_TRUE(Document().Document().Extras().chart);
    EXPECT_EQ(DocumentChart().weave, ChartWeave::DoubleFaced);
    EXPECT_EQ(Document().CardCount(), 20);
    EXPECT_EQ(Document().CurrentBand().Count(), 25);  // 12 rows of the chart: 24 picks
    EXPECT_TRUE(Chart().isVisibleTo(&window));
    EXPECT_TRUE(Document().PatternPath().empty());
    ExpectBandFollowsChart();

    // the left button paints the foreground, a drag is one step; the right one the background
    QTest::mousePress(&Grid(), Qt::LeftButton, Qt::NoModifier, Grid().CellRect(0, 2).center());
    QTest::mouseMove(&Grid(), Grid().CellRect(1, 3).center());
    QTest::mouseRelease(&Grid(), Qt::LeftButton, Qt::NoModifier, Grid().CellRect(1, 3).center());
    EXPECT_TRUE(DocumentChart().foreground[0][2]);
    EXPECT_TRUE(DocumentChart().foreground[1][3]);
    EXPECT_EQ(Document().History().UndoText(), "Paint chart");
    // a quick stroke that skips cells between two moves paints the cells between
    QTest::mousePress(&Grid(), Qt::LeftButton, Qt::NoModifier, Grid().CellRect(5, 0).center());
    QTest::mouseMove(&Grid(), Grid().CellRect(5, 4).center());
    QTest::mouseRelease(&Grid(), Qt::LeftButton, Qt::NoModifier, Grid().CellRect(5, 4).center());
    for (std::size_t card = 0; card <= 4; ++card)
        EXPECT_TRUE(DocumentChart().foreground[5][card]) << card;
    Trigger("mnuUndo");
    ExpectBandFollowsChart();
    Click(0, 2, Qt::RightButton);
    EXPECT_FALSE(DocumentChart().foreground[0][2]);
    Trigger("mnuUndo");
    EXPECT_TRUE(DocumentChart().foreground[0][2]);
    Trigger("mnuUndo");
    EXPECT_FALSE(DocumentChart().foreground[1][3]);
    ExpectBandFollowsChart();

    // keys as in the draft: the cursor moves up a row and right, Shift chooses a block, Space
    // paints it, Insert puts a row in above it
    Grid().setFocus();
    Grid().SetCursor(0, 0);
    QTest::keyClick(&Grid(), Qt::Key_Up);
    QTest::keyClick(&Grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&Grid(), Qt::Key_Space);
    EXPECT_EQ(
        DocumentChart().foreground[1],
        (std::vector<bool>{true,  true,  false, false, false, false, false, false, false, false,
                           false, false, false, false, false, false, false, false, false, false}));
    QTest::keyClick(&Grid(), Qt::Key_Insert);
    EXPECT_EQ(DocumentChart().Rows(), 13);
    EXPECT_FALSE(DocumentChart().foreground[2][0]);
    EXPECT_EQ(Document().CurrentBand().Count(), 27);
    ExpectBandFollowsChart();
    QTest::keyClick(&Grid(), Qt::Key_Delete);
    EXPECT_EQ(DocumentChart().Rows(), 12);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ChartWindowTest, double_faced_cards_are_threaded_in_pairs_one_of_four_ways) {
    New(1);
    auto* threading = Chart().findChild<QComboBox*>("cboChartThreading");
    ASSERT_NE(threading, nullptr);
    EXPECT_EQ(threading->currentIndex(), 0);  // Z and S
    const auto threads = [&] {
        std::string letters;
        for (const Card& card : Document().CurrentBand().At(1).Cards())
            letters += card.Thread() == SThread ? 'S' : 'Z';
        return letters.substr(0, 4);
    };
    EXPECT_EQ(threads(), "ZSZS");
    threading->setCurrentIndex(1);
    EXPECT_EQ(threads(), "SZSZ");
    threading->setCurrentIndex(2);
    EXPECT_EQ(threads(), "SSSS");
    ExpectBandFollowsChart();
    Trigger("mnuUndo");
    EXPECT_EQ(threads(), "SZSZ");
    EXPECT_EQ(threading->currentIndex(), 1);
}

TEST_F(ChartWindowTest, a_chart_band_keeps_its_picks_to_its_chart_until_converted) {
    New(1);
    Click(3, 4);
    const std::vector<Cards> before = test::DecksOf(Document().CurrentBand());
    // the picks and the threading follow from the chart alone
    EXPECT_THROW(Document().Session().Run<UnWeavePick>(), AppError);
    EXPECT_THROW(Document().Session().Run<SimpleWeave>(), AppError);
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), before);

    // the instructions are read, copied, but not edited
    EXPECT_FALSE(test::FindAction(window, "mnuPastePicks")->isEnabled());
    Trigger("mnuConvertToThreadedIn");
    EXPECT_FALSE(Document().Document().Extras().chart);
    EXPECT_TRUE(test::FindAction(window, "mnuPastePicks")->isEnabled());
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), before);
    EXPECT_FALSE(test::FindAction(window, "mnuConvertToThreadedIn")->isEnabled());
    EXPECT_TRUE(Document().Session().Run<UnWeavePick>());
    Trigger("mnuUndo");
    Trigger("mnuUndo");
    ASSERT_TRUE(Document().Document().Extras().chart);
    EXPECT_TRUE(DocumentChart().foreground[3][4]);
    EXPECT_TRUE(test::FindAction(window, "mnuConvertToThreadedIn")->isEnabled());
}

TEST_F(ChartWindowTest,
       a_broken_twill_chart_turns_its_twill_marks_long_floats_and_resizes_then_saves_as_a_chart) {
    New(2);
    ASSERT_EQ(DocumentChart().weave, ChartWeave::BrokenTwill);
    EXPECT_EQ(DocumentChart().Rows(), 13);  // 12 rows woven and the row after the last
    EXPECT_EQ(Document().CurrentBand().Count(), 25);
    Chart().findChild<QRadioButton*>("optTwillZ")->setChecked(true);
    EXPECT_EQ(DocumentChart().twill, TwillDirection::Z);
    Chart().findChild<QRadioButton*>("optLayerFloats")->setChecked(true);
    Click(2, 5);
    EXPECT_TRUE(DocumentChart().longFloats[2][5]);
    EXPECT_FALSE(DocumentChart().foreground[2][5]);
    Chart().findChild<QRadioButton*>("optLayerColours")->setChecked(true);
    Click(2, 6);
    EXPECT_TRUE(DocumentChart().foreground[2][6]);
    // the palette recolours a chart band as any other, its chart kept
    const TwoColourChart painted = DocumentChart();
    const std::int32_t foreground = Document().CurrentBand().At(1).Cards().At(1).Color(0);
    EXPECT_TRUE(Document().Session().Run<ChangeColor>(foreground, 0x00FF00, 1));
    EXPECT_EQ(DocumentChart(), painted);
    EXPECT_EQ(Document().CurrentBand().At(1).Cards().At(1).Color(0), 0x00FF00);
    ExpectBandFollowsChart();
    // a value set as an assistive tool sets it counts as one typed
    Chart().findChild<QSpinBox*>("spnChartCards")->setValue(24);
    EXPECT_EQ(DocumentChart().Cards(), 24);
    EXPECT_EQ(Document().CardCount(), 24);
    Chart().findChild<QSpinBox*>("spnChartRows")->setValue(10);
    EXPECT_EQ(DocumentChart().Rows(), 11);
    EXPECT_EQ(Document().CurrentBand().Count(), 21);
    ExpectBandFollowsChart();

    // saved, the file opens again as the same chart and band, and the exporter's reader
    // reads the same
    const std::string path = folder.File("twill.kst");
    ASSERT_TRUE(Document().Session().Save(path, {}));
    const TwoColourChart saved = DocumentChart();
    const std::vector<Cards> band = test::DecksOf(Document().CurrentBand());
    std::optional<PatternData> read = ReadPatternFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Extras.chart, saved);
    EXPECT_EQ(test::DecksOf(*read->Rows), band);
    New(0);
    EXPECT_FALSE(Document().Document().Extras().chart);
    // opened with File > Open, the chart comes forward over the windows the file places
    Chart().parentWidget()->hide();
    dialogs.openAnswer = QString::fromStdString(path);
    Trigger("mnuOpen");
    QCoreApplication::processEvents();
    const QList<QMdiSubWindow*> stacked =
        window.findChild<QMdiArea*>()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_FALSE(stacked.isEmpty());
    EXPECT_EQ(stacked.back()->widget(), &Chart());
    New(0);
    EXPECT_TRUE(Document().OpenPattern(path));
    EXPECT_EQ(DocumentChart(), saved);
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), band);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ChartWindowTest,
       the_chart_is_read_out_as_a_table_of_its_rows_last_first_and_drawn_in_the_cards_colours) {
    New(2);
    Click(0, 0);
    // each card's cells in the colours its threading gives the foreground and the background
    const QImage picture = Grid().grab().toImage();
    const Cards& cards = Document().CurrentBand().At(1).Cards();
    const auto colour = [&](std::int32_t row, std::int32_t card) {
        return picture.pixelColor(Grid().CellRect(row, card).center() + QPoint(-3, -3));
    };
    const QColor red = RasterCanvas::ToQColor(cards.At(1).Color(0));
    EXPECT_EQ(colour(0, 0), red);
    EXPECT_NE(colour(1, 0), red);
    EXPECT_NE(colour(0, 1), red);
    EXPECT_EQ(Grid().GridRows(), 13);
    EXPECT_EQ(Grid().GridColumns(), 20);
    EXPECT_EQ(Grid().GridRowName(12), "Row 1");
    EXPECT_EQ(Grid().GridCellText(12, 0), "foreground");
    EXPECT_EQ(Grid().GridCellText(11, 0), "background");
    EXPECT_EQ(Grid().GridCellAt(Grid().CellRect(0, 0).center()), (std::pair{12, 0}));
}

}  // namespace
}  // namespace tessaly
