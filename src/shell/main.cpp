#include <QApplication>

#include "MainWindow.h"
#include "MessageBoxErrorSink.h"
#include "QtUserDialogs.h"
#include "Startup.h"
#include "patternfile/SafeFile.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));

    tessaly::InstallTemporaryCleanup();
    tessaly::QtUserDialogs dialogs;
    tessaly::MessageBoxErrorSink errorBox(dialogs);
    tessaly::SetErrorSink(&errorBox);

    tessaly::Startup startup(dialogs,
                             tessaly::Startup::DataFolder(QApplication::applicationDirPath()));
    // "tessaly PATTERN.kst" opens that pattern, as a file manager asks
    const QStringList arguments = QApplication::arguments();
    const QString pattern = arguments.size() > 1 ? arguments.at(1) : QString();
    tessaly::MainWindow& window = startup.Run(true, pattern);
    errorBox.SetParent(&window);
    const int status = QApplication::exec();
    tessaly::SetErrorSink(nullptr);
    return status;
}
