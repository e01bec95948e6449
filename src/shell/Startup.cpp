#include "Startup.h"

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

std::int32_t Startup::DefaultPrintBottom() {
    std::int32_t bottom = 0;
    Trap("basMain", "main", [&] {
        QPrinter printer(QPrinter::HighResolution);
        const double inches = printer.pageLayout().fullRect(QPageLayout::Inch).height();
        bottom = RoundToInt32(0.98 * inches * printer.resolution());
    });
    return bottom;
}

MainWindow& Startup::Run(bool showSplash) {
    AppState& state = document_.State();
    state.BlockSize = 10;
    state.BandMargin = 10;
    state.BandTop = 0;
    state.PatternPath = (programFolder_ + "/default.kst").toStdString();
    const std::optional<std::string> sequence = ProcessFile(state);

    main_ = std::make_unique<MainWindow>(document_, dialogs_, programFolder_);
    main_->show();
    // start-up ends as New would leave it, with the band woven and its instructions written,
    // but with no file of its own
    if (sequence) main_->ShowOpenedPattern(*sequence);
    state.PatternPath.clear();
    state.PatternChanged = false;
    main_->setWindowTitle(QStringLiteral("Tessaly"));
    GetWindows(state, *main_);
    state.PrintBottom = DefaultPrintBottom();
    if (showSplash) main_->ShowSplash(true);
    return *main_;
}

}  // namespace tessaly
