// The measurements printed as a ruled list: C column blocks of numbered rows side by side on
// each page, the header over every block, the page number under the table.
#pragma once

#include "core/data_list_layout.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

class DrawingSurface;

namespace DataListPrinting {

using Row = std::array<QString, 4>;
// Starts the first page (false) or a further one (true) and answers the printer's unprintable
// margin in millimetres.
using PreparePage = std::function<double(bool newPage)>;

// Prints the list of `rows` (the grid's data rows from its first one down) and ends the
// document; false when the printer reported a failure.
bool Print(DrawingSurface& printer, const PreparePage& preparePage, const std::vector<Row>& rows,
           const DataListLayout::Layout& layout);

} // namespace DataListPrinting
