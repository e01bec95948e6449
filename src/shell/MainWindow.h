#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "model/WindowValue.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace tessaly {

class DesignWindow;
class DisplayWindow;
class InstructionsWindow;
class PatternSession;
class PatternDocument;
class PrintCommands;
class SplashWindow;
class WeaveWindow;
class UserDialogs;

// The main frame: menus, toolbar and the child windows in its work area. It routes commands
// and keeps their enabled and checked states; the windows draw themselves from the document.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(PatternSession& session, UserDialogs& dialogs, QString programFolder,
               QWidget* parent = nullptr);

    DesignWindow* Design() const { return design_; }
    QMdiSubWindow* DesignSubWindow() const { return designSub_; }
    DisplayWindow* Display() const { return display_; }
    WeaveWindow* Weave() const { return weave_; }
    QMdiSubWindow* WeaveSubWindow() const { return weaveSub_; }
    InstructionsWindow* Instructions() const { return instructions_; }
    QMdiSubWindow* DisplaySubWindow() const { return displaySub_; }
    QMdiSubWindow* InstructionsSubWindow() const { return instructionsSub_; }
    QMdiArea* WorkArea() const { return mdi_; }
    QToolBar* Toolbar() const { return toolbar_; }
    QAction* Action(const char* name) const;
    SplashWindow* Splash() const;

    // Shows the splash (start-up) or the About box.
    void ShowSplash(bool splash);

    // Opens a pattern file, asking for one when path is empty; true when it was opened. A
    // missing or unreadable file is reported and changes nothing.
    bool OpenFile(const QString& path);
    // The caption names the pattern's file and marks unsaved changes.
    void UpdateCaption();

    // The patterns opened or saved last, newest first, as the File menu lists them.
    static constexpr int kRecentFiles = 8;
    QStringList RecentFiles() const;

    // The four windows' present states and places, in twips, as a file stores them.
    WindowValues CurrentWindowValues() const;
    // Gives the windows the stored states and places; a step that fails is skipped.
    void ApplyWindowValues(const WindowValues& values);
    // The places a pattern file stored, as opening it applies them: a convenience, so a
    // failure is not reported.
    void ApplyStoredPlaces(const WindowValues& values) noexcept;

  protected:
    // Closing the main window ends the program, also while the About box is open.
    void closeEvent(QCloseEvent* event) override;
    // A pattern file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The child windows take their start-up places once the work area has its size.
    void showEvent(QShowEvent* event) override;

  private slots:
    void newPattern();
    void openPattern();
    void savePattern();
    void savePatternAs();
    void exitProgram();
    void reverseFace();
    void showInstructions();
    void showDisplay();
    void showDesign();
    void showWeave();
    void showHelp();
    void showAbout();
    void printPattern();
    void previewPattern();
    void exportPdf();
    void exportPattern();
    void exportPicture();

  private:
    // After another program's pattern opened: names what the file held that did not come over.
    void TellWhatDidNotComeOver(const QString& path);
    QAction* AddAction(const char* name, const QString& text, const char* icon = nullptr,
                       const QString& toolTip = {});
    void BuildMenus();
    void BuildToolbar();
    void ShowReadmeWindow(const QString& path);
    void PlaceChildren();
    // The design window and the weaving assistant show every card of the band, as far as
    // the work area allows; a display that stood at their right edge moves along.
    void WidenForCards();
    // Before the pattern is put aside (New, Open, Exit): unsaved changes are saved if the
    // weaver wishes. False when the weaver cancelled or the save did not happen.
    bool MaySetPatternAside();
    // Saves the pattern, first asking about what a Save would not keep or would overwrite:
    // a sequence typed but not woven, a file another program changed. False when not saved.
    bool SavePattern();
    // The save dialog: a chosen path, or nothing when the weaver cancelled.
    std::optional<std::string> AskSavePath();
    // Window: Tile, Cascade and the four windows by name.
    void BuildPatternMenu();
    void BuildWindowMenu();
    void RememberRecent(const QString& path);
    void BuildRecentMenu();
    void OpenRecent(const QString& path);
    // Shows a child window and brings it forward; one that was closed is reopened first.
    void ShowChild(QMdiSubWindow* sub, const std::function<void()>& reopen);
    bool childrenPlaced_ = false;
    QString lastOpened_;  // the file dialogs start where the weaver was last
    QString lastSaved_;
    QMenu* recentMenu_ = nullptr;

    PatternSession& session_;
    PatternDocument& document_;
    UserDialogs& dialogs_;
    QString programFolder_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    PrintCommands* print_ = nullptr;
    DesignWindow* design_ = nullptr;
    QMdiSubWindow* designSub_ = nullptr;
    DisplayWindow* display_ = nullptr;
    WeaveWindow* weave_ = nullptr;
    QMdiSubWindow* weaveSub_ = nullptr;
    InstructionsWindow* instructions_ = nullptr;
    QMdiSubWindow* displaySub_ = nullptr;
    QMdiSubWindow* instructionsSub_ = nullptr;
    QPointer<QMdiSubWindow> readmeSub_;
    QPointer<SplashWindow> splash_;
};

}  // namespace tessaly
