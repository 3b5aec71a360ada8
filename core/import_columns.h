// Which columns of an imported table hold the measurements, and in which notation: found from
// the header's names (English or Japanese) or, without a header, from the first rows.
#pragma once

#include "core/import_table.h"
#include "core/notation.h"

#include <QStringView>
#include <optional>
#include <vector>

namespace ImportColumns {

// What a header name says its column holds.
enum class Role {
    None,
    DipDirection, // dip direction, dipAzimuth, dip_dir, azimuth, 傾斜方向
    Dip,          // dip, 傾斜
    Strike,       // strike, 走向
    Quadrant,     // one column of quadrant text: quadrant, attitude, 走向傾斜
    StrikeAngle,  // the grid's own four columns, as the data export writes them:
    StrikeSide,   // 走向角度, 走向方位, 傾斜角度, 傾斜方位
    DipAngle,
    DipLetters,
};
Role RoleOf(QStringView headerName);

struct Mapping {
    // The columns read for one measurement, in order: one column of text in the notation; two
    // whose cells are read together with a blank between them (azimuth and dip, or "N30E" and
    // "45SE"); or the grid's four cells, read as the grid reads them.
    std::vector<int> columns;
    Notation::Kind notation = Notation::Kind::Auto;
    // The row holding the column names; it and the rows above it are not data. -1: none.
    int headerRow = -1;

    bool usable() const {
        return columns.size() == 1 || columns.size() == 2 || columns.size() == 4;
    }
    friend bool operator==(const Mapping&, const Mapping&) = default;
};

// The columns and notation for the table. With a header, its names decide: the grid's four
// columns first, then dip direction and dip (a dip direction wins over a strike), then strike
// and dip, then a quadrant column. Without, the first rows that can be read decide. A
// `forced` notation replaces the one found (the grid's four columns have none).
Mapping Detect(const ImportTable& table, std::optional<Notation::Kind> forced = std::nullopt);

// The chosen cells of a row: one as it stands, more with a blank between them, joined in
// `buffer` (which keeps its capacity from row to row).
QStringView Joined(const ImportTable& table, int row, const std::vector<int>& columns,
                   QString& buffer);

// A row read with the columns: one or two cells as text in the notation, four as the grid reads
// them.
Notation::Result ReadCells(const ImportTable& table, int row, const std::vector<int>& columns,
                           Notation::Kind kind, QString& buffer);

// The name shown for a column: its header text, or "列" and its number.
QString ColumnName(const ImportTable& table, const Mapping& mapping, int column);

} // namespace ImportColumns
