// The data set as the diagrams read it from the data grid.
#include "app/contour.h"
#include "tabula.h"
#include "windows/frm_main.h"

std::vector<Measurements::Measurement> Contour::ReadMeasurements() {
    std::vector<Measurements::Measurement> measurements;
    if (!FormMain)
        return measurements;
    Tabula& grid = FormMain->grdData();
    // The current row does not follow the walk row by row (a long data set would scroll the
    // grid through every row); it ends where the walk leaves it.
    for (int i = grid.FixedRows(); i < grid.Rows(); ++i) {
        const Measurements::RowCells cells{grid.TextMatrix(i, 1), grid.TextMatrix(i, 2),
                                           grid.TextMatrix(i, 3), grid.TextMatrix(i, 4)};
        if (Measurements::IsBlankRow(cells))
            break;
        for (const int col : {1, 3})
            if (const auto text = Measurements::RewrittenAngleCell(cells[col - 1]))
                grid.SetTextMatrix(i, col, *text);
        measurements.push_back(Measurements::FromCells(cells));
    }
    grid.SetCol(1);
    grid.SetRow(grid.FixedRows());
    return measurements;
}
