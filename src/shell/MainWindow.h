#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/WindowValue.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace tessaly {

class DesignWindow;
class DisplayWindow;
class Autosave;
class FileCommands;
class InstructionsWindow;
class PatternSession;
class PatternDocument;
class PrintCommands;
class SplashWindow;
class WeaveAlongWindow;
class NotesWindow;
class YarnWindow;
class ChartWindow;
class WeaveWindow;
class UserDialogs;

// The main frame: menus, toolbar and the child windows in its work area. It routes commands
// and keeps their enabled and checked states; the windows draw themselves from the document.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(PatternSession& session, UserDialogs& dialogs, QString programFolder,
               QWidget* parent = nullptr);

    // Shows the splash (start-up) or the About box.
    void ShowSplash(bool splash);

    FileCommands& Files() const { return *files_; }
    Autosave& RecoveryCopies() const { return *autosave_; }
    // The caption names the pattern's file and marks unsaved changes.
    void UpdateCaption();

    // The four windows' present states and places, in twips, as a file stores them.
    WindowValues CurrentWindowValues() const;
    // Gives the windows the stored states and places; a step that fails is skipped.
    void ApplyWindowValues(const WindowValues& values);
    // The places a pattern file stored, as opening it applies them: a convenience, so a
    // failure is not reported.
    void ApplyStoredPlaces(const WindowValues& values) noexcept;
    // At start: the windows as the weaver left them, false on a first start (nothing kept);
    // then the main window takes the screen and the four windows are tiled.
    bool RestoreLayout();
    void FillScreenAndTile();
    // Where the weaver left the windows, kept for the next start (at exit).
    void SaveLayout() const;

  protected:
    // Closing the main window ends the program, also while the About box is open.
    void closeEvent(QCloseEvent* event) override;
    // A pattern file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The child windows take their start-up places once the work area has its size.
    void showEvent(QShowEvent* event) override;

  private slots:
    void exitProgram();
    void reverseFace();
    void showInstructions();
    void showDisplay();
    void showDesign();
    void showWeave();
    void showWeaveAlong();
    void showNotes();
    void showYarn();
    void showChart();
    void showHelp();
    void showAbout();
    void printPattern();
    void previewPattern();
    void exportPdf();
    void exportPicture();

  private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    // Design, Weave, Display, Instructions, Reverse and Whole Band.
    void BuildViewMenu();
    void BuildToolbar();
    void ShowReadmeWindow(const QString& path);
    void PlaceChildren();
    // The design window and the weaving assistant show every card of the band, as far as
    // the work area allows; a display that stood at their right edge moves along.
    void WidenForCards();
    // Pattern: the edits of the picks and of the cards chosen.
    void BuildPatternMenu();
    // Window: Tile, Cascade and the four windows by name.
    void BuildWindowMenu();
    // Brings forward the next window shown (step 1) or the one before (-1), in the Window
    // menu's order, round from the last to the first.
    void CycleWindows(int step);
    // Shows a child window and brings it forward; one that was closed is reopened first.
    void ShowChild(QMdiSubWindow* sub, const std::function<void()>& reopen);
    void ShowWeaveAlongLarge(bool large);
    bool childrenPlaced_ = false;

    PatternSession& session_;
    PatternDocument& document_;
    UserDialogs& dialogs_;
    QString programFolder_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    PrintCommands* print_ = nullptr;
    FileCommands* files_ = nullptr;
    Autosave* autosave_ = nullptr;
    QMenu* helpMenu_ = nullptr;  // the Pattern and Window menus stand before it
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* reverse_ = nullptr;
    QList<QAction*> toolbarActions_;  // File's, then Reverse
    DesignWindow* design_ = nullptr;
    QMdiSubWindow* designSub_ = nullptr;
    DisplayWindow* display_ = nullptr;
    WeaveWindow* weave_ = nullptr;
    QMdiSubWindow* weaveSub_ = nullptr;
    InstructionsWindow* instructions_ = nullptr;
    QMdiSubWindow* displaySub_ = nullptr;
    QMdiSubWindow* instructionsSub_ = nullptr;
    WeaveAlongWindow* weaveAlong_ = nullptr;
    QMdiSubWindow* weaveAlongSub_ = nullptr;
    NotesWindow* notes_ = nullptr;
    QMdiSubWindow* notesSub_ = nullptr;
    YarnWindow* yarn_ = nullptr;
    QMdiSubWindow* yarnSub_ = nullptr;
    ChartWindow* chart_ = nullptr;
    QMdiSubWindow* chartSub_ = nullptr;
    std::vector<QMdiSubWindow*> cycleOrder_;  // the Window menu's windows, in its order
    bool wasFullScreen_ = false;
    QPointer<QMdiSubWindow> readmeSub_;
    QPointer<SplashWindow> splash_;
};

}  // namespace tessaly
