#include "flexgrid.h"

#include "keys.h"
#include "wincolor.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace tabula_detail {

namespace {
constexpr int kDefaultColWidthPx = 64;
constexpr int kResizeGrip = 3;    // pixels either side of a boundary that start a resize
constexpr int kDragScrollMs = 50; // one row or column further per tick while dragging outside
} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    dragTimer_ = new QTimer(this);
    dragTimer_->setInterval(kDragScrollMs);
    connect(dragTimer_, &QTimer::timeout, this, &FlexGrid::dragStep);
    redraw_ = false; // no geometry until both dimensions exist
    SetCols(2);
    SetRows(2);
    redraw_ = true;
}

// ---- shape -------------------------------------------------------------------------------

void FlexGrid::SetRows(int n) {
    n = std::max(n, 1);
    cells_.SetRows(n);
    fixedRows_ = std::min(fixedRows_, n);
    const int minRow = std::min(fixedRows_, n - 1);
    row_ = std::clamp(row_, minRow, n - 1);
    rowSel_ = std::clamp(rowSel_, minRow, n - 1);
    topRow_ = std::clamp(topRow_, std::min(fixedRows_, n - 1), n - 1);
    changed();
}

void FlexGrid::SetCols(int n) {
    n = std::max(n, 1);
    cols_ = n;
    cells_.SetCols(n);
    colWidths_.resize(n, -1);
    mergeCol_.resize(n, false);
    colAlign_.resize(n, 9);
    fixedAlign_.resize(n, 9);
    fixedCols_ = std::min(fixedCols_, n);
    const int minCol = std::min(fixedCols_, n - 1);
    col_ = std::clamp(col_, minCol, n - 1);
    colSel_ = std::clamp(colSel_, minCol, n - 1);
    leftCol_ = std::clamp(leftCol_, minCol, n - 1);
    changed();
}

void FlexGrid::SetFixedRows(int n) {
    fixedRows_ = std::clamp(n, 0, Rows());
    const int minRow = std::min(fixedRows_, Rows() - 1);
    row_ = std::max(row_, minRow);
    rowSel_ = std::max(rowSel_, minRow);
    topRow_ = std::max(topRow_, minRow);
    changed();
}

void FlexGrid::SetFixedCols(int n) {
    fixedCols_ = std::clamp(n, 0, cols_);
    const int minCol = std::min(fixedCols_, cols_ - 1);
    col_ = std::max(col_, minCol);
    colSel_ = std::max(colSel_, minCol);
    leftCol_ = std::max(leftCol_, minCol);
    changed();
}

// ---- current cell and selection ----------------------------------------------------------

void FlexGrid::moveCurrent(int r, int c, bool keepSelection) {
    const bool moves = r != row_ || c != col_;
    if (moves)
        Q_EMIT LeaveCell();
    // A handler of LeaveCell may have changed the grid's shape.
    r = std::clamp(r, 0, Rows() - 1);
    c = std::clamp(c, 0, cols_ - 1);
    const int oldRowSel = rowSel_, oldColSel = colSel_;
    row_ = r;
    col_ = c;
    if (!keepSelection) {
        rowSel_ = r;
        colSel_ = c;
    }
    if (moves) {
        Q_EMIT EnterCell();
        Q_EMIT RowColChange();
    }
    if (moves || oldRowSel != rowSel_ || oldColSel != colSel_)
        Q_EMIT SelChange();
    if (redraw_)
        viewport()->update();
}

void FlexGrid::setSelection(int rowSel, int colSel) {
    rowSel = std::clamp(rowSel, 0, Rows() - 1);
    colSel = std::clamp(colSel, 0, cols_ - 1);
    if (rowSel == rowSel_ && colSel == colSel_)
        return;
    rowSel_ = rowSel;
    colSel_ = colSel;
    Q_EMIT SelChange();
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetRow(int r) {
    moveCurrent(r, col_, false);
}
void FlexGrid::SetCol(int c) {
    moveCurrent(row_, c, false);
}
void FlexGrid::SetRowSel(int r) {
    setSelection(r, colSel_);
}
void FlexGrid::SetColSel(int c) {
    setSelection(rowSel_, c);
}

void FlexGrid::SetTopRow(int r) {
    r = std::clamp(r, std::min(fixedRows_, Rows() - 1), std::max(maxTopRow(), fixedRows_));
    if (r == topRow_)
        return;
    topRow_ = r;
    syncingScrollBars_ = true;
    verticalScrollBar()->setValue(topRow_ - fixedRows_);
    verticalScrollBar()->setPageStep(pageRows());
    syncingScrollBars_ = false;
    if (redraw_)
        viewport()->update();
    Q_EMIT Scroll();
}

void FlexGrid::SetLeftCol(int c) {
    c = std::clamp(c, std::min(fixedCols_, cols_ - 1), std::max(maxLeftCol(), fixedCols_));
    if (c == leftCol_)
        return;
    leftCol_ = c;
    syncingScrollBars_ = true;
    horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
    syncingScrollBars_ = false;
    if (redraw_)
        viewport()->update();
    Q_EMIT Scroll();
}

void FlexGrid::scrollContentsBy(int, int) {
    if (syncingScrollBars_)
        return;
    const int top = fixedRows_ + verticalScrollBar()->value();
    const int left = fixedCols_ + horizontalScrollBar()->value();
    if (top == topRow_ && left == leftCol_)
        return;
    topRow_ = std::clamp(top, 0, Rows() - 1);
    leftCol_ = std::clamp(left, 0, cols_ - 1);
    syncingScrollBars_ = true;
    verticalScrollBar()->setPageStep(pageRows());
    syncingScrollBars_ = false;
    viewport()->update();
    Q_EMIT Scroll();
}

// ---- texts -------------------------------------------------------------------------------

void FlexGrid::SetTextMatrix(int r, int c, const QString& s) {
    if (!ValidCell(r, c))
        return;
    cells_.SetText(r, c, CellText(s));
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetNumberMatrix(int r, int c, int64_t n) {
    if (!ValidCell(r, c))
        return;
    cells_.SetText(r, c, CellText::Number(n));
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetText(const QString& s) {
    if (s_.fillStyle == 1) {
        const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
        const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
        const CellText text(s);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cells_.SetText(r, c, text);
    } else {
        cells_.SetText(row_, col_, CellText(s));
    }
    if (redraw_)
        viewport()->update();
}

QString FlexGrid::Clip() const {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += QLatin1Char('\t');
            cells_.Cell(r, c).appendTo(out);
        }
    }
    return out;
}

void FlexGrid::SetClip(const QString& s) {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    ForEachClipCell(s, r0, c0, r1, c1, [this](int r, int c, QStringView field) {
        cells_.SetText(r, c, CellText(field));
    });
    if (redraw_)
        viewport()->update();
}

void FlexGrid::AddItem(const QString& item, int index) {
    if (index < 0 || index > Rows())
        return;
    cells_.InsertRow(index);
    int c = 0;
    for (QStringView field : QStringView(item).split(QLatin1Char('\t'))) {
        if (c >= cols_)
            break;
        cells_.SetText(index, c++, CellText(field));
    }
    changed();
}

void FlexGrid::RemoveItem(int index) {
    if (index < 0 || index >= Rows() || Rows() <= 1)
        return;
    cells_.RemoveRow(index);
    fixedRows_ = std::min(fixedRows_, Rows());
    const int minRow = std::min(fixedRows_, Rows() - 1);
    row_ = std::clamp(row_, minRow, Rows() - 1);
    rowSel_ = std::clamp(rowSel_, minRow, Rows() - 1);
    topRow_ = std::clamp(topRow_, minRow, Rows() - 1);
    changed();
}

void FlexGrid::Clear() {
    cells_.Clear();
    if (redraw_)
        viewport()->update();
}

// ---- colours -----------------------------------------------------------------------------

void FlexGrid::SetCellBackColorAt(int r, int c, uint32_t v) {
    if (!ValidCell(r, c))
        return;
    cells_.SetBackColor(r, c, v);
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetCellForeColorAt(int r, int c, uint32_t v) {
    if (!ValidCell(r, c))
        return;
    cells_.SetForeColor(r, c, v);
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetCellBackColor(uint32_t v) {
    if (s_.fillStyle != 1)
        return SetCellBackColorAt(row_, col_, v);
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            cells_.SetBackColor(r, c, v);
    if (redraw_)
        viewport()->update();
}

void FlexGrid::SetCellForeColor(uint32_t v) {
    if (s_.fillStyle != 1)
        return SetCellForeColorAt(row_, col_, v);
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            cells_.SetForeColor(r, c, v);
    if (redraw_)
        viewport()->update();
}

QColor FlexGrid::Resolve(uint32_t winColor) const {
    return ResolveWinColor(winColor, palette());
}

// ---- paint state -------------------------------------------------------------------------

void FlexGrid::SetRedraw(bool on) {
    redraw_ = on;
    if (on) {
        updateScrollBars();
        viewport()->update();
    }
}

void FlexGrid::Repaint() {
    updateScrollBars();
    viewport()->repaint();
}

void FlexGrid::changed() {
    if (!redraw_)
        return;
    updateScrollBars();
    viewport()->update();
}

void FlexGrid::applySettings() {
    switch (s_.mousePointer) {
    case 0:
        viewport()->unsetCursor();
        break;
    case 2:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case 3:
        viewport()->setCursor(Qt::IBeamCursor);
        break;
    case 11:
        viewport()->setCursor(Qt::WaitCursor);
        break;
    case 12:
        viewport()->setCursor(Qt::ForbiddenCursor);
        break;
    case 99:
        break; // the custom icon set with setCustomCursor
    default:
        viewport()->setCursor(Qt::ArrowCursor);
        break;
    }
    setHorizontalScrollBarPolicy((s_.scrollBars & 1) ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((s_.scrollBars & 2) ? Qt::ScrollBarAsNeeded
                                                   : Qt::ScrollBarAlwaysOff);
    setAcceptDrops(s_.oleDropMode != 0);
    viewport()->setAcceptDrops(s_.oleDropMode != 0);
    changed();
}

void FlexGrid::setCustomCursor(const QCursor& cursor) {
    viewport()->setCursor(cursor);
}

// ---- sizes -------------------------------------------------------------------------------

double FlexGrid::TwipsPerPixelX() const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double FlexGrid::TwipsPerPixelY() const {
    const int dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int FlexGrid::px(int twips) const {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}
int FlexGrid::pxY(int twips) const {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}

int FlexGrid::defaultRowHeight() const {
    return static_cast<int>(std::lround((fontMetrics().height() + 4) * TwipsPerPixelY()));
}

int FlexGrid::ColWidth(int c) const {
    const int w = colWidths_[c];
    return w >= 0 ? w : static_cast<int>(std::lround(kDefaultColWidthPx * TwipsPerPixelX()));
}

int FlexGrid::RowHeight(int r) const {
    const int stored = cells_.RowHeight(r);
    const int h = stored >= 0 ? stored : defaultRowHeight();
    return h == 0 ? 0 : std::max(h, rowHeightMin_);
}

void FlexGrid::SetColWidth(int c, int twips) {
    if (c < 0 || c >= cols_)
        return;
    colWidths_[c] = std::max(twips, -1);
    changed();
}

void FlexGrid::SetRowHeight(int r, int twips) {
    if (r < 0 || r >= Rows())
        return;
    cells_.SetRowHeight(r, std::max(twips, -1));
    changed();
}

void FlexGrid::SetRowHeightMin(int twips) {
    rowHeightMin_ = std::max(twips, 0);
    changed();
}

int FlexGrid::fixedWidthPx() const {
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c)
        w += colWidthPx(c);
    return w;
}

int FlexGrid::fixedHeightPx() const {
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r)
        h += rowHeightPx(r);
    return h;
}

int FlexGrid::colXpx(int c) const {
    int x = 0;
    if (c < fixedCols_) {
        for (int i = 0; i < c; ++i)
            x += colWidthPx(i);
        return x;
    }
    x = fixedWidthPx();
    if (c >= leftCol_) {
        for (int i = leftCol_; i < c; ++i)
            x += colWidthPx(i);
    } else {
        for (int i = c; i < leftCol_; ++i)
            x -= colWidthPx(i);
    }
    return x;
}

int FlexGrid::rowYpx(int r) const {
    int y = 0;
    if (r < fixedRows_) {
        for (int i = 0; i < r; ++i)
            y += rowHeightPx(i);
        return y;
    }
    y = fixedHeightPx();
    if (r >= topRow_) {
        for (int i = topRow_; i < r; ++i)
            y += rowHeightPx(i);
    } else {
        for (int i = r; i < topRow_; ++i)
            y -= rowHeightPx(i);
    }
    return y;
}

int FlexGrid::ColPos(int c) const {
    if (c < 0 || c >= cols_)
        return 0;
    return static_cast<int>(std::lround((colXpx(c) + viewport()->x()) * TwipsPerPixelX()));
}

int FlexGrid::RowPos(int r) const {
    if (r < 0 || r >= Rows())
        return 0;
    return static_cast<int>(std::lround((rowYpx(r) + viewport()->y()) * TwipsPerPixelY()));
}

QRect FlexGrid::CellRectPx(int r, int c) const {
    if (!ValidCell(r, c))
        return QRect();
    return QRect(colXpx(c), rowYpx(r), colWidthPx(c), rowHeightPx(r));
}

int FlexGrid::CellHeight() {
    ShowCell(row_, col_);
    return RowHeight(row_);
}

bool FlexGrid::ColIsVisible(int c) const {
    if (c < 0 || c >= cols_)
        return false;
    if (c < fixedCols_)
        return true;
    if (c < leftCol_)
        return false;
    if (c == leftCol_)
        return true; // the first scrolled column shows even when wider than the view
    return colXpx(c) + colWidthPx(c) <= viewport()->width();
}

bool FlexGrid::RowIsVisible(int r) const {
    if (r < 0 || r >= Rows())
        return false;
    if (r < fixedRows_)
        return true;
    if (r < topRow_)
        return false;
    if (r == topRow_)
        return true;
    return rowYpx(r) + rowHeightPx(r) <= viewport()->height();
}

void FlexGrid::ShowCell(int r, int c) {
    if (c >= fixedCols_ && c < cols_ && !ColIsVisible(c)) {
        if (c < leftCol_) {
            SetLeftCol(c);
        } else {
            // The smallest left column that shows c whole, reached in one scroll.
            const int avail = viewport()->width() - fixedWidthPx();
            int left = c;
            int used = colWidthPx(c);
            while (left > fixedCols_ && used + colWidthPx(left - 1) <= avail) {
                used += colWidthPx(left - 1);
                --left;
            }
            SetLeftCol(std::max(left, leftCol_));
        }
    }
    if (r >= fixedRows_ && r < Rows() && !RowIsVisible(r)) {
        if (r < topRow_) {
            SetTopRow(r);
        } else {
            // Find the smallest top row that shows r whole, then scroll once.
            int avail = viewport()->height() - fixedHeightPx();
            int top = r;
            int used = rowHeightPx(r);
            while (top > fixedRows_ && used + rowHeightPx(top - 1) <= avail) {
                used += rowHeightPx(top - 1);
                --top;
            }
            SetTopRow(std::max(top, topRow_));
        }
    }
}

int FlexGrid::maxTopRow() const {
    const int avail = viewport()->height() - fixedHeightPx();
    int top = Rows() - 1;
    int used = rowHeightPx(top);
    while (top > fixedRows_ && used + rowHeightPx(top - 1) <= avail) {
        used += rowHeightPx(top - 1);
        --top;
    }
    return std::max(top, std::min(fixedRows_, Rows() - 1));
}

int FlexGrid::maxLeftCol() const {
    const int avail = viewport()->width() - fixedWidthPx();
    int left = cols_ - 1;
    int used = colWidthPx(left);
    while (left > fixedCols_ && used + colWidthPx(left - 1) <= avail) {
        used += colWidthPx(left - 1);
        --left;
    }
    return std::max(left, std::min(fixedCols_, cols_ - 1));
}

// A page is the rows shown whole from the top row on; past the last row the room left counts
// in rows as high as the last one.
int FlexGrid::pageRows() const {
    const int avail = viewport()->height() - fixedHeightPx();
    int rows = 0, used = 0;
    for (int r = topRow_; r < Rows(); ++r, ++rows) {
        used += rowHeightPx(r);
        if (used > avail)
            return std::max(1, rows);
    }
    const int last = std::max(1, rowHeightPx(Rows() - 1));
    return std::max(1, rows + (avail - used) / last);
}

int FlexGrid::lastShownRow() const {
    int r = std::max(topRow_, std::min(fixedRows_, Rows() - 1));
    while (r + 1 < Rows() && RowIsVisible(r + 1))
        ++r;
    return r;
}

int FlexGrid::lastShownCol() const {
    int c = std::max(leftCol_, std::min(fixedCols_, cols_ - 1));
    while (c + 1 < cols_ && ColIsVisible(c + 1))
        ++c;
    return c;
}

void FlexGrid::updateScrollBars() {
    syncingScrollBars_ = true;
    const int maxTop = std::max(0, maxTopRow() - fixedRows_);
    const int maxLeft = std::max(0, maxLeftCol() - fixedCols_);
    verticalScrollBar()->setRange(0, maxTop);
    verticalScrollBar()->setPageStep(pageRows());
    horizontalScrollBar()->setRange(0, maxLeft);
    horizontalScrollBar()->setPageStep(1);
    syncingScrollBars_ = false;
    // Keep the scrolled position inside the new range without reporting a scroll.
    const int top = std::clamp(topRow_, std::min(fixedRows_, Rows() - 1), fixedRows_ + maxTop);
    const int left = std::clamp(leftCol_, std::min(fixedCols_, cols_ - 1), fixedCols_ + maxLeft);
    if (top != topRow_ || left != leftCol_) {
        topRow_ = top;
        leftCol_ = left;
        Q_EMIT Scroll();
    }
    syncingScrollBars_ = true;
    verticalScrollBar()->setValue(topRow_ - fixedRows_);
    horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
    syncingScrollBars_ = false;
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

// ---- merging and alignment ---------------------------------------------------------------

void FlexGrid::SetMergeCells(int v) {
    mergeCells_ = v;
    changed();
}
void FlexGrid::SetMergeRow(int r, bool v) {
    cells_.SetMergeRow(r, v);
    changed();
}
void FlexGrid::SetMergeCol(int c, bool v) {
    mergeCol_[c] = v;
    changed();
}
void FlexGrid::SetColAlignment(int c, int v) {
    colAlign_[c] = v;
    changed();
}
void FlexGrid::SetFixedAlignment(int c, int v) {
    fixedAlign_[c] = v;
    changed();
}

// Cells (r, c) and (r, c + 1) form one caption: equal texts in a mergeable row, never across the
// fixed/scrolling boundary. Restricted modes also want the same pair merged in the row above.
bool FlexGrid::mergesRight(int r, int c) const {
    if (mergeCells_ == 0 || c + 1 >= cols_ || !cells_.MergeRow(r) || c + 1 == fixedCols_)
        return false;
    if (!(cells_.Cell(r, c) == cells_.Cell(r, c + 1)))
        return false;
    if ((mergeCells_ == 2 || mergeCells_ == 4) && r > 0 && r != fixedRows_)
        return mergesRight(r - 1, c);
    return true;
}

bool FlexGrid::mergesDown(int r, int c) const {
    if (mergeCells_ == 0 || r + 1 >= Rows() || !mergeCol_[c] || r + 1 == fixedRows_)
        return false;
    if (!(cells_.Cell(r, c) == cells_.Cell(r + 1, c)))
        return false;
    if ((mergeCells_ == 3 || mergeCells_ == 4) && c > 0 && c != fixedCols_)
        return mergesDown(r, c - 1);
    return true;
}

FlexGrid::Span FlexGrid::spanOf(int r, int c) const {
    Span s{r, c, r, c};
    while (s.c0 > 0 && mergesRight(r, s.c0 - 1))
        --s.c0;
    while (mergesRight(r, s.c1))
        ++s.c1;
    if (s.c0 != s.c1)
        return s;
    while (s.r0 > 0 && mergesDown(s.r0 - 1, c))
        --s.r0;
    while (mergesDown(s.r1, c))
        ++s.r1;
    return s;
}

// ---- painting ----------------------------------------------------------------------------

void FlexGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int W = viewport()->width(), H = viewport()->height();
    p.fillRect(rect(), Resolve(0x8000000C));
    const int fw = fixedWidthPx(), fh = fixedHeightPx();
    int cLast = leftCol_;
    for (int x = fw; cLast < cols_ && x < W; ++cLast)
        x += colWidthPx(cLast);
    int rLast = topRow_;
    for (int y = fh; rLast < Rows() && y < H; ++rLast)
        y += rowHeightPx(rLast);
    // Fixed corner, fixed rows, fixed columns, then the scrolling cells.
    paintRegion(p, QRect(0, 0, fw, fh), 0, fixedRows_ - 1, 0, fixedCols_ - 1);
    paintRegion(p, QRect(fw, 0, W - fw, fh), 0, fixedRows_ - 1, leftCol_, cLast - 1);
    paintRegion(p, QRect(0, fh, fw, H - fh), topRow_, rLast - 1, 0, fixedCols_ - 1);
    paintRegion(p, QRect(fw, fh, W - fw, H - fh), topRow_, rLast - 1, leftCol_, cLast - 1);
}

void FlexGrid::paintRegion(QPainter& p, const QRect& clip, int rFirst, int rLast, int cFirst,
                           int cLast) {
    if (clip.isEmpty() || rFirst > rLast || cFirst > cLast)
        return;
    p.save();
    p.setClipRect(clip);
    for (int r = rFirst; r <= rLast; ++r) {
        const int h = rowHeightPx(r);
        if (h <= 0)
            continue;
        for (int c = cFirst; c <= cLast; ++c) {
            if (colWidthPx(c) <= 0)
                continue;
            const Span s = spanOf(r, c);
            // A merged block is painted once, from its first cell inside this region.
            if (r != std::max(s.r0, rFirst) || c != std::max(s.c0, cFirst))
                continue;
            const int x0 = colXpx(s.c0), y0 = rowYpx(s.r0);
            const int x1 = colXpx(s.c1) + colWidthPx(s.c1);
            const int y1 = rowYpx(s.r1) + rowHeightPx(s.r1);
            paintSpan(p, s, QRect(x0, y0, x1 - x0, y1 - y0));
        }
    }
    p.restore();
}

void FlexGrid::paintSpan(QPainter& p, const Span& s, const QRect& rect) {
    const bool fixed = s.r0 < fixedRows_ || s.c0 < fixedCols_;
    const int top = std::min(row_, rowSel_), bottom = std::max(row_, rowSel_);
    const int left = std::min(col_, colSel_), right = std::max(col_, colSel_);
    const bool current = s.r0 <= row_ && row_ <= s.r1 && s.c0 <= col_ && col_ <= s.c1;
    const bool inSelection =
        !fixed && s.r0 <= bottom && s.r1 >= top && s.c0 <= right && s.c1 >= left;
    const bool showHighlight = s_.highLight == 1 || (s_.highLight == 2 && hasFocus());
    const bool highlighted = inSelection && !current && showHighlight;

    const uint32_t cellBack = cells_.BackColor(s.r0, s.c0);
    const uint32_t cellFore = cells_.ForeColor(s.r0, s.c0);
    QColor back = Resolve(cellBack ? cellBack : (fixed ? s_.backColorFixed : s_.backColor));
    QColor fore = Resolve(cellFore ? cellFore : (fixed ? s_.foreColorFixed : s_.foreColor));
    if (highlighted) {
        back = Resolve(s_.backColorSel);
        fore = Resolve(s_.foreColorSel);
    }
    p.fillRect(rect, back);

    // Grid lines on the right and bottom edges; 3D styles shade the other two edges too.
    const int style = fixed ? s_.gridLinesFixed : s_.gridLines;
    const int lw = std::max(1, s_.gridLineWidth);
    if (style != 0) {
        const QColor line = Resolve(fixed ? s_.gridColorFixed : s_.gridColor);
        if (style == 1) {
            p.fillRect(QRect(rect.right() - lw + 1, rect.top(), lw, rect.height()), line);
            p.fillRect(QRect(rect.left(), rect.bottom() - lw + 1, rect.width(), lw), line);
        } else {
            const QColor light = palette().color(QPalette::Light);
            const QColor dark = palette().color(QPalette::Dark);
            const QColor& tl = style == 2 ? light : dark;
            const QColor& br = style == 2 ? dark : light;
            p.fillRect(QRect(rect.left(), rect.top(), rect.width(), lw), tl);
            p.fillRect(QRect(rect.left(), rect.top(), lw, rect.height()), tl);
            p.fillRect(QRect(rect.right() - lw + 1, rect.top(), lw, rect.height()), br);
            p.fillRect(QRect(rect.left(), rect.bottom() - lw + 1, rect.width(), lw), br);
        }
    }

    const bool composing = current && !preedit_.isEmpty() && !fixed;
    const QString text = composing ? preedit_ : cells_.Text(s.r0, s.c0);
    if (!text.isEmpty()) {
        int align = fixed ? fixedAlign_[s.c0] : colAlign_[s.c0];
        Qt::Alignment a;
        if (align == 9 || align < 0 || align > 8) {
            bool numeric = false;
            text.trimmed().toDouble(&numeric);
            a = (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        } else {
            const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            const Qt::Alignment v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
            a = h[align / 3] | v[align % 3];
        }
        const QRect textRect = rect.adjusted(3, 1, -3 - lw, -1 - lw);
        const int flags = int(a) | (s_.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        const int textStyle = fixed ? s_.textStyleFixed : s_.textStyle;
        if (textStyle != 0) {
            // Raised and inset text: a light or dark copy offset by one pixel.
            const bool raised = textStyle == 1 || textStyle == 3;
            p.setPen(palette().color(raised ? QPalette::Light : QPalette::Dark));
            p.drawText(textRect.translated(raised ? -1 : 1, raised ? -1 : 1), flags, text);
        }
        p.setPen(fore);
        if (composing) {
            QFont underlined = p.font();
            underlined.setUnderline(true);
            p.setFont(underlined);
        }
        p.drawText(textRect, flags, text);
        if (composing)
            p.setFont(font());
    }

    if (current && s_.focusRect != 0 && !fixed) {
        QPen pen(Resolve(s_.foreColor));
        pen.setStyle(s_.focusRect == 1 ? Qt::DotLine : Qt::SolidLine);
        pen.setWidth(s_.focusRect == 1 ? 1 : 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(1, 1, -1 - lw, -1 - lw));
    }
}

// ---- keyboard ----------------------------------------------------------------------------

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    int code = VirtualKey(event);
    int shift = ShiftState(event->modifiers());
    if (code == VkTab)
        return QAbstractScrollArea::keyPressEvent(event);
    if (code != 0) {
        Q_EMIT KeyDown(code, shift);
        if (code != 0)
            handleNavigationKey(code, shift);
    }
    // With Ctrl (and not AltGr, which is Ctrl+Alt) a letter is the control character that a
    // keyboard sends, whatever text the platform attached to the event.
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const QString text = event->text();
    if (mods == Qt::ControlModifier) {
        if (text.size() == 1 && text[0].isLetter() && text[0].unicode() < 128) {
            int ascii = text[0].toUpper().unicode() & 0x1F;
            Q_EMIT KeyPress(ascii);
        } else if (text.size() == 1 && text[0].unicode() < 32) {
            int ascii = text[0].unicode();
            Q_EMIT KeyPress(ascii);
        }
    } else if (mods != Qt::AltModifier) {
        for (QChar ch : text) {
            int ascii = ch.unicode();
            Q_EMIT KeyPress(ascii);
        }
    }
    event->accept();
}

void FlexGrid::keyReleaseEvent(QKeyEvent* event) {
    int code = VirtualKey(event);
    int shift = ShiftState(event->modifiers());
    if (code != 0)
        Q_EMIT KeyUp(code, shift);
    event->accept();
}

void FlexGrid::inputMethodEvent(QInputMethodEvent* event) {
    // What is being composed shows in the current cell; composed characters then arrive like
    // typed ones.
    if (preedit_ != event->preeditString()) {
        preedit_ = event->preeditString();
        viewport()->update();
    }
    for (QChar ch : event->commitString()) {
        int ascii = ch.unicode();
        Q_EMIT KeyPress(ascii);
    }
    event->accept();
}

QVariant FlexGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle) {
        const QRect r(colXpx(col_), rowYpx(row_), colWidthPx(col_), rowHeightPx(row_));
        return r.translated(viewport()->pos());
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void FlexGrid::handleNavigationKey(int code, int shift) {
    const bool extend = (shift & 1) != 0;
    const bool ctrl = (shift & 2) != 0;
    int r = extend ? rowSel_ : row_;
    int c = extend ? colSel_ : col_;
    const int firstRow = std::min(fixedRows_, Rows() - 1);
    const int firstCol = std::min(fixedCols_, cols_ - 1);
    const int pageRows = std::max(1, maxTopRow() > 0 ? (viewport()->height() - fixedHeightPx()) /
                                                           std::max(1, rowHeightPx(row_))
                                                     : 1);
    switch (code) {
    case VkLeft:
        c = std::max(firstCol, c - 1);
        break;
    case VkRight:
        c = std::min(cols_ - 1, c + 1);
        break;
    case VkUp:
        r = std::max(firstRow, r - 1);
        break;
    case VkDown:
        r = std::min(Rows() - 1, r + 1);
        break;
    case VkPrior:
        r = std::max(firstRow, r - pageRows);
        break;
    case VkNext:
        r = std::min(Rows() - 1, r + pageRows);
        break;
    case VkHome:
        c = firstCol;
        if (ctrl)
            r = firstRow;
        break;
    case VkEnd:
        c = cols_ - 1;
        if (ctrl)
            r = Rows() - 1;
        break;
    default:
        return;
    }
    if (extend) {
        setSelection(r, c);
        ShowCell(r, c);
    } else {
        moveCurrent(r, c, false);
        ShowCell(row_, col_);
    }
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    Q_EMIT GotFocus();
}

void FlexGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    preedit_.clear();
    viewport()->update();
    Q_EMIT LostFocus(event->reason());
}

// ---- mouse -------------------------------------------------------------------------------

bool FlexGrid::hitCell(const QPoint& p, int& r, int& c) const {
    const int fw = fixedWidthPx(), fh = fixedHeightPx();
    r = -1;
    c = -1;
    int x = 0;
    for (int i = 0; i < fixedCols_ && c < 0; ++i) {
        x += colWidthPx(i);
        if (p.x() < x)
            c = i;
    }
    x = fw;
    for (int i = leftCol_; i < cols_ && c < 0 && p.x() >= fw; ++i) {
        x += colWidthPx(i);
        if (p.x() < x)
            c = i;
    }
    int y = 0;
    for (int i = 0; i < fixedRows_ && r < 0; ++i) {
        y += rowHeightPx(i);
        if (p.y() < y)
            r = i;
    }
    y = fh;
    for (int i = topRow_; i < Rows() && r < 0 && p.y() >= fh && y <= viewport()->height(); ++i) {
        y += rowHeightPx(i);
        if (p.y() < y)
            r = i;
    }
    const bool inside = r >= 0 && c >= 0;
    if (r < 0)
        r = p.y() < fh ? 0 : Rows() - 1;
    if (c < 0)
        c = p.x() < fw ? 0 : cols_ - 1;
    return inside;
}

int FlexGrid::resizeColumnAt(const QPoint& p) const {
    if (!(s_.allowUserResizing & 1) || p.y() >= fixedHeightPx())
        return -1;
    for (int c = 0; c < cols_; ++c) {
        if (c >= fixedCols_ && c < leftCol_)
            continue;
        const int edge = colXpx(c) + colWidthPx(c);
        if (edge > viewport()->width())
            break;
        if (std::abs(p.x() - edge) <= kResizeGrip)
            return c;
    }
    return -1;
}

int FlexGrid::resizeRowAt(const QPoint& p) const {
    if (!(s_.allowUserResizing & 2) || p.x() >= fixedWidthPx())
        return -1;
    for (int r = 0; r < Rows(); ++r) {
        if (r >= fixedRows_ && r < topRow_)
            continue;
        const int edge = rowYpx(r) + rowHeightPx(r);
        if (edge > viewport()->height())
            break;
        if (std::abs(p.y() - edge) <= kResizeGrip)
            return r;
    }
    return -1;
}

void FlexGrid::emitMouse(void (FlexGrid::*signal)(int&, int&, float&, float&), QMouseEvent* e,
                         int button) {
    int shift = ShiftState(e->modifiers());
    const QPointF at = e->position() + viewport()->pos();
    float x = static_cast<float>(at.x() * TwipsPerPixelX());
    float y = static_cast<float>(at.y() * TwipsPerPixelY());
    (this->*signal)(button, shift, x, y);
}

static int VbButton(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

static int VbButtons(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    hitCell(p, mouseRow_, mouseCol_);
    if (event->button() == Qt::LeftButton) {
        resizingCol_ = resizeColumnAt(p);
        resizingRow_ = resizingCol_ < 0 ? resizeRowAt(p) : -1;
        if (resizingCol_ < 0 && resizingRow_ < 0) {
            const bool extend = event->modifiers() & Qt::ShiftModifier;
            const int r = mouseRow_, c = mouseCol_;
            const bool rowHeader = c < fixedCols_ && r >= fixedRows_;
            const bool colHeader = r < fixedRows_ && c >= fixedCols_;
            const bool corner = r < fixedRows_ && c < fixedCols_;
            const int firstRow = std::min(fixedRows_, Rows() - 1);
            const int firstCol = std::min(fixedCols_, cols_ - 1);
            if (corner) {
                moveCurrent(firstRow, firstCol, false);
                setSelection(Rows() - 1, cols_ - 1);
            } else if (rowHeader) {
                // With Shift the rows from the current one to the clicked one.
                moveCurrent(extend ? row_ : r, firstCol, extend);
                setSelection(r, cols_ - 1);
            } else if (colHeader) {
                moveCurrent(firstRow, extend ? col_ : c, extend);
                setSelection(Rows() - 1, c);
            } else if (extend) {
                setSelection(r, c);
            } else {
                moveCurrent(r, c, false);
                if (s_.selectionMode == 1)
                    setSelection(r, cols_ - 1);
                else if (s_.selectionMode == 2)
                    setSelection(Rows() - 1, c);
                dragSelecting_ = true;
            }
        }
    }
    emitMouse(&FlexGrid::MouseDown, event, VbButton(event->button()));
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    hitCell(p, mouseRow_, mouseCol_);
    if (resizingCol_ >= 0) {
        const int w = std::max(0, p.x() - colXpx(resizingCol_));
        SetColWidth(resizingCol_, static_cast<int>(std::lround(w * TwipsPerPixelX())));
    } else if (resizingRow_ >= 0) {
        const int h = std::max(0, p.y() - rowYpx(resizingRow_));
        SetRowHeight(resizingRow_, static_cast<int>(std::lround(h * TwipsPerPixelY())));
    } else if (dragSelecting_ && (event->buttons() & Qt::LeftButton)) {
        dragTo(p);
    } else if (event->buttons() == Qt::NoButton) {
        const bool grip = resizeColumnAt(p) >= 0;
        const bool rowGrip = !grip && resizeRowAt(p) >= 0;
        if (grip)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (rowGrip)
            viewport()->setCursor(Qt::SplitVCursor);
        else if (s_.mousePointer != 99)
            applySettings();
    }
    emitMouse(&FlexGrid::MouseMove, event, VbButtons(event->buttons()));
}

// A drag selects up to the cell under the pointer. Outside the scrolling cells (above, below
// or beside them) it stops at the last cell shown, and the timer extends it from there a row or
// a column at a time, scrolling as it goes.
void FlexGrid::dragTo(const QPoint& p) {
    const int fw = fixedWidthPx(), fh = fixedHeightPx();
    dragDy_ = p.y() < fh ? -1 : (p.y() >= viewport()->height() ? 1 : 0);
    dragDx_ = p.x() < fw ? -1 : (p.x() >= viewport()->width() ? 1 : 0);
    int r = mouseRow_, c = mouseCol_;
    if (dragDy_ != 0)
        r = dragDy_ < 0 ? topRow_ : lastShownRow();
    if (dragDx_ != 0)
        c = dragDx_ < 0 ? leftCol_ : lastShownCol();
    extendDrag(r, c);
    if (dragDx_ != 0 || dragDy_ != 0) {
        if (!dragTimer_->isActive())
            dragTimer_->start();
    } else {
        dragTimer_->stop();
    }
}

void FlexGrid::dragStep() {
    if (!dragSelecting_) {
        dragTimer_->stop();
        return;
    }
    // Whole rows (or columns) grow only the other way.
    extendDrag(s_.selectionMode == 2 ? row_ : rowSel_ + dragDy_,
               s_.selectionMode == 1 ? col_ : colSel_ + dragDx_);
}

void FlexGrid::extendDrag(int r, int c) {
    r = std::clamp(r, std::min(fixedRows_, Rows() - 1), Rows() - 1);
    c = std::clamp(c, std::min(fixedCols_, cols_ - 1), cols_ - 1);
    if (s_.selectionMode == 1)
        setSelection(r, cols_ - 1);
    else if (s_.selectionMode == 2)
        setSelection(Rows() - 1, c);
    else
        setSelection(r, c);
    ShowCell(r, c);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    hitCell(event->position().toPoint(), mouseRow_, mouseCol_);
    const bool wasDragging = resizingCol_ >= 0 || resizingRow_ >= 0;
    dragSelecting_ = false;
    dragTimer_->stop();
    resizingCol_ = resizingRow_ = -1;
    if (event->button() == Qt::LeftButton && !wasDragging)
        Q_EMIT Click();
    emitMouse(&FlexGrid::MouseUp, event, VbButton(event->button()));
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    hitCell(event->position().toPoint(), mouseRow_, mouseCol_);
    emitMouse(&FlexGrid::MouseDown, event, VbButton(event->button()));
    // Double clicks on headers and on column edges are not meant for a cell.
    if (resizeColumnAt(event->position().toPoint()) < 0 && mouseRow_ >= fixedRows_ &&
        mouseCol_ >= fixedCols_)
        Q_EMIT DblClick();
}

// ---- drops -------------------------------------------------------------------------------

void FlexGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (s_.oleDropMode != 0 && event->mimeData()->hasText())
        event->acceptProposedAction();
}

void FlexGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (s_.oleDropMode != 0 && event->mimeData()->hasText())
        event->acceptProposedAction();
}

void FlexGrid::dropEvent(QDropEvent* event) {
    if (s_.oleDropMode == 0 || !event->mimeData()->hasText())
        return;
    const QPoint p = event->position().toPoint();
    hitCell(p, mouseRow_, mouseCol_);
    const QPointF at = event->position() + viewport()->pos();
    const int effect = event->dropAction() == Qt::MoveAction ? 2 : 1;
    event->acceptProposedAction();
    Q_EMIT TextDropped(event->mimeData(), effect, VbButtons(event->buttons()),
                       ShiftState(event->modifiers()),
                       static_cast<float>(at.x() * TwipsPerPixelX()),
                       static_cast<float>(at.y() * TwipsPerPixelY()));
}

} // namespace tabula_detail
