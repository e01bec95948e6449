#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

// The GUI tests share one application object, made before any test runs.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // settings the tests write (recent files) go to a scratch place, never the user's
    QStandardPaths::setTestModeEnabled(true);
    // one settings file per test process: ctest runs several at once
    QApplication::setOrganizationName(
        QStringLiteral("TessalyTests-%1").arg(QCoreApplication::applicationPid()));
    QApplication::setApplicationName(QStringLiteral("TessalyTests"));
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // and it goes with the process
    QDir(QFileInfo(QSettings().fileName()).absolutePath()).removeRecursively();
    return status;
}
