// What every imported table must satisfy, whatever bytes it came from: its rows keep rising line
// numbers, and each row below the header is read, refused with a reason, or blank.
#pragma once

#include "core/import_columns.h"
#include "core/measurement_import.h"

#include <cstdlib>

namespace ImportFuzz {

inline void Check(bool holds) {
    if (!holds)
        std::abort();
}

inline void CheckTable(const ImportTable& table) {
    for (int r = 1; r < table.rowCount(); ++r)
        Check(table.line(r) > table.line(r - 1));
    const ImportColumns::Mapping mapping = ImportColumns::Detect(table);
    Check(mapping.usable());
    const MeasurementImport::Outcome outcome = MeasurementImport::Read(table, mapping);
    int blank = 0;
    for (int r = mapping.headerRow + 1; r < table.rowCount(); ++r)
        blank += table.isBlank(r) ? 1 : 0;
    Check(int(outcome.rows.size() + outcome.refused.size()) + blank ==
          table.rowCount() - mapping.headerRow - 1);
    Check(outcome.rounded <= int(outcome.rows.size()));
    for (const Document::Row& row : outcome.rows)
        Check(!row[0].isEmpty() && !row[2].isEmpty() && row[2].toInt() <= 90);
    for (const auto& refused : outcome.refused)
        Check(!MeasurementImport::RefusalLine(table, mapping, refused).isEmpty());
}

} // namespace ImportFuzz
