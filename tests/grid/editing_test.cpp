// Typing into cells, change detection, navigation and input filtering.
#include "tabula_fixture.h"

#include <QAbstractScrollArea>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

class EditingTest : public TabulaTest {
  protected:
    void SetUp() override {
        TabulaTest::SetUp();
        grid->SetCols(5);
        grid->SetRows(8);
        clickCell(1, 1);
    }
};

} // namespace

TEST_F(EditingTest, TypingReplacesTheCellAtOnce) {
    grid->SetNumeralOnly(true);
    grid->SetTextMatrix(1, 1, QStringLiteral("25"));
    grid->SetDataChanged(false);
    type(QStringLiteral("1"));
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(focused(), editor());
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("1"));
    EXPECT_EQ(input()->text(), QStringLiteral("1"));
    EXPECT_TRUE(grid->DataChanged());
    type(QStringLiteral("8"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("18"));
    EXPECT_EQ(editor()->cursorPosition(), 2);
    // The editor lies exactly over the cell.
    const QRect cell(grid->CellLeft() * grid->logicalDpiX() / 1440,
                     grid->CellTop() * grid->logicalDpiY() / 1440, 0, 0);
    EXPECT_NEAR(editor()->x(), cell.x(), 1);
    EXPECT_NEAR(editor()->y(), cell.y(), 1);
    EXPECT_NEAR(editor()->width(), grid->ColWidth(1) * grid->logicalDpiX() / 1440, 1);
}

TEST_F(EditingTest, TypingInTheInputLineWritesTheCellToo) {
    input()->setFocus();
    EXPECT_TRUE(editor()->isVisible()); // shown over the cell, without the focus
    EXPECT_EQ(focused(), input());
    type(QStringLiteral("N3"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("N3"));
    EXPECT_EQ(editor()->text(), QStringLiteral("N3"));
    key(Qt::Key_Return); // back to the grid, no move
    EXPECT_EQ(focused(), inner());
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_FALSE(editor()->isVisible());
}

TEST_F(EditingTest, NumericFilterBeepsOnWhatCannotBeANumber) {
    grid->SetNumeralOnly(true);
    grid->SetAllowDecimal(false);
    type(QStringLiteral(".")); // in the grid
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(editor()->isVisible());
    type(QStringLiteral("-4"));
    type(QStringLiteral(".x")); // in the in-cell editor
    EXPECT_EQ(beeps, 3);
    type(QStringLiteral("全")); // double-byte: dropped silently
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("-4"));
    key(Qt::Key_Escape);
    input()->setFocus();
    type(QStringLiteral(".")); // in the input line
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(input()->text(), QStringLiteral("-4"));

    grid->SetAllowDecimal(true);
    type(QStringLiteral(".5/"));
    EXPECT_EQ(input()->text(), QStringLiteral("-4.5/"));
    EXPECT_EQ(beeps, 4);
}

TEST_F(EditingTest, JapaneseTextIsTypedUnlessTheImeIsOff) {
    type(QStringLiteral("走向"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("走向"));
    key(Qt::Key_Escape);
    clickCell(2, 1);
    grid->SetIMEMode(tbIMEModeDisable);
    type(QStringLiteral("傾"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_FALSE(editor()->isVisible());
    type(QStringLiteral("ｱ")); // half-width katakana is a single-byte character
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("ｱ"));
}

TEST_F(EditingTest, EscapeKeepsTheTextAndReportsTheChange) {
    grid->SetTextMatrix(1, 1, QStringLiteral("se"));
    clickCell(1, 1);
    type(QStringLiteral("NW"));
    key(Qt::Key_Escape);
    EXPECT_EQ(focused(), inner());
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("NW"));
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1"}));

    // Leaving the cell reports the same change once more.
    events.clear();
    key(Qt::Key_Down);
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1", "RowColChange"}));
}

TEST_F(EditingTest, ChangeThatOnlyDiffersInCaseIsNoChange) {
    grid->SetTextMatrix(1, 1, QStringLiteral("se"));
    clickCell(2, 1);
    clickCell(1, 1); // entering the cell takes its text as the reference
    type(QStringLiteral("SE"));
    key(Qt::Key_Escape);
    key(Qt::Key_Down);
    EXPECT_EQ(events, QStringList({"RowColChange"}));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("SE"));
}

TEST_F(EditingTest, CancelledChangeRestoresTheOldText) {
    grid->SetTextMatrix(1, 3, QStringLiteral("45"));
    clickCell(1, 3);
    type(QStringLiteral("91"));
    cancelNext = true;
    key(Qt::Key_Escape);
    EXPECT_EQ(events, QStringList({"BeforeChange 1,3"}));
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("45"));
    EXPECT_EQ(input()->text(), QStringLiteral("45"));
    events.clear();
    key(Qt::Key_Right); // nothing left to report
    EXPECT_EQ(events, QStringList({"RowColChange"}));
}

TEST_F(EditingTest, EnterMovesThroughEditableCellsAndWrapsRows) {
    grid->SetColWidth(2, 0);   // hidden
    grid->SetColLock(3, true); // locked
    grid->SetRowHeight(2, 0);  // hidden row
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 4);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 1);

    clickCell(7, 4); // last column of the last row: back to the first column, same row
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 7);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(EditingTest, EnterCyclesWithinMoveableCols) {
    grid->SetMoveableCols(3);
    clickCell(1, 2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
    clickCell(1, 3);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 4);
}

TEST_F(EditingTest, ShiftEnterGoesBackToThePreviousRowsLastColumn) {
    grid->SetMoveableCols(4);
    grid->SetColLock(3, true);
    grid->SetRowHeight(3, 0);
    clickCell(4, 1);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 2);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid->Col(), 1);
    clickCell(1, 1); // first data row: stays in its row
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(EditingTest, EnterInTheEditorMovesOnAndReportsOnce) {
    type(QStringLiteral("30"));
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), inner());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("30"));
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1", "RowColChange"}));
}

TEST_F(EditingTest, KeyDownHandlerCanSwallowEnter) {
    QObject::connect(grid, &Tabula::KeyDown, grid, [](int& keyCode, int& shift) {
        if (keyCode == 13 && shift == 0)
            keyCode = 0;
    });
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 1);
    type(QStringLiteral("5"));
    key(Qt::Key_Return); // the editor's Enter goes through the same handler
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(focused(), inner());
}

TEST_F(EditingTest, ArrowsEndAnEditOnlyUntilTheEditorIsClicked) {
    type(QStringLiteral("12"));
    key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(focused(), inner());

    type(QStringLiteral("ab"));
    QTest::mouseClick(editor(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(grid->ArrowLeavesEditor());
    key(Qt::Key_End);
    key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(focused(), editor());
    EXPECT_EQ(editor()->cursorPosition(), 1);
}

TEST_F(EditingTest, ArrowAtTheEdgeStillEndsTheEdit) {
    clickCell(1, 1);
    type(QStringLiteral("7"));
    key(Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(focused(), inner());
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1"}));
}

TEST_F(EditingTest, CtrlEnterFillsTheSelectionExceptLockedAndHiddenColumns) {
    grid->SetTextMatrix(2, 1, QStringLiteral("se"));
    grid->SetTextMatrix(3, 3, QStringLiteral("keep"));
    grid->SetColWidth(2, 0);
    grid->SetColLock(3, true);
    clickCell(1, 1);
    grid->SetRowSel(3);
    grid->SetColSel(3);
    type(QStringLiteral("SE"));
    events.clear();
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(events,
              QStringList({"BeforeChange 1,1", "Change 1,1", "BeforeChange 3,1", "Change 3,1"}));
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("SE"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("se")); // equal ignoring case
    EXPECT_EQ(grid->TextMatrix(3, 2), QString());
    EXPECT_EQ(grid->TextMatrix(3, 3), QStringLiteral("keep"));
    EXPECT_EQ(focused(), editor());
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(grid->ColSel(), 3);

    // The current cell keeps the text it had on entry as its reference: closing the editor
    // reports its change once more.
    EXPECT_EQ(grid->PreviousText(), QString());
    events.clear();
    key(Qt::Key_Escape);
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1"}));
}

TEST_F(EditingTest, CtrlEnterHonoursACancel) {
    clickCell(1, 1);
    grid->SetRowSel(2);
    type(QStringLiteral("9"));
    events.clear();
    QObject::connect(grid, &Tabula::BeforeChange, grid,
                     [](bool& cancel, int r, int) { cancel = r == 2; });
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("9"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1", "BeforeChange 2,1"}));
}

TEST_F(EditingTest, DeleteEmptiesTheSelectionAndReportsEachCell) {
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            grid->SetTextMatrix(r, c, QStringLiteral("v"));
    grid->SetColLock(2, true);
    clickCell(3, 3); // drawn upwards and leftwards
    grid->SetRowSel(2);
    grid->SetColSel(1);
    grid->SetDataChanged(false);
    events.clear();
    key(Qt::Key_Delete);
    EXPECT_EQ(events, QStringList({"Change 2,1", "Change 2,2", "Change 2,3", "Change 3,1",
                                   "Change 3,2", "Change 3,3"}));
    EXPECT_EQ(grid->TextMatrix(2, 2), QString()); // locked, but inside the selection
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("v"));
    EXPECT_EQ(input()->text(), QString());
    EXPECT_TRUE(grid->DataChanged());

    clickCell(1, 2); // the current cell itself locked: nothing
    key(Qt::Key_Delete);
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("v"));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(EditingTest, BackspaceAndDoubleClickOpenTheEditor) {
    grid->SetTextMatrix(1, 1, QStringLiteral("120"));
    clickCell(1, 1);
    key(Qt::Key_Backspace);
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(grid->TextMatrix(1, 1), QString());
    key(Qt::Key_Escape);

    grid->SetTextMatrix(2, 1, QStringLiteral("N30E"));
    int doubleClicks = 0;
    QObject::connect(grid, &Tabula::DblClick, grid, [&] { ++doubleClicks; });
    clickCell(2, 1);
    QWidget* viewport = inner()->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    const QPoint inControl(grid->CellLeft() * grid->logicalDpiX() / 1440 + 5,
                           grid->CellTop() * grid->logicalDpiY() / 1440 + 5);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier,
                       viewport->mapFrom(grid, inControl));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), QStringLiteral("N30E"));
    EXPECT_EQ(editor()->cursorPosition(), 4);
}

TEST_F(EditingTest, LockedColumnRefusesTyping) {
    grid->SetColLock(1, true);
    grid->SetTextMatrix(2, 1, QStringLiteral("x"));
    clickCell(2, 1);
    EXPECT_FALSE(input()->isEnabled());
    type(QStringLiteral("5"));
    key(Qt::Key_Backspace);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("x"));
    clickCell(2, 2);
    EXPECT_TRUE(input()->isEnabled());

    // Moved onto the locked column while redrawing was off: the input line closes all the same.
    grid->SetRedraw(false);
    grid->SetCol(1);
    grid->SetRedraw(true);
    EXPECT_FALSE(input()->isEnabled());
}

TEST_F(EditingTest, MaxLengthLimitsTypingOnly) {
    grid->SetMaxLength(2);
    type(QStringLiteral("123"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("12"));
    EXPECT_EQ(beeps, 1);
    key(Qt::Key_Escape);
    grid->SetTextMatrix(1, 1, QStringLiteral("12345"));
    EXPECT_EQ(input()->text(), QStringLiteral("12345"));
}

TEST_F(EditingTest, EnterScrollsTheNewCellIntoView) {
    grid->SetRows(300);
    for (int i = 0; i < 120; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 121);
    EXPECT_TRUE(grid->RowIsVisible(121));
    clickCell(grid->TopRow() + 3, 4);
    const int top = grid->TopRow();
    grid->SetTopRow(1); // the current cell scrolled out of sight
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), top + 4);
    EXPECT_TRUE(grid->RowIsVisible(grid->Row()));
    EXPECT_TRUE(grid->ColIsVisible(1));
}

TEST_F(EditingTest, ScrollingMovesOrHidesTheOpenEditor) {
    grid->SetRows(300);
    clickCell(5, 1);
    type(QStringLiteral("3"));
    const int y = editor()->y();
    grid->SetTopRow(2);
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_LT(editor()->y(), y);
    grid->SetTopRow(20);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(focused(), inner());
    EXPECT_EQ(events, QStringList({"BeforeChange 5,1", "Change 5,1"}));
}

TEST_F(EditingTest, ScrollLockKeepsTheCurrentCellShown) {
    grid->SetRows(300);
    grid->SetScrollLock(true);
    clickCell(3, 1);
    int scrolls = 0;
    QObject::connect(grid, &Tabula::Scroll, grid, [&] { ++scrolls; });
    grid->SetTopRow(100);
    EXPECT_TRUE(grid->RowIsVisible(3));
    grid->SetTopRow(2);
    EXPECT_TRUE(grid->RowIsVisible(3));
    EXPECT_GE(scrolls, 1);
}

TEST_F(EditingTest, InputMethodTextIsFilteredLikeTyping) {
    type(QStringLiteral("a"));
    ASSERT_EQ(focused(), editor());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("傾斜"));
    QApplication::sendEvent(editor(), &commit);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("a傾斜"));
    key(Qt::Key_Escape);

    clickCell(2, 1);
    grid->SetNumeralOnly(true);
    grid->SetMaxLength(3);
    type(QStringLiteral("4"));
    QInputMethodEvent wide;
    wide.setCommitString(QStringLiteral("５x67")); // full-width digit narrowed, letter beeps
    QApplication::sendEvent(editor(), &wide);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("456"));
    EXPECT_EQ(beeps, 2); // the letter and the digit beyond the limit
}

TEST_F(EditingTest, CellsThatBecomeHeadersAreNoLongerEdited) {
    clickCell(2, 1);
    grid->SetFixedRows(3); // the current row is now a header row
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->EditRow(), 3);
    input()->setFocus();
    type(QStringLiteral("x"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("x"));
}

TEST_F(EditingTest, DraggingAHeaderEdgeResizesTheColumn) {
    QWidget* viewport = inner()->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    const int before = grid->ColWidth(1);
    const int edgeTwips = grid->ColPos(1) + before;
    const QPoint inControl(edgeTwips * grid->logicalDpiX() / 1440,
                           grid->RowPos(0) * grid->logicalDpiY() / 1440 + 3);
    const QPoint edge = viewport->mapFrom(grid, inControl);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + QPoint(30, 0)),
                     viewport->mapToGlobal(QPointF(edge + QPoint(30, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, edge + QPoint(30, 0));
    EXPECT_NEAR(grid->ColWidth(1), before + 30 * 1440 / grid->logicalDpiX(), 30);
    EXPECT_EQ(grid->Col(), 1); // a resize is no click on a cell
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(EditingTest, DisablingTheControlHidesTheEditor) {
    type(QStringLiteral("5"));
    ASSERT_TRUE(editor()->isVisible());
    grid->SetEnabled(false);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("5"));
    grid->SetEnabled(true);
    EXPECT_FALSE(editor()->isVisible());
}

TEST_F(EditingTest, TabLeavesTheEditorLikeAnyOtherControl) {
    type(QStringLiteral("5"));
    key(Qt::Key_Tab);
    EXPECT_NE(focused(), editor());
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("5"));
    EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1"}));
}

// However the input line is left, its entry is reported and the editor over its cell goes.
TEST_F(EditingTest, LeavingTheInputLineEndsItsEntry) {
    for (Qt::Key leave : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_unknown}) {
        input()->setFocus();
        type(QStringLiteral("7"));
        events.clear();
        leave == Qt::Key_unknown ? grid->setFocus() : key(leave);
        EXPECT_EQ(events, QStringList({"BeforeChange 1,1", "Change 1,1"})) << leave;
        EXPECT_FALSE(editor()->isVisible());
    }
}

TEST_F(EditingTest, StartingAnEntryBringsTheCurrentCellIntoView) {
    grid->SetRows(300);
    for (Qt::Key start : {Qt::Key_4, Qt::Key_Backspace, Qt::Key_unknown}) {
        clickCell(150, 2);
        grid->SetTopRow(1);
        start == Qt::Key_unknown ? input()->setFocus() : key(start);
        EXPECT_TRUE(grid->RowIsVisible(150)) << start;
    }
}

TEST_F(EditingTest, ATroughClickPagesByTheRowsShown) {
    grid->SetRows(300);
    grid->SetRowHeightMin(grid->RowHeight(1) * 3 / 2); // rows drawn taller than the default
    int shown = 0;
    while (grid->RowIsVisible(1 + shown))
        ++shown;
    static_cast<QAbstractScrollArea*>(inner())->verticalScrollBar()->triggerAction(
        QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->TopRow(), 1 + shown);
}
