// The measurements of an imported table: each data row read with the chosen columns and
// notation, as the grid's four cells, or refused with its line number and reason.
#pragma once

#include "core/document.h"
#include "core/import_columns.h"
#include "core/import_table.h"
#include "core/notation.h"

#include <QString>
#include <vector>

namespace MeasurementImport {

struct RefusedRow {
    int row = 0; // in the table
    int line = 0;
    Notation::Refusal refusal = Notation::Refusal::None;
};

struct Outcome {
    std::vector<Document::Row> rows;
    int rounded = 0; // rows read with a decimal angle rounded
    std::vector<RefusedRow> refused;
};

// Every row below the header; blank rows are passed over, rows holding anything else are read
// or refused. An unusable mapping refuses nothing and reads nothing.
Outcome Read(const ImportTable& table, const ImportColumns::Mapping& mapping);

// "12行目: 傾斜が0～90の範囲にありません（N30E 95SE）": the line, the reason and what the
// chosen columns hold.
QString RefusalLine(const ImportTable& table, const ImportColumns::Mapping& mapping,
                    const RefusedRow& refused);

} // namespace MeasurementImport
