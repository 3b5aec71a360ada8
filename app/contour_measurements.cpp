// The data set as the diagrams read it from the data grid.
#include "app/contour.h"
#include "tabula.h"
#include "windows/frm_main.h"

#include <algorithm>

std::vector<Measurements::Measurement> Contour::ReadMeasurements() {
    std::vector<Measurements::Measurement> measurements;
    if (!FormMain)
        return measurements;
    Tabula& grid = FormMain->grdData();
    // The current row is not moved through every row (a long data set would scroll the grid
    // row by row); it is put where the walk stops: the first blank row, or the last row.
    int row = grid.FixedRows();
    for (; row < grid.Rows(); ++row) {
        const Measurements::RowCells cells{grid.TextMatrix(row, 1), grid.TextMatrix(row, 2),
                                           grid.TextMatrix(row, 3), grid.TextMatrix(row, 4)};
        if (Measurements::IsBlankRow(cells))
            break;
        for (const int col : {1, 3})
            if (const auto text = Measurements::RewrittenAngleCell(cells[col - 1]))
                grid.SetTextMatrix(row, col, *text);
        measurements.push_back(Measurements::FromCells(cells));
    }
    if (grid.Rows() > grid.FixedRows())
        grid.SetRow(std::min(row, grid.Rows() - 1));
    return measurements;
}
