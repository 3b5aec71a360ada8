// Tabula: construction, properties, persistence and layout.
#include "tabula.h"

#include "flexgrid.h"
#include "undo_history.h"
#include "wincolor.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

using tabula_detail::FlexGrid;
using tabula_detail::kWindowBackground;

namespace {

TabulaAnswer DefaultMessageBox(QWidget* parent, const TabulaMessage& m) {
    QMessageBox box(parent);
    box.setWindowTitle(m.title);
    box.setText(m.text);
    switch (m.icon) {
    case TabulaIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case TabulaIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case TabulaIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (m.buttons) {
    case TabulaButtons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case TabulaButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case TabulaButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TabulaAnswer::Yes;
    case QMessageBox::No:
        return TabulaAnswer::No;
    case QMessageBox::Cancel:
        return TabulaAnswer::Cancel;
    default:
        return m.buttons == TabulaButtons::OK ? TabulaAnswer::OK : TabulaAnswer::Cancel;
    }
}

} // namespace

// ---- property bag ------------------------------------------------------------------------

int TabulaPropertyBag::find(const QString& key) const {
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TabulaPropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const {
    const int i = find(key);
    return i < 0 ? defaultValue : entries_[i].second;
}

void TabulaPropertyBag::WriteProperty(const QString& key, const QVariant& value,
                                      const QVariant& defaultValue) {
    const int i = find(key);
    if (defaultValue.isValid() && value == defaultValue) {
        if (i >= 0)
            entries_.removeAt(i);
        return;
    }
    if (i >= 0)
        entries_[i].second = value;
    else
        entries_.append({key, value});
}

bool TabulaPropertyBag::Contains(const QString& key) const {
    return find(key) >= 0;
}

QStringList TabulaPropertyBag::Keys() const {
    QStringList keys;
    for (const auto& e : entries_)
        keys << e.first;
    return keys;
}

// ---- construction ------------------------------------------------------------------------

Tabula::Tabula(QWidget* parent)
    : QWidget(parent), history_(std::make_unique<tabula_detail::UndoHistory>()) {
    grdMain_ = new FlexGrid(this);
    grdMain_->setObjectName(QStringLiteral("grdMain"));
    txtInp_ = new QLineEdit(this);
    txtInp_->setObjectName(QStringLiteral("txtInp"));
    txtOnGrid_ = new QLineEdit(this);
    txtOnGrid_->setObjectName(QStringLiteral("txtOnGrid"));
    txtOnGrid_->setFrame(false);
    txtOnGrid_->setFocusPolicy(Qt::ClickFocus); // reached by typing, not by Tab
    txtOnGrid_->hide();
    txtInp_->installEventFilter(this);
    txtOnGrid_->installEventFilter(this);
    setFocusProxy(grdMain_);
    setMinimumHeight(txtInp_->sizeHint().height());
    connectGrid();
    buildMenu();
    ReadProperties(TabulaPropertyBag());
    resize(320, 240);
}

Tabula::~Tabula() = default;

void Tabula::SetMessageHandler(TabulaMessageHandler handler) {
    messageHandler_ = std::move(handler);
}

TabulaAnswer Tabula::ask(const QString& text, const QString& title, TabulaButtons buttons,
                         TabulaIcon icon) {
    const TabulaMessage m{text, title, buttons, icon};
    if (messageHandler_)
        return messageHandler_(m);
    return DefaultMessageBox(this, m);
}

void Tabula::ClearError() {
    lastError_ = 0;
    lastErrorText_.clear();
}

void Tabula::indexError(const char* what) {
    lastError_ = IndexError;
    lastErrorText_ = QStringLiteral("%1: index out of range").arg(QLatin1String(what));
}

bool Tabula::checkRow(int r, const char* what) {
    if (r >= 0 && r < grdMain_->Rows())
        return true;
    indexError(what);
    return false;
}

bool Tabula::checkCol(int c, const char* what) {
    if (c >= 0 && c < grdMain_->Cols())
        return true;
    indexError(what);
    return false;
}

// ---- persistence -------------------------------------------------------------------------

void Tabula::ReadProperties(const TabulaPropertyBag& bag) {
    auto num = [&](const char* key, qlonglong def) {
        return bag.ReadProperty(QLatin1String(key), def).toLongLong();
    };
    auto flag = [&](const char* key, bool def) {
        return bag.ReadProperty(QLatin1String(key), def).toBool();
    };
    auto colour = [&](const char* key, uint32_t def) {
        return static_cast<uint32_t>(bag.ReadProperty(QLatin1String(key), def).toLongLong());
    };
    const bool enabled = flag("Enabled", true);
    numeralOnly_ = flag("NumeralOnly", false);
    allowDecimal_ = flag("AllowDecimal", true);
    menuEnabled_ = flag("MenuEnabled", true);
    autoNumber_ = flag("AutoNumber", false);
    scrollLock_ = flag("ScrollLock", false);
    maxLength_ = static_cast<int>(std::max<qlonglong>(0, num("MaxLength", 0)));
    numberingCol_ = static_cast<int>(num("NumberingCol", 0));
    version_ = static_cast<int>(num("Version", 1));
    const uint32_t back = colour("BackColor", kWindowBackground);
    const uint32_t fore = colour("ForeColor", tabula_detail::kWindowText);
    imeMode_ = static_cast<int>(std::clamp<qlonglong>(num("IMEMode", 0), 0, 8));
    QWidget::setEnabled(enabled);

    auto& s = grdMain_->mutableSettings();
    s.backColor = back;
    s.foreColor = fore;
    applyEditColours();
    applyIme(txtInp_);
    applyIme(txtOnGrid_);

    s.allowUserResizing = static_cast<int>(num("AllowUserResizing", 3));
    s.backColor = colour("BackColor", kWindowBackground);
    grdMain_->SetCols(static_cast<int>(num("Cols", 2)));
    grdMain_->SetRows(static_cast<int>(num("Rows", 2)));
    moveableCols_ = static_cast<int>(num("MoveableCols", grdMain_->Cols()));
    s.fillStyle = static_cast<int>(num("FillStyle", 0));
    grdMain_->SetFixedCols(static_cast<int>(num("FixedCols", 1)));
    grdMain_->SetFixedRows(static_cast<int>(num("FixedRows", 1)));
    s.focusRect = static_cast<int>(num("FocusRect", 1));
    s.foreColor = colour("ForeColor", tabula_detail::kWindowText);
    s.foreColorFixed = colour("ForeColorFixed", tabula_detail::kButtonText);
    s.foreColorSel = colour("ForeColorSel", tabula_detail::kHighlightText);
    s.gridColor = colour("GridColor", tabula_detail::kButtonFace);
    s.gridColorFixed = colour("GridColorFixed", tabula_detail::kButtonText);
    s.gridLines = static_cast<int>(num("GridLines", 1));
    s.gridLinesFixed = static_cast<int>(num("GridLinesFixed", 2));
    s.gridLineWidth = static_cast<int>(num("GridLineWidth", 1));
    s.highLight = static_cast<int>(num("HighLight", 1));
    s.mousePointer = static_cast<int>(num("MousePointer", 0));
    s.oleDropMode = static_cast<int>(num("OLEDropMode", 0));
    grdMain_->SetRowHeightMin(static_cast<int>(num("RowHeightMin", 0)));
    s.scrollBars = static_cast<int>(num("ScrollBars", 3));
    s.selectionMode = static_cast<int>(num("SelectionMode", 0));
    s.textStyle = static_cast<int>(num("TextStyle", 0));
    s.textStyleFixed = static_cast<int>(num("TextStyleFixed", 0));
    toolTip_ = bag.ReadProperty(QStringLiteral("ToolTipText"), QString()).toString();
    grdMain_->setToolTip(toolTip_);
    s.wordWrap = flag("WordWrap", false);
    grdMain_->applySettings();
    SetFont(bag.ReadProperty(QStringLiteral("Font"), grdMain_->font()).value<QFont>());
    SetMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon"), QPixmap()).value<QPixmap>());

    colLock_.assign(grdMain_->Cols(), false);
    colNumeralOnly_.assign(grdMain_->Cols(), false);
    if (autoNumber_)
        numberRows(grdMain_->FixedRows());
    // A grid loaded afresh has nothing to undo.
    history_->invalidate();
    history_->setCleanPoint();
}

void Tabula::WriteProperties(TabulaPropertyBag& bag) const {
    const auto& s = grdMain_->settings();
    auto put = [&](const char* key, const QVariant& value, const QVariant& def) {
        bag.WriteProperty(QLatin1String(key), value, def);
    };
    put("Enabled", !testAttribute(Qt::WA_ForceDisabled), true);
    put("NumeralOnly", numeralOnly_, false);
    put("AllowDecimal", allowDecimal_, true);
    put("MenuEnabled", menuEnabled_, true);
    put("AutoNumber", autoNumber_, false);
    put("ScrollLock", scrollLock_, false);
    put("MaxLength", maxLength_, 0);
    put("NumberingCol", numberingCol_, 0);
    put("Version", version_, 1);
    put("BackColor", qlonglong(s.backColor), qlonglong(kWindowBackground));
    put("ForeColor", qlonglong(s.foreColor), qlonglong(tabula_detail::kWindowText));
    put("IMEMode", imeMode_, 0);
    put("AllowUserResizing", s.allowUserResizing, 3);
    put("Cols", grdMain_->Cols(), 2);
    put("Rows", grdMain_->Rows(), 2);
    put("MoveableCols", moveableCols_, grdMain_->Cols());
    put("FillStyle", s.fillStyle, 0);
    put("FixedCols", grdMain_->FixedCols(), 1);
    put("FixedRows", grdMain_->FixedRows(), 1);
    put("FocusRect", s.focusRect, 1);
    put("ForeColorFixed", qlonglong(s.foreColorFixed), qlonglong(tabula_detail::kButtonText));
    put("ForeColorSel", qlonglong(s.foreColorSel), qlonglong(tabula_detail::kHighlightText));
    put("GridColor", qlonglong(s.gridColor), qlonglong(tabula_detail::kButtonFace));
    put("GridColorFixed", qlonglong(s.gridColorFixed), qlonglong(tabula_detail::kButtonText));
    put("GridLines", s.gridLines, 1);
    put("GridLinesFixed", s.gridLinesFixed, 2);
    put("GridLineWidth", s.gridLineWidth, 1);
    put("HighLight", s.highLight, 1);
    put("MousePointer", s.mousePointer, 0);
    put("OLEDropMode", s.oleDropMode, 0);
    put("RowHeightMin", grdMain_->RowHeightMin(), 0);
    put("ScrollBars", s.scrollBars, 3);
    put("SelectionMode", s.selectionMode, 0);
    put("TextStyle", s.textStyle, 0);
    put("TextStyleFixed", s.textStyleFixed, 0);
    put("ToolTipText", toolTip_, QString());
    put("WordWrap", s.wordWrap, false);
    put("Font", grdMain_->font(), QVariant());
    if (!mouseIcon_.isNull())
        put("MouseIcon", mouseIcon_, QVariant());
}

// ---- validated shape ---------------------------------------------------------------------

int Tabula::Rows() const {
    return grdMain_->Rows();
}
int Tabula::Cols() const {
    return grdMain_->Cols();
}
int Tabula::FixedRows() const {
    return grdMain_->FixedRows();
}
int Tabula::FixedCols() const {
    return grdMain_->FixedCols();
}

void Tabula::SetCols(int v) {
    if (!(FixedCols() < v)) {
        ask(QStringLiteral("Cols の値は、FixedCols の値より１以上大きくなければなりません。"),
            QStringLiteral("Cols"), TabulaButtons::OK, TabulaIcon::Exclamation);
        return;
    }
    // The history keeps no columns: cells it would put back may be gone.
    if (v != Cols())
        history_->invalidate();
    grdMain_->SetCols(v);
    colLock_.resize(v, false);
    colNumeralOnly_.resize(v, false);
    moveableCols_ = v;
    rebindIfOutside();
    Q_EMIT PropertyChanged(QStringLiteral("Cols"));
    Q_EMIT PropertyChanged(QStringLiteral("MoveableCols"));
}

void Tabula::SetFixedCols(int v) {
    // A negative count cannot be a header either; refused with the same message.
    if (!(v < Cols()) || v < 0) {
        ask(QStringLiteral("FixedColsの値は、列数の値より１以上小さくなければなりません。"),
            QStringLiteral("FixedCols"), TabulaButtons::OK, TabulaIcon::Exclamation);
        return;
    }
    grdMain_->SetFixedCols(v);
    rebindIfOutside();
    if (moveableCols_ < v) {
        moveableCols_ = v;
        Q_EMIT PropertyChanged(QStringLiteral("MoveableCols"));
    }
    Q_EMIT PropertyChanged(QStringLiteral("FixedCols"));
}

void Tabula::SetFixedRows(int v) {
    if (!(v < Rows()) || v < 0) {
        ask(QStringLiteral("FixedRows の値は、Rows の値より１以上小さくなければなりません。"),
            QStringLiteral("FixedRows"), TabulaButtons::OK, TabulaIcon::Exclamation);
        return;
    }
    grdMain_->SetFixedRows(v);
    rebindIfOutside();
    if (autoNumber_ && numberingCol_ >= 0 && numberingCol_ < Cols()) {
        for (int r = 0; r < v; ++r)
            grdMain_->SetTextMatrix(r, numberingCol_, QString());
        numberRows(v);
    }
    Q_EMIT PropertyChanged(QStringLiteral("FixedRows"));
}

void Tabula::SetRows(int v) {
    if (!(FixedRows() < v)) {
        ask(QStringLiteral("Rows の値は、FixedRows の値より１以上大きくなければなりません。"),
            QStringLiteral("Rows"), TabulaButtons::OK, TabulaIcon::Exclamation);
        return;
    }
    const bool redraw = grdMain_->Redraw();
    grdMain_->SetRedraw(false);
    const int oldRows = Rows();
    storeRowCount(v);
    shadeLockedColumns(FixedRows());
    if (autoNumber_)
        numberRows(std::min(Row(), oldRows));
    rebindIfOutside();
    grdMain_->SetRedraw(redraw);
    Q_EMIT PropertyChanged(QStringLiteral("Rows"));
}

void Tabula::SetNumberingCol(int v) {
    if (v < 0 || v > Cols() - 1) {
        ask(QStringLiteral("行番号表示列は 0 ～ %1 の間で設定して下さい。").arg(Cols() - 1),
            QStringLiteral("Tabula Control"), TabulaButtons::OK, TabulaIcon::Exclamation);
        return;
    }
    numberingCol_ = v;
    Q_EMIT PropertyChanged(QStringLiteral("NumberingCol"));
}

void Tabula::SetMoveableCols(int v) {
    if (v == 0 || v > Cols())
        v = Cols();
    else if (v < FixedCols())
        v = FixedCols();
    moveableCols_ = v;
    Q_EMIT PropertyChanged(QStringLiteral("MoveableCols"));
}

void Tabula::SetAutoNumber(bool v) {
    autoNumber_ = v;
    Q_EMIT PropertyChanged(QStringLiteral("AutoNumber"));
}

// When the bound cell left the data area (the grid shrank or gained header rows), the edit
// boxes follow the current cell instead of writing into a header or a vanished cell.
void Tabula::rebindIfOutside() {
    if (editRow_ >= FixedRows() && editRow_ < Rows() && editCol_ >= FixedCols() &&
        editCol_ < Cols())
        return;
    editRow_ = Row();
    editCol_ = Col();
    syncEditText();
    takeCurrentAsReference();
}

void Tabula::numberRows(int from) {
    if (numberingCol_ < 0 || numberingCol_ >= Cols())
        return;
    const int fixedRows = FixedRows();
    for (int r = std::max(from, fixedRows); r < Rows(); ++r)
        grdMain_->SetNumberMatrix(r, numberingCol_, r - fixedRows + 1);
}

// Every locked column is shaded again over its rows from `from` on, new or old.
void Tabula::shadeLockedColumns(int from) {
    for (int c = FixedCols(); c < Cols(); ++c)
        if (colLock_[c])
            fillColumnBack(c, from, Rows() - 1, LockedCellColor);
}

void Tabula::fillColumnBack(int col, int firstRow, int lastRow, uint32_t color) {
    for (int r = firstRow; r <= lastRow; ++r)
        grdMain_->SetCellBackColorAt(r, col, color);
}

// ---- current cell ------------------------------------------------------------------------

int Tabula::Row() const {
    return grdMain_->Row();
}
int Tabula::Col() const {
    return grdMain_->Col();
}
int Tabula::RowSel() const {
    return grdMain_->RowSel();
}
int Tabula::ColSel() const {
    return grdMain_->ColSel();
}
int Tabula::TopRow() const {
    return grdMain_->TopRow();
}
int Tabula::LeftCol() const {
    return grdMain_->LeftCol();
}
int Tabula::MouseRow() const {
    return grdMain_->MouseRow();
}
int Tabula::MouseCol() const {
    return grdMain_->MouseCol();
}

void Tabula::SetRow(int v) {
    if (checkRow(v, "Row"))
        grdMain_->SetRow(v);
}
void Tabula::SetCol(int v) {
    if (checkCol(v, "Col"))
        grdMain_->SetCol(v);
}
void Tabula::SetRowSel(int v) {
    if (checkRow(v, "RowSel"))
        grdMain_->SetRowSel(v);
}
void Tabula::SetColSel(int v) {
    if (checkCol(v, "ColSel"))
        grdMain_->SetColSel(v);
}
void Tabula::SetTopRow(int v) {
    if (checkRow(v, "TopRow"))
        grdMain_->SetTopRow(v);
}
void Tabula::SetLeftCol(int v) {
    if (checkCol(v, "LeftCol"))
        grdMain_->SetLeftCol(v);
}

// ---- texts -------------------------------------------------------------------------------

QString Tabula::Text() const {
    return grdMain_->Text();
}

void Tabula::SetText(const QString& s) {
    // With FillStyle repeat the whole selection takes the text.
    const bool repeat = grdMain_->settings().fillStyle == 1;
    const int r0 = repeat ? std::min(Row(), RowSel()) : Row();
    const int r1 = repeat ? std::max(Row(), RowSel()) : Row();
    const int c0 = repeat ? std::min(Col(), ColSel()) : Col();
    const int c1 = repeat ? std::max(Col(), ColSel()) : Col();
    for (int r = r0; r <= r1 && history_->open(); ++r)
        for (int c = c0; c <= c1; ++c)
            history_->recordText(r, c, grdMain_->TextMatrix(r, c), s);
    grdMain_->SetText(s);
    if (Row() == editRow_ && Col() == editCol_)
        setEditText(s);
    dataChanged_ = true;
}

QString Tabula::TextMatrix(int row, int col) {
    if (!checkRow(row, "TextMatrix") || !checkCol(col, "TextMatrix"))
        return QString();
    return grdMain_->TextMatrix(row, col);
}

void Tabula::SetTextMatrix(int row, int col, const QString& s) {
    if (!checkRow(row, "TextMatrix") || !checkCol(col, "TextMatrix"))
        return;
    storeText(row, col, s);
    if (row == editRow_ && col == editCol_)
        setEditText(s);
    dataChanged_ = true;
}

void Tabula::SetTextMatrixBC(int row, int col, const QString& s) {
    if (!checkRow(row, "TextMatrixBC") || !checkCol(col, "TextMatrixBC"))
        return;
    const QString currentReference = previousText_;
    const QString old = grdMain_->TextMatrix(row, col);
    previousText_ = old;
    // Recorded once accepted: a refused write is no step.
    grdMain_->SetTextMatrix(row, col, s);
    if (row == editRow_ && col == editCol_)
        setEditText(s);
    const bool wasChanged = dataChanged_;
    dataChanged_ = true;
    if (grdMain_->Redraw() && row >= FixedRows() && col >= FixedCols()) {
        bool cancel = false;
        Q_EMIT BeforeChange(cancel, row, col);
        if (cancel) {
            grdMain_->SetTextMatrix(row, col, previousText_);
            if (row == editRow_ && col == editCol_)
                setEditText(previousText_);
            dataChanged_ = wasChanged;
        } else {
            const TabulaUndoStep step(*this);
            history_->recordText(row, col, old, grdMain_->TextMatrix(row, col));
            Q_EMIT Change(row, col);
            if (row == Row() && col == Col())
                entryText_ = grdMain_->TextMatrix(row, col);
        }
    } else {
        history_->recordText(row, col, old, s);
    }
    // Another cell's old text must not become the reference of the current cell: leaving that
    // cell would report a change it never had, and a cancel would write that text into it.
    if (row != Row() || col != Col())
        previousText_ = currentReference;
}

QString Tabula::Clip() const {
    return grdMain_->Clip();
}
void Tabula::SetClip(const QString& s) {
    storeClip(s);
    // The input line shows the text of its cell, also when a clip text wrote it.
    syncEditText();
}

// ---- input settings ----------------------------------------------------------------------

void Tabula::SetMaxLength(int v) {
    maxLength_ = std::max(0, v);
    Q_EMIT PropertyChanged(QStringLiteral("MaxLength"));
}

void Tabula::SetIMEMode(int v) {
    imeMode_ = std::clamp(v, 0, 8);
    applyIme(txtInp_);
    applyIme(txtOnGrid_);
    Q_EMIT PropertyChanged(QStringLiteral("IMEMode"));
}

bool Tabula::ColLock(int index) {
    if (!checkCol(index, "ColLock"))
        return false;
    return colLock_[index];
}

bool Tabula::ColNumeralOnly(int index) {
    return checkCol(index, "ColNumeralOnly") && colNumeralOnly_[index];
}

void Tabula::SetColNumeralOnly(int index, bool v) {
    if (checkCol(index, "ColNumeralOnly"))
        colNumeralOnly_[index] = v;
}

void Tabula::SetColLock(int index, bool v) {
    if (!checkCol(index, "ColLock") || colLock_[index] == v)
        return;
    colLock_[index] = v;
    SetColBackColor(index, v ? LockedCellColor : kWindowBackground);
    if (index == Col())
        txtInp_->setEnabled(!v);
}

// The control's own state, whatever its parent's.
bool Tabula::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void Tabula::SetEnabled(bool v) {
    QWidget::setEnabled(v);
    if (!v)
        txtOnGrid_->hide();
    Q_EMIT PropertyChanged(QStringLiteral("Enabled"));
}

// ---- sizes -------------------------------------------------------------------------------

int Tabula::ColWidth(int index) {
    return checkCol(index, "ColWidth") ? grdMain_->ColWidth(index) : 0;
}
void Tabula::SetColWidth(int index, int twips) {
    if (checkCol(index, "ColWidth"))
        grdMain_->SetColWidth(index, twips);
}
int Tabula::RowHeight(int index) {
    return checkRow(index, "RowHeight") ? grdMain_->RowHeight(index) : 0;
}
void Tabula::SetRowHeight(int index, int twips) {
    if (checkRow(index, "RowHeight"))
        grdMain_->SetRowHeight(index, twips);
}
int Tabula::RowHeightMin() const {
    return grdMain_->RowHeightMin();
}
void Tabula::SetRowHeightMin(int twips) {
    grdMain_->SetRowHeightMin(twips);
    Q_EMIT PropertyChanged(QStringLiteral("RowHeightMin"));
}

bool Tabula::ColVisible(int index) {
    return ColWidth(index) != 0;
}

void Tabula::SetColVisible(int index, bool v) {
    if (!checkCol(index, "ColVisible"))
        return;
    if (!v) {
        grdMain_->SetColWidth(index, 0);
    } else if (grdMain_->ColWidth(index) == 0) {
        const int px = QFontMetrics(grdMain_->font()).horizontalAdvance(QStringLiteral("00000"));
        grdMain_->SetColWidth(index, static_cast<int>(px * grdMain_->TwipsPerPixelX()));
    }
}

bool Tabula::RowVisible(int index) {
    return RowHeight(index) != 0;
}

void Tabula::SetRowVisible(int index, bool v) {
    if (!checkRow(index, "RowVisible"))
        return;
    if (!v) {
        grdMain_->SetRowHeight(index, 0);
    } else if (grdMain_->RowHeight(index) == 0) {
        const int h = RowHeightMin() != 0
                          ? RowHeightMin()
                          : static_cast<int>(txtOnGrid_->height() * grdMain_->TwipsPerPixelY());
        grdMain_->SetRowHeight(index, h);
    }
}

bool Tabula::ColIsVisible(int index) {
    return checkCol(index, "ColIsVisible") && grdMain_->ColWidth(index) > 0 &&
           grdMain_->ColIsVisible(index);
}

bool Tabula::RowIsVisible(int index) {
    return checkRow(index, "RowIsVisible") && grdMain_->RowHeight(index) > 0 &&
           grdMain_->RowIsVisible(index);
}

int Tabula::ColPos(int index) {
    return checkCol(index, "ColPos") ? grdMain_->ColPos(index) : 0;
}

int Tabula::RowPos(int index) {
    if (!checkRow(index, "RowPos"))
        return 0;
    return static_cast<int>(std::lround(grdMain_->y() * grdMain_->TwipsPerPixelY())) +
           grdMain_->RowPos(index);
}

int Tabula::CellLeft() const {
    return static_cast<int>(std::lround(grdMain_->x() * grdMain_->TwipsPerPixelX())) +
           grdMain_->CellLeft();
}

int Tabula::CellTop() const {
    return static_cast<int>(std::lround(grdMain_->y() * grdMain_->TwipsPerPixelY())) +
           grdMain_->CellTop();
}

int Tabula::CellHeight() {
    return grdMain_->CellHeight();
}

double Tabula::ClientLeft() const {
    return 2 * grdMain_->TwipsPerPixelX();
}
double Tabula::ClientTop() const {
    return (2 + txtInp_->height()) * grdMain_->TwipsPerPixelY();
}
double Tabula::ClientWidth() const {
    return grdMain_->viewport()->width() * grdMain_->TwipsPerPixelX();
}
double Tabula::ClientHeight() const {
    return grdMain_->viewport()->height() * grdMain_->TwipsPerPixelY();
}
double Tabula::MinHeight() const {
    return 2.0 * txtInp_->height() * grdMain_->TwipsPerPixelY();
}

// ---- colours -----------------------------------------------------------------------------

uint32_t Tabula::BackColor() const {
    return grdMain_->settings().backColor;
}
void Tabula::SetBackColor(uint32_t v) {
    grdMain_->mutableSettings().backColor = v;
    grdMain_->applySettings();
    applyEditColours();
    Q_EMIT PropertyChanged(QStringLiteral("BackColor"));
}
uint32_t Tabula::ForeColor() const {
    return grdMain_->settings().foreColor;
}
void Tabula::SetForeColor(uint32_t v) {
    grdMain_->mutableSettings().foreColor = v;
    grdMain_->applySettings();
    applyEditColours();
    Q_EMIT PropertyChanged(QStringLiteral("ForeColor"));
}
uint32_t Tabula::ForeColorFixed() const {
    return grdMain_->settings().foreColorFixed;
}
void Tabula::SetForeColorFixed(uint32_t v) {
    grdMain_->mutableSettings().foreColorFixed = v;
    grdMain_->applySettings();
    Q_EMIT PropertyChanged(QStringLiteral("ForeColorFixed"));
}
uint32_t Tabula::ForeColorSel() const {
    return grdMain_->settings().foreColorSel;
}
void Tabula::SetForeColorSel(uint32_t v) {
    grdMain_->mutableSettings().foreColorSel = v;
    grdMain_->applySettings();
    // The edit boxes use it for their selected text.
    for (QLineEdit* box : {txtInp_, txtOnGrid_}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::HighlightedText, grdMain_->Resolve(v));
        box->setPalette(pal);
    }
    Q_EMIT PropertyChanged(QStringLiteral("ForeColorSel"));
}
uint32_t Tabula::GridColor() const {
    return grdMain_->settings().gridColor;
}
void Tabula::SetGridColor(uint32_t v) {
    grdMain_->mutableSettings().gridColor = v;
    grdMain_->applySettings();
    Q_EMIT PropertyChanged(QStringLiteral("GridColor"));
}
uint32_t Tabula::GridColorFixed() const {
    return grdMain_->settings().gridColorFixed;
}
void Tabula::SetGridColorFixed(uint32_t v) {
    grdMain_->mutableSettings().gridColorFixed = v;
    grdMain_->applySettings();
    Q_EMIT PropertyChanged(QStringLiteral("GridColorFixed"));
}

uint32_t Tabula::CellBackColor() const {
    return grdMain_->CellBackColor();
}
void Tabula::SetCellBackColor(uint32_t v) {
    grdMain_->SetCellBackColor(v);
}
uint32_t Tabula::CellForeColor() const {
    return grdMain_->CellForeColor();
}
void Tabula::SetCellForeColor(uint32_t v) {
    grdMain_->SetCellForeColor(v);
}

// The cell is addressed directly, so the current cell never moves and no cell events run.
uint32_t Tabula::CellBackColor2(int row, int col) {
    if (!checkRow(row, "CellBackColor2") || !checkCol(col, "CellBackColor2"))
        return 0;
    return grdMain_->CellBackColorAt(row, col);
}
void Tabula::SetCellBackColor2(int row, int col, uint32_t v) {
    if (checkRow(row, "CellBackColor2") && checkCol(col, "CellBackColor2"))
        grdMain_->SetCellBackColorAt(row, col, v);
}
uint32_t Tabula::CellForeColor2(int row, int col) {
    if (!checkRow(row, "CellForeColor2") || !checkCol(col, "CellForeColor2"))
        return 0;
    return grdMain_->CellForeColorAt(row, col);
}
void Tabula::SetCellForeColor2(int row, int col, uint32_t v) {
    if (checkRow(row, "CellForeColor2") && checkCol(col, "CellForeColor2"))
        grdMain_->SetCellForeColorAt(row, col, v);
}

void Tabula::SetColBackColor(int index, uint32_t v) {
    if (checkCol(index, "ColBackColor"))
        fillColumnBack(index, FixedRows(), Rows() - 1, v);
}
void Tabula::SetColForeColor(int index, uint32_t v) {
    if (!checkCol(index, "ColForeColor"))
        return;
    for (int r = FixedRows(); r < Rows(); ++r)
        grdMain_->SetCellForeColorAt(r, index, v);
}
void Tabula::SetRowBackColor(int index, uint32_t v) {
    if (!checkRow(index, "RowBackColor"))
        return;
    for (int c = FixedCols(); c < Cols(); ++c)
        grdMain_->SetCellBackColorAt(index, c, v);
}
void Tabula::SetRowForeColor(int index, uint32_t v) {
    if (!checkRow(index, "RowForeColor"))
        return;
    for (int c = FixedCols(); c < Cols(); ++c)
        grdMain_->SetCellForeColorAt(index, c, v);
}

// ---- appearance --------------------------------------------------------------------------

int Tabula::ColAlignment(int index) {
    return checkCol(index, "ColAlignment") ? grdMain_->ColAlignment(index) : 0;
}
void Tabula::SetColAlignment(int index, int v) {
    if (checkCol(index, "ColAlignment"))
        grdMain_->SetColAlignment(index, v);
}
int Tabula::FixedAlignment(int index) {
    return checkCol(index, "FixedAlignment") ? grdMain_->FixedAlignment(index) : 0;
}
void Tabula::SetFixedAlignment(int index, int v) {
    if (checkCol(index, "FixedAlignment"))
        grdMain_->SetFixedAlignment(index, v);
}
int Tabula::MergeCells() const {
    return grdMain_->MergeCells();
}
void Tabula::SetMergeCells(int v) {
    grdMain_->SetMergeCells(v);
}
bool Tabula::MergeRow(int index) {
    return checkRow(index, "MergeRow") && grdMain_->MergeRow(index);
}
void Tabula::SetMergeRow(int index, bool v) {
    if (checkRow(index, "MergeRow"))
        grdMain_->SetMergeRow(index, v);
}
bool Tabula::MergeCol(int index) {
    return checkCol(index, "MergeCol") && grdMain_->MergeCol(index);
}
void Tabula::SetMergeCol(int index, bool v) {
    if (checkCol(index, "MergeCol"))
        grdMain_->SetMergeCol(index, v);
}

bool Tabula::Redraw() const {
    return grdMain_->Redraw();
}

void Tabula::SetRedraw(bool v) {
    grdMain_->SetRedraw(v);
    if (v) {
        takeCurrentAsReference();
        // Cell moves made while redrawing was off left the edit boxes on the old cell; bind
        // them to the current one so that typing cannot land in a cell the user does not see.
        if (editRow_ != Row() || editCol_ != Col()) {
            editRow_ = Row();
            editCol_ = Col();
            setEditText(grdMain_->Text());
        }
        // Nor may the input line stay open on a locked column entered while redrawing was off.
        txtInp_->setEnabled(!locked(Col()));
    }
}

#define TABULA_SETTING(Name, field)                                                                \
    int Tabula::Name() const {                                                                     \
        return grdMain_->settings().field;                                                         \
    }                                                                                              \
    void Tabula::Set##Name(int v) {                                                                \
        grdMain_->mutableSettings().field = v;                                                     \
        grdMain_->applySettings();                                                                 \
        Q_EMIT PropertyChanged(QStringLiteral(#Name));                                             \
    }
TABULA_SETTING(AllowUserResizing, allowUserResizing)
TABULA_SETTING(FillStyle, fillStyle)
TABULA_SETTING(FocusRect, focusRect)
TABULA_SETTING(GridLines, gridLines)
TABULA_SETTING(GridLinesFixed, gridLinesFixed)
TABULA_SETTING(GridLineWidth, gridLineWidth)
TABULA_SETTING(HighLight, highLight)
TABULA_SETTING(MousePointer, mousePointer)
TABULA_SETTING(OLEDropMode, oleDropMode)
TABULA_SETTING(ScrollBars, scrollBars)
TABULA_SETTING(SelectionMode, selectionMode)
TABULA_SETTING(TextStyle, textStyle)
TABULA_SETTING(TextStyleFixed, textStyleFixed)
#undef TABULA_SETTING

bool Tabula::WordWrap() const {
    return grdMain_->settings().wordWrap;
}
void Tabula::SetWordWrap(bool v) {
    grdMain_->mutableSettings().wordWrap = v;
    grdMain_->applySettings();
    Q_EMIT PropertyChanged(QStringLiteral("WordWrap"));
}

QString Tabula::ToolTipText() const {
    return toolTip_;
}
void Tabula::SetToolTipText(const QString& s) {
    toolTip_ = s;
    grdMain_->setToolTip(s);
    Q_EMIT PropertyChanged(QStringLiteral("ToolTipText"));
}

void Tabula::SetMouseIcon(const QPixmap& icon) {
    mouseIcon_ = icon;
    if (!icon.isNull() && grdMain_->settings().mousePointer == 99)
        grdMain_->setCustomCursor(QCursor(icon));
}

QFont Tabula::Font() const {
    return grdMain_->font();
}

void Tabula::SetFont(const QFont& font) {
    grdMain_->setFont(font);
    QWidget::setFont(font);
    txtInp_->setFont(font);
    txtOnGrid_->setFont(font);
    // Both boxes shrink to the least height that holds one line of the font.
    txtInp_->resize(txtInp_->width(), txtInp_->sizeHint().height());
    txtOnGrid_->resize(txtOnGrid_->width(), txtOnGrid_->sizeHint().height());
    setMinimumHeight(txtInp_->height());
    grdMain_->SetRowHeightMin(static_cast<int>(txtOnGrid_->height() * grdMain_->TwipsPerPixelY()));
    Q_EMIT PropertyChanged(QStringLiteral("Font"));
    Q_EMIT PropertyChanged(QStringLiteral("RowHeightMin"));
    layoutChildren();
}

qintptr Tabula::hWnd() {
    return static_cast<qintptr>(winId());
}

void Tabula::applyEditColours() {
    const QColor back = grdMain_->Resolve(grdMain_->settings().backColor);
    const QColor fore = grdMain_->Resolve(grdMain_->settings().foreColor);
    for (QLineEdit* box : {txtInp_, txtOnGrid_}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, back);
        pal.setColor(QPalette::Text, fore);
        box->setPalette(pal);
    }
}

// ---- methods without editing -------------------------------------------------------------

void Tabula::Clear() {
    if (history_->open()) {
        for (int r = 0; r < Rows(); ++r)
            for (int c = 0; c < Cols(); ++c)
                history_->recordText(r, c, grdMain_->TextMatrix(r, c), QString());
    } else {
        history_->invalidate();
    }
    grdMain_->Clear();
    syncEditText();
}

void Tabula::Refresh() {
    const bool redraw = grdMain_->Redraw();
    grdMain_->SetRedraw(false);
    for (int c = 0; c < Cols(); ++c) {
        // A fixed column keeps its header colour when unlocked.
        const uint32_t unlocked = c < FixedCols() ? 0 : kWindowBackground;
        fillColumnBack(c, FixedRows(), Rows() - 1, colLock_[c] ? LockedCellColor : unlocked);
    }
    grdMain_->SetRedraw(redraw);
    grdMain_->Repaint();
    QCoreApplication::processEvents();
}

void Tabula::SelectAll() {
    const bool redraw = grdMain_->Redraw();
    grdMain_->SetRedraw(false);
    grdMain_->SetRow(FixedRows());
    grdMain_->SetCol(FixedCols());
    grdMain_->SetRowSel(Rows() - 1);
    grdMain_->SetColSel(Cols() - 1);
    SetRedraw(redraw);
}

// ---- layout ------------------------------------------------------------------------------

void Tabula::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void Tabula::layoutChildren() {
    const int w = width(), h = height(), inp = txtInp_->height();
    if (w > 0 && inp < h) {
        txtInp_->setGeometry(0, 0, w, inp);
        grdMain_->setGeometry(0, inp, w, h - inp);
        onScroll();
    } else {
        // The control is never lower than its input line (minimumHeight keeps it so); with no
        // width left it shrinks to the input line alone.
        txtInp_->setGeometry(0, 0, std::max(w, 0), inp);
        grdMain_->setGeometry(0, inp, std::max(w, 0), 0);
        if (w <= 0 && h != inp)
            resize(0, inp);
    }
}

void Tabula::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    const int r = std::min(FixedRows(), Rows() - 1), c = std::min(FixedCols(), Cols() - 1);
    grdMain_->SetRow(r);
    grdMain_->SetCol(c);
    editRow_ = Row();
    editCol_ = Col();
    setEditText(grdMain_->Text());
    takeCurrentAsReference();
}

void Tabula::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        txtOnGrid_->hide();
}
