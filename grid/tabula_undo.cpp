// Tabula: undo and redo, and the recording of what the cells undergo.
#include "tabula.h"

#include "flexgrid.h"
#include "undo_history.h"

#include <QLineEdit>
#include <algorithm>

using tabula_detail::FlexGrid;
using tabula_detail::UndoSpan;

namespace {

// Puts a step back straight into the inner grid: nothing of it is recorded again.
class GridTarget final : public tabula_detail::UndoTarget {
  public:
    explicit GridTarget(FlexGrid& grid) : grid_(grid) {}
    void setText(int row, int col, const QString& text) override {
        grid_.SetTextMatrix(row, col, text);
    }
    void insertRow(int index, const QStringList& texts) override {
        grid_.AddItem(QString(), index);
        for (int c = 0; c < texts.size(); ++c)
            if (!texts[c].isEmpty())
                grid_.SetTextMatrix(index, c, texts[c]);
    }
    void removeRow(int index) override { grid_.RemoveItem(index); }
    void setRowCount(int rows) override { grid_.SetRows(rows); }

  private:
    FlexGrid& grid_;
};

} // namespace

// ---- recording ---------------------------------------------------------------------------

void Tabula::storeText(int r, int c, const QString& s) {
    if (history_->open())
        history_->recordText(r, c, grdMain_->TextMatrix(r, c), s);
    grdMain_->SetTextMatrix(r, c, s);
}

// The selection receives TAB/CR text as the inner grid's Clip does.
void Tabula::storeClip(const QString& s) {
    if (history_->open()) {
        const int r0 = std::min(Row(), RowSel()), r1 = std::max(Row(), RowSel());
        const int c0 = std::min(Col(), ColSel()), c1 = std::max(Col(), ColSel());
        tabula_detail::ForEachClipCell(s, r0, c0, r1, c1, [this](int r, int c, QStringView f) {
            history_->recordText(r, c, grdMain_->TextMatrix(r, c), f);
        });
    }
    grdMain_->SetClip(s);
}

void Tabula::storeRowCount(int n) {
    if (history_->open())
        history_->recordRowCount(Rows(), n, Cols(), grdMain_->StoredRows(),
                                 [this](int r, int c) { return grdMain_->TextMatrix(r, c); });
    else if (n != Rows())
        history_->invalidate();
    grdMain_->SetRows(n);
}

// ---- the public interface ----------------------------------------------------------------

bool Tabula::CanUndo() const {
    return history_->canUndo();
}
bool Tabula::CanRedo() const {
    return history_->canRedo();
}
void Tabula::BeginUndoStep() {
    history_->begin();
}
void Tabula::EndUndoStep() {
    history_->end();
}
void Tabula::ClearUndo() {
    history_->clear();
}
void Tabula::SetUndoCleanPoint() {
    history_->setCleanPoint();
}
// A host that marks its data saved with the flag finds it again by undo and redo.
void Tabula::SetDataChanged(bool v) {
    dataChanged_ = v;
    if (!v)
        history_->setCleanPoint();
}
bool Tabula::IsAtUndoCleanPoint() const {
    return history_->atCleanPoint();
}
int Tabula::UndoLimit() const {
    return history_->stepLimit();
}
void Tabula::SetUndoLimit(int steps) {
    history_->setStepLimit(steps);
}
qint64 Tabula::UndoMemoryLimit() const {
    return history_->byteLimit();
}
void Tabula::SetUndoMemoryLimit(qint64 bytes) {
    history_->setByteLimit(bytes);
}
qint64 Tabula::UndoMemoryUsed() const {
    return history_->bytes();
}

void Tabula::Undo() {
    if (history_->open() || takeBackEntry())
        return;
    applyStep(false);
}

void Tabula::Redo() {
    if (history_->open())
        return;
    finishEntry();
    applyStep(true);
}

// An entry being typed is taken back first: the cell gets what it held before the entry and
// the edit ends without a report. True when the entry had changed the cell.
bool Tabula::takeBackEntry() {
    if (!txtOnGrid_->isVisible())
        return false;
    const bool typed = grdMain_->ValidCell(editRow_, editCol_) &&
                       grdMain_->TextMatrix(editRow_, editCol_) != entryText_;
    if (typed)
        setEditText(entryText_);
    previousText_ = grdMain_->Text();
    finishEntry();
    return typed;
}

// The edit boxes give the keys back to the grid, which ends the entry as leaving them does.
void Tabula::finishEntry() {
    if (!txtOnGrid_->isVisible())
        return;
    grdMain_->setFocus(Qt::OtherFocusReason);
    hideEditor(); // also when another window has the focus and the grid could not take it
}

void Tabula::applyStep(bool redo) {
    if (redo ? !history_->canRedo() : !history_->canUndo())
        return;
    const bool redraw = grdMain_->Redraw();
    const int oldRows = Rows();
    grdMain_->SetRedraw(false);
    GridTarget target(*grdMain_);
    const UndoSpan span = redo ? history_->redo(target) : history_->undo(target);
    if (span.firstMovedRow >= 0)
        shadeLockedColumns(std::max(span.firstMovedRow, FixedRows()));
    // The numbers follow the rows; a step that wrote the numbering column (a host clearing
    // the grid) may have put back blanks where numbers were written unrecorded.
    int renumberFrom = span.firstMovedRow;
    if (!span.empty() && span.col1 <= numberingCol_ && numberingCol_ <= span.col2)
        renumberFrom = renumberFrom < 0 ? span.row1 : std::min(renumberFrom, span.row1);
    if (autoNumber_ && renumberFrom >= 0)
        numberRows(renumberFrom);

    // The block the step changed becomes the selection.
    const int firstRow = std::min(FixedRows(), Rows() - 1), lastRow = Rows() - 1;
    const int firstCol = std::min(FixedCols(), Cols() - 1), lastCol = Cols() - 1;
    int r1 = std::clamp(span.empty() ? span.firstMovedRow : span.row1, firstRow, lastRow);
    int r2 = std::clamp(span.empty() ? span.firstMovedRow : span.row2, r1, lastRow);
    int c1 = span.wholeRows ? firstCol : std::clamp(span.empty() ? Col() : span.col1, 0, lastCol);
    int c2 = span.wholeRows ? lastCol : std::clamp(span.empty() ? Col() : span.col2, c1, lastCol);
    c1 = std::max(c1, firstCol);
    c2 = std::max(c2, c1);
    rebindIfOutside();
    syncEditText();
    dataChanged_ = !history_->atCleanPoint();
    if (redraw) {
        // The edit boxes and the reference take the cell as it is now, so that moving on
        // reports nothing; the moves then raise the cell events the host sets its rules in.
        SetRedraw(true);
        grdMain_->SetRow(r1);
        grdMain_->SetCol(c1);
        bringIntoView();
    } else {
        grdMain_->SetRow(r1);
        grdMain_->SetCol(c1);
        editRow_ = r1;
        editCol_ = c1;
        syncEditText();
        takeCurrentAsReference();
    }
    grdMain_->SetRowSel(r2);
    grdMain_->SetColSel(c2);
    if (Rows() != oldRows)
        Q_EMIT PropertyChanged(QStringLiteral("Rows"));
    Q_EMIT AfterUndo(redo, r1, c1, r2, c2);
}
