// A data row as the diagrams read it: strike and dip from the leading number of the first four
// characters of their trimmed cells (rounded half to even), the letters trimmed. The controller
// walks the grid with these rules; counting and drawing take the resulting list.
#pragma once

#include "core/document.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace Measurements {

struct Measurement {
    int strike = 0;
    QString side;
    int dip = 0;
    QString direction;
};

// Strike angle, strike side, dip angle, dip direction, as the grid holds them.
using RowCells = std::array<QString, 4>;

// The data set ends at the first row whose four cells hold nothing but blanks.
bool IsBlankRow(const RowCells& cells);
// The angle an angle cell stands for.
int AngleFromCell(const QString& text);
// A cell longer than four characters (trimmed) is rewritten with the angle it was read as, so the
// grid shows what was drawn; nothing for a cell that stays.
std::optional<QString> RewrittenAngleCell(const QString& text);
Measurement FromCells(const RowCells& cells);
// The data set of a document's rows: every row down to the first blank one.
std::vector<Measurement> FromRows(const std::vector<Document::Row>& rows);

} // namespace Measurements
