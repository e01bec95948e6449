#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <fstream>

#include "GuiSupport.h"
#include "design/DesignWindow.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "document/RecoveryCopy.h"
#include "patternfile/PatternFile.h"
#include "shell/Autosave.h"
#include "shell/FileCommands.h"
#include "shell/MainWindow.h"
#include "shell/MessageBoxErrorSink.h"
#include "shell/QtUserDialogs.h"
#include "shell/SplashWindow.h"
#include "shell/Startup.h"
#include "shell/WindowPlaces.h"
#include "weave/InstructionTableModel.h"
#include "weave/InstructionsWindow.h"

namespace tessaly {
namespace {

class ShellTest : public ::testing::Test {
  protected:
    // every test starts as a first start: no windows kept from an earlier one, no work left
    // behind
    ShellTest() {
        QSettings().remove("layout");
        QDir(RecoveryCopy::DefaultFolder()).removeRecursively();
    }
    MainWindow& Start(bool splash = false) { return startup.Run(splash); }
    test::Driver Document() { return test::Driver(startup.Session()); }

    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    test::ProgramFolder folder;
    Startup startup{dialogs, folder.Path()};
};

TEST_F(ShellTest, start_up_ends_with_the_default_band_woven_and_no_file) {
    MainWindow& window = Start();
    EXPECT_EQ(window.windowTitle().remove("[*]"), "Tessaly");
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_TRUE(Document().PatternPath().empty());
    EXPECT_FALSE(Document().PatternChanged());
    EXPECT_EQ(Document().BandName(), "Tessaly sampler: diamonds");
    const std::int32_t rows = Document().CurrentBand().Count();
    EXPECT_GT(rows, 50);
    ASSERT_NE(Document().CurrentDeck(), nullptr);
    EXPECT_EQ(Document().TurnSequence(), "FFFFBBBB");
    EXPECT_EQ(test::InstructionsOf(window)->Model()->rowCount(), rows - 1);
    EXPECT_EQ(test::DisplayOf(window)->windowTitle(), "Display Band - 1:1");
    // a first start: the whole screen, and the four windows tiled side by side
    EXPECT_TRUE(window.isMaximized());
    std::vector<QRect> tiles;
    for (QWidget* shown : {static_cast<QWidget*>(test::DesignOf(window)),
                           static_cast<QWidget*>(test::DisplayOf(window)),
                           static_cast<QWidget*>(test::WeaveOf(window)),
                           static_cast<QWidget*>(test::InstructionsOf(window))}) {
        ASSERT_TRUE(test::SubWindowOf(shown)->isVisible()) << shown->objectName().toStdString();
        tiles.push_back(test::SubWindowOf(shown)->geometry());
    }
    // inside the work area; side by side where the screen has room for them
    const QRect area = test::WorkAreaOf(window)->viewport()->rect();
    for (const QRect& tile : tiles) EXPECT_TRUE(area.contains(tile));
    if (area.width() >= 1300) {
        for (std::size_t i = 0; i < tiles.size(); ++i)
            for (std::size_t j = i + 1; j < tiles.size(); ++j)
                EXPECT_FALSE(tiles[i].intersects(tiles[j])) << i << " " << j;
    }
    EXPECT_TRUE(test::FindAction(window, "mnuDesign")->isEnabled());
    EXPECT_FALSE(test::FindAction(window, "mnuReverse")->isChecked());
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_GE(window.width(), screen.width() - 10);
    EXPECT_TRUE(recorder.Empty());
    // the read-me's picture of the program as it starts (docs/screenshot.png is a copy)
    window.show();
    test::ProcessEvents();
    EXPECT_TRUE(window.grab().save(TESSALY_SCREENSHOT));
}

TEST_F(ShellTest, start_up_without_a_default_pattern_leaves_every_window_usable) {
    QFile::remove(folder.Path() + "/default.kst");
    MainWindow& window = Start();
    test::ProcessEvents();
    EXPECT_EQ(window.windowTitle().remove("[*]"), "Tessaly");
    EXPECT_FALSE(window.isWindowModified());
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].number, 53);
    EXPECT_EQ(Document().CurrentBand().Count(), 0);
    // no stored places were read, so none were applied
    EXPECT_GE(window.width(), 640);
    EXPECT_GE(window.height(), 480);
    EXPECT_TRUE(test::SubWindowOf(test::DisplayOf(window))->isVisible());
    EXPECT_GE(test::SubWindowOf(test::DisplayOf(window))->width(), window_places::kMinWidth);
    EXPECT_GE(test::SubWindowOf(test::DisplayOf(window))->height(), window_places::kMinHeight);
    // the commands still work on an empty band, and only the band's own procedures report
    test::FindAction(window, "mnuReverse")->trigger();
    QTest::mouseClick(test::DisplayOf(window)->View(), Qt::LeftButton);
    EXPECT_EQ(recorder.Reports().size(), 1u);
}

TEST_F(ShellTest, stored_places_too_small_to_use_are_ignored_and_huge_ones_cut_to_the_screen) {
    MainWindow& window = Start();
    // the places of the default pattern, as an earlier start would have left them (the
    // maximised window first comes back to its normal size, then the places settle)
    for (int settle = 0; settle < 2; ++settle) {
        window.ApplyWindowValues(ReadPatternFile(TESSALY_DEFAULT_PATTERN)->Windows);
        test::ProcessEvents();
    }
    const QRect before = test::SubWindowOf(test::DisplayOf(window))->geometry();
    WindowValues values = window.CurrentWindowValues();
    values[2] = {0, 0, 0, 15, 15};  // one pixel square
    window.ApplyWindowValues(values);
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->geometry(), before);

    values[0] = {0, 0, 0, 2147483647, 2147483647};
    values[2] = {0, 0, 0, 2147483647, 2147483647};
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());
    const QRect area = test::WorkAreaOf(window)->viewport()->rect();
    EXPECT_TRUE(area.contains(test::SubWindowOf(test::DisplayOf(window))->geometry()));
}

TEST_F(ShellTest, a_later_start_brings_the_windows_back_as_they_were_left) {
    MainWindow& first = Start();
    first.showNormal();
    first.setGeometry(40, 30, 760, 540);
    test::ProcessEvents();
    QMdiSubWindow* weave = test::SubWindowOf(test::WeaveOf(first));
    weave->setGeometry(QRect(QPoint(20, 10), weave->minimumSizeHint()));
    test::SubWindowOf(test::InstructionsOf(first))->hide();
    first.SaveLayout();
    const QRect left = weave->geometry();

    Startup again{dialogs, folder.Path()};
    MainWindow& second = again.Run(false);
    test::ProcessEvents();
    EXPECT_FALSE(second.isMaximized());
    EXPECT_EQ(second.geometry().size(), QSize(760, 540));
    EXPECT_EQ(test::SubWindowOf(test::WeaveOf(second))->geometry(), left);
    EXPECT_FALSE(test::SubWindowOf(test::InstructionsOf(second))->isVisible());
    EXPECT_TRUE(test::SubWindowOf(test::DesignOf(second))->isVisible());
}

TEST_F(ShellTest, window_keys_bring_each_window_forward_and_go_round_them_in_order) {
    MainWindow& window = Start();
    QMdiArea* work = test::WorkAreaOf(window);
    test::SubWindowOf(test::InstructionsOf(window))->hide();
    const auto active = [&] { return work->activeSubWindow()->widget()->objectName(); };
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(test::DesignOf(window)->Grid(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(active(), "frmWeave1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(active(), "frmDesign");
    test::FindAction(window, "mnuWindowWeave")->trigger();
    EXPECT_EQ(active(), "frmWeave1");
    EXPECT_EQ(test::FindAction(window, "mnuWindowWeave")->shortcut(), QKeySequence("Ctrl+3"));
    // Ctrl+Tab: the next window shown in the menu's order, past the hidden ones, round again
    QAction* next = test::FindAction(window, "mnuNextWindow");
    QAction* previous = test::FindAction(window, "mnuPreviousWindow");
    ASSERT_TRUE(next->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Tab)));
    next->trigger();
    EXPECT_EQ(active(), "frmDesign");
    next->trigger();
    EXPECT_EQ(active(), "frmDisplay");
    previous->trigger();
    EXPECT_EQ(active(), "frmDesign");
    previous->trigger();
    EXPECT_EQ(active(), "frmWeave1");
    // Help lists every command's keys, these among them
    test::FindAction(window, "mnuShortcuts")->trigger();
    auto* table = window.findChild<QTableWidget*>("grdShortcuts");
    ASSERT_NE(table, nullptr);
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + " = " + table->item(r, 1)->text();
    EXPECT_TRUE(rows.contains("Ctrl+3 = Window > Weave Instructions"))
        << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.contains("Ctrl+S = File > Save")) << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.filter("Zoom In").size() == 1);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, stored_places_never_put_a_windows_controls_outside_the_work_area) {
    MainWindow& window = Start();
    window.showNormal();
    window.setGeometry(0, 0, 780, 560);
    test::ProcessEvents();
    // saved on a larger screen: the weaving assistant off to the right and below, the
    // display taller than the work area
    WindowValues values = window.CurrentWindowValues();
    values[0] = {0, 0, 0, 780 * 15, 560 * 15};
    values[2] = {0, 0, 300 * 15, 400 * 15, 2000 * 15};
    values[3] = {0, 600 * 15, 700 * 15, 500 * 15, 400 * 15};
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    const QRect area = test::WorkAreaOf(window)->viewport()->rect();
    for (QWidget* shown : {static_cast<QWidget*>(test::DesignOf(window)),
                           static_cast<QWidget*>(test::DisplayOf(window)),
                           static_cast<QWidget*>(test::WeaveOf(window))}) {
        QMdiSubWindow* sub = test::SubWindowOf(shown);
        const QSize least = sub->minimumSizeHint();
        // all of it inside, unless its layout needs more than there is (the area scrolls)
        if (least.width() <= area.width() && least.height() <= area.height()) {
            EXPECT_TRUE(area.contains(sub->geometry())) << shown->objectName().toStdString();
        }
        EXPECT_GE(sub->width(), least.width());
        EXPECT_GE(sub->height(), least.height());
    }
    EXPECT_TRUE(recorder.Empty());
}

// Unsaved work of a Tessaly that did not close properly (its copy written, the program gone
// without exiting) comes back at the next start as it was shown, as unsaved work of its file.
TEST_F(ShellTest, work_left_behind_is_offered_back_and_recovered_as_it_stood) {
    const std::string path = (folder.Path() + "/mine.kst").toStdString();
    std::ofstream(path, std::ios::binary) << test::ReadAll(TESSALY_DEFAULT_PATTERN);
    std::vector<Cards> shown;
    std::vector<DraftColumn> draft;
    {
        Startup crashed{dialogs, folder.Path()};
        MainWindow& window = crashed.Run(false, QString::fromStdString(path));
        test::Driver work(crashed.Session());
        ASSERT_TRUE(work.RemovePick());
        work.Document().SetBandName("Diamonds");
        std::vector<DraftColumn> painted = work.Draft();
        painted[0].SetColor(0, 0x123456);
        work.Document().SetDraft(painted);  // painted, not applied
        window.RecoveryCopies().WriteNow(true);
        EXPECT_TRUE(window.RecoveryCopies().Copy().Exists());
        // the copy of a Tessaly still running is no one else's to take
        EXPECT_TRUE(RecoveryCopy::FindLeftBehind(RecoveryCopy::DefaultFolder()).empty());
        shown = test::DecksOf(work.CurrentBand());
        draft = work.Draft();
    }  // gone without a normal exit: the copy stays

    dialogs.choiceAnswer = 0;  // Recover
    MainWindow& window = Start();
    ASSERT_EQ(dialogs.choicesAsked.size(), 1u);
    EXPECT_TRUE(dialogs.choicesAsked[0].startsWith(
        "Tessaly was not closed properly. Recover the pattern \"Diamonds\" from "))
        << dialogs.choicesAsked[0].toStdString();
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), shown);
    EXPECT_EQ(Document().Draft(), draft);
    EXPECT_EQ(Document().BandName(), "Diamonds");
    EXPECT_EQ(Document().PatternPath(), path);
    EXPECT_TRUE(Document().PatternChanged());
    EXPECT_TRUE(window.isWindowModified());
    // this program holds the work now; the copy left behind is gone
    EXPECT_TRUE(window.RecoveryCopies().Copy().Exists());
    EXPECT_TRUE(RecoveryCopy::FindLeftBehind(RecoveryCopy::DefaultFolder()).empty());
    // saved, the band is safe; the draft painted but not applied is still work to keep
    window.Files().Save();
    EXPECT_FALSE(Document().PatternChanged());
    EXPECT_TRUE(window.RecoveryCopies().Copy().Exists());
    EXPECT_TRUE(recorder.Empty());
}

// The copy is made from the rows as they stood when it was asked for, while weaving goes on.
TEST_F(ShellTest, a_recovery_copy_holds_the_band_as_it_stood_when_asked_for) {
    Start();
    test::Driver work(startup.Session());
    ASSERT_TRUE(work.RemovePick());  // woven by hand: the file holds every row
    const std::vector<Cards> asked = test::DecksOf(work.CurrentBand());
    const QString copies = folder.Path() + "/copies";
    QString id;
    {
        RecoveryCopy copy(copies);
        copy.Write(startup.Session(), {}, false);
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(work.RemovePick());
        id = copy.Id();
    }  // the writer is waited for; the copy stays
    PatternSession recovered;
    ASSERT_TRUE(RecoveryCopy::Recover(copies, id, recovered));
    EXPECT_EQ(test::DecksOf(recovered.Document().CurrentBand()), asked);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, work_left_behind_waits_for_later_and_goes_when_discarded) {
    {
        Startup crashed{dialogs, folder.Path()};
        MainWindow& window = crashed.Run(false);
        test::Driver work(crashed.Session());
        ASSERT_TRUE(work.RemovePick());
        crashed.Session().SetPatternChanged(true);
        window.RecoveryCopies().WriteNow(true);
    }
    const QString folderOfCopies = RecoveryCopy::DefaultFolder();
    ASSERT_EQ(RecoveryCopy::FindLeftBehind(folderOfCopies).size(), 1u);
    dialogs.choiceAnswer = 2;  // Later
    {
        Startup later{dialogs, folder.Path()};
        later.Run(false);
        EXPECT_FALSE(later.Session().PatternChanged());
    }
    EXPECT_EQ(RecoveryCopy::FindLeftBehind(folderOfCopies).size(), 1u);
    dialogs.choiceAnswer = 1;  // Discard
    Start();
    EXPECT_EQ(dialogs.choicesAsked.size(), 2u);
    EXPECT_FALSE(Document().PatternChanged());
    EXPECT_TRUE(RecoveryCopy::FindLeftBehind(folderOfCopies).empty());
}

TEST_F(ShellTest, the_main_window_stores_its_outer_place) {
    MainWindow& window = Start();
    window.showNormal();
    window.setGeometry(30, 40, 700, 500);
    test::ProcessEvents();
    // the children as small as they can be, within the smaller work area
    for (QMdiSubWindow* child : test::WorkAreaOf(window)->subWindowList())
        child->setGeometry(QRect(QPoint(0, 0), child->minimumSizeHint()));
    const WindowValue main = window.CurrentWindowValues()[0];
    const QRect outer = window.frameGeometry();
    EXPECT_EQ(main, (WindowValue{0, outer.y() * 15, outer.x() * 15, outer.width() * 15,
                                 outer.height() * 15}));
    WindowValues values = window.CurrentWindowValues();
    window.resize(600, 400);
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    EXPECT_EQ(window.frameGeometry().size(), outer.size());
}

TEST_F(ShellTest, a_main_window_stored_too_small_grows_to_hold_its_windows) {
    MainWindow& window = Start();
    // saved on a small screen: a 640 x 480 main window, the weaving assistant below its edge
    WindowValues values = window.CurrentWindowValues();
    values[0] = {0, 600, 600, 640 * 15, 480 * 15};
    values[3] = {0, 500 * 15, 0, 400 * 15, 200 * 15};
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(window.frameGeometry())) << area.width() << "x" << area.height();
    QMdiArea* work = window.findChild<QMdiArea*>("mdiArea");
    ASSERT_NE(work, nullptr);
    // every window can be reached: inside the work area, or the work area scrolls to it
    for (QMdiSubWindow* sub :
         {test::SubWindowOf(test::DesignOf(window)), test::SubWindowOf(test::DisplayOf(window)),
          test::SubWindowOf(test::WeaveOf(window))}) {
        const QRect place = sub->geometry();
        const bool inside = work->viewport()->rect().contains(place.topLeft() + QPoint(10, 10));
        const bool scrolls =
            work->verticalScrollBar()->maximum() > 0 || work->horizontalScrollBar()->maximum() > 0;
        EXPECT_TRUE(inside || scrolls) << sub->widget()->objectName().toStdString();
    }
    EXPECT_GE(test::SubWindowOf(test::WeaveOf(window))->y(), 0);
    EXPECT_GT(window.height(), 480);
    EXPECT_EQ(work->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, the_window_menu_tiles_cascades_and_names_every_window) {
    MainWindow& window = Start();
    test::SubWindowOf(test::InstructionsOf(window))->hide();
    QAction* instructions = test::FindAction(window, "mnuWindowInstructions");
    ASSERT_NE(instructions, nullptr);
    EXPECT_FALSE(instructions->isChecked());
    EXPECT_TRUE(test::FindAction(window, "mnuWindowDesign")->isChecked());
    EXPECT_TRUE(test::FindAction(window, "mnuWindowWeave")->isChecked());
    EXPECT_TRUE(test::FindAction(window, "mnuWindowDisplay")->isChecked());
    instructions->trigger();
    EXPECT_TRUE(test::SubWindowOf(test::InstructionsOf(window))->isVisible());
    EXPECT_TRUE(instructions->isChecked());
    // a window closed by its own frame is unchecked
    test::SubWindowOf(test::WeaveOf(window))->close();
    EXPECT_FALSE(test::FindAction(window, "mnuWindowWeave")->isChecked());
    // a menu entry never hides its window: chosen again, it brings the window forward
    test::FindAction(window, "mnuWindowDisplay")->trigger();
    test::FindAction(window, "mnuWindowDesign")->trigger();
    EXPECT_TRUE(test::SubWindowOf(test::DesignOf(window))->isVisible());
    EXPECT_TRUE(test::FindAction(window, "mnuWindowDesign")->isChecked());
    EXPECT_EQ(test::WorkAreaOf(window)->activeSubWindow(),
              test::SubWindowOf(test::DesignOf(window)));
    test::FindAction(window, "mnuWindowDesign")->setChecked(false);  // as an assistive tool may
    EXPECT_TRUE(test::SubWindowOf(test::DesignOf(window))->isVisible());
    EXPECT_TRUE(test::FindAction(window, "mnuWindowDesign")->isChecked());
    test::FindAction(window, "mnuWindowWeave")->setChecked(true);
    EXPECT_TRUE(test::SubWindowOf(test::WeaveOf(window))->isVisible());
    // tiled, the shown windows share the work area without overlapping
    test::FindAction(window, "mnuTile")->trigger();
    QMdiArea* work = window.findChild<QMdiArea*>("mdiArea");
    const QRect area = work->viewport()->rect();
    EXPECT_TRUE(area.contains(test::SubWindowOf(test::DesignOf(window))->geometry()));
    EXPECT_FALSE(test::SubWindowOf(test::DesignOf(window))
                     ->geometry()
                     .intersects(test::SubWindowOf(test::InstructionsOf(window))->geometry()));
    test::FindAction(window, "mnuCascade")->trigger();
    EXPECT_NE(test::SubWindowOf(test::DesignOf(window))->pos(),
              test::SubWindowOf(test::DisplayOf(window))->pos());
    const QMenu* menu = window.findChild<QMenu*>("mnuWindow");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Window");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, every_toolbar_button_is_its_menu_entry) {
    MainWindow& window = Start();
    // a button and its entry are one action, so they can never do different things
    QList<QAction*> entries;
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu() != nullptr) entries += menu->menu()->actions();
    for (QAction* button : test::ToolbarOf(window)->actions()) {
        if (button->isSeparator()) continue;
        EXPECT_TRUE(entries.contains(button)) << button->objectName().toStdString();
        EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
    }
    // the Undo button takes back what the last command did, as Edit > Undo does
    const std::string name = Document().BandName();
    test::DesignOf(window)->findChild<QLineEdit*>("txtBandName")->setText("Typed");
    auto* undo = test::ToolbarOf(window)->widgetForAction(test::FindAction(window, "mnuUndo"));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(Document().BandName(), name);
    EXPECT_EQ(test::DesignOf(window)->findChild<QLineEdit*>("txtBandName")->text().toStdString(),
              name);
}

TEST_F(ShellTest, the_print_buttons_preview_print_and_export_the_pattern) {
    MainWindow& window = Start();
    test::TempDir dir;
    dialogs.previewFile = QString::fromStdString(dir.File("preview.pdf"));
    dialogs.printFile = QString::fromStdString(dir.File("printed.pdf"));
    QTest::mouseClick(
        test::ToolbarOf(window)->widgetForAction(test::FindAction(window, "mnuPreview")),
        Qt::LeftButton);
    QTest::mouseClick(
        test::ToolbarOf(window)->widgetForAction(test::FindAction(window, "mnuPrint")),
        Qt::LeftButton);
    EXPECT_EQ(dialogs.previews, 1);
    EXPECT_EQ(dialogs.printDialogs, 1);
    // the same document both ways
    const std::string preview = test::ReadAll(dir.File("preview.pdf"));
    EXPECT_EQ(preview.rfind("%PDF", 0), 0u);
    EXPECT_EQ(preview.size(), test::ReadAll(dir.File("printed.pdf")).size());

    dialogs.exportAnswer = QString::fromStdString(dir.File("band.pdf"));
    test::FindAction(window, "mnuExportPdf")->trigger();
    EXPECT_EQ(test::ReadAll(dir.File("band.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_EQ(dialogs.exportDialogs.at(0).suggested, "Untitled.pdf");
    EXPECT_EQ(test::FindAction(window, "mnuExportPicture")->text(), "Export Pic&ture...");
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, reverse_from_toolbar_and_menu_is_one_command) {
    MainWindow& window = Start();
    const auto front = test::DecksOf(Document().CurrentBand());
    const QImage frontImage = test::DisplayOf(window)->Canvas().Image();
    const std::int32_t cards = Document().CardCount();
    QAction* reverse = test::FindAction(window, "mnuReverse");

    auto* button = qobject_cast<QToolButton*>(test::ToolbarOf(window)->widgetForAction(reverse));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(reverse->isChecked());
    EXPECT_TRUE(button->isChecked());
    // the view turns, the band the pattern holds does not
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), front);
    EXPECT_EQ(Document().ShownBand()->At(1).Cards().At(1).Position(), cards);
    EXPECT_NE(test::DisplayOf(window)->Canvas().Image(), frontImage);

    reverse->trigger();  // the menu entry
    EXPECT_FALSE(reverse->isChecked());
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), front);
    EXPECT_EQ(test::DisplayOf(window)->Canvas().Image(), frontImage);
    // the menu shows a check mark beside the entry, not a sunken picture
    EXPECT_FALSE(reverse->isIconVisibleInMenu());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, reverse_checked_from_outside_turns_the_face) {
    MainWindow& window = Start();
    QAction* reverse = test::FindAction(window, "mnuReverse");
    reverse->setChecked(true);  // as an assistive tool checks a menu entry
    EXPECT_TRUE(Document().IsReversed());
    auto* button = qobject_cast<QToolButton*>(test::ToolbarOf(window)->widgetForAction(reverse));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isChecked());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    const QStringList actions = accessible->actionInterface()->actionNames();
    accessible->actionInterface()->doAction(
        actions.contains(QAccessibleActionInterface::toggleAction())
            ? QAccessibleActionInterface::toggleAction()
            : QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(Document().IsReversed());
    EXPECT_FALSE(reverse->isChecked());
    EXPECT_FALSE(button->isChecked());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ShellTest, reverse_redraws_where_the_weaver_is_looking) {
    MainWindow& window = Start();
    QScrollBar* bar = test::DisplayOf(window)->Viewport()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    bar->setValue(200);
    test::FindAction(window, "mnuReverse")->trigger();
    EXPECT_EQ(bar->value(), 200);
    EXPECT_EQ(test::DisplayOf(window)->Canvas().Image(),
              test::FullRedraw(Document(), test::DisplayOf(window)->Canvas().Image().size()));
}

TEST_F(ShellTest, every_window_and_control_has_an_accessible_name) {
    MainWindow& window = Start();
    const auto name = test::AccessibleName;
    EXPECT_EQ(name(&window), "Tessaly");
    EXPECT_EQ(name(test::DisplayOf(window)), "Display Band - 1:1");
    EXPECT_EQ(name(test::DisplayOf(window)->View()), "Band");
    EXPECT_EQ(name(test::InstructionsOf(window)), "Turning Instructions");
    EXPECT_EQ(name(test::InstructionsOf(window)->findChild<QPushButton*>("cmdClose")), "Close");
    for (QAction* action : test::ToolbarOf(window)->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(name(test::ToolbarOf(window)->widgetForAction(action)).isEmpty())
            << action->objectName().toStdString();
    }

    // the instructions grid is a table a screen reader can walk cell by cell
    QAccessibleInterface* grid =
        QAccessible::queryAccessibleInterface(test::InstructionsOf(window)->Table());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    ASSERT_NE(grid->tableInterface(), nullptr);
    EXPECT_EQ(grid->tableInterface()->columnCount(), Document().CardCount());
    EXPECT_EQ(grid->tableInterface()->cellAt(0, 0)->text(QAccessible::Name), "F");
}

TEST_F(ShellTest, instructions_entry_shows_or_brings_forward_and_close_hides) {
    MainWindow& window = Start();
    test::SubWindowOf(test::InstructionsOf(window))->hide();
    test::FindAction(window, "mnuInstructions")->trigger();
    EXPECT_TRUE(test::SubWindowOf(test::InstructionsOf(window))->isVisible());
    // wherever the display stands, the instructions open inside the work area
    EXPECT_TRUE(test::WorkAreaOf(window)->viewport()->rect().contains(
        test::SubWindowOf(test::InstructionsOf(window))->geometry()));
    test::FindAction(window, "mnuInstructions")->trigger();
    EXPECT_TRUE(test::SubWindowOf(test::InstructionsOf(window))->isVisible());
    EXPECT_EQ(test::WorkAreaOf(window)->activeSubWindow(),
              test::SubWindowOf(test::InstructionsOf(window)));
    auto* close = test::InstructionsOf(window)->findChild<QPushButton*>("cmdClose");
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(test::SubWindowOf(test::InstructionsOf(window))->isVisible());
    // closing hides; the grid keeps its contents
    EXPECT_GT(test::InstructionsOf(window)->Model()->rowCount(), 0);
    test::SubWindowOf(test::DisplayOf(window))->close();
    EXPECT_FALSE(test::SubWindowOf(test::DisplayOf(window))->isVisible());
    test::FindAction(window, "mnuDisplay")->trigger();
    EXPECT_TRUE(test::SubWindowOf(test::DisplayOf(window))->isVisible());
}

TEST_F(ShellTest, splash_closes_after_its_timer_or_on_a_key) {
    MainWindow& window = Start(true);
    QPointer<SplashWindow> splash = test::SplashOf(window);
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->IsSplash());
    EXPECT_TRUE(splash->Timer().isActive());
    EXPECT_EQ(splash->Timer().interval(), 6000);
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_EQ(splash->findChild<QLabel*>("lblVersion")->text(),
              QString("Version %1.%2").arg(TESSALY_VERSION_MAJOR).arg(TESSALY_VERSION_MINOR));

    // About while the splash shows does not make a new window: the timer keeps running
    test::FindAction(window, "mnuAbout")->trigger();
    EXPECT_EQ(test::SplashOf(window), splash.data());
    EXPECT_TRUE(splash->Timer().isActive());

    QMetaObject::invokeMethod(const_cast<QTimer*>(&splash->Timer()), "timeout");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());

    window.ShowSplash(true);
    splash = test::SplashOf(window);
    QTest::keyClick(splash.data(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST_F(ShellTest, about_stays_until_a_click) {
    MainWindow& window = Start();
    test::FindAction(window, "mnuAbout")->trigger();
    QPointer<SplashWindow> about = test::SplashOf(window);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsSplash());
    EXPECT_FALSE(about->Timer().isActive());
    EXPECT_FALSE(about->isModal());
    // above the main window, not above every other program
    EXPECT_EQ(about->parentWidget(), &window);
    EXPECT_FALSE(about->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* label = about->findChild<QLabel*>("lblCopyright");
    QTest::mouseClick(about.data(), Qt::LeftButton, {}, label->geometry().center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

TEST_F(ShellTest, help_opens_the_read_me_or_shows_it_itself) {
    MainWindow& window = Start();
    test::FindAction(window, "mnuDisplayHelp")->trigger();
    ASSERT_EQ(dialogs.opened.size(), 1u);
    EXPECT_TRUE(dialogs.opened[0].endsWith("/readme.txt"));
    EXPECT_EQ(window.findChild<QTextBrowser*>("txtReadme"), nullptr);

    dialogs.viewerAvailable = false;
    test::FindAction(window, "mnuDisplayHelp")->trigger();
    auto* text = window.findChild<QTextBrowser*>("txtReadme");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->toPlainText().contains("Turning Instructions"));
    // inside the work area, its paragraphs wrapped to the window: no line runs past its edge
    EXPECT_TRUE(
        test::WorkAreaOf(window)->viewport()->rect().contains(text->parentWidget()->geometry()));
    text->parentWidget()->resize(300, 400);
    QApplication::processEvents();
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);

    QFile::remove(folder.Path() + "/readme.txt");
    test::FindAction(window, "mnuDisplayHelp")->trigger();  // a failing Help reports nothing
    EXPECT_TRUE(recorder.Empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ShellTest, stored_window_places_out_of_reach_are_brought_back) {
    MainWindow& window = Start();
    WindowValues values = window.CurrentWindowValues();
    values[0] = {0, 40000, 90000, 12000, 9000};  // far right of any screen
    values[2] = {0, 60000, 80000, 4800, 6000};   // far outside the work area
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.frameGeometry().topLeft()));
    const QRect area = test::WorkAreaOf(window)->viewport()->rect();
    EXPECT_TRUE(area.contains(test::SubWindowOf(test::DisplayOf(window))->geometry().topLeft()));

    values[2] = {0, 150, 300, 4800, 6000};  // reachable: taken as it is, in pixels
    window.ApplyWindowValues(values);
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->geometry(), QRect(20, 10, 320, 400));
    values[2].State = 2;
    window.ApplyWindowValues(values);
    EXPECT_TRUE(test::SubWindowOf(test::DisplayOf(window))->isMaximized());
}

TEST_F(ShellTest, a_pattern_of_many_cards_opens_with_every_card_in_view) {
    MainWindow& window = Start();
    // 28 cards, stored with the default pattern's narrow design and weaving windows
    Band band;
    band.Add(test::MakeDeck(28), 1);
    WindowValues places = window.CurrentWindowValues();
    places[1] = {0, 0, 0, 5355, 3960};
    places[2] = {0, 0, 5355, 6000, 6000};
    places[3] = {0, 3960, 0, 5355, 5040};
    const std::string path = folder.File("wide.kst");
    ASSERT_TRUE(WritePatternFile(path, {"Wide", "FFBB", places}, band));
    ASSERT_TRUE(window.Files().OpenFile(QString::fromStdString(path)));
    test::ProcessEvents();
    for (const char* viewport : {"prtDraft", "prtPacks"}) {
        const auto* area = window.findChild<QScrollArea*>(viewport);
        ASSERT_NE(area, nullptr);
        EXPECT_GE(area->viewport()->width(), area->widget()->width()) << viewport;
    }
    // the display that stood beside the design window still does, and keeps its right edge
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->x(),
              test::SubWindowOf(test::DesignOf(window))->geometry().right() + 1);
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->geometry().right(),
              (5355 + 6000) / 15 - 1);
}

TEST_F(ShellTest, a_window_stored_smaller_than_its_layout_opens_at_its_minimum_size) {
    MainWindow& window = Start();
    WindowValues values = window.CurrentWindowValues();
    values[3] = {0, 5400, 0, 7200, 3000};  // the weaving assistant as many files keep it
    values[1] = {0, 0, 0, 1500, 3000};     // a design window narrower than its layout...
    values[2] = {0, 0, 1500, 6000, 5000};  // ...with the display stored beside it
    window.ApplyWindowValues(values);
    test::ProcessEvents();
    QMdiSubWindow* weave = test::SubWindowOf(test::WeaveOf(window));
    EXPECT_GE(weave->width(), weave->minimumSizeHint().width());
    EXPECT_GE(weave->height(), weave->minimumSizeHint().height());
    // nothing lies over anything else: the next pick's label, the packs, the buttons
    const auto place = [&](const char* name) {
        auto* widget = weave->findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget == nullptr ? QRect() : QRect(widget->mapTo(weave, QPoint(0, 0)), widget->size());
    };
    for (const char* lower : {"lblNextPick", "cmdWeave", "cmdUnweave"})
        for (const char* upper : {"fraPack1", "fraPack2", "fraPack3", "prtPacks"})
            EXPECT_FALSE(place(lower).intersects(place(upper))) << lower << " over " << upper;
    // the design grew to its layout and the display still stands beside it, not over it
    EXPECT_GE(test::SubWindowOf(test::DesignOf(window))->width(),
              test::SubWindowOf(test::DesignOf(window))->minimumSizeHint().width());
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->x(),
              test::SubWindowOf(test::DesignOf(window))->geometry().right() + 1);
}

TEST_F(ShellTest, window_places_read_and_applied_give_the_same_places) {
    MainWindow& window = Start();
    test::SubWindowOf(test::DisplayOf(window))->setGeometry(20, 10, 320, 400);
    test::SubWindowOf(test::WeaveOf(window))->setGeometry(0, 300, 480, 290);
    const WindowValues values = window.CurrentWindowValues();
    EXPECT_EQ(values[2], (WindowValue{0, 150, 300, 4800, 6000}));  // twips, 15 to a pixel
    test::SubWindowOf(test::DisplayOf(window))->setGeometry(50, 50, 200, 200);
    test::SubWindowOf(test::WeaveOf(window))->setGeometry(10, 10, 300, 300);
    window.ApplyWindowValues(values);
    EXPECT_EQ(test::SubWindowOf(test::DisplayOf(window))->geometry(), QRect(20, 10, 320, 400));
    EXPECT_EQ(test::SubWindowOf(test::WeaveOf(window))->geometry(), QRect(0, 300, 480, 290));
}

TEST(error_box_test, shows_a_modal_warning_with_title_and_text) {
    test::RecordingDialogs dialogs;
    MessageBoxErrorSink sink(dialogs);
    ScopedErrorSink scope(sink);
    Cards deck;
    deck.Item(3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Unexpected error in TessalyApp.Cards.Item");
    EXPECT_EQ(dialogs.messages[0].text, "9 - Subscript out of range (Error source - TessalyApp)");
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Warning);
}

TEST(data_folder_test, beside_the_program_when_built_in_share_when_installed) {
    test::TempDir dir;
    const QString root = QString::fromStdString(dir.File("")).chopped(1);
    QDir().mkpath(root + "/build");
    QFile(root + "/build/default.kst").open(QIODevice::WriteOnly);
    EXPECT_EQ(Startup::DataFolder(root + "/build"), QDir(root + "/build").absolutePath());
    QDir().mkpath(root + "/prefix/bin");
    QDir().mkpath(root + "/prefix/" TESSALY_INSTALL_DATADIR);
    QFile(root + "/prefix/" TESSALY_INSTALL_DATADIR "/default.kst").open(QIODevice::WriteOnly);
    EXPECT_EQ(Startup::DataFolder(root + "/prefix/bin"),
              QDir(root + "/prefix/" TESSALY_INSTALL_DATADIR).absolutePath());
}

TEST(qt_dialogs_test, the_colour_dialog_offers_a_hole_without_thread) {
    QtUserDialogs dialogs;
    // answers the dialog once it is open
    const auto answer = [](const std::function<void(QColorDialog&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
    };
    answer([](QColorDialog& dialog) {
        auto* none = dialog.findChild<QPushButton*>("cmdNoThread");
        ASSERT_NE(none, nullptr);
        EXPECT_EQ(none->text(), "No thread");
        none->click();
    });
    EXPECT_EQ(dialogs.ChooseColor(nullptr, 0x0000FF), Card::kNoThread);
    answer([](QColorDialog& dialog) {
        EXPECT_EQ(dialog.currentColor(), QColor(Qt::white));  // what an empty hole shows
        dialog.setCurrentColor(QColor(0, 128, 255));
        dialog.accept();
    });
    EXPECT_EQ(dialogs.ChooseColor(nullptr, Card::kNoThread), 0xFF8000);
    answer([](QColorDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.ChooseColor(nullptr, 0), std::nullopt);
}

}  // namespace
}  // namespace tessaly
