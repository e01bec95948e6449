#include "Startup.h"

#include <QDir>

#include "FileCommands.h"
#include "MainWindow.h"

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

MainWindow& Startup::Run(bool showSplash, const QString& patternFile) {
    const std::optional<WindowValues> places =
        session_.Open((programFolder_ + "/default.kst").toStdString());

    main_ = std::make_unique<MainWindow>(session_, dialogs_, programFolder_);
    main_->show();
    // start-up ends as New would leave it, but the default pattern is not the weaver's file:
    // the first Save asks for a name
    session_.Document().SetPatternPath({});
    session_.SetPatternChanged(false);
    main_->UpdateCaption();
    // where the weaver left the windows; on a first start, the screen and the windows tiled
    if (!main_->RestoreLayout()) {
        // a file that was not read has no places to give
        if (places) main_->ApplyStoredPlaces(*places);
        main_->FillScreenAndTile();
    }
    if (!patternFile.isEmpty()) main_->Files().OpenFile(patternFile);
    if (showSplash) main_->ShowSplash(true);
    return *main_;
}

}  // namespace tessaly
