// Grid shape, validated setters, numbering, locks, colours, persistence and layout.
#include "tabula_fixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr uint32_t kLocked = 0x80000016;
constexpr uint32_t kWindow = 0x80000005;

// Records which keys the control asks for, in order.
class LoggingBag : public TabulaPropertyBag {
  public:
    QVariant ReadProperty(const QString& key, const QVariant& def) const override {
        reads << key;
        return TabulaPropertyBag::ReadProperty(key, def);
    }
    mutable QStringList reads;
};

} // namespace

TEST_F(TabulaTest, ShapeSettersRejectValuesThatLeaveNoDataCell) {
    grid->SetCols(5);
    grid->SetRows(6);
    const auto exclamation = TabulaIcon::Exclamation;
    expectMessage(QStringLiteral("Cols の値は、FixedCols の値より１以上大きくなければなりません。"),
                  QStringLiteral("Cols"), TabulaButtons::OK, exclamation);
    grid->SetCols(1); // = FixedCols
    expectMessage(QStringLiteral("FixedColsの値は、列数の値より１以上小さくなければなりません。"),
                  QStringLiteral("FixedCols"), TabulaButtons::OK, exclamation);
    grid->SetFixedCols(5);
    expectMessage(QStringLiteral("FixedRows の値は、Rows の値より１以上小さくなければなりません。"),
                  QStringLiteral("FixedRows"), TabulaButtons::OK, exclamation);
    grid->SetFixedRows(6);
    expectMessage(QStringLiteral("Rows の値は、FixedRows の値より１以上大きくなければなりません。"),
                  QStringLiteral("Rows"), TabulaButtons::OK, exclamation);
    grid->SetRows(1);
    // Zero and negative counts go the same way.
    expectMessage(QStringLiteral("Rows の値は、FixedRows の値より１以上大きくなければなりません。"),
                  QStringLiteral("Rows"), TabulaButtons::OK, exclamation);
    grid->SetRows(0);
    expectMessage(QStringLiteral("Cols の値は、FixedCols の値より１以上大きくなければなりません。"),
                  QStringLiteral("Cols"), TabulaButtons::OK, exclamation);
    grid->SetCols(-3);
    expectMessage(QStringLiteral("FixedRows の値は、Rows の値より１以上小さくなければなりません。"),
                  QStringLiteral("FixedRows"), TabulaButtons::OK, exclamation);
    grid->SetFixedRows(-1);
    EXPECT_EQ(grid->Cols(), 5);
    EXPECT_EQ(grid->Rows(), 6);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);

    grid->SetCols(2); // FixedCols + 1 is enough
    EXPECT_EQ(grid->Cols(), 2);
    EXPECT_EQ(grid->MoveableCols(), 2);
}

TEST_F(TabulaTest, NumberingColMessageNamesTheLastColumn) {
    grid->SetCols(5);
    expectMessage(QStringLiteral("行番号表示列は 0 ～ 4 の間で設定して下さい。"),
                  QStringLiteral("Tabula Control"), TabulaButtons::OK, TabulaIcon::Exclamation);
    grid->SetNumberingCol(5);
    expectMessage(QStringLiteral("行番号表示列は 0 ～ 4 の間で設定して下さい。"),
                  QStringLiteral("Tabula Control"), TabulaButtons::OK, TabulaIcon::Exclamation);
    grid->SetNumberingCol(-1);
    EXPECT_EQ(grid->NumberingCol(), 0);
    grid->SetNumberingCol(4);
    EXPECT_EQ(grid->NumberingCol(), 4);
}

TEST_F(TabulaTest, MoveableColsIsClampedSilently) {
    grid->SetCols(6);
    grid->SetFixedCols(2);
    grid->SetMoveableCols(1);
    EXPECT_EQ(grid->MoveableCols(), 2);
    grid->SetMoveableCols(9);
    EXPECT_EQ(grid->MoveableCols(), 6);
    grid->SetMoveableCols(4);
    EXPECT_EQ(grid->MoveableCols(), 4);
    grid->SetMoveableCols(0);
    EXPECT_EQ(grid->MoveableCols(), 6);
    grid->SetMoveableCols(3);
    grid->SetFixedCols(4); // drags MoveableCols along
    EXPECT_EQ(grid->MoveableCols(), 4);
}

TEST_F(TabulaTest, AutoNumberFollowsFixedRowsAndRows) {
    grid->SetCols(3);
    grid->SetRows(5);
    grid->SetAutoNumber(true);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString()); // setting the flag writes nothing
    grid->SetFixedRows(1);
    EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->TextMatrix(4, 0), QStringLiteral("4"));

    grid->SetFixedRows(2);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString());
    EXPECT_EQ(grid->TextMatrix(2, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->TextMatrix(4, 0), QStringLiteral("3"));

    grid->SetRows(8);
    EXPECT_EQ(grid->TextMatrix(7, 0), QStringLiteral("6"));
}

TEST_F(TabulaTest, ColumnLockShadesDataCellsAndNewRows) {
    grid->SetCols(4);
    grid->SetRows(4);
    grid->SetColLock(2, true);
    EXPECT_TRUE(grid->ColLock(2));
    EXPECT_EQ(grid->CellBackColor2(1, 2), kLocked);
    EXPECT_EQ(grid->CellBackColor2(3, 2), kLocked);
    EXPECT_EQ(grid->CellBackColor2(0, 2), 0u); // the header keeps its colour
    EXPECT_EQ(grid->CellBackColor2(1, 1), 0u);

    // Setting the same value again leaves the cells alone.
    grid->SetCellBackColor2(2, 2, 0x0000FF);
    grid->SetColLock(2, true);
    EXPECT_EQ(grid->CellBackColor2(2, 2), 0x0000FFu);

    grid->SetRows(7);
    EXPECT_EQ(grid->CellBackColor2(6, 2), kLocked);
    grid->SetColLock(2, false);
    EXPECT_EQ(grid->CellBackColor2(6, 2), kWindow);

    grid->SetCols(6); // the lock array grows with the grid
    EXPECT_FALSE(grid->ColLock(5));
    EXPECT_EQ(grid->LastError(), 0);

    // A change of Rows shades every locked column again, old rows included.
    grid->SetColLock(4, true);
    grid->Clear();
    EXPECT_EQ(grid->CellBackColor2(2, 4), 0u);
    grid->SetRows(8);
    EXPECT_EQ(grid->CellBackColor2(2, 4), kLocked);
    EXPECT_EQ(grid->CellBackColor2(7, 4), kLocked);
    EXPECT_EQ(grid->CellBackColor2(0, 4), 0u);
    EXPECT_EQ(grid->CellBackColor2(2, 2), 0u);
}

TEST_F(TabulaTest, ClearEmptiesTheEditBoxesToo) {
    grid->SetCols(3);
    grid->SetRows(4);
    clickCell(1, 1);
    grid->SetTextMatrix(1, 1, QStringLiteral("N30E"));
    grid->Clear();
    EXPECT_EQ(input()->text(), QString());
    input()->setFocus();
    type(QStringLiteral("x")); // the old text does not come back
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("x"));
}

TEST_F(TabulaTest, EnabledIsTheControlsOwnState) {
    QWidget parent;
    grid->setParent(&parent);
    parent.setEnabled(false);
    EXPECT_TRUE(grid->Enabled());
    TabulaPropertyBag bag;
    grid->WriteProperties(bag);
    EXPECT_FALSE(bag.Contains(QStringLiteral("Enabled")));
    grid->SetEnabled(false);
    parent.setEnabled(true);
    EXPECT_FALSE(grid->Enabled());
    grid->setParent(nullptr);
}

TEST_F(TabulaTest, CellColourAccessDoesNotMoveTheCurrentCell) {
    grid->SetCols(5);
    grid->SetRows(8);
    clickCell(2, 1);
    grid->SetRowSel(4);
    grid->SetColSel(3);
    int moves = 0;
    QObject::connect(grid, &Tabula::LeaveCell, grid, [&] { ++moves; });
    QObject::connect(grid, &Tabula::SelChange, grid, [&] { ++moves; });
    grid->SetCellForeColor2(6, 4, 0xFF);
    EXPECT_EQ(grid->CellForeColor2(6, 4), 0xFFu);
    EXPECT_EQ(grid->CellBackColor2(7, 0), 0u);
    EXPECT_EQ(moves, 0);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->RowSel(), 4);
    EXPECT_EQ(grid->ColSel(), 3);
}

TEST_F(TabulaTest, IndexesOutsideTheGridAreRefusedWithoutEffect) {
    grid->SetCols(3);
    grid->SetRows(3);
    grid->SetTextMatrix(1, 1, QStringLiteral("x"));
    grid->SetDataChanged(false);

    EXPECT_EQ(grid->TextMatrix(-1, 0), QString());
    EXPECT_EQ(grid->LastError(), Tabula::IndexError);
    grid->ClearError();
    EXPECT_EQ(grid->LastError(), 0);

    grid->SetTextMatrix(3, 0, QStringLiteral("y"));
    grid->SetTextMatrixBC(0, 3, QStringLiteral("y"));
    EXPECT_FALSE(grid->ColLock(3));
    grid->SetColLock(-1, true);
    grid->SetCellBackColor2(99, 1, 0xFF);
    EXPECT_EQ(grid->CellForeColor2(1, 99), 0u);
    grid->SetColWidth(7, 100);
    grid->SetRowHeight(-3, 100);
    grid->SetRow(3);
    grid->SetColSel(-1);
    grid->SetMergeRow(5, true);
    grid->SetColBackColor(3, 0xFF);
    grid->RemoveItem(10);
    EXPECT_EQ(grid->LastError(), Tabula::IndexError);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(grid->DataChanged());
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("x"));
}

TEST_F(TabulaTest, TextWritesMirrorTheBoundCellIntoBothBoxes) {
    grid->SetCols(3);
    grid->SetRows(4);
    clickCell(1, 1);
    grid->SetDataChanged(false);
    grid->SetTextMatrix(1, 1, QStringLiteral("N30E"));
    EXPECT_EQ(input()->text(), QStringLiteral("N30E"));
    EXPECT_EQ(editor()->text(), QStringLiteral("N30E"));
    EXPECT_TRUE(grid->DataChanged());
    grid->SetTextMatrix(2, 1, QStringLiteral("other"));
    EXPECT_EQ(input()->text(), QStringLiteral("N30E"));
    grid->SetText(QStringLiteral("45"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("45"));
    EXPECT_EQ(input()->text(), QStringLiteral("45"));
    EXPECT_TRUE(events.isEmpty()); // plain writes raise nothing
}

TEST_F(TabulaTest, TextMatrixBCRaisesChangeEventsAndHonoursCancel) {
    grid->SetCols(3);
    grid->SetRows(4);
    grid->SetTextMatrix(2, 2, QStringLiteral("old"));
    grid->SetDataChanged(false);
    grid->SetTextMatrixBC(2, 2, QStringLiteral("new"));
    EXPECT_EQ(events, QStringList({"BeforeChange 2,2", "Change 2,2"}));
    EXPECT_TRUE(grid->DataChanged());

    events.clear();
    grid->SetDataChanged(false);
    cancelNext = true;
    grid->SetTextMatrixBC(2, 2, QStringLiteral("rejected"));
    EXPECT_EQ(events, QStringList({"BeforeChange 2,2"}));
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("new"));
    EXPECT_FALSE(grid->DataChanged());

    events.clear();
    grid->SetTextMatrixBC(0, 2, QStringLiteral("header")); // fixed cells raise nothing
    grid->SetRedraw(false);
    grid->SetTextMatrixBC(3, 2, QStringLiteral("quiet"));
    grid->SetRedraw(true);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(grid->TextMatrix(0, 2), QStringLiteral("header"));

    // Writing another cell leaves the current cell's reference alone.
    grid->SetTextMatrix(1, 1, QStringLiteral("30"));
    clickCell(2, 1);
    clickCell(1, 1);
    grid->SetTextMatrixBC(3, 2, QStringLiteral("elsewhere"));
    EXPECT_EQ(grid->PreviousText(), QStringLiteral("30"));
    events.clear();
    grid->SetRow(2);
    EXPECT_EQ(events, QStringList({"RowColChange"}));
}

TEST_F(TabulaTest, VisibilityKeepsOrRestoresSizes) {
    grid->SetCols(4);
    grid->SetRows(4);
    grid->SetColWidth(2, 1234);
    grid->SetColVisible(2, true);
    EXPECT_EQ(grid->ColWidth(2), 1234);
    grid->SetColVisible(2, false);
    EXPECT_FALSE(grid->ColVisible(2));
    EXPECT_FALSE(grid->ColIsVisible(2));
    grid->SetColVisible(2, true);
    const int expected = QFontMetrics(grid->Font()).horizontalAdvance(QStringLiteral("00000")) *
                         1440 / grid->logicalDpiX();
    EXPECT_NEAR(grid->ColWidth(2), expected, 1);

    grid->SetRowVisible(3, false);
    EXPECT_EQ(grid->RowHeight(3), 0);
    grid->SetRowVisible(3, true);
    EXPECT_EQ(grid->RowHeight(3), grid->RowHeightMin());
    EXPECT_GT(grid->RowHeightMin(), 0); // set from the font's one-line editor height
}

TEST_F(TabulaTest, ControlIsNeverLowerThanItsInputLine) {
    grid->resize(-20, 3);
    EXPECT_EQ(grid->width(), 0);
    EXPECT_EQ(grid->height(), input()->height());
    grid->resize(0, 200); // no width: the input line's height
    EXPECT_EQ(grid->width(), 0);
    EXPECT_EQ(grid->height(), input()->height());
    grid->resize(300, 200);
    EXPECT_EQ(input()->geometry(), QRect(0, 0, 300, input()->height()));
    EXPECT_EQ(inner()->geometry(), QRect(0, input()->height(), 300, 200 - input()->height()));
    EXPECT_DOUBLE_EQ(grid->MinHeight(), 2.0 * input()->height() * 1440 / grid->logicalDpiY());
}

TEST_F(TabulaTest, FreshControlHasTheStoredDefaults) {
    Tabula fresh;
    EXPECT_TRUE(fresh.AllowDecimal());
    EXPECT_TRUE(fresh.MenuEnabled());
    EXPECT_FALSE(fresh.NumeralOnly());
    EXPECT_EQ(fresh.Rows(), 2);
    EXPECT_EQ(fresh.Cols(), 2);
    EXPECT_EQ(fresh.FixedRows(), 1);
    EXPECT_EQ(fresh.FixedCols(), 1);
    EXPECT_EQ(fresh.MoveableCols(), 2);
    EXPECT_EQ(fresh.Version(), 1);
    EXPECT_EQ(fresh.AllowUserResizing(), 3);
    EXPECT_EQ(fresh.GridLinesFixed(), 2);
    EXPECT_EQ(fresh.BackColor(), kWindow);
    EXPECT_EQ(fresh.ForeColorFixed(), 0x80000012u);
    EXPECT_FALSE(fresh.ColLock(1));
}

TEST_F(TabulaTest, PropertiesSurviveASaveAndLoad) {
    Tabula source;
    source.SetCols(5);
    source.SetRows(30);
    source.SetFixedRows(2);
    source.SetNumeralOnly(true);
    source.SetAllowDecimal(false);
    source.SetMaxLength(4);
    source.SetIMEMode(tbIMEModeOff);
    source.SetMoveableCols(3);
    source.SetGridLines(2);
    source.SetForeColor(0x00FF00);
    source.SetToolTipText(QStringLiteral("測定値"));
    QFont font(QStringLiteral("IPAGothic"), 13);
    source.SetFont(font);

    TabulaPropertyBag bag;
    source.WriteProperties(bag);
    EXPECT_FALSE(bag.Contains(QStringLiteral("MenuEnabled"))); // equal to its default
    EXPECT_TRUE(bag.Contains(QStringLiteral("numeralonly")));  // keys ignore case
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("COLS"), 0).toInt(), 5);

    Tabula copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Cols(), 5);
    EXPECT_EQ(copy.Rows(), 30);
    EXPECT_EQ(copy.FixedRows(), 2);
    EXPECT_TRUE(copy.NumeralOnly());
    EXPECT_FALSE(copy.AllowDecimal());
    EXPECT_EQ(copy.MaxLength(), 4);
    EXPECT_EQ(copy.IMEMode(), tbIMEModeOff);
    EXPECT_EQ(copy.MoveableCols(), 3);
    EXPECT_EQ(copy.GridLines(), 2);
    EXPECT_EQ(copy.ForeColor(), 0x00FF00u);
    EXPECT_EQ(copy.ToolTipText(), QStringLiteral("測定値"));
    EXPECT_EQ(copy.Font().pointSize(), 13);
    EXPECT_EQ(copy.RowHeightMin(), source.RowHeightMin());
}

TEST_F(TabulaTest, LoadingReadsKeysInOrderAndNumbersRows) {
    LoggingBag bag;
    bag.WriteProperty(QStringLiteral("rows"), 6);
    bag.WriteProperty(QStringLiteral("cols"), 3);
    bag.WriteProperty(QStringLiteral("autonumber"), true);

    Tabula loaded;
    loaded.ReadProperties(bag);
    const QStringList order = {
        "Enabled",        "NumeralOnly",    "AllowDecimal",      "MenuEnabled",   "AutoNumber",
        "ScrollLock",     "MaxLength",      "NumberingCol",      "Version",       "BackColor",
        "ForeColor",      "IMEMode",        "AllowUserResizing", "BackColor",     "Cols",
        "Rows",           "MoveableCols",   "FillStyle",         "FixedCols",     "FixedRows",
        "FocusRect",      "ForeColor",      "ForeColorFixed",    "ForeColorSel",  "GridColor",
        "GridColorFixed", "GridLines",      "GridLinesFixed",    "GridLineWidth", "HighLight",
        "MousePointer",   "OLEDropMode",    "RowHeightMin",      "ScrollBars",    "SelectionMode",
        "TextStyle",      "TextStyleFixed", "ToolTipText",       "WordWrap",      "Font",
        "MouseIcon"};
    EXPECT_EQ(bag.reads, order);
    EXPECT_EQ(loaded.MoveableCols(), 3); // defaults to the loaded Cols
    EXPECT_EQ(loaded.TextMatrix(1, 0), QStringLiteral("1"));
    EXPECT_EQ(loaded.TextMatrix(5, 0), QStringLiteral("5"));
    EXPECT_EQ(loaded.TextMatrix(0, 0), QString());
    EXPECT_FALSE(loaded.ColLock(2));
    EXPECT_EQ(loaded.LastError(), 0);
}

TEST_F(TabulaTest, RedrawOnTakesTheCurrentTextAsReference) {
    grid->SetCols(3);
    grid->SetRows(4);
    clickCell(1, 1);
    grid->SetRedraw(false);
    grid->SetTextMatrix(1, 1, QStringLiteral("loaded"));
    grid->SetRedraw(true);
    EXPECT_EQ(grid->PreviousText(), QStringLiteral("loaded"));
    grid->SetRow(2); // nothing changed since the reference was taken
    EXPECT_FALSE(events.contains(QStringLiteral("Change 1,1")));
}

TEST_F(TabulaTest, AboutBoxShowsNameAndVersion) {
    QString caption, title, version;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        title = box->findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
        version = box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    grid->ShowAboutBox();
    EXPECT_EQ(caption, QStringLiteral("Tabula Control のﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(title, QStringLiteral("Tabula Control"));
    EXPECT_EQ(version, QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                           .arg(Tabula::VersionMajor)
                           .arg(Tabula::VersionMinor)
                           .arg(Tabula::VersionRevision));
}

TEST_F(TabulaTest, DataGridSetUpMergesTheCaptionRow) {
    BMContour::InitDataGrid(*grid);
    EXPECT_EQ(grid->Rows(), 102);
    EXPECT_EQ(grid->FixedRows(), 2);
    EXPECT_EQ(grid->Cols(), 5);
    EXPECT_EQ(grid->MergeCells(), tabulaMergeRestrictRows);
    EXPECT_TRUE(grid->MergeRow(0));
    EXPECT_FALSE(grid->MergeRow(1));
    EXPECT_EQ(grid->TextMatrix(2, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->TextMatrix(101, 0), QStringLiteral("100"));
    EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("No."));
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->EditRow(), 2);
    EXPECT_EQ(grid->EditCol(), 1);
}
