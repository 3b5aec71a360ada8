// Prints the bytes and times (record, undo, redo) of the undo of a host replacing every row.
#include "tabula.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    Tabula grid;
    grid.SetCols(5);
    grid.SetRedraw(false);
    QElapsedTimer t;
    const auto replace = [&](int shift) {
        t.restart();
        const TabulaUndoStep step(grid);
        grid.SetRows(rows + 1);
        for (int r = 1, k = shift; r <= rows; ++r, ++k) {
            grid.SetTextMatrix(r, 1, QString::number(k % 90));
            grid.SetTextMatrix(r, 2, k % 2 ? QStringLiteral("E") : QStringLiteral("W"));
            grid.SetTextMatrix(r, 3, QString::number(k % 91));
            grid.SetTextMatrix(r, 4, k % 3 ? QStringLiteral("SE") : QStringLiteral("NW"));
        }
    };
    replace(0);
    grid.SetUndoLimit(0);
    replace(3);
    const qint64 plainMs = t.elapsed();
    grid.SetUndoLimit(100);
    replace(7);
    const qint64 recordMs = t.elapsed();
    t.restart();
    grid.Undo();
    const qint64 undoMs = t.elapsed();
    t.restart();
    grid.Redo();
    std::printf("%d rows: %.1f MB kept (%.1f bytes a row, limit %.0f MB); record %lld ms "
                "(%lld ms without undo), undo %lld ms, redo %lld ms\n",
                rows, grid.UndoMemoryUsed() / 1048576.0, double(grid.UndoMemoryUsed()) / rows,
                grid.UndoMemoryLimit() / 1048576.0, recordMs, plainMs, undoMs, t.elapsed());
    return 0;
}
