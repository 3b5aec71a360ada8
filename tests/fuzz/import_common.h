// What every imported table must satisfy, whatever bytes it came from: its rows keep rising line
// numbers, none is blank, and each row below the header is read or refused with a reason.
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
    for (int r = 0; r < table.rowCount(); ++r)
        Check(!table.isBlank(r));
    Check(int(outcome.rows.size() + outcome.refused.size()) ==
          table.rowCount() - mapping.headerRow - 1);
    Check(outcome.rounded <= int(outcome.rows.size()));
    for (const Document::Row& row : outcome.rows)
        Check(!row[0].isEmpty() && !row[2].isEmpty() && row[2].toInt() <= 90);
    for (const auto& refused : outcome.refused)
        Check(!MeasurementImport::RefusalLine(table, mapping, refused).isEmpty());
}

} // namespace ImportFuzz
