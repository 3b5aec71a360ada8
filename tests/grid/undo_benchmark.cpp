// Prints what undoing a large replacement of the grid's rows costs: the bytes the history keeps
// for it and the time to record, undo and redo it.
#include "tabula.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {

// Every data row rewritten as a host's import would, as one step.
void Replace(Tabula& grid, int rows, int shift) {
    const TabulaUndoStep step(grid);
    grid.SetRows(rows + 2);
    for (int r = 2; r < rows + 2; ++r) {
        const int k = r + shift;
        grid.SetTextMatrix(r, 1, QString::number(k % 90));
        grid.SetTextMatrix(r, 2, k % 2 ? QStringLiteral("E") : QStringLiteral("W"));
        grid.SetTextMatrix(r, 3, QString::number(k % 91));
        grid.SetTextMatrix(r, 4, k % 3 ? QStringLiteral("SE") : QStringLiteral("NW"));
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    Tabula grid;
    grid.SetCols(5);
    grid.SetRows(3);
    grid.SetFixedRows(2);
    grid.SetRedraw(false);
    Replace(grid, rows, 0);
    grid.ClearUndo();

    QElapsedTimer t;
    t.start();
    grid.SetUndoLimit(0);
    Replace(grid, rows, 3);
    const qint64 plainMs = t.elapsed();
    grid.SetUndoLimit(100);

    t.restart();
    Replace(grid, rows, 7);
    const qint64 recordMs = t.elapsed();
    const qint64 bytes = grid.UndoMemoryUsed();
    t.restart();
    grid.Undo();
    const qint64 undoMs = t.elapsed();
    t.restart();
    grid.Redo();
    const qint64 redoMs = t.elapsed();
    std::printf("rows %d: step kept %s, %.1f MB (limit %.0f MB, %.1f bytes a row); "
                "record %lld ms (%lld ms without undo), undo %lld ms, redo %lld ms\n",
                rows, grid.CanUndo() ? "yes" : "no", bytes / 1048576.0,
                grid.UndoMemoryLimit() / 1048576.0, double(bytes) / rows, recordMs, plainMs, undoMs,
                redoMs);
    return 0;
}
