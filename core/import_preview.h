// What the import preview is shown and what the user answers: the file's tables with the columns
// and notation found for its first sheet; the sheet, columns and notation chosen, and whether the
// rows replace the document's or follow its last measurement.
#pragma once

#include "core/import_columns.h"
#include "core/import_file.h"
#include "core/measurement_import.h"

#include <QString>
#include <optional>

struct ImportPreviewRequest {
    QString fileName; // without its folder
    const ImportFile::Source* source = nullptr;
    int sheet = 0;
    ImportColumns::Mapping mapping; // found for `sheet`
};

struct ImportChoice {
    int sheet = 0;
    ImportColumns::Mapping mapping;
    bool append = false;
    // The chosen sheet read with the chosen mapping, when the preview already read it.
    std::optional<MeasurementImport::Outcome> read = std::nullopt;
};
