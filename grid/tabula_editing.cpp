// Tabula: the two edit boxes, change detection, keyboard navigation and input filtering.
#include "tabula.h"

#include "flexgrid.h"
#include "keys.h"
#include "numeric_paste.h"
#include "undo_history.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

using namespace tabula_detail;

namespace {

bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsCaretKey(int code) {
    switch (code) {
    case VkPrior:
    case VkNext:
    case VkEnd:
    case VkHome:
    case VkLeft:
    case VkUp:
    case VkRight:
    case VkDown:
        return true;
    default:
        return false;
    }
}

} // namespace

void Tabula::SetBeepHandler(std::function<void()> handler) {
    beepHandler_ = std::move(handler);
}

void Tabula::beep() {
    if (beepHandler_)
        beepHandler_();
    else
        QApplication::beep();
}

bool Tabula::locked(int c) const {
    return c >= 0 && c < static_cast<int>(colLock_.size()) && colLock_[c];
}

// ---- wiring ------------------------------------------------------------------------------

void Tabula::connectGrid() {
    FlexGrid* g = grdMain_;
    connect(g, &FlexGrid::LeaveCell, this, &Tabula::onLeaveCell);
    connect(g, &FlexGrid::EnterCell, this, &Tabula::onEnterCell);
    connect(g, &FlexGrid::RowColChange, this, &Tabula::onRowColChange);
    connect(g, &FlexGrid::SelChange, this, &Tabula::SelChange);
    connect(g, &FlexGrid::Scroll, this, &Tabula::onScroll);
    connect(g, &FlexGrid::Click, this, &Tabula::Click);
    connect(g, &FlexGrid::KeyDown, this, &Tabula::gridKeyDown);
    connect(g, &FlexGrid::KeyPress, this, &Tabula::gridKeyPress);
    connect(g, &FlexGrid::KeyUp, this, &Tabula::KeyUp);
    connect(g, &FlexGrid::MouseDown, this, [this](int& b, int& s, float& x, float& y) {
        rightButtonDown_ = b == 2;
        Q_EMIT MouseDown(b, s, x, y);
    });
    connect(g, &FlexGrid::MouseMove, this, &Tabula::MouseMove);
    connect(g, &FlexGrid::MouseUp, this, &Tabula::onMouseUp);
    connect(g, &FlexGrid::DblClick, this, [this] {
        if (locked(Col()) || rightButtonDown_)
            return;
        beginEntry();
        setEditText(grdMain_->Text());
        openEditor(true);
        txtOnGrid_->end(false);
        Q_EMIT DblClick();
    });
    connect(g, &FlexGrid::GotFocus, this, &Tabula::onGridFocus);
    connect(g, &FlexGrid::TextDropped, this, &Tabula::onDrop);

    // The two boxes mirror each other and write every change into the bound cell.
    auto mirror = [this](QLineEdit* other) {
        return [this, other](const QString& s) {
            if (syncingEdit_)
                return;
            syncingEdit_ = true;
            if (other->text() != s)
                other->setText(s);
            syncingEdit_ = false;
            writeEditCell(s);
        };
    };
    connect(txtInp_, &QLineEdit::textChanged, this, mirror(txtOnGrid_));
    connect(txtOnGrid_, &QLineEdit::textChanged, this, mirror(txtInp_));
}

void Tabula::writeEditCell(const QString& s) {
    if (grdMain_->ValidCell(editRow_, editCol_) && grdMain_->TextMatrix(editRow_, editCol_) != s)
        grdMain_->SetTextMatrix(editRow_, editCol_, s);
}

void Tabula::setEditText(const QString& s) {
    syncingEdit_ = true;
    if (txtInp_->text() != s)
        txtInp_->setText(s);
    if (txtOnGrid_->text() != s)
        txtOnGrid_->setText(s);
    syncingEdit_ = false;
    writeEditCell(s);
}

// After bulk writes (clearing, cutting, pasting) the boxes show what the bound cell now holds,
// so that a later keystroke in the input line cannot bring the old text back.
void Tabula::syncEditText() {
    if (!grdMain_->ValidCell(editRow_, editCol_))
        return;
    syncingEdit_ = true;
    const QString& s = grdMain_->TextMatrix(editRow_, editCol_);
    if (txtInp_->text() != s)
        txtInp_->setText(s);
    if (txtOnGrid_->text() != s)
        txtOnGrid_->setText(s);
    syncingEdit_ = false;
}

// ---- the in-cell editor ------------------------------------------------------------------

void Tabula::placeEditor() {
    const QRect cell = grdMain_->CellRectPx(Row(), Col());
    if (cell.isNull())
        return;
    const QPoint at = grdMain_->viewport()->mapTo(this, cell.topLeft());
    txtOnGrid_->setGeometry(QRect(at, cell.size()));
}

void Tabula::openEditor(bool focus) {
    // What is typed goes into a cell the user sees.
    bringIntoView();
    placeEditor();
    const uint32_t back = grdMain_->CellBackColor();
    const uint32_t fore = grdMain_->CellForeColor();
    QPalette pal = txtOnGrid_->palette();
    pal.setColor(QPalette::Base, grdMain_->Resolve(back ? back : BackColor()));
    pal.setColor(QPalette::Text, grdMain_->Resolve(fore ? fore : ForeColor()));
    txtOnGrid_->setPalette(pal);
    txtOnGrid_->show();
    txtOnGrid_->raise();
    if (focus)
        txtOnGrid_->setFocus(Qt::OtherFocusReason);
}

void Tabula::hideEditor() {
    txtOnGrid_->hide();
}

// Typing in the input line while its cell is scrolled away shows the cell again.
void Tabula::revealEntryCell() {
    if (!txtOnGrid_->isVisible() || !ColIsVisible(Col()) || !RowIsVisible(Row()))
        openEditor(false);
}

void Tabula::takeCurrentAsReference() {
    previousText_ = grdMain_->Text();
    entryText_ = previousText_;
}

// An entry starts when the editor opens: what the cell holds now is what a refusal restores.
void Tabula::beginEntry() {
    if (!txtOnGrid_->isVisible())
        entryText_ = grdMain_->Text();
}

// The editor's keys arrive through the window even while the window is not active (a message
// box has just closed), when no focus event reaches the boxes: ask the window, not the
// application, where its keys go.
bool Tabula::editorHasKeyboard() const {
    return txtOnGrid_->isVisible() && window()->focusWidget() == txtOnGrid_;
}

// The editor belongs to the cell it was opened on. When the current cell moves on, the grid
// takes the keys (so they cannot fall through to the input line) and the editor goes.
void Tabula::endStaleEditor() {
    if (!txtOnGrid_->isVisible())
        return;
    if (window()->focusWidget() == txtOnGrid_)
        grdMain_->setFocus(Qt::OtherFocusReason);
    hideEditor();
}

// BeforeChange, then Change or the text the cell held before this entry back.
void Tabula::reportChange(int r, int c, bool focusGridOnCancel) {
    const QString oldText = entryText_;
    bool cancel = false;
    reporting_ = true;
    Q_EMIT BeforeChange(cancel, r, c);
    reporting_ = false;
    if (cancel) {
        if (grdMain_->ValidCell(r, c)) {
            grdMain_->SetTextMatrix(r, c, oldText);
            if (r == editRow_ && c == editCol_)
                setEditText(oldText);
        }
        if (focusGridOnCancel)
            grdMain_->setFocus(Qt::OtherFocusReason);
    } else {
        // The entry is one step, with whatever the host's handler makes of it.
        const TabulaUndoStep step(*this);
        if (grdMain_->ValidCell(r, c))
            history_->recordText(r, c, oldText, grdMain_->TextMatrix(r, c));
        Q_EMIT Change(r, c);
        if (r == Row() && c == Col())
            entryText_ = grdMain_->TextMatrix(r, c);
    }
}

// The editor or the input line gave the focus away: the entry ends here.
void Tabula::endEntry() {
    hideEditor();
    // A host that gives the grid the focus while it judges the cell ends the edit; the cell
    // is being reported already.
    if (reporting_)
        return;
    const int r = Row(), c = Col();
    if (!SameText(previousText_, grdMain_->TextMatrix(r, c)))
        reportChange(r, c, false);
}

// ---- cell events of the inner grid -------------------------------------------------------

void Tabula::onLeaveCell() {
    if (!grdMain_->Redraw())
        return;
    Q_EMIT LeaveCell();
    const int r = Row(), c = Col();
    if (c >= FixedCols() && r >= FixedRows() &&
        !SameText(previousText_, grdMain_->TextMatrix(r, c)))
        reportChange(r, c, true);
}

void Tabula::onEnterCell() {
    if (grdMain_->Redraw()) {
        Q_EMIT EnterCell();
        txtInp_->setEnabled(!locked(Col()));
    }
    takeCurrentAsReference();
}

void Tabula::onRowColChange() {
    if (!grdMain_->Redraw())
        return;
    endStaleEditor();
    editCol_ = Col();
    editRow_ = Row();
    setEditText(grdMain_->Text());
    Q_EMIT RowColChange();
}

void Tabula::onScroll() {
    const bool cellShown = ColIsVisible(Col()) && RowIsVisible(Row());
    if (scrollLock_ && !cellShown) {
        grdMain_->CellHeight(); // scrolls the current cell back
    } else {
        Q_EMIT Scroll();
    }
    if (!txtOnGrid_->isVisible())
        return;
    if (ColIsVisible(Col()) && RowIsVisible(Row())) {
        placeEditor();
    } else {
        // The edit ends here: the grid takes the focus before the box disappears.
        if (txtOnGrid_->hasFocus())
            grdMain_->setFocus(Qt::OtherFocusReason);
        hideEditor();
    }
}

void Tabula::onGridFocus() {
    hideEditor();
    applyIme(grdMain_);
}

// Qt offers no way to open, close or convert an input method from the program; what can be
// said is whether a widget takes composed input at all and which script it prefers. Modes that
// open the IME with a conversion (hiragana, katakana, half-width katakana) therefore only allow
// it; "off" allows it in the edit boxes (the user may switch it on) but not on the grid itself;
// "disable" refuses it everywhere, which also holds it closed.
void Tabula::applyIme(QWidget* w) {
    const bool grid = w == grdMain_;
    bool enabled = true;
    Qt::InputMethodHints hints = Qt::ImhNone;
    switch (imeMode_) {
    case tbIMEModeOff:
        enabled = !grid;
        hints = Qt::ImhPreferLatin;
        break;
    case tbIMEModeDisable:
        enabled = false;
        break;
    case tbIMEModeAlphaFull:
    case tbIMEModeAlpha:
        hints = Qt::ImhPreferLatin;
        break;
    default:
        break;
    }
    w->setAttribute(Qt::WA_InputMethodEnabled, enabled);
    w->setInputMethodHints(hints);
    if (w->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

// ---- navigation --------------------------------------------------------------------------

bool Tabula::editableCol(int c) {
    return c >= 0 && c < Cols() && grdMain_->ColWidth(c) >= 1 && !locked(c);
}

bool Tabula::visibleRow(int r) {
    return r >= 0 && r < Rows() && grdMain_->RowHeight(r) > 0;
}

void Tabula::bringIntoView() {
    grdMain_->ShowCell(Row(), Col());
}

void Tabula::moveForward() {
    const int c = Col(), cols = Cols(), mc = moveableCols_;
    if (c + 1 != cols && c + 1 != mc) {
        const int limit = (c >= mc && c < cols - 1) ? cols : std::min(mc, cols);
        for (int j = c + 1; j < limit; ++j) {
            if (editableCol(j)) {
                grdMain_->SetCol(j);
                bringIntoView();
                return;
            }
        }
    }
    for (int j = FixedCols(); j < std::min(mc, cols); ++j) {
        if (editableCol(j)) {
            grdMain_->SetCol(j);
            break;
        }
    }
    for (int r = Row() + 1; r < Rows(); ++r) {
        if (visibleRow(r)) {
            grdMain_->SetRow(r);
            break;
        }
    }
    bringIntoView();
}

void Tabula::moveBackward() {
    const int c = Col();
    if (c != FixedCols()) {
        for (int j = c - 1; j >= FixedCols(); --j) {
            if (editableCol(j)) {
                grdMain_->SetCol(j);
                bringIntoView();
                return;
            }
        }
    }
    for (int j = std::min(moveableCols_, Cols()) - 1; j >= FixedCols(); --j) {
        if (editableCol(j)) {
            grdMain_->SetCol(j);
            break;
        }
    }
    if (Row() > FixedRows()) {
        for (int r = Row() - 1; r >= FixedRows(); --r) {
            if (visibleRow(r)) {
                grdMain_->SetRow(r);
                break;
            }
        }
    }
    bringIntoView();
}

// ---- keys in the inner grid --------------------------------------------------------------

void Tabula::gridKeyDown(int& keyCode, int& shift) {
    Q_EMIT KeyDown(keyCode, shift);
    const int code = keyCode;
    const bool exactlyOne = shift == 1 || shift == 2 || shift == 4;
    if (shift == 2 && (code == 'C' || code == 'V' || code == 'X' || code == 'A')) {
        if (code == 'C')
            CopyText();
        else if (code == 'V')
            pasteClipboard();
        else if (code == 'X')
            CutText();
        else
            SelectAll();
        keyCode = 0;
    } else if (shift == 2 && code == 'Z') {
        Undo();
        keyCode = 0;
    } else if ((shift == 2 && code == 'Y') || (shift == 3 && code == 'Z')) {
        Redo();
        keyCode = 0;
    } else if (shift == 1 && code == VkInsert) {
        insertPrompt();
    } else if (shift == 1 && code == VkDelete) {
        deletePrompt();
    } else if (shift == 1 && code == VkReturn) {
        moveBackward();
    } else if (code == VkBack && !exactlyOne) {
        if (!locked(Col())) {
            beginEntry();
            setEditText(QString());
            openEditor(true);
            dataChanged_ = true;
        }
    } else if (code == VkDelete && shift == 0) {
        deleteSelection();
    } else if (code == VkReturn && !exactlyOne) {
        moveForward();
    }
}

void Tabula::gridKeyPress(int& keyAscii) {
    Q_EMIT KeyPress(keyAscii);
    if (keyAscii <= 0 || locked(Col()))
        return;
    QChar ch(static_cast<char16_t>(keyAscii));
    // The rest of a word an input method hands over after its first character opened the
    // editor is typed into the editor, as further keys would be.
    if (ch.unicode() >= 32 && editorHasKeyboard()) {
        txtOnGrid_->end(false);
        insertTyped(txtOnGrid_, filterTyped(QString(ch)));
        return;
    }
    // Full-width digits are the digits a Japanese keyboard types.
    if (numeralOnly_)
        ch = ToHalfWidth(QString(ch)).at(0);
    const bool doubleByte = IsDoubleByte(ch);
    if (numeralOnly_) {
        const bool accepted = QStringLiteral("+-/0123456789").contains(ch) ||
                              (ch == QLatin1Char('.') && allowDecimal_);
        if (accepted) {
            beginEntry();
            setEditText(QString(ch));
            openEditor(true);
            txtOnGrid_->end(false);
            dataChanged_ = true;
        } else if (keyAscii >= 32 && !doubleByte) {
            beep();
        }
        return;
    }
    if (keyAscii < 32 && !doubleByte)
        return;
    if (doubleByte && (imeMode_ == tbIMEModeOff || imeMode_ == tbIMEModeDisable)) {
        beep();
        return;
    }
    if (txtOnGrid_->isVisible()) {
        txtOnGrid_->end(false);
        insertTyped(txtOnGrid_, QString(ch));
    } else {
        beginEntry();
        setEditText(QString(ch));
        openEditor(true);
        txtOnGrid_->end(false);
    }
    dataChanged_ = true;
}

void Tabula::deleteSelection() {
    if (!locked(Col()))
        emptySelection();
}

// Delete and cut empty the selection in one step, then report every cell row by row.
void Tabula::emptySelection() {
    const int r0 = std::min(Row(), RowSel()), r1 = std::max(Row(), RowSel());
    const int c0 = std::min(Col(), ColSel()), c1 = std::max(Col(), ColSel());
    const TabulaUndoStep step(*this);
    const bool redraw = grdMain_->Redraw();
    grdMain_->SetRedraw(false);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            storeText(r, c, QString());
    grdMain_->SetRedraw(redraw);
    syncEditText();
    // The current cell's new text is accepted: reported again on leaving, it is no new step.
    entryText_ = grdMain_->Text();
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            Q_EMIT Change(r, c);
    dataChanged_ = true;
}

// Ctrl+Enter: the edit text goes into every shown, unlocked cell of the selection.
void Tabula::fillSelection() {
    const int row = Row(), col = Col(), rowSel = RowSel(), colSel = ColSel();
    const QString t = txtOnGrid_->text();
    const QString p = previousText_;
    // The current cell's own old value is what it held before this entry.
    const QString entry = entryText_;
    QList<TabulaCell> cells;
    QStringList olds;
    const int dr = rowSel >= row ? 1 : -1, dc = colSel >= col ? 1 : -1;
    for (int r = row;; r += dr) {
        if (grdMain_->RowHeight(r) != 0) {
            for (int c = col;; c += dc) {
                const QString old = (r == row && c == col) ? entry : grdMain_->TextMatrix(r, c);
                if (grdMain_->ColWidth(c) != 0 && !locked(c) && !SameText(t, old)) {
                    cells.append({r, c, t});
                    olds << old;
                }
                if (c == colSel)
                    break;
            }
        }
        if (r == rowSel)
            break;
    }
    // The host judges the whole fill first; a refusal refuses the entry with it. The editor
    // closing meanwhile reports nothing.
    bool refused = false;
    reporting_ = true;
    Q_EMIT BeforeBlockChange(refused, cells);
    reporting_ = false;
    if (refused) {
        grdMain_->SetTextMatrix(row, col, entry);
        if (row == editRow_ && col == editCol_)
            setEditText(entry);
        return;
    }
    grdMain_->SetRedraw(false);
    {
        const TabulaUndoStep step(*this);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const auto& [r, c, text] = cells[i];
            // The current cell already shows the typed text; what it held before the entry
            // is what an undo gives back.
            if (r == row && c == col)
                history_->recordText(r, c, olds[i], text);
            storeText(r, c, text);
            bool cancel = false;
            Q_EMIT BeforeChange(cancel, r, c);
            if (cancel)
                storeText(r, c, olds[i]);
            else
                Q_EMIT Change(r, c);
        }
    }
    grdMain_->SetRow(row);
    grdMain_->SetCol(col);
    grdMain_->SetRowSel(rowSel);
    grdMain_->SetColSel(colSel);
    setEditText(grdMain_->Text());
    dataChanged_ = true;
    grdMain_->SetRedraw(true);
    // The cell keeps its entry text as the reference, so leaving it reports the fill again.
    previousText_ = p;
    entryText_ = grdMain_->Text();
}

// ---- keys and focus in the edit boxes ----------------------------------------------------

bool Tabula::acceptChar(QChar ch) {
    const ushort code = ch.unicode();
    if (code == VkBack)
        return true;
    const bool doubleByte = IsDoubleByte(ch);
    if (numeralOnly_) {
        if (code < 32 || doubleByte)
            return false;
        if (QStringLiteral("+-/0123456789").contains(ch)) {
            dataChanged_ = true;
            return true;
        }
        if (ch == QLatin1Char('.') && allowDecimal_) {
            dataChanged_ = true;
            return true;
        }
        beep();
        return false;
    }
    if (code >= 32 || doubleByte) {
        dataChanged_ = true;
        return true;
    }
    return false;
}

// The characters of `text` the filter lets through; in numeric columns full-width forms are
// taken as their half-width characters first.
QString Tabula::filterTyped(const QString& text) {
    QString accepted;
    for (QChar ch : numeralOnly_ ? ToHalfWidth(text) : text)
        if (acceptChar(ch))
            accepted += ch;
    return accepted;
}

// Typed text goes in only as far as MaxLength allows.
void Tabula::insertTyped(QLineEdit* box, const QString& text) {
    QString s = text;
    if (maxLength_ > 0) {
        const int room = maxLength_ - (box->text().size() - box->selectedText().size());
        if (room < s.size()) {
            s = s.left(std::max(0, room));
            beep();
        }
    }
    if (!s.isEmpty())
        box->insert(s);
}

void Tabula::editorFilterKey(QLineEdit* box, QKeyEvent* e, bool& handled) {
    const int code = VirtualKey(e);
    const int shift = ShiftState(e->modifiers());
    handled = code != VkTab; // Tab moves the focus as usual
    if (!handled)
        return;
    if (box == txtOnGrid_) {
        if (arrowLeavesEditor_ && IsCaretKey(code)) {
            switch (code) {
            case VkLeft:
                if (Col() > FixedCols())
                    grdMain_->SetCol(Col() - 1);
                break;
            case VkUp:
                if (Row() > FixedRows())
                    grdMain_->SetRow(Row() - 1);
                break;
            case VkRight:
                if (Col() < Cols() - 1)
                    grdMain_->SetCol(Col() + 1);
                break;
            case VkDown:
                if (Row() < Rows() - 1)
                    grdMain_->SetRow(Row() + 1);
                break;
            default:
                break;
            }
            bringIntoView();
            grdMain_->setFocus(Qt::OtherFocusReason);
            if (code == VkPrior || code == VkNext || code == VkEnd || code == VkHome) {
                // The paging keys are handed to the grid, which now has the focus.
                QApplication::postEvent(grdMain_,
                                        new QKeyEvent(QEvent::KeyPress, e->key(), e->modifiers()));
                QApplication::postEvent(
                    grdMain_, new QKeyEvent(QEvent::KeyRelease, e->key(), e->modifiers()));
            }
            return;
        }
        if (code == VkReturn && (shift & 2)) {
            fillSelection();
            return;
        }
        if (code == VkReturn) {
            int keyCode = VkReturn, noShift = 0;
            gridKeyDown(keyCode, noShift);
            grdMain_->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (code == VkEscape || code == VkSeparator) {
            grdMain_->setFocus(Qt::OtherFocusReason);
            return;
        }
    } else if (code == VkReturn || code == VkEscape) {
        grdMain_->setFocus(Qt::OtherFocusReason);
        return;
    } else if (!e->text().isEmpty()) {
        revealEntryCell();
    }
    // Undo and redo act on the grid; the entry being typed is part of that (see Undo).
    if (code == 'Z' && (shift == 2 || shift == 3)) {
        shift == 2 ? Undo() : Redo();
        return;
    }
    if (code == 'Y' && shift == 2) {
        Redo();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        // Pasting into a box is not typing: no filter, but the length limit holds.
        insertTyped(box, QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 0));
        return;
    }
    const QString text = e->text();
    if (text.isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        handled = false;
        return;
    }
    QString accepted = filterTyped(text);
    if (accepted == QString(QChar(VkBack))) {
        handled = false; // the box deletes as usual
        return;
    }
    accepted.remove(QChar(VkBack));
    insertTyped(box, accepted);
}

bool Tabula::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* box = qobject_cast<QLineEdit*>(watched);
    if (box != txtInp_ && box != txtOnGrid_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        bool handled = false;
        editorFilterKey(box, static_cast<QKeyEvent*>(event), handled);
        return handled;
    }
    case QEvent::ShortcutOverride: {
        // Keep Escape and Enter for the edit boxes even when the host has shortcuts on them.
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Escape || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            event->accept();
        return false;
    }
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = im->commitString();
        if (commit.isEmpty())
            return false;
        const QString accepted = filterTyped(commit);
        QInputMethodEvent filtered(im->preeditString(), im->attributes());
        box->event(&filtered);
        insertTyped(box, accepted);
        return true;
    }
    case QEvent::FocusIn:
        if (box == txtOnGrid_) {
            arrowLeavesEditor_ = true;
        } else {
            beginEntry();
            openEditor(false);
        }
        return false;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window or a pop-up menu taking the focus does not end the edit, nor does a
        // click from the input line into the editor over the same cell.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (box == txtOnGrid_ ? txtOnGrid_->isVisible() : QApplication::focusWidget() != txtOnGrid_)
            endEntry();
        return false;
    }
    case QEvent::MouseButtonPress:
        if (box == txtOnGrid_)
            arrowLeavesEditor_ = false;
        return false;
    default:
        return false;
    }
}
