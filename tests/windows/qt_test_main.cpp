// The main of the widget tests: a QApplication on the offscreen platform,
// the "C" number formats, then every test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <clocale>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The profile goes to a test location, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
