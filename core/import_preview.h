// What the import preview is shown and what the user answers: the file's tables with the columns
// and notation found for its first sheet; the sheet, columns and notation chosen, and whether the
// rows replace the document's or follow its last measurement.
#pragma once

#include "core/import_columns.h"
#include "core/import_file.h"

#include <QString>

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
};
