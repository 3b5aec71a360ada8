// The grid set up the way the program's main window uses it: two header rows with merged
// captions, a numbered first column and four data columns.
#pragma once

#include "tabula.h"

#include <QFontMetrics>

inline void SetUpDataGrid(Tabula& grid) {
    grid.SetRedraw(false);
    grid.Clear();
    grid.SetNumberingCol(0);
    grid.SetAutoNumber(true);
    grid.SetRows(102);
    grid.SetFixedRows(2);
    grid.SetCols(5);
    for (int c = 0; c < 5; ++c)
        grid.SetFixedAlignment(c, 4);
    grid.SetTextMatrix(0, 1, QStringLiteral("走向"));
    grid.SetTextMatrix(0, 2, QStringLiteral("走向"));
    grid.SetTextMatrix(0, 3, QStringLiteral("傾斜"));
    grid.SetTextMatrix(0, 4, QStringLiteral("傾斜"));
    grid.SetTextMatrix(1, 0, QStringLiteral("No."));
    grid.SetTextMatrix(1, 1, QStringLiteral("角度"));
    grid.SetTextMatrix(1, 2, QStringLiteral("方位"));
    grid.SetTextMatrix(1, 3, QStringLiteral("角度"));
    grid.SetTextMatrix(1, 4, QStringLiteral("方位"));
    const QFontMetrics fm(grid.font());
    const auto twips = [&](const QString& s) { return fm.horizontalAdvance(s) * 15; };
    grid.SetColWidth(0, twips(QStringLiteral(" 100 ")));
    grid.SetColWidth(1, twips(QStringLiteral("  角度  ")));
    grid.SetColWidth(2, twips(QStringLiteral(" 方位 ")));
    grid.SetColWidth(3, twips(QStringLiteral("  角度  ")));
    grid.SetColWidth(4, twips(QStringLiteral(" 方位 ")));
    grid.SetMergeCells(tabulaMergeRestrictRows);
    grid.SetMergeRow(0, true);
    grid.SetRedraw(true);
    grid.SetRow(3);
    grid.SetCol(1);
    grid.SetRow(2);
}
