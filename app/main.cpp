// Entry routine: the splash, the program directory, the global settings, then the controller,
// which builds and shows every window.
#include "app/batch_export.h"
#include "app/contour.h"
#include "app/export_options.h"
#include "core/bmmain.h"
#include "core/file_association.h"
#include "platform/desktop.h"
#include "windows/frm_main.h"
#include "windows/frm_title.h"
#include "windows/program_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The batch export runs without a display, so it is told apart before any window exists.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (BatchExport::IsExportCommandLine(rawArguments))
        return BatchExport::Run(argc, argv);

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

    // The shell has already split and unquoted the arguments: the rest is the one file name.
    // A relative name is the user's, from where the program was started.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QString commandLine = arguments.join(u' ').trimmed();
    if (!commandLine.isEmpty() && !commandLine.startsWith(u'"') &&
        QDir::isRelativePath(commandLine))
        commandLine = QDir::current().absoluteFilePath(commandLine);

    BMMain::SetAppPath(QCoreApplication::applicationDirPath());
    QDir::setCurrent(BMMain::AppPath);
    BMMain::LoadGlobalSettings();

    ProgramDialogs dialogs;
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
