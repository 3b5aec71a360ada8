// Text conversions for pasting into numeric-only grids.
#pragma once

#include <QString>

namespace tabula_detail {

// Full-width ASCII forms and the ideographic space become their half-width characters.
QString ToHalfWidth(const QString& text);

// Keeps, per cell (cells end at TAB or CR), a leading sign or slash and the digits up to the
// first character that cannot belong to a number; the rest of that cell is dropped. A point
// is kept everywhere when decimals are allowed, and ends the number otherwise.
QString CleanNumericPaste(const QString& text, bool allowDecimal);

} // namespace tabula_detail
