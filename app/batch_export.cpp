#include "app/batch_export.h"

#include "app/export_options.h"
#include "app/export_writer.h"
#include "core/bmmain.h"
#include "core/data_file.h"
#include "core/diagram_settings.h"
#include "core/file_names.h"
#include "core/imported_document.h"
#include "core/vb.h"
#include "platform/console_dialogs.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace BatchExport {

namespace {

const QString kCannotOpen = QStringLiteral("ﾌｧｲﾙを開くことができません。");

void PrintOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// The document of the data file or of the file of measurements, or nothing after a message.
// The program opens a missing file silently; here the user asked for that file, so it is
// reported.
std::optional<Document> ReadDocument(const QString& path, const ImportedDocument::Options& import,
                                     ConsoleDialogs& console) {
    if (!BMMain::FileExists(path) || QFileInfo(path).isDir()) {
        console.print(QStringLiteral("（ﾌｧｲﾙが見つかりません）\r\n") + kCannotOpen +
                      QStringLiteral("\r\n") + path);
        return std::nullopt;
    }
    // A name the program opens as a data file is one; any other holds measurements.
    if (vb::InStrText(path, QStringLiteral(".QST")) != 0)
        return DataFile::ReadDataFile(path, console);
    ImportedDocument::Result imported = ImportedDocument::Read(path, import);
    for (const QString& message : imported.messages)
        console.print(message);
    return std::move(imported.document);
}

// --convert: the measurements written as a data file, nothing written when they cannot be.
int Convert(const Options& options, ConsoleDialogs& console) {
    const std::optional<Document> document =
        ReadDocument(QFileInfo(options.dataFile).absoluteFilePath(), options.import, console);
    if (!document)
        return 1;
    const QString target = QFileInfo(options.convertedFile).absoluteFilePath();
    return DataFile::WriteDataFile(target, target, *document, console) ? 0 : 1;
}

// Standard error carries the export's own messages; Qt's notes about the missing desktop
// session (runtime folder, session bus) would only bury them.
void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        const QByteArray bytes = text.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
}

} // namespace

int Run(int argc, char* argv[]) {
    // Drawing on files needs fonts, not a screen: no display is opened and no window shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepQtNotesQuiet);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QStereo"));
    desktop::InstallFontSubstitutions();
    ConsoleDialogs console;

    const Command command = ParseCommandLine(QCoreApplication::arguments());
    switch (command.action) {
    case Command::Action::Help:
    case Command::Action::Version:
        PrintOut(command.text);
        return 0;
    case Command::Action::Error:
        console.print(command.text);
        return 1;
    case Command::Action::Convert:
        return Convert(command.options, console);
    case Command::Action::Export:
        break;
    }
    const Options& options = command.options;

    // The settings as the program reads them; the options change this run only, and nothing
    // is written back.
    BMMain::SetAppPath(QCoreApplication::applicationDirPath());
    BMMain::LoadGlobalSettings();
    Settings settings;
    settings.gridVisible = DiagramSettings::ReadGridVisible();
    settings.roseDivisions = DiagramSettings::ReadRoseDivisions();
    settings.plotMode = options.plotMode.value_or(DiagramSettings::ReadPlotMode());
    settings.plotStatistics = DiagramSettings::ReadPlotStatistics();
    if (options.netRadius)
        BMMain::NetRadius = *options.netRadius;
    if (options.roseDivisions)
        settings.roseDivisions = *options.roseDivisions;

    const std::optional<Document> document =
        ReadDocument(QFileInfo(options.dataFile).absoluteFilePath(), options.import, console);
    if (!document)
        return 1;

    const QString folder = QFileInfo(options.folder).absoluteFilePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        console.print(QStringLiteral("書き出し先のﾌｫﾙﾀﾞを作成できません。\r\n") + folder);
        return 1;
    }
    return WriteExport(*document, settings, QDir(folder), options.format, options.dotsPerInch,
                       console)
               ? 0
               : 1;
}

} // namespace BatchExport
