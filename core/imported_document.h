// A document made from a file of measurements another program wrote, for the command line: the
// rows read, the refused lines reported, and by default nothing made when any line is refused.
#pragma once

#include "core/document.h"
#include "core/notation.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ImportedDocument {

// A new document's titles and its hundred empty rows.
Document NewDocument();

struct Options {
    std::optional<Notation::Kind> notation; // the one the columns suggest when not given
    QString sheet;                          // a workbook's first sheet when empty
    bool skipBadRows = false;
};

struct Result {
    std::optional<Document> document;
    // What standard error shows: each refused line, then why nothing was made or which lines
    // were passed over.
    QStringList messages;
};

// The file's measurements as a document. Nothing when the file cannot be read, names a sheet
// it does not have, holds no measurement, or (without skipBadRows) holds a refused line.
Result Read(const QString& path, const Options& options);

} // namespace ImportedDocument
