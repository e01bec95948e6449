#include "Startup.h"

#include <QDir>
#include <QPageLayout>
#include <QPrinter>

#include "MainWindow.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "patternfile/PatternFile.h"

namespace tessaly {

Startup::Startup(UserDialogs& dialogs, QString programFolder)
    : dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

Startup::~Startup() = default;

QString Startup::DataFolder(const QString& programFolder) {
    const QDir beside(programFolder);
    if (beside.exists(QStringLiteral("default.kst"))) return beside.absolutePath();
    const QDir installed(programFolder + QStringLiteral("/../" TESSALY_INSTALL_DATADIR));
    if (installed.exists(QStringLiteral("default.kst"))) return installed.absolutePath();
    return beside.absolutePath();  // where the report of a missing default pattern points
}

std::int32_t Startup::DefaultPrintBottom() {
    std::int32_t bottom = 0;
    Trap("basMain", "main", [&] {
        QPrinter printer(QPrinter::HighResolution);
        const double inches = printer.pageLayout().fullRect(QPageLayout::Inch).height();
        bottom = RoundToInt32(0.98 * inches * printer.resolution());
    });
    return bottom;
}

MainWindow& Startup::Run(bool showSplash, const QString& patternFile) {
    const bool read = document_.OpenPattern((programFolder_ + "/default.kst").toStdString());

    main_ = std::make_unique<MainWindow>(document_, dialogs_, programFolder_);
    main_->show();
    // start-up ends as New would leave it, but the default pattern is not the weaver's file:
    // the first Save asks for a name
    document_.SetPatternPath({});
    document_.SetPatternChanged(false);
    main_->UpdateCaption();
    // a file that was not read has no places to give
    if (read) GetWindows(document_.StoredWindowValues(), *main_);
    document_.SetPrintBottom(DefaultPrintBottom());
    if (!patternFile.isEmpty()) main_->OpenFile(patternFile);
    if (showSplash) main_->ShowSplash(true);
    return *main_;
}

}  // namespace tessaly
