#include "Startup.h"

#include <QDir>
#include <QLocale>

#include "Autosave.h"
#include "FileCommands.h"
#include "MainWindow.h"
#include "document/RecoveryCopy.h"
#include "widgets/UserDialogs.h"

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
    OfferRecovery();
    if (!patternFile.isEmpty()) main_->Files().OpenFile(patternFile);
    if (showSplash) main_->ShowSplash(true);
    return *main_;
}

void Startup::OfferRecovery() {
    const QString folder = RecoveryCopy::DefaultFolder();
    // one pattern can be recovered; the others wait for a later start unless discarded
    for (const RecoveryCopy::LeftBehind& left : RecoveryCopy::FindLeftBehind(folder)) {
        const QString name = left.bandName.isEmpty() ? QObject::tr("Untitled") : left.bandName;
        const int choice = dialogs_.Choose(
            main_.get(), QStringLiteral("Tessaly"),
            QObject::tr("Tessaly was not closed properly. Recover the pattern \"%1\" from %2?")
                .arg(name, left.written.toString(QStringLiteral("HH:mm"))),
            {QObject::tr("Recover"), QObject::tr("Discard"), QObject::tr("Later")});
        if (choice == 1) RecoveryCopy::Discard(folder, left.id);
        if (choice != 0) continue;
        const std::optional<WindowValues> places = RecoveryCopy::Recover(folder, left.id, session_);
        if (!places) continue;
        main_->ApplyStoredPlaces(*places);
        main_->UpdateCaption();
        // the recovered work is this program's copy now, before the old one goes
        main_->RecoveryCopies().WriteNow(true);
        RecoveryCopy::Discard(folder, left.id);
        return;
    }
}

}  // namespace tessaly
