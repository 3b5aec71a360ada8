#include "windows/mdi_arrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <algorithm>

namespace {

// Shown windows that take part in a tiling, the active one first (as the desktop tiles).
QList<QMdiSubWindow*> TileCandidates(QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    const QList<QMdiSubWindow*> stacked = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stacked.rbegin(); it != stacked.rend(); ++it) {
        QMdiSubWindow* w = *it;
        if (w->isHidden() || w->isMinimized())
            continue;
        windows << w;
    }
    return windows;
}

// Room left for tiled windows: the area without the row(s) of minimised windows.
QRect TileRect(QMdiArea& area) {
    QRect r = area.viewport()->rect();
    int iconTop = r.bottom() + 1;
    for (QMdiSubWindow* w : area.subWindowList())
        if (!w->isHidden() && w->isMinimized())
            iconTop = std::min(iconTop, w->y());
    r.setBottom(std::max(iconTop - 1, r.top()));
    return r;
}

void Tile(QMdiArea& area, bool vertically) {
    const QList<QMdiSubWindow*> windows = TileCandidates(area);
    if (windows.isEmpty())
        return;
    for (QMdiSubWindow* w : windows)
        if (w->isMaximized())
            w->showNormal();
    const QRect r = TileRect(area);
    const int n = static_cast<int>(windows.size());
    const int span = vertically ? r.height() : r.width();
    for (int i = 0; i < n; ++i) {
        // Integer shares that add up to the whole span.
        const int from = span * i / n, to = span * (i + 1) / n;
        if (vertically)
            windows[i]->setGeometry(r.left(), r.top() + from, r.width(), to - from);
        else
            windows[i]->setGeometry(r.left() + from, r.top(), to - from, r.height());
    }
}

} // namespace

namespace MdiArrange {

void StackVertically(QMdiArea& area) {
    Tile(area, true);
}

void StackHorizontally(QMdiArea& area) {
    Tile(area, false);
}

void ArrangeIcons(QMdiArea& area) {
    const QRect r = area.viewport()->rect();
    int x = r.left(), y = r.bottom() + 1, rowHeight = 0;
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::CreationOrder)) {
        if (w->isHidden() || !w->isMinimized())
            continue;
        const QSize size = w->size();
        if (x > r.left() && x + size.width() > r.right() + 1) {
            x = r.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        w->move(x, y - size.height());
        x += size.width();
    }
}

} // namespace MdiArrange
