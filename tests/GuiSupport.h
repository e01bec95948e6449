#pragma once

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QString>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "document/PatternDocument.h"
#include "document/UserDialogs.h"
#include "render/RasterCanvas.h"

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

// Makes a threading and a turning sequence the document's pattern, as opening a file that
// holds them does: the band is woven anew from the threading.
inline void LoadWoven(PatternDocument& document, const Cards& threading,
                      const std::string& sequence) {
    PatternData pattern;
    pattern.BandName = "Test";
    pattern.TurnSequence = sequence;
    pattern.Rows->Add(threading, "1");
    document.LoadPattern(std::move(pattern));
}

// Makes stored rows the document's pattern, drawn as they are.
inline void LoadRows(PatternDocument& document, std::unique_ptr<Band> rows) {
    PatternData pattern;
    pattern.BandName = "Test";
    pattern.Rows = std::move(rows);
    document.LoadPattern(std::move(pattern));
}

// The decks of every row, bottom first.
inline std::vector<Cards> DecksOf(const Band& band) {
    std::vector<Cards> decks;
    for (const Row& row : band) decks.push_back(row.Cards());
    return decks;
}

// The instruction grid's texts, row by row.
inline std::vector<std::vector<std::string>> GridTexts(const InstructionGrid& grid) {
    std::vector<std::vector<std::string>> texts;
    for (int r = 0; r < grid.Rows(); ++r) {
        texts.emplace_back();
        for (int c = 0; c < grid.Cols(); ++c) texts.back().push_back(grid.TextAt(r, c));
    }
    return texts;
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
    std::vector<std::vector<std::string>> grid;
    std::vector<DraftColumn> draft;
    std::vector<std::int32_t> twist;

    explicit PatternState(const PatternDocument& document)
        : decks(DecksOf(document.CurrentBand())),
          name(document.BandName()),
          sequence(document.TurnSequence()),
          changed(document.PatternChanged()),
          reversed(document.IsReversed()),
          geometry(document.Geometry()),
          grid(GridTexts(document.Grid())),
          draft(document.Draft()),
          twist(document.NetTwist()) {
        if (document.CurrentDeck() != nullptr) threading = *document.CurrentDeck();
    }
};

// What a full redraw of the document's band at its present zoom gives on a fresh canvas.
inline QImage FullRedraw(const PatternDocument& document, const QSize& size) {
    RasterCanvas fresh(size.width(), size.height());
    InstructionGrid grid;
    // the face the document shows, drawn afresh from a copy
    document.ShownBand()->WeaveBand(&fresh, &grid, document.Geometry());
    return fresh.Image();
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
