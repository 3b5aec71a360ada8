// Text conversions for pasting into numeric-only grids.
#pragma once

#include <QString>
#include <vector>

namespace tabula_detail {

// Full-width ASCII forms and the ideographic space become their half-width characters.
QString ToHalfWidth(const QString& text);

// Keeps, per cell (cells end at TAB or CR), a leading sign or slash and the digits up to the
// first character that cannot belong to a number; the rest of that cell is dropped. A point
// is kept everywhere when decimals are allowed, and ends the number otherwise.
QString CleanNumericPaste(const QString& text, bool allowDecimal);

// Cleans, as above, only the cells that land in a numeric column: cells are counted from
// column c0, one more per TAB, back to c0 after each CR. Other cells are kept as they are.
QString CleanNumericPasteByColumn(const QString& text, int c0, const std::vector<bool>& numeric,
                                  bool allowDecimal);

} // namespace tabula_detail
