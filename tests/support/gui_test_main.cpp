// Test main for tests that need widgets: an offscreen QApplication with the program's fonts.
#include "platform/desktop.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Must be in place before the application exists (test discovery runs this main too).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QStereoTests"));
    desktop::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
