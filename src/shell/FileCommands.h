#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "model/TwoColourChart.h"
#include "model/WindowValue.h"

class QAction;
class QMenu;
class QWidget;

namespace tessaly {

class PatternDocument;
class PatternSession;
class UserDialogs;

// The File menu's commands on the pattern's file: New, Open, Open Recent, Save and Save As.
// Before the pattern is put aside, unsaved work is offered to be saved; a file stores the
// windows' places, which the main window gives and takes.
class FileCommands : public QObject {
    Q_OBJECT

  public:
    // How the windows stand now, and how to put them where a file stored them.
    struct WindowPlacing {
        std::function<WindowValues()> current;
        std::function<void(const WindowValues&)> applyStored;
    };

    FileCommands(PatternSession& session, UserDialogs& dialogs, QString programFolder,
                 QWidget* parent);
    void SetWindowPlacing(WindowPlacing placing) { windows_ = std::move(placing); }
    // Called before another file is read: what may fail then loses nothing unsaved.
    void SetBeforeOpening(std::function<void()> beforeOpening) {
        beforeOpening_ = std::move(beforeOpening);
    }

    QAction* NewAction() const { return new_; }
    QAction* OpenAction() const { return open_; }
    QAction* SaveAction() const { return save_; }
    QAction* SaveAsAction() const { return saveAs_; }
    QAction* ExportAsAction() const { return exportAs_; }
    QMenu* RecentMenu() const { return recentMenu_; }

    // Opens a pattern file, asking for one when path is empty; true when it was opened. A
    // missing or unreadable file is reported and changes nothing.
    bool OpenFile(const QString& path);
    // Before the pattern is put aside (New, Open, Exit): unsaved changes are saved if the
    // weaver wishes. False when the weaver cancelled or the save did not happen.
    bool MaySetPatternAside();
    // The pattern opened becomes a new chart band of the kind, in its first two colours.
    void StartChart(ChartWeave weave);
    // Saves the pattern, first asking about what a Save would not keep or would overwrite:
    // a sequence typed but not woven, a file another program changed. False when not saved.
    bool Save();
    // A file dropped on the program: opened once unsaved work is seen to.
    void OpenDropped(const QString& path);

    // The patterns opened or saved last, newest first, as the File menu lists them.
    static constexpr int kRecentFiles = 8;
    QStringList RecentFiles() const;

  private slots:
    void newPattern();
    void openPattern();
    void savePattern();
    void savePatternAs();
    // The band's front face as a .tdd, .twt or .gtt file, the format the name chosen says.
    void exportPattern();

  private:
    // After another program's pattern opened: names what the file held that did not come over.
    void TellWhatDidNotComeOver(const QString& path);
    // The save dialog: a chosen path, or nothing when the weaver cancelled.
    std::optional<std::string> AskSavePath();
    void RememberRecent(const QString& path);
    void BuildRecentMenu();
    void OpenRecent(const QString& path);

    PatternSession& session_;
    PatternDocument& document_;
    UserDialogs& dialogs_;
    QString programFolder_;
    QWidget* parent_;
    WindowPlacing windows_;
    std::function<void()> beforeOpening_;
    QString lastOpened_;  // the file dialogs start where the weaver was last
    QString lastSaved_;
    QAction* new_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* exportAs_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};

// The pattern's file name with another suffix, for the export dialogs ("Untitled" without a
// file).
QString SuggestedName(const PatternDocument& document, const QString& suffix);
// Says there is no band to export, when that is so.
bool NoBandToExport(UserDialogs& dialogs, QWidget* parent, const PatternDocument& document,
                    const QString& title);

}  // namespace tessaly
