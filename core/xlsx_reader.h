// The worksheets of an Excel workbook (.xlsx: XML parts in a zip archive), as tables of cell
// texts: shared and inline strings as written, numbers in their shortest form ("45", "12.5").
// Formulas give their stored results. A malformed or oversized workbook is refused with a
// message, never read in part.
#pragma once

#include "core/import_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace Xlsx {

struct Workbook {
    QStringList sheetNames; // in the workbook's order
    std::vector<ImportTable> sheets;
};

struct ReadResult {
    std::optional<Workbook> workbook;
    QString error; // why the workbook was refused, when it was
};

// Each table row is a sheet row with cells, numbered as the sheet numbers it (first row 1).
ReadResult Read(const QByteArray& bytes);

// Whether the bytes begin as a zip archive does (an .xlsx whatever its name).
bool LooksLikeZip(const QByteArray& bytes);

} // namespace Xlsx
