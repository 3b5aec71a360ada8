// The data set as the diagrams read it from the data grid.
#include "app/contour.h"
#include "tabula.h"
#include "windows/frm_main.h"

#include <algorithm>

const std::vector<Measurements::Measurement>& Contour::ReadMeasurements() {
    if (!FormMain) {
        measurements_.clear();
        return measurements_;
    }
    Tabula& grid = FormMain->grdData();
    if (walkShared_ && walkDone_) {
        // Where the walk stopped: the first blank row, or the last row.
        if (grid.Rows() > grid.FixedRows())
            grid.SetRow(std::min(grid.FixedRows() + int(measurements_.size()), grid.Rows() - 1));
        return measurements_;
    }
    walkDone_ = true;
    std::vector<Measurements::Measurement>& measurements = measurements_;
    measurements.clear();
    // Room for every row at once: growing step by step would hold the old and the new copy of
    // a long data set together.
    measurements.reserve(size_t(std::max(0, grid.Rows() - grid.FixedRows())));
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
    if (measurements.size() < measurements.capacity() / 2)
        measurements.shrink_to_fit();
    if (grid.Rows() > grid.FixedRows())
        grid.SetRow(std::min(row, grid.Rows() - 1));
    return measurements;
}

Contour::SingleGridWalk::SingleGridWalk(Contour& contour) : contour_(contour) {
    contour_.walkShared_ = true;
    contour_.walkDone_ = false;
}

Contour::SingleGridWalk::~SingleGridWalk() {
    contour_.walkShared_ = false;
    contour_.statisticsOfWalk_ = false;
    // The diagrams have what they need from the walk; a long data set need not stay twice.
    contour_.measurements_ = {};
}
