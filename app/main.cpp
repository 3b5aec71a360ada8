// Entry routine: fixes the program directory, reads the global settings and shows the windows.
#include "app/bmmain.h"
#include "platform/desktop.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "qstereo: no display is available (DISPLAY is not set). "
                             "Run it on a desktop, or under xvfb-run.\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QStereo"));
    desktop::InstallFontSubstitutions();
    desktop::InstallJapaneseTranslation(app);

    BMMain::SetAppPath(QCoreApplication::applicationDirPath());
    QDir::setCurrent(BMMain::AppPath);
    BMMain::LoadGlobalSettings();

    QLabel window(QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
    window.setWindowTitle(QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
