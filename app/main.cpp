// Entry routine: the splash, the program directory, the global settings, then the controller,
// which builds and shows every window.
#include "core/bmmain.h"
#include "app/contour.h"
#include "platform/desktop.h"
#include "platform/qt_dialogs.h"
#include "core/file_association.h"
#include "core/version.h"
#include "windows/frm_main.h"
#include "windows/frm_title.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // Answers without a display, for scripts and package checks.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("QStereo %s\n", qPrintable(ProgramVersion::Text()));
        return 0;
    }
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

    auto* splash = new frmTitle;
    splash->Load();

    BMMain::SetAppPath(QCoreApplication::applicationDirPath());
    QDir::setCurrent(BMMain::AppPath);
    BMMain::LoadGlobalSettings();

    // The shell has already split and unquoted the arguments: the rest is the one file name.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const QString commandLine = arguments.join(u' ');

    QtDialogs dialogs;
    const FileAssociation association(QCoreApplication::applicationFilePath());
    int result = 0;
    {
        Contour TheContour(dialogs, association);
        TheContour.Initialise(commandLine);
        dialogs.setParent(TheContour.FormMain);
        delete splash;
        result = app.exec();
        TheContour.Terminate();
    }
    return result;
}
