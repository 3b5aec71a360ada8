// Tabula: a data-entry grid control. A grid whose cells are typed into directly, with an input
// line above it, numeric-only input, per-column write locks, automatic row numbering,
// cancellable change events, row insertion and removal with prompts, tab-separated clipboard
// exchange, a pop-up edit menu and undo and redo of every change of the cells.
//
// Sizes and positions are in twips (1/1440 inch). Colours are Windows colour values: an RGB
// value with red in the low byte, or a system colour index with the high bit set (0x80000005
// is the window background). Events are signals; arguments passed as non-const references may
// be changed by a handler connected directly (the default for widgets on one thread) and the
// control acts on the changed value.
//
// Index arguments outside the grid are refused: reads give an empty value, writes change
// nothing, and LastError() reports 381 until ClearError().
#pragma once

#include <QFont>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QMenu;
class QMimeData;

namespace tabula_detail {
class FlexGrid;
class UndoHistory;
} // namespace tabula_detail

enum MCell {
    tabulaMergeNever = 0,
    tabulaMergeFree = 1,
    tabulaMergeRestrictRows = 2,
    tabulaMergeRestrictColumns = 3,
    tabulaMergeRestrictAll = 4,
};

enum IMESetting {
    tbIMEModeNoControl = 0,
    tbIMEModeOn = 1,
    tbIMEModeOff = 2,
    tbIMEModeDisable = 3,
    tbIMEModeHiragana = 4,
    tbIMEModeKatakana = 5,
    tbIMEModeKatakanaHalf = 6,
    tbIMEModeAlphaFull = 7,
    tbIMEModeAlpha = 8,
};

// The control's own message boxes go through a replaceable handler.
enum class TabulaButtons { OK, YesNo, YesNoCancel };
enum class TabulaIcon { Exclamation, Information, Question };
enum class TabulaAnswer { OK = 1, Cancel = 2, Yes = 6, No = 7 };
struct TabulaMessage {
    QString text;
    QString title;
    TabulaButtons buttons = TabulaButtons::OK;
    TabulaIcon icon = TabulaIcon::Exclamation;
};
using TabulaMessageHandler = std::function<TabulaAnswer(const TabulaMessage&)>;

// One cell of a block about to be stored: where, and the text it is to receive.
struct TabulaCell {
    int Row = 0;
    int Col = 0;
    QString Text;
};

// Keyed store of persisted properties. Keys are compared ignoring letter case; a value equal
// to its default is not stored.
class TabulaPropertyBag {
  public:
    virtual ~TabulaPropertyBag() = default;
    virtual QVariant ReadProperty(const QString& key, const QVariant& defaultValue) const;
    virtual void WriteProperty(const QString& key, const QVariant& value,
                               const QVariant& defaultValue = QVariant());
    bool Contains(const QString& key) const;
    QStringList Keys() const;

  private:
    int find(const QString& key) const;
    QList<QPair<QString, QVariant>> entries_;
};

class Tabula : public QWidget {
    Q_OBJECT

  public:
    static constexpr int VersionMajor = 1;
    static constexpr int VersionMinor = 0;
    static constexpr int VersionRevision = 0;
    static constexpr uint32_t LockedCellColor = 0x80000016;
    static constexpr int IndexError = 381;

    explicit Tabula(QWidget* parent = nullptr);
    ~Tabula() override;

    void SetMessageHandler(TabulaMessageHandler handler);
    // What a refused keystroke sounds like; the system beep by default.
    void SetBeepHandler(std::function<void()> handler);
    int LastError() const { return lastError_; }
    QString LastErrorText() const { return lastErrorText_; }
    void ClearError();

    // Persistence: loading follows the fixed key order; saving writes every key with its default.
    void ReadProperties(const TabulaPropertyBag& bag);
    void WriteProperties(TabulaPropertyBag& bag) const;

    // ---- shape (validated) ----
    int Rows() const;
    void SetRows(int v);
    int Cols() const;
    void SetCols(int v);
    int FixedRows() const;
    void SetFixedRows(int v);
    int FixedCols() const;
    void SetFixedCols(int v);
    int MoveableCols() const { return moveableCols_; }
    void SetMoveableCols(int v);
    int NumberingCol() const { return numberingCol_; }
    void SetNumberingCol(int v);
    bool AutoNumber() const { return autoNumber_; }
    void SetAutoNumber(bool v);

    // ---- current cell, selection, scrolling ----
    int Row() const;
    void SetRow(int v);
    int Col() const;
    void SetCol(int v);
    int RowSel() const;
    void SetRowSel(int v);
    int ColSel() const;
    void SetColSel(int v);
    int TopRow() const;
    void SetTopRow(int v);
    int LeftCol() const;
    void SetLeftCol(int v);
    int MouseRow() const;
    int MouseCol() const;
    int EditRow() const { return editRow_; }
    int EditCol() const { return editCol_; }

    // ---- texts ----
    QString Text() const;
    void SetText(const QString& s);
    QString TextMatrix(int row, int col);
    void SetTextMatrix(int row, int col, const QString& s);
    void SetTextMatrixBC(int row, int col, const QString& s);
    QString Clip() const;
    void SetClip(const QString& s);
    QString PreviousText() const { return previousText_; }
    bool DataChanged() const { return dataChanged_; }
    void SetDataChanged(bool v);

    // ---- input behaviour ----
    bool NumeralOnly() const { return numeralOnly_; }
    void SetNumeralOnly(bool v) { numeralOnly_ = v; }
    bool AllowDecimal() const { return allowDecimal_; }
    void SetAllowDecimal(bool v) { allowDecimal_ = v; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    int IMEMode() const { return imeMode_; }
    void SetIMEMode(int v);
    bool ArrowLeavesEditor() const { return arrowLeavesEditor_; }
    void SetArrowLeavesEditor(bool v) { arrowLeavesEditor_ = v; }
    bool ScrollLock() const { return scrollLock_; }
    void SetScrollLock(bool v) { scrollLock_ = v; }
    bool MenuEnabled() const { return menuEnabled_; }
    void SetMenuEnabled(bool v) { menuEnabled_ = v; }
    bool RightButtonDown() const { return rightButtonDown_; }
    bool ColLock(int index);
    void SetColLock(int index, bool v);
    // Pasting with any column marked here cleans numerically only the cells that land in the
    // marked columns (NumeralOnly then rules typing alone). Not persisted: hosts set it up.
    bool ColNumeralOnly(int index);
    void SetColNumeralOnly(int index, bool v);
    bool Enabled() const;
    void SetEnabled(bool v);
    int Version() const { return version_; }
    void SetVersion(int v) { version_ = v; }

    // ---- sizes and positions (twips) ----
    int ColWidth(int index);
    void SetColWidth(int index, int twips);
    int RowHeight(int index);
    void SetRowHeight(int index, int twips);
    int RowHeightMin() const;
    void SetRowHeightMin(int twips);
    bool ColVisible(int index);
    void SetColVisible(int index, bool v);
    bool RowVisible(int index);
    void SetRowVisible(int index, bool v);
    bool ColIsVisible(int index);
    bool RowIsVisible(int index);
    int ColPos(int index);
    int RowPos(int index);
    int CellLeft() const;
    int CellTop() const;
    int CellHeight();
    double ClientLeft() const;
    double ClientTop() const;
    double ClientWidth() const;
    double ClientHeight() const;
    double MinHeight() const;

    // ---- colours ----
    uint32_t BackColor() const;
    void SetBackColor(uint32_t v);
    uint32_t ForeColor() const;
    void SetForeColor(uint32_t v);
    uint32_t ForeColorFixed() const;
    void SetForeColorFixed(uint32_t v);
    uint32_t ForeColorSel() const;
    void SetForeColorSel(uint32_t v);
    uint32_t GridColor() const;
    void SetGridColor(uint32_t v);
    uint32_t GridColorFixed() const;
    void SetGridColorFixed(uint32_t v);
    uint32_t CellBackColor() const;
    void SetCellBackColor(uint32_t v);
    uint32_t CellForeColor() const;
    void SetCellForeColor(uint32_t v);
    uint32_t CellBackColor2(int row, int col);
    void SetCellBackColor2(int row, int col, uint32_t v);
    uint32_t CellForeColor2(int row, int col);
    void SetCellForeColor2(int row, int col, uint32_t v);
    void SetColBackColor(int index, uint32_t v);
    void SetColForeColor(int index, uint32_t v);
    void SetRowBackColor(int index, uint32_t v);
    void SetRowForeColor(int index, uint32_t v);

    // ---- appearance and inner-grid settings (numeric values as the flex grid has them) ----
    int ColAlignment(int index);
    void SetColAlignment(int index, int v);
    int FixedAlignment(int index);
    void SetFixedAlignment(int index, int v);
    int MergeCells() const;
    void SetMergeCells(int v);
    bool MergeRow(int index);
    void SetMergeRow(int index, bool v);
    bool MergeCol(int index);
    void SetMergeCol(int index, bool v);
    bool Redraw() const;
    void SetRedraw(bool v);
    int AllowUserResizing() const;
    void SetAllowUserResizing(int v);
    int FillStyle() const;
    void SetFillStyle(int v);
    int FocusRect() const;
    void SetFocusRect(int v);
    int GridLines() const;
    void SetGridLines(int v);
    int GridLinesFixed() const;
    void SetGridLinesFixed(int v);
    int GridLineWidth() const;
    void SetGridLineWidth(int v);
    int HighLight() const;
    void SetHighLight(int v);
    int MousePointer() const;
    void SetMousePointer(int v);
    QPixmap MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const QPixmap& icon);
    int OLEDropMode() const;
    void SetOLEDropMode(int v);
    int ScrollBars() const;
    void SetScrollBars(int v);
    int SelectionMode() const;
    void SetSelectionMode(int v);
    int TextStyle() const;
    void SetTextStyle(int v);
    int TextStyleFixed() const;
    void SetTextStyleFixed(int v);
    bool WordWrap() const;
    void SetWordWrap(bool v);
    QString ToolTipText() const;
    void SetToolTipText(const QString& s);
    QFont Font() const;
    void SetFont(const QFont& font);
    qintptr hWnd();

    // ---- methods ----
    void AddItem(const QString& Item, int Index = 0);
    void RemoveItem(int Index);
    void Clear();
    void CopyText();
    void CutText();
    void PasteText(const QString& strSet);
    void Refresh();
    void SelectAll();
    void ShowAboutBox();

    // ---- undo and redo ----
    // One step is everything one user action does to the cells: an accepted entry (a refused
    // one is none), a paste or drop, a Ctrl+Enter fill, clearing or cutting the selection,
    // the rows one insertion or removal adds or takes away. The methods that raise change
    // events are steps of their own when called by the host (PasteText, CutText, AddItem,
    // RemoveItem, an accepted TextMatrixBC). Whatever the host's handlers write while a step
    // runs (through any property or method) belongs to it.
    // The host's plain writes (Text, TextMatrix, Clip, Rows, Clear) are recorded only between
    // BeginUndoStep and EndUndoStep; outside a step, texts written so are not recorded (a
    // program tidying the cells is no user step), while Rows, Clear and Cols changing the
    // grid there empty the history, whose positions would no longer fit.
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, in the grid and in the edit boxes; there,
    // an entry still being typed is what the first undo takes back.
    bool CanUndo() const;
    bool CanRedo() const;
    // Takes the last step back (or the entry being typed, see above), makes the changed
    // block the selection and raises AfterUndo. Nothing happens while a step is open.
    void Undo();
    // Does the last undone step again; an entry being typed is finished first, and if it was
    // accepted it is a new step that leaves nothing to redo.
    void Redo();
    // Steps nest; what changes until the outermost EndUndoStep is one step (TabulaUndoStep
    // below does both). A new step leaves the undone steps behind.
    void BeginUndoStep();
    void EndUndoStep();
    // Empties the history; the clean mark stays only if the contents are at it. Inside an open
    // step the step is lost too.
    void ClearUndo();
    // Marks the contents as they are now as saved (after an open or a save); undoing or
    // redoing back to them leaves DataChanged False and IsAtUndoCleanPoint True. A new grid is
    // at its mark. A mark out of reach (its steps dropped, replaced by new ones after undoing,
    // or the rows changed outside a step, as a host setting the grid up does) is never reached
    // again until it is set anew.
    void SetUndoCleanPoint();
    bool IsAtUndoCleanPoint() const;
    // The history keeps at most UndoLimit steps (100; 0 keeps none) and UndoMemoryLimit bytes
    // of them (64 MiB), dropping the oldest first. A step larger than the byte limit is not
    // kept, and then nothing before it can be undone either. Not persisted: hosts set it up.
    int UndoLimit() const;
    void SetUndoLimit(int steps);
    qint64 UndoMemoryLimit() const;
    void SetUndoMemoryLimit(qint64 bytes);
    // Bytes the kept steps take.
    qint64 UndoMemoryUsed() const;

  Q_SIGNALS:
    void AfterDeleteRow(int Row);
    void AfterInsertRow(int Row);
    void AfterPaste(int Row1, int Col1, int Row2, int Col2);
    void BeforeChange(bool& Cancel, int Row, int Col);
    // A paste (also of dropped text) or a Ctrl+Enter fill is about to store these texts, each
    // as it will be stored (pasted text already cleaned), in the order they are written; cells
    // outside the grid and cells a fill skips are not listed. Raised before anything changes:
    // Cancel = True stores none of them and leaves the grid, its size and its selection as
    // they were (a fill also gives the current cell back the text it had before the entry).
    // The host shows its own message. Cells a fill does store still raise BeforeChange and
    // Change one by one.
    void BeforeBlockChange(bool& Cancel, const QList<TabulaCell>& Cells);
    void BeforeDeleteRow(int Row, bool& Cancel);
    void BeforeInsertRow(int Row, const QString& Text, bool& Cancel);
    void Change(int Row, int Col);
    void Click();
    void DblClick();
    void EnterCell();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void LeaveCell();
    void MouseDown(int& Button, int& Shift, float& x, float& y);
    void MouseMove(int& Button, int& Shift, float& x, float& y);
    void MouseUp(int& Button, int& Shift, float& x, float& y);
    void OLEDragDrop(const QMimeData* Data, int Effect, int Button, int Shift, float x, float y);
    void PasteOverEnd(bool OverEnd);
    // Undo (Redo = False) or Redo has put back a step: rows Row1..Row2 and columns Col1..Col2
    // enclose the cells it wrote and the rows it inserted or removed, and are now the
    // selection, the current cell at its top left. No BeforeChange, Change or row events are
    // raised for it; DataChanged follows the clean point (see SetUndoCleanPoint).
    void AfterUndo(bool Redo, int Row1, int Col1, int Row2, int Col2);
    void RowColChange();
    void Scroll();
    void SelChange();
    // A persisted property changed (the host environment may save it).
    void PropertyChanged(const QString& name);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // tabula.cpp
    bool checkRow(int r, const char* what);
    bool checkCol(int c, const char* what);
    void indexError(const char* what);
    TabulaAnswer ask(const QString& text, const QString& title, TabulaButtons buttons,
                     TabulaIcon icon);
    void layoutChildren();
    void applyEditColours();
    void numberRows(int from);
    void forEachSelectedRow(const std::function<void(int top)>& action);
    void shadeLockedColumns(int from);
    void fillColumnBack(int col, int firstRow, int lastRow, uint32_t color);
    // tabula_editing.cpp
    void connectGrid();
    void setEditText(const QString& s);
    void syncEditText();
    void rebindIfOutside();
    bool locked(int c) const;
    void writeEditCell(const QString& s);
    void placeEditor();
    void openEditor(bool focus);
    void hideEditor();
    void takeCurrentAsReference();
    void beginEntry();
    void endStaleEditor();
    bool editorHasKeyboard() const;
    void reportChange(int r, int c, bool focusGridOnCancel);
    bool editableCol(int c);
    bool visibleRow(int r);
    void moveForward();
    void moveBackward();
    void bringIntoView();
    void gridKeyDown(int& keyCode, int& shift);
    void gridKeyPress(int& keyAscii);
    bool acceptChar(QChar ch);
    QString filterTyped(const QString& text);
    void editorFilterKey(QLineEdit* box, QKeyEvent* e, bool& handled);
    void insertTyped(QLineEdit* box, const QString& text);
    void fillSelection();
    void deleteSelection();
    void emptySelection();
    void onLeaveCell();
    void onEnterCell();
    void onRowColChange();
    void onScroll();
    void onGridFocus();
    void endEntry();
    void revealEntryCell();
    void applyIme(QWidget* w);
    void beep();
    // tabula_rows.cpp
    void insertPrompt();
    void deletePrompt();
    void pasteClipboard();
    void onMouseUp(int& button, int& shift, float& x, float& y);
    void onDrop(const QMimeData* data, int effect, int button, int shift, float x, float y);
    void buildMenu();
    // tabula_undo.cpp
    void storeText(int r, int c, const QString& s);
    void storeClip(const QString& s);
    void storeRowCount(int n);
    bool takeBackEntry();
    void finishEntry();
    void applyStep(bool redo);

    tabula_detail::FlexGrid* grdMain_ = nullptr;
    std::unique_ptr<tabula_detail::UndoHistory> history_;
    QLineEdit* txtInp_ = nullptr;
    QLineEdit* txtOnGrid_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
    TabulaMessageHandler messageHandler_;
    std::function<void()> beepHandler_;

    bool numeralOnly_ = false;
    bool allowDecimal_ = true;
    bool menuEnabled_ = true;
    bool rightButtonDown_ = false;
    int version_ = 1;
    int imeMode_ = 0;
    int editRow_ = 0;
    int editCol_ = 0;
    int moveableCols_ = 2;
    int maxLength_ = 0;
    int numberingCol_ = 0;
    bool autoNumber_ = false;
    bool arrowLeavesEditor_ = false;
    std::vector<bool> colLock_;
    std::vector<bool> colNumeralOnly_;
    bool dataChanged_ = false;
    bool scrollLock_ = false;
    QString previousText_;
    // What the current cell held before the entry now being typed: a refused entry puts it
    // back. Unlike PreviousText it follows every accepted change of the cell.
    QString entryText_;
    // A change is being reported; the editor closing meanwhile reports nothing more.
    bool reporting_ = false;
    QPixmap mouseIcon_;
    QString toolTip_;
    bool shownOnce_ = false;
    bool syncingEdit_ = false;
    int lastError_ = 0;
    QString lastErrorText_;
};

// Everything the grid's contents undergo while this lives is one undo step.
class TabulaUndoStep {
  public:
    explicit TabulaUndoStep(Tabula& grid) : grid_(grid) { grid_.BeginUndoStep(); }
    ~TabulaUndoStep() { grid_.EndUndoStep(); }
    TabulaUndoStep(const TabulaUndoStep&) = delete;
    TabulaUndoStep& operator=(const TabulaUndoStep&) = delete;

  private:
    Tabula& grid_;
};
