#include "FileCommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "document/PatternSession.h"
#include "document/commands/BandCommands.h"
#include "engine/ChartEdits.h"
#include "errors/ErrorReporter.h"
#include "patternfile/PatternFile.h"
#include "patternfile/PeerPattern.h"
#include "patternfile/SafeFile.h"
#include "widgets/BusyCursor.h"
#include "widgets/MenuAction.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

QAction* MakeAction(QObject* owner, const char* name, const QString& text, const char* icon,
                    const QString& toolTip, QKeySequence::StandardKey key) {
    QAction* action = NewMenuAction(owner, name, text, icon, toolTip);
    action->setShortcut(key);
    return action;
}

}  // namespace

FileCommands::FileCommands(PatternSession& session, UserDialogs& dialogs, QString programFolder,
                           QWidget* parent)
    : QObject(parent),
      session_(session),
      document_(session.Document()),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      parent_(parent) {
    new_ = MakeAction(this, "mnuNew", tr("&New"), "new", tr("Start New Pattern"),
                      QKeySequence::New);
    connect(new_, &QAction::triggered, this, &FileCommands::newPattern);
    open_ = MakeAction(this, "mnuOpen", tr("&Open..."), "open", tr("Open Existing Pattern"),
                       QKeySequence::Open);
    connect(open_, &QAction::triggered, this, &FileCommands::openPattern);
    save_ = MakeAction(this, "mnuSave", tr("&Save"), "save", tr("Save Pattern"),
                       QKeySequence::Save);
    connect(save_, &QAction::triggered, this, &FileCommands::savePattern);
    saveAs_ = MakeAction(this, "mnuSaveAs", tr("Save &As..."), nullptr, QString(),
                         QKeySequence::SaveAs);
    connect(saveAs_, &QAction::triggered, this, &FileCommands::savePatternAs);
    exportAs_ = MakeAction(this, "mnuExportAs", tr("&Export As..."), nullptr,
                           tr("Export as another program's pattern (.tdd, .twt, .gtt)"),
                           QKeySequence::UnknownKey);
    connect(exportAs_, &QAction::triggered, this, [this] {
        Trap("frmMain", "mnuExportAs_Click", [&] { exportPattern(); });
    });
    recentMenu_ = new QMenu(tr("Open &Recent"), parent);
    recentMenu_->setObjectName("mnuRecent");
    BuildRecentMenu();
    // every file the pattern is opened from or saved to joins the recent files
    connect(&document_, &PatternDocument::patternPathChanged, this,
            [this](const QString& path) { RememberRecent(path); });
}

QString SuggestedName(const PatternDocument& document, const QString& suffix) {
    const QString path = QString::fromStdString(document.PatternPath());
    if (path.isEmpty()) return QObject::tr("Untitled") + "." + suffix;
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + "." + suffix);
}

bool NoBandToExport(UserDialogs& dialogs, QWidget* parent, const PatternDocument& document,
                    const QString& title) {
    if (document.CurrentBand().Count() > 0) return false;
    dialogs.ShowMessage(parent, title, QObject::tr("There is no band to export."),
                        UserDialogs::Icon::Information);
    return true;
}

void FileCommands::exportPattern() {
    const QString title = tr("Export As");
    if (NoBandToExport(dialogs_, parent_, document_, title)) return;
    const auto path = dialogs_.ChooseExportFile(parent_, title, SuggestedName(document_, QStringLiteral("tdd")),
                                                {tr("Tablet Weaving Draft Designer (*.tdd)"),
                                                 tr("Twisted Threads (*.twt)"),
                                                 tr("Guntram's Tabletweaving Thingy (*.gtt)")});
    if (!path) return;
    const PatternFormat format = FormatOfPath(path->toStdString());
    if (format == PatternFormat::Kst) {
        dialogs_.ShowMessage(parent_, title, tr("%1 was not written: a name ending in .tdd, .twt or .gtt says which program "
                       "the pattern is for (Save As writes Tessaly's own file).")
                        .arg(QDir::toNativeSeparators(*path)),
                             UserDialogs::Icon::Warning);
        return;
    }
    const BusyCursor busy;
    try {
        // the band holds the front face, whichever face shows
        std::string leftOut;
        WriteFileAtomically(path->toStdString(),
                            PeerText(format, document_.CurrentBand(), document_.BandName(),
                                     document_.Extras(), &leftOut));
        if (!leftOut.empty())
            dialogs_.ShowMessage(
                parent_, title,
                tr("%1 is written, but %2; they are not in it.")
                    .arg(QDir::toNativeSeparators(*path), QString::fromStdString(leftOut)),
                UserDialogs::Icon::Information);
    } catch (const AppError& error) {
        dialogs_.ShowMessage(parent_, title, tr("%1 was not written: %2")
                        .arg(QDir::toNativeSeparators(*path),
                             QString::fromStdString(error.Description())),
                             UserDialogs::Icon::Warning);
    }
}

void FileCommands::OpenDropped(const QString& path) {
    Trap("frmMain", "mnuOpen_Click", [&] {
        if (MaySetPatternAside()) OpenFile(path);
    });
}

QStringList FileCommands::RecentFiles() const {
    return QSettings().value(QStringLiteral("recentFiles")).toStringList();
}

void FileCommands::RememberRecent(const QString& path) {
    // the program's own template is not the weaver's file
    if (path.isEmpty() || QFileInfo(path) == QFileInfo(programFolder_ + "/default.kst")) return;
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles) files.removeLast();
    QSettings().setValue(QStringLiteral("recentFiles"), files);
    BuildRecentMenu();
}

void FileCommands::BuildRecentMenu() {
    recentMenu_->clear();
    const QStringList files = RecentFiles();
    int number = 0;
    for (const QString& path : files) {
        QAction* entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(path).fileName()));
        entry->setToolTip(path);
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void FileCommands::OpenRecent(const QString& path) {
    Trap("frmMain", "mnuOpen_Click", [&] {
        if (!QFileInfo(path).isFile()) {
            // a file gone since is taken off the list
            dialogs_.ShowMessage(parent_, tr("No File"),
                                 tr("%1 no longer exists; it is taken off the list.").arg(path),
                                 UserDialogs::Icon::Warning);
            QStringList files = RecentFiles();
            files.removeAll(path);
            QSettings().setValue(QStringLiteral("recentFiles"), files);
            BuildRecentMenu();
            return;
        }
        if (MaySetPatternAside()) OpenFile(path);
    });
}

bool FileCommands::MaySetPatternAside() {
    if (!session_.HasUnsavedWork()) return true;
    const bool draftNotApplied = document_.DraftNotApplied();
    QString question = tr("Do you want to save the current pattern?");
    // no file holds the draft: the weaver is told what a Save leaves out
    if (draftNotApplied)
        question = tr("The threading has changes that were not applied.") + "\n\n" + question +
                   " " + tr("(The threading changes are not saved.)");
    switch (dialogs_.Ask(parent_, tr("Save Pattern"), question, true)) {
        case UserDialogs::Answer::Yes:
            // a save that was cancelled or failed keeps the pattern: nothing unsaved is lost
            return Save();
        case UserDialogs::Answer::No:
            return true;
        default:
            return false;
    }
}

void FileCommands::newPattern() {
    Trap("frmMain", "mnuNew_Click", [&] {
        const int kind = dialogs_.Choose(
            parent_, tr("New Pattern"),
            tr("What kind of pattern? A threaded-in band is threaded and "
               "turned; a double-faced or 3/1 broken twill band is drawn as "
               "a two-colour chart, and Tessaly finds the turns."),
            {tr("&Threaded-in"), tr("&Double faced"), tr("3/1 &broken twill"), tr("Cancel")});
        if (kind < 0 || kind > 2 || !MaySetPatternAside()) return;
        // the default pattern, untitled: a Save asks for a name and never overwrites the
        // program's own template
        if (!OpenFile(programFolder_ + "/default.kst")) return;
        document_.SetPatternPath({});
        if (kind > 0) StartChart(kind == 1 ? ChartWeave::DoubleFaced : ChartWeave::BrokenTwill);
    });
}

void FileCommands::StartChart(ChartWeave weave) {
    // the chart's two colours are the default pattern's first two: its palette's
    const Band& band = document_.CurrentBand();
    std::vector<std::int32_t> colours;
    for (const Card& card : band.At(1).Cards())
        for (int hole = 0; hole < card.Holes() && colours.size() < 2; ++hole)
            if (const std::int32_t colour = card.Color(hole);
                colour != Card::kNoThread &&
                std::find(colours.begin(), colours.end(), colour) == colours.end())
                colours.push_back(colour);
    colours.resize(2, colours.empty() ? 0x000000 : 0xFFFFFF);
    // a small band to draw on: 20 cards, 12 rows of the chart (24 picks)
    const TwoColourChart chart = BlankChart(weave, 20, 12);
    PatternData pattern;
    pattern.Rows = std::move(PatternFromPeer(ChartPeer(chart, colours[0], colours[1])).Rows);
    pattern.Extras = document_.Extras();
    pattern.Extras.chart = chart;
    session_.Load(std::move(pattern));
}

void FileCommands::openPattern() {
    Trap("frmMain", "mnuOpen_Click", [&] {
        if (MaySetPatternAside()) OpenFile({});
    });
}

void FileCommands::savePattern() {
    Trap("frmMain", "mnuSave_Click", [&] { Save(); });
}

bool FileCommands::Save() {
    if (document_.SequenceNotWoven()) {
        const QString sequence = QString::fromStdString(document_.TurnSequence());
        const QString stored = QString::fromStdString(document_.StoredSequence());
        const QString shown =
            stored.isEmpty() ? tr("The band shown is saved row by row, without a turning sequence.")
                             : tr("The band shown was woven with \"%1\", which is what the file "
                                  "will hold.")
                                   .arg(stored);
        switch (dialogs_.Ask(parent_, tr("Save Pattern"),
                             tr("The turning sequence \"%1\" has not been woven. %2\n\n"
                                "Weave the band with \"%1\" before saving? (No saves the band "
                                "as it is shown.)")
                                 .arg(sequence, shown),
                             true)) {
            case UserDialogs::Answer::Yes:
                if (!session_.Run<SimpleWeave>()) return false;
                break;
            case UserDialogs::Answer::No:
                break;
            default:
                return false;
        }
    }
    if (session_.FileChangedOnDisk()) {
        const QString path =
            QDir::toNativeSeparators(QString::fromStdString(document_.PatternPath()));
        if (dialogs_.Ask(parent_, tr("Save Pattern"),
                         tr("%1 was changed by another program after it was opened here.\n\n"
                            "Overwrite it with this pattern?")
                             .arg(path),
                         false) != UserDialogs::Answer::Yes)
            return false;
    }
    std::string path = document_.PatternPath();
    if (path.empty()) {
        std::optional<std::string> chosen = AskSavePath();
        if (!chosen) return false;  // a cancel says nothing
        path = std::move(*chosen);
    }
    return session_.Save(path, windows_.current());
}

void FileCommands::savePatternAs() {
    Trap("frmMain", "mnuSaveAs_Click", [&] {
        // a cancelled Save As keeps the file the pattern had, as the caption shows it
        const std::string previous = document_.PatternPath();
        document_.SetPatternPath({});
        if (!Save()) document_.SetPatternPath(previous);
    });
}

bool FileCommands::OpenFile(const QString& path) {
    QString chosen = path;
    if (chosen.isEmpty()) {
        const std::optional<QString> answer = dialogs_.ChooseOpenFile(parent_, lastOpened_);
        if (!answer) return false;  // a cancel says nothing
        chosen = *answer;
        lastOpened_ = chosen;
    }
    // a missing file changes nothing: the pattern keeps its file and caption
    if (!QFileInfo(chosen).isFile()) {
        dialogs_.ShowMessage(parent_, tr("No File"), tr("File does not exist or cannot be found."),
                             UserDialogs::Icon::Warning);
        return false;
    }
    if (beforeOpening_) beforeOpening_();
    try {
        BusyCursor busy;
        // a file that cannot be read is reported by the reader and changes nothing either
        const std::optional<WindowValues> places =
            session_.Open(QFileInfo(chosen).absoluteFilePath().toStdString());
        if (!places) return false;
        windows_.applyStored(*places);
        TellWhatDidNotComeOver(chosen);
        return true;
    } catch (const AppError& error) {
        dialogs_.ShowMessage(parent_, QStringLiteral("Tessaly"),
                             QString("%1-%2  frmMain.OpenFile")
                                 .arg(error.Number())
                                 .arg(QString::fromStdString(error.Description())),
                             UserDialogs::Icon::None);
        return false;
    }
}

void FileCommands::TellWhatDidNotComeOver(const QString& path) {
    const std::vector<std::string>& missing = session_.NotCarried();
    if (missing.empty()) return;
    // "the notes, the tags and the weft colour"
    const QString list = QString::fromStdString(ListInWords(missing));
    dialogs_.ShowMessage(parent_, tr("Open"),
                         tr("%1 is open as a new, untitled pattern. Tessaly has no place for %2 "
                            "of that file; they did not come over.")
                             .arg(QFileInfo(path).fileName(), list),
                         UserDialogs::Icon::Information);
}

std::optional<std::string> FileCommands::AskSavePath() {
    const std::optional<QString> path = dialogs_.ChooseSaveFile(parent_, lastSaved_);
    if (!path || path->isEmpty()) return std::nullopt;
    // Tessaly's own file under another program's name could be opened by neither
    if (FormatOfPath(path->toStdString()) != PatternFormat::Kst) {
        dialogs_.ShowMessage(parent_, tr("Save Pattern"),
                             tr("%1 was not saved: Save writes Tessaly's own pattern file (.kst). "
                                "File > Export As writes .tdd, .twt and .gtt files.")
                                 .arg(QDir::toNativeSeparators(*path)),
                             UserDialogs::Icon::Warning);
        return std::nullopt;
    }
    lastSaved_ = *path;
    return QFileInfo(*path).absoluteFilePath().toStdString();
}

}  // namespace tessaly
