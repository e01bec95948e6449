#include <QApplication>
#include <cstdio>
#include <cstring>

#include "MainWindow.h"
#include "MessageBoxErrorSink.h"
#include "QtUserDialogs.h"
#include "Startup.h"
#include "patternfile/SafeFile.h"

int main(int argc, char** argv) {
    // answered before any window system is asked for: it works without a display
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tessaly %s\n", TESSALY_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf(
                "usage: tessaly [PATTERN]\n"
                "       tessaly --help | --version\n"
                "  PATTERN  a pattern to open: Tessaly's .kst, a .tdd draft, a Twisted\n"
                "           Threads pattern (.twt) or a GTT pattern (.gtt)\n");
            return 0;
        }
    }
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
