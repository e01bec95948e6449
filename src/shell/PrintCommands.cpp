#include "PrintCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QSettings>
#include <QWidget>

#include "FileCommands.h"
#include "document/PatternSession.h"
#include "engine/Threading.h"
#include "errors/AppError.h"
#include "errors/ErrorReporter.h"
#include "patternfile/PatternFile.h"
#include "patternfile/SafeFile.h"
#include "print/PrintedPattern.h"
#include "render/BandPicture.h"
#include "widgets/BusyCursor.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

const char* const kPickOneAtBottomKey = "print/pickOneAtBottom";
const char* const kTickColumnKey = "print/tickColumn";
const char* const kTextLinesKey = "print/textLines";

// Paper as the weaver's country uses it.
QPageSize LocalPaper() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

void PreparePrinter(QPrinter& printer, const PrintSource& source) {
    // the page is laid out from the paper's corner; its margins are the printout's own
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(source.bandName));
}

}  // namespace

PrintCommands::PrintCommands(const PatternSession& session, UserDialogs& dialogs, QWidget* parent)
    : QObject(parent), session_(session), dialogs_(dialogs), parent_(parent) {
    options_ = std::make_unique<QMenu>(tr("Print &Options"));
    options_->setObjectName("mnuPrintOptions");
    const PrintOptions chosen = ChosenOptions();
    const std::tuple<const char*, QString, const char*, bool> entries[] = {
        {"mnuPickOneAtBottom", tr("Pick 1 at the &Bottom"), kPickOneAtBottomKey,
         chosen.pickOneAtBottom},
        {"mnuTickColumn", tr("&Tick Column"), kTickColumnKey, chosen.tickColumn},
        {"mnuTextLines", tr("Instructions as Text &Lines"), kTextLinesKey, chosen.textLines}};
    for (const auto& [name, text, key, on] : entries) {
        QAction* entry = options_->addAction(text);
        entry->setObjectName(name);
        entry->setCheckable(true);
        entry->setChecked(on);
        connect(entry, &QAction::toggled, this,
                [key = key](bool checked) { QSettings().setValue(key, checked); });
    }
}

PrintCommands::~PrintCommands() = default;

PrintOptions PrintCommands::ChosenOptions() {
    const QSettings settings;
    PrintOptions options;
    options.pickOneAtBottom = settings.value(kPickOneAtBottomKey, false).toBool();
    options.tickColumn = settings.value(kTickColumnKey, false).toBool();
    options.textLines = settings.value(kTextLinesKey, false).toBool();
    return options;
}

PrintSource PrintCommands::SourceOf(const PatternSession& session) {
    const PatternDocument& document = session.Document();
    const BandPresentation& views = session.Presentation();
    // the printout describes the band as it is: its own threading row on the front face, its
    // cards and the sequence it was woven with, never a draft or a sequence not yet woven
    PrintSource source;
    source.bandName = document.BandName();
    source.turnSequence = document.WovenSequence();
    const Band& band = document.CurrentBand();
    if (band.Count() > 0) source.draft = DraftFromDeck(band.At(1).Cards());
    source.extras = document.Extras();
    // the picture and the instructions show the face the display shows
    if (views.IsReversed()) {
        source.keptBand = views.ShownBand();
        source.band = source.keptBand.get();
    } else {
        source.band = &band;
    }
    const DrawingGeometry screen = views.Geometry();
    source.screenBlockSize = screen.BlockSize;
    source.screenBandMargin = screen.BandMargin;
    source.options = ChosenOptions();
    return source;
}

void PrintCommands::Warn(const QString& title, const QString& text) {
    dialogs_.ShowMessage(parent_, title, text, UserDialogs::Icon::Warning);
}

bool PrintCommands::NothingToPrint(const QString& title) {
    const auto reason = PatternPrinter::NothingToPrint(SourceOf(session_));
    if (!reason) return false;
    dialogs_.ShowMessage(parent_, title, QString::fromStdString(*reason),
                         UserDialogs::Icon::Information);
    return true;
}


void PrintCommands::Print() {
    if (NothingToPrint(tr("Print"))) return;
    const PrintSource source = SourceOf(session_);
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, source);
    if (!dialogs_.SetUpPrinter(parent_, printer)) return;
    const BusyCursor busy;
    try {
        PrintPattern(printer, source);
    } catch (const AppError& error) {
        Warn(tr("Print"), QString::fromStdString(error.Description()));
    }
}

void PrintCommands::Preview() {
    if (NothingToPrint(tr("Print Preview"))) return;
    const PrintSource source = SourceOf(session_);
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, source);
    bool warned = false;
    dialogs_.ShowPrintPreview(parent_, printer, [&](QPrinter& pages) {
        const BusyCursor busy;
        try {
            PreparePrinter(pages, source);
            PrintPattern(pages, source);
        } catch (const AppError& error) {
            // the preview asks again on every change of paper: one message is enough
            if (!warned) Warn(tr("Print Preview"), QString::fromStdString(error.Description()));
            warned = true;
        }
    });
}

void PrintCommands::ExportPdf() {
    if (NothingToPrint(tr("Export as PDF"))) return;
    const auto path = dialogs_.ChooseExportFile(parent_, tr("Export as PDF"),
                                                SuggestedName(session_.Document(), QStringLiteral("pdf")),
                                                {tr("PDF Document (*.pdf)")});
    if (!path) return;
    const BusyCursor busy;
    try {
        const std::string pdf = PrintPatternToPdf(SourceOf(session_), LocalPaper());
        WriteFileAtomically(path->toStdString(), pdf);
    } catch (const AppError& error) {
        Warn(tr("Export as PDF"), tr("%1 was not written: %2")
                                      .arg(QDir::toNativeSeparators(*path),
                                           QString::fromStdString(error.Description())));
    }
}


void PrintCommands::ExportPicture() {
    if (NoBandToExport(dialogs_, parent_, session_.Document(), tr("Export Picture"))) return;
    const auto path = dialogs_.ChooseExportFile(
        parent_, tr("Export Picture"), SuggestedName(session_.Document(), QStringLiteral("png")),
        {tr("PNG Picture (*.png)"), tr("SVG Picture (*.svg)")});
    if (!path) return;
    const bool svg =
        QFileInfo(*path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
    const BusyCursor busy;
    try {
        // the picture the display shows, drawn as the exporter draws it
        // (the face shown, copied only when that is the reverse face, as for printing)
        const PrintSource shown = SourceOf(session_);
        const Band& band = *shown.band;
        const DrawingGeometry geometry = session_.Presentation().Geometry();
        BandPicture picture(BandCanvasWidth(band.At(1).Cards().Count(), geometry), svg, !svg);
        const ErrorCounter errors;
        band.WeaveBand(&picture.Target(), geometry);
        // a row that could not be drawn was reported; half a picture is not written
        if (errors.Count() > 0) return;
        WriteFileAtomically(path->toStdString(), svg ? picture.Svg() : picture.Png());
    } catch (const AppError& error) {
        Warn(tr("Export Picture"), tr("%1 was not written: %2")
                                       .arg(QDir::toNativeSeparators(*path),
                                            QString::fromStdString(error.Description())));
    }
}


}  // namespace tessaly
