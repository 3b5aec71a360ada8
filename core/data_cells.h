// What a cell of the data grid may hold. Typing, pasting and filling a block all end in the
// same judgement, so that no way of entering data stores what another refuses.
#pragma once

#include <QString>

namespace DataCells {

// Columns of the data grid: the number column, then strike angle and side, dip angle and
// direction.
constexpr int StrikeAngle = 1;
constexpr int StrikeSide = 2;
constexpr int DipAngle = 3;
constexpr int DipDirection = 4;

// The angle columns take numbers only.
bool NumeralOnly(int col);
// The most characters a cell of the column is typed with.
int MaxLength(int col);

// The text a cell keeps of what was entered: a text holding double-byte characters is
// narrowed, trimmed of spaces and upper-cased; half-width input stays as typed.
QString Stored(const QString& text);

// Why a typed entry cannot be stored in column `col`, as the message that says so; empty when
// it can. The keyboard has already kept the column's characters and length.
QString EntryRefusal(int col, const QString& text);
// The same for text that did not come through the keyboard (pasted, filled): what typing
// would not let in is refused as well, its length measured as the cell will keep it.
QString Refusal(int col, const QString& text);

} // namespace DataCells
