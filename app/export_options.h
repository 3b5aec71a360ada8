// The command line of the batch export: qstereo --export DIR [--format pdf|svg|png]
// [--dpi N] [--scan-lines N] [--rose-divisions N] [--plot poles|circles|both] FILE, and of the
// conversion: qstereo --convert IN OUT.QST, with --help and --version. FILE and IN may be a
// data file or a file of measurements (CSV, TSV, text, xlsx), read with
// [--notation auto|quadrant|dipdir|rhr] [--sheet S] [--skip-bad-rows].
#pragma once

#include "core/diagram_settings.h"
#include "core/imported_document.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace BatchExport {

struct Options {
    QString folder;
    // "pdf", "svg" or "png": the pages' file format and extension.
    QString format = QStringLiteral("pdf");
    // Resolution the pages are drawn at, as a printer of that resolution draws them: the
    // pixels per inch of a PNG page.
    int dotsPerInch = 300;
    // Net radius for this run (half the scan lines); the settings file's when not given.
    std::optional<int16_t> netRadius;
    std::optional<int16_t> roseDivisions;
    // What the plot draws for each plane; the settings file's choice when not given.
    std::optional<DiagramSettings::PlotMode> plotMode;
    QString dataFile;
    // How a file of measurements is read; a data file ignores it.
    ImportedDocument::Options import;
    // The data file --convert writes.
    QString convertedFile;
};

struct Command {
    enum class Action { Export, Convert, Help, Version, Error };
    Action action = Action::Error;
    Options options;
    // The help or version text, or the message of a refused command line.
    QString text;
};

// Whether the arguments (the program's name first) ask for the batch export, its help or its
// version rather than the windows. Decided before any application object exists.
bool IsExportCommandLine(const QStringList& arguments);

// Reads and checks the command line (the program's name first).
Command ParseCommandLine(const QStringList& arguments);

} // namespace BatchExport
