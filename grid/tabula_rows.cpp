// Tabula: row insertion and removal, the clipboard, dropped text and the pop-up edit menu.
#include "tabula.h"

#include "flexgrid.h"
#include "numeric_paste.h"
#include "undo_history.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <algorithm>
#include <optional>

using namespace tabula_detail;

namespace {

// The mouse pointer shows the hourglass for as long as this lives.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

enum MenuItem {
    ItemCut = 1,
    ItemCopy = 2,
    ItemPaste = 3,
    ItemInsert = 11,
    ItemDelete = 12,
    ItemUndo = 21,
    ItemRedo = 22,
};

} // namespace

// ---- rows --------------------------------------------------------------------------------

void Tabula::forEachSelectedRow(const std::function<void(int top)>& action) {
    // Runs `action` once per selected row, always at the block's top row, then puts the
    // selection back as far as the grid still reaches.
    grdMain_->SetRedraw(false);
    const int col = Col(), colSel = ColSel(), row = Row(), rowSel = RowSel();
    const int top = std::min(row, rowSel);
    const int count = std::abs(rowSel - row) + 1;
    for (int i = 0; i < count; ++i)
        action(top);
    grdMain_->SetCol(std::min(col, Cols() - 1));
    grdMain_->SetRow(std::min(row, Rows() - 1));
    grdMain_->SetColSel(std::min(colSel, Cols() - 1));
    grdMain_->SetRowSel(std::min(rowSel, Rows() - 1));
    SetRedraw(true);
}

void Tabula::AddItem(const QString& Item, int Index) {
    const TabulaUndoStep step(*this);
    if (Index < 0) {
        // One empty row above the selected block for every selected row.
        forEachSelectedRow([this](int top) { AddItem(QString(), top); });
        return;
    }
    if (Index > Rows()) {
        indexError("AddItem");
        return;
    }
    bool cancel = false;
    Q_EMIT BeforeInsertRow(Index, Item, cancel);
    if (!cancel) {
        // The row as the inner grid fills it: TAB-separated fields from the first column.
        QStringList texts = Item.split(QLatin1Char('\t')).mid(0, Cols());
        while (texts.size() < Cols())
            texts << QString();
        history_->recordInsertRow(Index, texts);
        grdMain_->AddItem(Item, Index);
        const bool redraw = grdMain_->Redraw();
        grdMain_->SetRedraw(false);
        editRow_ = Row();
        editCol_ = Col();
        const int row = Row(), col = Col();
        grdMain_->SetRow(Index);
        for (int c = FixedCols(); c < Cols(); ++c)
            if (colLock_[c])
                grdMain_->SetCellBackColorAt(Index, c, LockedCellColor);
        if (autoNumber_)
            numberRows(Index);
        grdMain_->SetRow(row);
        grdMain_->SetCol(col);
        grdMain_->SetRedraw(redraw);
        // The current row may now be the new row: compare later edits with what it holds.
        takeCurrentAsReference();
    }
    setEditText(grdMain_->Text());
    dataChanged_ = true;
    Q_EMIT AfterInsertRow(Row());
}

void Tabula::RemoveItem(int Index) {
    const TabulaUndoStep step(*this);
    if (Index < 0) {
        forEachSelectedRow([this](int top) { RemoveItem(top); });
        return;
    }
    // The last data row and the header rows stay.
    if (Rows() == FixedRows() + 1 || Index < FixedRows())
        return;
    if (Index >= Rows()) {
        indexError("RemoveItem");
        return;
    }
    const int col = Col();
    bool cancel = false;
    Q_EMIT BeforeDeleteRow(Index, cancel);
    if (!cancel) {
        history_->recordRemoveRow(Index, Cols(),
                                  [this](int r, int c) { return grdMain_->TextMatrix(r, c); });
        grdMain_->RemoveItem(Index);
        if (autoNumber_)
            numberRows(Index);
    }
    editRow_ = Row();
    grdMain_->SetCol(col);
    editCol_ = col;
    setEditText(grdMain_->Text());
    // The current row may now be another row: compare later edits with what it holds.
    takeCurrentAsReference();
    dataChanged_ = true;
    Q_EMIT AfterDeleteRow(Row());
}

void Tabula::insertPrompt() {
    if (ask(QStringLiteral("選択位置に行を挿入します。\r\nよろしいですか？"),
            QStringLiteral("行の挿入"), TabulaButtons::YesNo,
            TabulaIcon::Information) == TabulaAnswer::Yes)
        AddItem(QString(), -1);
    grdMain_->setFocus(Qt::OtherFocusReason);
}

void Tabula::deletePrompt() {
    if (ask(QStringLiteral("選択行を削除します。\r\nよろしいですか？"), QStringLiteral("行の削除"),
            TabulaButtons::YesNo, TabulaIcon::Exclamation) == TabulaAnswer::Yes)
        RemoveItem(-1);
    grdMain_->setFocus(Qt::OtherFocusReason);
}

// ---- clipboard ---------------------------------------------------------------------------

void Tabula::CopyText() {
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(grdMain_->Clip());
}

// A cut changes the data as a delete does, and is reported the same way.
void Tabula::CutText() {
    CopyText();
    emptySelection();
}

void Tabula::pasteClipboard() {
    PasteText(QGuiApplication::clipboard()->text());
}

void Tabula::PasteText(const QString& strSet) {
    const QString title = QStringLiteral("ﾃｷｽﾄﾃﾞｰﾀの貼り付け");
    if (strSet.isEmpty()) {
        ask(QStringLiteral("貼り付け対象のﾃﾞｰﾀが存在しません。"), title, TabulaButtons::OK,
            TabulaIcon::Exclamation);
        grdMain_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (locked(Col())) {
        ask(QStringLiteral("この位置には貼り付けできません。"), title, TabulaButtons::OK,
            TabulaIcon::Exclamation);
        grdMain_->setFocus(Qt::OtherFocusReason);
        return;
    }
    std::optional<WaitCursor> wait(std::in_place);
    const bool redraw = grdMain_->Redraw();
    const int c0 = Col(), r0 = Row();
    grdMain_->SetRedraw(false);

    // Lines may end in CR LF, CR or LF alone (the last is what most Linux programs put on the
    // clipboard); all become CR so that every line lands in its own row.
    QString text = strSet;
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    while (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const int n = static_cast<int>(text.count(QLatin1Char('\r'))) + 1;

    bool grow = false, cancelled = false;
    if (n > Rows() - r0) {
        wait.reset(); // the question is answered with the ordinary pointer
        const TabulaAnswer a =
            ask(QStringLiteral("貼り付けようとするﾃｷｽﾄは行数が多すぎます。\r\n"
                               "行を増やしますか？"),
                QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel, TabulaIcon::Question);
        wait.emplace();
        grow = a == TabulaAnswer::Yes;
        cancelled = a != TabulaAnswer::Yes && a != TabulaAnswer::No;
        grdMain_->setFocus(Qt::OtherFocusReason);
    }
    const int j = static_cast<int>(text.count(QLatin1Char('\r')));
    const int k = static_cast<int>(text.section(QLatin1Char('\r'), 0, 0).count(QLatin1Char('\t')));
    const int rows = grow ? r0 + n : Rows();
    QList<TabulaCell> cells;
    if (!cancelled) {
        if (std::find(colNumeralOnly_.begin(), colNumeralOnly_.end(), true) !=
            colNumeralOnly_.end())
            text = CleanNumericPasteByColumn(text, c0, colNumeralOnly_, allowDecimal_);
        else if (numeralOnly_)
            text = CleanNumericPaste(text, allowDecimal_);
        ForEachClipCell(text, r0, c0, std::min(r0 + j, rows - 1), std::min(c0 + k, Cols() - 1),
                        [&cells](int r, int c, QStringView field) {
                            cells.append({r, c, field.toString()});
                        });
        // The host judges the whole block before any of it is stored.
        wait.reset();
        grdMain_->SetRedraw(redraw);
        Q_EMIT BeforeBlockChange(cancelled, cells);
        grdMain_->SetRedraw(false);
    }
    bool reachedEnd = false;
    if (!cancelled) {
        wait.emplace();
        // The paste is one step with what the host's AfterPaste makes of it.
        const TabulaUndoStep step(*this);
        if (grow) {
            storeRowCount(rows);
            shadeLockedColumns(0);
            if (autoNumber_)
                numberRows(r0);
            grdMain_->SetRow(r0);
            grdMain_->SetCol(c0);
        }
        grdMain_->SetColSel(std::min(c0 + k, Cols() - 1));
        grdMain_->SetRowSel(std::min(r0 + j, Rows() - 1));
        reachedEnd = r0 + j == Rows() - 1;
        for (const TabulaCell& cell : cells)
            storeText(cell.Row, cell.Col, cell.Text);
        syncEditText();
        entryText_ = grdMain_->Text(); // as after a delete
        dataChanged_ = true;
        grdMain_->SetRedraw(redraw);
        Q_EMIT AfterPaste(r0, c0, r0 + j, c0 + k);
    }
    grdMain_->SetRedraw(redraw);
    if ((grow && !cancelled) || reachedEnd)
        Q_EMIT PasteOverEnd(grow && reachedEnd);
}

void Tabula::onDrop(const QMimeData* data, int effect, int button, int shift, float x, float y) {
    const int r = std::max(MouseRow(), std::min(FixedRows(), Rows() - 1));
    const int c = std::max(MouseCol(), std::min(FixedCols(), Cols() - 1));
    grdMain_->SetRow(r);
    grdMain_->SetCol(c);
    PasteText(data->text());
    Q_EMIT OLEDragDrop(data, effect, button, shift, x, y);
}

// ---- pop-up menu -------------------------------------------------------------------------

void Tabula::buildMenu() {
    mnuEdit_ = new QMenu(QStringLiteral("編集"), this);
    mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
    auto add = [this](int index, const QString& caption, auto slot) {
        QAction* a = mnuEdit_->addAction(caption);
        a->setObjectName(QStringLiteral("mnuEditItem%1").arg(index));
        a->setData(index);
        connect(a, &QAction::triggered, this, slot);
    };
    add(ItemCut, QStringLiteral("切り取り"), [this] { CutText(); });
    add(ItemCopy, QStringLiteral("ｺﾋﾟｰ"),
        [this] { QGuiApplication::clipboard()->setText(grdMain_->Clip()); });
    add(ItemPaste, QStringLiteral("貼り付け"), [this] { pasteClipboard(); });
    mnuEdit_->addSeparator()->setObjectName(QStringLiteral("mnuEditItem10"));
    add(ItemInsert, QStringLiteral("行の挿入"), [this] { insertPrompt(); });
    add(ItemDelete, QStringLiteral("行の削除"), [this] { deletePrompt(); });
    mnuEdit_->addSeparator()->setObjectName(QStringLiteral("mnuEditItem20"));
    add(ItemUndo, QStringLiteral("元に戻す"), [this] { Undo(); });
    add(ItemRedo, QStringLiteral("やり直し"), [this] { Redo(); });
}

void Tabula::onMouseUp(int& button, int& shift, float& x, float& y) {
    Q_EMIT MouseUp(button, shift, x, y);
    if (button != 2)
        return;
    int mc = MouseCol(), mr = MouseRow();
    const bool inCols = std::min(Col(), ColSel()) <= mc && mc <= std::max(Col(), ColSel());
    const bool inRows = std::min(Row(), RowSel()) <= mr && mr <= std::max(Row(), RowSel());
    if (!(inCols && inRows)) {
        const bool wholeRow = mc < FixedCols();
        const bool wholeCol = mr < FixedRows();
        if (wholeRow)
            mc = std::min(FixedCols(), Cols() - 1);
        if (wholeCol)
            mr = std::min(FixedRows(), Rows() - 1);
        grdMain_->SetRow(mr);
        grdMain_->SetCol(mc);
        if (wholeRow)
            grdMain_->SetColSel(Cols() - 1);
        if (wholeCol)
            grdMain_->SetRowSel(Rows() - 1);
        grdMain_->setFocus(Qt::OtherFocusReason);
    }
    if (!menuEnabled_)
        return;
    const bool isLocked = locked(mc);
    const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();
    for (QAction* a : mnuEdit_->actions()) {
        switch (a->data().toInt()) {
        case ItemCut:
        case ItemInsert:
        case ItemDelete:
            a->setEnabled(!isLocked);
            break;
        case ItemPaste:
            a->setEnabled(!isLocked && clipboardText);
            break;
        case ItemUndo:
            a->setEnabled(CanUndo());
            break;
        case ItemRedo:
            a->setEnabled(CanRedo());
            break;
        default:
            break;
        }
    }
    const QPoint at(qRound(x / grdMain_->TwipsPerPixelX()), qRound(y / grdMain_->TwipsPerPixelY()));
    mnuEdit_->exec(grdMain_->mapToGlobal(at));
}
