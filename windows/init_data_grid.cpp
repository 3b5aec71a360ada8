#include "core/data_cells.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/bmcontour.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kRows = 102;
constexpr int kFixedRows = 2;
constexpr int kCols = 5;
constexpr int kCenterCenter = 4;
// Room the grid's container keeps beside the grid for the splitter handle.
constexpr double kHandleTwips = 80;

// Width of a caption as the grid's container draws it, spaces included.
int CaptionTwips(const Tabula& grid, const QString& text) {
    const QWidget* container = grid.parentWidget();
    const QFontMetrics metrics(container ? container->font() : grid.Font());
    return static_cast<int>(
        std::lround(metrics.horizontalAdvance(text) * desktop::TwipsPerPixelX()));
}

} // namespace

namespace BMContour {

void InitDataGrid(Tabula& grid) {
    const double tpp = desktop::TwipsPerPixelX();
    QWidget* focus = QApplication::focusWidget();
    const bool focused = focus && (focus == &grid || grid.isAncestorOf(focus));
    grid.SetRedraw(false);
    grid.Clear();
    grid.SetNumberingCol(0);
    grid.SetAutoNumber(true);
    grid.SetRows(kRows);
    grid.SetFixedRows(kFixedRows);
    grid.SetCols(kCols);
    for (int c = 0; c < kCols; ++c)
        grid.SetFixedAlignment(c, kCenterCenter);

    grid.SetTextMatrix(0, 1, QStringLiteral("走向"));
    grid.SetTextMatrix(0, 2, QStringLiteral("走向"));
    grid.SetTextMatrix(0, 3, QStringLiteral("傾斜"));
    grid.SetTextMatrix(0, 4, QStringLiteral("傾斜"));
    grid.SetTextMatrix(1, 0, QStringLiteral("No."));
    grid.SetTextMatrix(1, 1, QStringLiteral("角度"));
    grid.SetTextMatrix(1, 2, QStringLiteral("方位"));
    grid.SetTextMatrix(1, 3, QStringLiteral("角度"));
    grid.SetTextMatrix(1, 4, QStringLiteral("方位"));

    // Widths follow the captions as the container's font draws them, spaces included.
    QWidget* container = grid.parentWidget();
    const auto twips = [&](const QString& text) { return CaptionTwips(grid, text); };
    const int widths[kCols] = {twips(QStringLiteral(" 100 ")), twips(QStringLiteral("  角度  ")),
                               twips(QStringLiteral(" 方位 ")), twips(QStringLiteral("  角度  ")),
                               twips(QStringLiteral(" 方位 "))};
    double gridTwips = 0;
    for (int c = 0; c < kCols; ++c) {
        grid.SetColWidth(c, widths[c]);
        gridTwips += widths[c];
    }
    // A pasted block keeps its direction letters: only the angle columns take numbers alone.
    for (int c = 0; c < kCols; ++c)
        grid.SetColNumeralOnly(c, DataCells::NumeralOnly(c));

    grid.SetMergeCells(tabulaMergeRestrictRows);
    grid.SetMergeRow(0, true);

    const int scrollBar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    gridTwips += (scrollBar + 2) * tpp;
    grid.resize(static_cast<int>(std::lround(gridTwips / tpp)), grid.height());

    // A fresh grid shows its first rows; the moves end on the first data cell so that the
    // host's row/column handler sets the input rules for it.
    grid.SetTopRow(kFixedRows);
    grid.SetRedraw(true);
    grid.SetRow(3);
    grid.SetCol(grid.FixedCols());
    grid.SetRow(2);

    // An edit box still open on the old data would float over the fresh grid: the grid itself
    // takes the focus back, which closes it.
    if (focused)
        grid.setFocus(Qt::OtherFocusReason);

    if (container)
        container->resize(static_cast<int>(std::lround((gridTwips + kHandleTwips) / tpp + 3)),
                          container->height());
}

void FitNumberColumn(Tabula& grid) {
    const int largest = std::max(100, grid.Rows() - grid.FixedRows());
    const int width = CaptionTwips(grid, QStringLiteral(" %1 ").arg(largest));
    const int delta = width - grid.ColWidth(0);
    if (delta == 0)
        return;
    grid.SetColWidth(0, width);
    if (QWidget* container = grid.parentWidget()) {
        const int px = static_cast<int>(std::lround(delta / desktop::TwipsPerPixelX()));
        container->resize(container->width() + px, container->height());
    }
}

} // namespace BMContour
