#pragma once

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QString>
#include <QToolBar>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "design/DesignWindow.h"
#include "display/DisplayWindow.h"
#include "document/PatternSession.h"
#include "document/commands/BandCommands.h"
#include "document/commands/CardCommands.h"
#include "document/commands/DraftCommands.h"
#include "document/commands/PickCommands.h"
#include "document/commands/TextCommands.h"
#include "document/commands/ViewCommands.h"
#include "render/RasterCanvas.h"
#include "shell/SplashWindow.h"
#include "weave/InstructionsWindow.h"
#include "weave/WeaveAlongWindow.h"
#include "weave/WeaveWindow.h"
#include "widgets/UserDialogs.h"

namespace tessaly::test {

// Answers the program's questions without a screen and remembers what it was asked.
class RecordingDialogs : public UserDialogs {
  public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
    };
    void ShowMessage(QWidget*, const QString& title, const QString& text, Icon icon) override {
        messages.push_back({title, text, icon});
    }
    Answer Ask(QWidget*, const QString& title, const QString& text, bool withCancel) override {
        questions.push_back({title, text, withCancel ? Icon::Question : Icon::None});
        return answer;
    }
    std::optional<std::int32_t> ChooseColor(QWidget*, std::int32_t current) override {
        colorsOffered.push_back(current);
        return colorAnswer;
    }
    std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override {
        ++fileDialogs;
        return openAnswer;
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString&) override {
        ++fileDialogs;
        return saveAnswer;
    }
    std::optional<QString> ChooseExportFile(QWidget*, const QString& title,
                                            const QString& suggested,
                                            const QStringList& filters) override {
        exportDialogs.push_back({title, suggested, filters});
        return exportAnswer;
    }
    std::optional<int> AskNumber(QWidget*, const QString& title, const QString& question, int, int min,
                                 int max) override {
        numbersAsked.push_back(title);
        numberQuestions.push_back(question);
        if (numberAnswer && (*numberAnswer < min || *numberAnswer > max)) return std::nullopt;
        return numberAnswer;
    }
    std::optional<QString> AskText(QWidget*, const QString& title, const QString&,
                                   const QString& text) override {
        textsAsked.push_back({title, text});
        return textAnswer;
    }
    int Choose(QWidget*, const QString&, const QString& text, const QStringList&) override {
        choicesAsked.push_back(text);
        return choiceAnswer;
    }
    // The print dialog "prints" to a PDF file when the test gives one.
    bool SetUpPrinter(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        if (!printFile) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printFile);
        if (printPaper) printer.setPageSize(*printPaper);
        return true;
    }
    // The preview asks for its pages once, on a PDF file when the test gives one.
    void ShowPrintPreview(QWidget*, QPrinter& printer,
                          const std::function<void(QPrinter&)>& paint) override {
        ++previews;
        if (!previewFile) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*previewFile);
        paint(printer);
    }
    bool OpenDocument(const QString& path) override {
        opened.push_back(path);
        return viewerAvailable;
    }

    std::vector<Message> messages;
    std::vector<Message> questions;  // the icon says whether Cancel was offered
    std::vector<std::int32_t> colorsOffered;
    std::vector<QString> opened;
    bool viewerAvailable = true;
    Answer answer = Answer::No;
    std::optional<std::int32_t> colorAnswer;  // nothing: the colour dialog is cancelled
    std::optional<int> numberAnswer;  // nothing: the number is not given
    std::vector<std::pair<QString, QString>> textsAsked;  // title, text offered
    std::optional<QString> textAnswer;                    // nothing: cancelled
    std::vector<QString> choicesAsked;
    int choiceAnswer = -1;  // the box closed
    std::vector<QString> numbersAsked;
    std::vector<QString> numberQuestions;
    std::optional<QString> openAnswer;        // nothing: the file dialogs are cancelled
    std::optional<QString> saveAnswer;
    int fileDialogs = 0;
    struct ExportDialog {
        QString title;
        QString suggested;
        QStringList filters;
    };
    std::vector<ExportDialog> exportDialogs;
    std::optional<QString> exportAnswer;
    std::optional<QString> printFile;  // nothing: the print dialog is cancelled
    std::optional<QPageSize> printPaper;
    std::optional<QString> previewFile;
    int printDialogs = 0;
    int previews = 0;
};

// A program folder holding the default pattern and the read-me, as the installed program has.
class ProgramFolder {
  public:
    ProgramFolder() {
        QFile::copy(TESSALY_DEFAULT_PATTERN, Path() + "/default.kst");
        QFile::copy(TESSALY_README, Path() + "/readme.txt");
    }
    QString Path() const { return QString::fromStdString(dir_.File("")).chopped(1); }
    std::string File(const std::string& name) const { return dir_.File(name); }

  private:
    TempDir dir_;
};

// Drives a session as the windows do: each operation runs the command its control runs, and
// what the pattern is can be read from one place.
class Driver {
  public:
    explicit Driver(PatternSession& session) : session_(session) {}

    PatternSession& Session() const { return session_; }
    PatternDocument& Document() const { return session_.Document(); }
    BandPresentation& Presentation() const { return session_.Presentation(); }
    tessaly::History& History() const { return session_.History(); }

    const Band& CurrentBand() const { return Document().CurrentBand(); }
    const Cards* CurrentDeck() const { return Document().CurrentDeck(); }
    const std::string& BandName() const { return Document().BandName(); }
    const std::string& TurnSequence() const { return Document().TurnSequence(); }
    const std::string& WovenSequence() const { return Document().WovenSequence(); }
    const std::string& PatternPath() const { return Document().PatternPath(); }
    const std::vector<DraftColumn>& Draft() const { return Document().Draft(); }
    bool DraftNotApplied() const { return Document().DraftNotApplied(); }
    std::int32_t CardCount() const { return Document().CardCount(); }
    bool PatternChanged() const { return session_.PatternChanged(); }
    bool IsReversed() const { return Presentation().IsReversed(); }
    DrawingGeometry Geometry() const { return Presentation().Geometry(); }
    TurningInstructions Instructions() const { return Presentation().Instructions(); }
    const std::vector<std::int32_t>& NetTwist() const { return Presentation().NetTwist(); }
    std::unique_ptr<Band> ShownBand() const { return Presentation().ShownBand(); }

    bool OpenPattern(const std::string& path) const { return session_.Open(path).has_value(); }
    void LoadPattern(PatternData pattern) const { session_.Load(std::move(pattern)); }
    void SetPatternChanged(bool changed) const { session_.SetPatternChanged(changed); }
    void SetPatternPath(const std::string& path) const { Document().SetPatternPath(path); }
    void SetBlockSize(std::int32_t size) const { Presentation().SetBlockSize(size); }

    bool AddPick(const Cards& deck) const { return session_.Run<WeavePick>(deck); }
    // The deck of the pick taken off, if one was.
    std::optional<Cards> RemovePick() const {
        const Band& band = CurrentBand();
        std::optional<Cards> top;
        if (band.Count() > 1) top = band.At(band.Count()).Cards();
        const std::int32_t rows = band.Count();
        session_.Run<UnWeavePick>();
        return CurrentBand().Count() < rows ? top : std::nullopt;
    }
    bool EditPicks(const QString& text, PicksEdit edit) const {
        return session_.Run<tessaly::EditPicks>(text, std::move(edit));
    }
    bool EditCards(const QString& text, CardOrder order) const {
        return session_.Run<tessaly::EditCards>(text, std::move(order));
    }
    bool ApplyThreading() const { return session_.Run<tessaly::ApplyThreading>(); }
    bool WeaveAll() const { return session_.Run<SimpleWeave>(); }
    bool ReplaceColors() const { return session_.Run<tessaly::ReplaceColors>(); }
    void Reverse() const { session_.Run<ReverseFace>(); }
    void SetCardCount(std::int32_t count) const { session_.Run<tessaly::SetCardCount>(count); }
    void PaintDraft(const std::vector<DraftHole>& holes, std::int32_t color,
                    bool continuesStroke = false) const {
        session_.Run<tessaly::PaintDraft>(holes, color, continuesStroke);
    }
    void ToggleThreading(std::int32_t card) const { session_.Run<tessaly::ToggleThreading>(card); }
    void SetBandName(const std::string& name) const {
        session_.Run<EditText>(EditText::Field::BandName, name);
    }
    void SetTurnSequence(const std::string& sequence) const {
        session_.Run<EditText>(EditText::Field::TurnSequence, sequence);
    }

  private:
    PatternSession& session_;
};

// Makes a threading and a turning sequence the session's pattern, as opening a file that
// holds them does: the band is woven anew from the threading.
inline void LoadWoven(const Driver& document, const Cards& threading, const std::string& sequence) {
    PatternData pattern;
    pattern.BandName = "Test";
    pattern.TurnSequence = sequence;
    pattern.Rows->Add(threading, 1);
    document.LoadPattern(std::move(pattern));
}

// Makes stored rows the session's pattern, drawn as they are.
inline void LoadRows(const Driver& document, std::unique_ptr<Band> rows) {
    PatternData pattern;
    pattern.BandName = "Test";
    pattern.Rows = std::move(rows);
    document.LoadPattern(std::move(pattern));
}

// Everything about the pattern an operation could change, to compare before and after.
struct PatternState {
    std::vector<Cards> decks;
    std::optional<Cards> threading;
    std::string name;
    std::string sequence;
    bool changed = false;
    bool reversed = false;
    DrawingGeometry geometry;
    std::vector<std::vector<std::string>> instructions;
    std::vector<DraftColumn> draft;
    std::vector<std::int32_t> twist;
    PatternExtras extras;

    explicit PatternState(const Driver& document)
        : decks(DecksOf(document.CurrentBand())),
          name(document.BandName()),
          sequence(document.TurnSequence()),
          changed(document.PatternChanged()),
          reversed(document.IsReversed()),
          geometry(document.Geometry()),
          instructions(InstructionTexts(document.Instructions())),
          draft(document.Draft()),
          twist(document.NetTwist()),
          extras(document.Document().Extras()) {
        if (document.CurrentDeck() != nullptr) threading = *document.CurrentDeck();
    }
};

// What a full redraw of the document's band at its present zoom gives on a fresh canvas.
inline QImage FullRedraw(const Driver& document, const QSize& size) {
    RasterCanvas fresh(size.width(), size.height());
    fresh.SetWeft(document.Document().Extras().weft.value_or(Card::kNoThread));
    // the face the document shows, drawn afresh from a copy
    document.ShownBand()->WeaveBand(&fresh, document.Geometry());
    return fresh.Image();
}

// The main window's parts, found as a tool outside the program finds them: by object name.
inline DesignWindow* DesignOf(const QWidget& main) {
    return main.findChild<DesignWindow*>("frmDesign");
}
inline DisplayWindow* DisplayOf(const QWidget& main) {
    return main.findChild<DisplayWindow*>("frmDisplay");
}
inline WeaveWindow* WeaveOf(const QWidget& main) {
    return main.findChild<WeaveWindow*>("frmWeave1");
}
inline InstructionsWindow* InstructionsOf(const QWidget& main) {
    return main.findChild<InstructionsWindow*>("frmInstructions");
}
inline WeaveAlongWindow* WeaveAlongOf(const QWidget& main) {
    return main.findChild<WeaveAlongWindow*>("frmWeaveAlong");
}
inline SplashWindow* SplashOf(const QWidget& main) {
    return main.findChild<SplashWindow*>("frmSplash");
}
inline QMdiArea* WorkAreaOf(const QWidget& main) { return main.findChild<QMdiArea*>("mdiArea"); }
inline QToolBar* ToolbarOf(const QWidget& main) { return main.findChild<QToolBar*>("tbrMain"); }
// The frame a child window stands in within the work area.
inline QMdiSubWindow* SubWindowOf(QWidget* content) {
    return qobject_cast<QMdiSubWindow*>(content->parentWidget());
}

// A menu command by its object name, as a tool driving the program from outside finds it.
inline QAction* FindAction(const QObject& window, const char* name) {
    return window.findChild<QAction*>(name);
}

// What a screen reader reads as the name of a window or control.
inline QString AccessibleName(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString("(none)");
}

inline void ProcessEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace tessaly::test
