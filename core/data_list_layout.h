// The page arithmetic of the printed data list: C column blocks side by side, R table rows per
// page of which the first two are the header, so R - 2 measurements per block.
#pragma once

#include <QString>
#include <vector>

namespace DataListLayout {

struct Layout {
    int columns = 3; // C, at least 1
    int rows = 30;   // R, at least 3
    // The layout of the settings; values the page cannot hold read as the defaults.
    static Layout Of(int printColumns, int printRows);
    int PerBlock() const { return rows - 2; }
    int PerPage() const { return (rows - 2) * columns; }
};

// The list's length L from the strike-angle texts of the grid's data rows: up to and including
// the first row without one; all rows when every row has one.
int ListLength(const std::vector<QString>& strikeAngles);
// Number of pages: (L - 1) \ per page + 1.
int Pages(int length, const Layout& layout);
// First and last list entry printed on page p (1-based); on the last page the list ends at
// entry `length`.
int FirstEntry(int page, const Layout& layout);
int LastEntry(int page, int length, const Layout& layout);

// Where entry n (1-based) stands: its column block (0-based) and table row (2 .. R - 1).
struct Place {
    int block = 0;
    int row = 0;
};
Place PlaceOf(int entry, const Layout& layout);

} // namespace DataListLayout
