// The inner grid of the Tabula control: text cells with fixed header rows and columns, merged
// captions, per-cell colours and a current cell with a selection. Painted by hand so that only
// the visible cells cost anything, whatever the number of rows. Sizes are kept in twips.
#pragma once

#include "cell_store.h"

#include <QAbstractScrollArea>
#include <QString>
#include <cstdint>
#include <vector>

class QMimeData;
class QTimer;

namespace tabula_detail {

// Walks TAB/CR text as it fills rows r0..r1 and columns c0..c1 from (r0, c0), calling
// visit(row, col, field) for each cell it reaches; what lies outside is dropped.
template <typename Visit>
void ForEachClipCell(QStringView text, int r0, int c0, int r1, int c1, Visit visit) {
    int r = r0;
    // Tokenised, not split: a long text would otherwise make a list of all its lines first.
    for (QStringView line : text.tokenize(u'\r')) {
        if (r > r1)
            break;
        int c = c0;
        for (QStringView field : line.tokenize(u'\t')) {
            if (c > c1)
                break;
            visit(r, c, field);
            ++c;
        }
        ++r;
    }
}

class FlexGrid final : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // Shape. Callers check ranges; out-of-range arguments are ignored here.
    int Rows() const { return cells_.Rows(); }
    int Cols() const { return cols_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetRows(int n);
    void SetCols(int n);
    void SetFixedRows(int n);
    void SetFixedCols(int n);
    bool ValidCell(int r, int c) const { return r >= 0 && r < Rows() && c >= 0 && c < cols_; }

    // Current cell and selection. Moving the current cell collapses the selection to it.
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    void SetRow(int r);
    void SetCol(int c);
    void SetRowSel(int r);
    void SetColSel(int c);
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    void SetTopRow(int r);
    void SetLeftCol(int c);

    // Texts.
    QString TextMatrix(int r, int c) const { return cells_.Text(r, c); }
    // Rows from this one on are empty.
    int StoredRows() const { return cells_.StoredRows(); }
    void SetTextMatrix(int r, int c, const QString& s);
    // The decimal text of n, as SetTextMatrix(r, c, QString::number(n)) writes it.
    void SetNumberMatrix(int r, int c, int64_t n);
    QString Text() const { return cells_.Text(row_, col_); }
    void SetText(const QString& s); // whole selection with FillStyle = repeat
    QString Clip() const;
    void SetClip(const QString& s);
    void AddItem(const QString& item, int index);
    void RemoveItem(int index);
    void Clear();

    // Colours: Windows colour values (RGB with red low, or a system colour with the high bit).
    uint32_t CellBackColorAt(int r, int c) const { return cells_.BackColor(r, c); }
    uint32_t CellForeColorAt(int r, int c) const { return cells_.ForeColor(r, c); }
    void SetCellBackColorAt(int r, int c, uint32_t v);
    void SetCellForeColorAt(int r, int c, uint32_t v);
    uint32_t CellBackColor() const { return CellBackColorAt(row_, col_); }
    uint32_t CellForeColor() const { return CellForeColorAt(row_, col_); }
    void SetCellBackColor(uint32_t v); // whole selection with FillStyle = repeat
    void SetCellForeColor(uint32_t v);
    QColor Resolve(uint32_t winColor) const;

    // Paint state.
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool on);
    void Repaint();

    // Sizes in twips. ColWidth/RowHeight are the effective values.
    int ColWidth(int c) const;
    int RowHeight(int r) const;
    void SetColWidth(int c, int twips);
    void SetRowHeight(int r, int twips);
    int RowHeightMin() const { return rowHeightMin_; }
    void SetRowHeightMin(int twips);
    int ColPos(int c) const; // left of the column in the client area, as scrolled
    int RowPos(int r) const;
    int CellLeft() const { return ColPos(col_); }
    int CellTop() const { return RowPos(row_); }
    int CellWidth() const { return ColWidth(col_); }
    int CellHeight(); // brings the current cell into view first
    bool ColIsVisible(int c) const;
    bool RowIsVisible(int r) const;
    void ShowCell(int r, int c);
    QRect CellRectPx(int r, int c) const; // in viewport pixels, as scrolled
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    // Merging and alignment (numeric settings as the flex grid has them).
    int MergeCells() const { return mergeCells_; }
    void SetMergeCells(int v);
    bool MergeRow(int r) const { return cells_.MergeRow(r); }
    bool MergeCol(int c) const { return mergeCol_[c]; }
    void SetMergeRow(int r, bool v);
    void SetMergeCol(int c, bool v);
    int ColAlignment(int c) const { return colAlign_[c]; }
    int FixedAlignment(int c) const { return fixedAlign_[c]; }
    void SetColAlignment(int c, int v);
    void SetFixedAlignment(int c, int v);

    // Plain settings, stored and honoured when painting or handling the mouse.
    struct Settings {
        uint32_t backColor = 0x80000005;
        uint32_t foreColor = 0x80000008;
        uint32_t backColorFixed = 0x8000000F;
        uint32_t foreColorFixed = 0x80000012;
        uint32_t backColorSel = 0x8000000D;
        uint32_t foreColorSel = 0x8000000E;
        uint32_t gridColor = 0x8000000F;
        uint32_t gridColorFixed = 0x80000012;
        int gridLines = 1;      // 0 none, 1 flat, 2 inset, 3 raised
        int gridLinesFixed = 2; // likewise
        int gridLineWidth = 1;  // pixels
        int highLight = 1;      // 0 never, 1 always, 2 with focus
        int focusRect = 1;      // 0 none, 1 light, 2 heavy
        int textStyle = 0;
        int textStyleFixed = 0;
        bool wordWrap = false;
        int allowUserResizing = 0; // 0 none, 1 columns, 2 rows, 3 both
        int scrollBars = 3;        // 0 none, 1 horizontal, 2 vertical, 3 both
        int selectionMode = 0;     // 0 free, 1 by row, 2 by column
        int fillStyle = 0;         // 0 single, 1 repeat
        int mousePointer = 0;
        int oleDropMode = 0; // 0 none, otherwise text drops are accepted
    };
    const Settings& settings() const { return s_; }
    Settings& mutableSettings() { return s_; } // call applySettings() afterwards
    void applySettings();
    void setCustomCursor(const QCursor& cursor);

  Q_SIGNALS:
    void LeaveCell();
    void EnterCell();
    void RowColChange();
    void SelChange();
    void Scroll();
    void Click();
    void DblClick();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void MouseDown(int& Button, int& Shift, float& x, float& y);
    void MouseMove(int& Button, int& Shift, float& x, float& y);
    void MouseUp(int& Button, int& Shift, float& x, float& y);
    void GotFocus();
    void LostFocus(Qt::FocusReason reason);
    void TextDropped(const QMimeData* data, int effect, int button, int shift, float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Span {
        int r0, c0, r1, c1;
    };
    int defaultRowHeight() const;
    int px(int twips) const;  // horizontal twips to pixels
    int pxY(int twips) const; // vertical twips to pixels
    int colWidthPx(int c) const { return px(ColWidth(c)); }
    int rowHeightPx(int r) const { return pxY(RowHeight(r)); }
    int colXpx(int c) const; // may be negative or beyond the view for scrolled-out columns
    int rowYpx(int r) const;
    int fixedWidthPx() const;
    int fixedHeightPx() const;
    int maxTopRow() const;
    int maxLeftCol() const;
    int pageRows() const;
    int lastShownRow() const;
    int lastShownCol() const;
    void dragTo(const QPoint& p);
    void extendDrag(int r, int c);
    void dragStep();
    void updateScrollBars();
    void moveCurrent(int r, int c, bool keepSelection);
    void setSelection(int rowSel, int colSel);
    bool hitCell(const QPoint& p, int& r, int& c) const;
    int resizeColumnAt(const QPoint& p) const;
    int resizeRowAt(const QPoint& p) const;
    bool mergesRight(int r, int c) const;
    bool mergesDown(int r, int c) const;
    Span spanOf(int r, int c) const;
    void paintRegion(QPainter& p, const QRect& clip, int rFirst, int rLast, int cFirst, int cLast);
    void paintSpan(QPainter& p, const Span& s, const QRect& rect);
    void handleNavigationKey(int keyCode, int shift);
    void emitMouse(void (FlexGrid::*signal)(int&, int&, float&, float&), QMouseEvent* e,
                   int button);
    void changed();

    CellStore cells_;            // texts, colours, row heights and merge flags
    std::vector<int> colWidths_; // -1 = default width
    std::vector<bool> mergeCol_;
    std::vector<int> colAlign_;
    std::vector<int> fixedAlign_;
    int cols_ = 0;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    int rowHeightMin_ = 0;
    int mergeCells_ = 0;
    int mouseRow_ = 0, mouseCol_ = 0;
    bool redraw_ = true;
    bool dragSelecting_ = false;
    // While a drag is outside the scrolling cells: the direction the timer extends it in.
    QTimer* dragTimer_ = nullptr;
    int dragDx_ = 0, dragDy_ = 0;
    int resizingCol_ = -1, resizingRow_ = -1;
    bool syncingScrollBars_ = false;
    QString preedit_; // text an input method is composing in the current cell
    Settings s_;
};

} // namespace tabula_detail
