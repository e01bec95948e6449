#include <gtest/gtest.h>

#include <QApplication>

// The GUI tests share one application object, made before any test runs.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
