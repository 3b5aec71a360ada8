// A file to take measurements from, read whole: a text file (CSV, TSV, plain text) as one
// table, or an Excel workbook as one table per worksheet.
#pragma once

#include "core/import_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ImportFile {

struct Source {
    QStringList sheetNames;          // a workbook's worksheets; empty for a text file
    std::vector<ImportTable> tables; // one per worksheet, or the text file's one
    QString encoding;                // a text file's: "UTF-8", "UTF-16", "Shift_JIS"
};

struct LoadResult {
    std::optional<Source> source;
    QString error; // the message when the file was not read
};

// The file's bytes decide what it is (a zip archive is a workbook), not its name.
LoadResult FromBytes(const QByteArray& bytes);
LoadResult Load(const QString& path);

// The worksheet a user named on the command line: its name (letter case ignored) or its
// number from 1; nothing when there is no such sheet.
std::optional<int> SheetIndex(const Source& source, const QString& nameOrNumber);

} // namespace ImportFile
