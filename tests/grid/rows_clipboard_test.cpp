// Row insertion and removal, the clipboard, dropped text and the pop-up menu.
#include "tabula_fixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QString kInsertText = QStringLiteral("選択位置に行を挿入します。\r\nよろしいですか？");
const QString kDeleteText = QStringLiteral("選択行を削除します。\r\nよろしいですか？");
const QString kTooMany =
    QStringLiteral("貼り付けようとするﾃｷｽﾄは行数が多すぎます。\r\n行を増やしますか？");

class RowsTest : public TabulaTest {
  protected:
    void SetUp() override {
        TabulaTest::SetUp();
        grid->SetCols(4);
        grid->SetRows(10);
        grid->SetNumberingCol(0);
        grid->SetAutoNumber(true);
        grid->SetFixedRows(1); // numbers the rows
        for (int r = 1; r < 10; ++r)
            grid->SetTextMatrix(r, 1, QStringLiteral("r%1").arg(r));
        clickCell(1, 1);
    }

    QStringList column(int c) {
        QStringList texts;
        for (int r = 1; r < grid->Rows(); ++r)
            texts << grid->TextMatrix(r, c);
        return texts;
    }

    QWidget* viewport() {
        return inner()->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    }
    QPoint cellPoint(int r, int c) {
        // Centre of a cell in viewport pixels, from the column and row positions.
        const int x = grid->ColPos(c) + grid->ColWidth(c) / 2;
        const int y = grid->RowPos(r) + grid->RowHeight(r) / 2;
        const QPoint inControl(x * grid->logicalDpiX() / 1440, y * grid->logicalDpiY() / 1440);
        return viewport()->mapFrom(grid, inControl);
    }

    // Right-clicks a cell and returns the enabled state of the menu items, then closes it,
    // choosing item `choose` first when given.
    QMap<int, bool> rightClickMenu(const QPoint& at, int choose = 0) {
        QMap<int, bool> enabled;
        QTimer reader; // lives no longer than this call
        reader.setSingleShot(true);
        QObject::connect(&reader, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* a : menu->actions())
                if (!a->isSeparator())
                    enabled[a->data().toInt()] = a->isEnabled();
            menu->close();
            for (QAction* a : menu->actions())
                if (choose && a->data().toInt() == choose)
                    a->trigger();
        });
        reader.start(0);
        QTest::mousePress(viewport(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(viewport(), Qt::RightButton, Qt::NoModifier, at);
        return enabled;
    }
};

} // namespace

TEST_F(RowsTest, InsertPromptAddsEmptyRowsAboveTheSelection) {
    clickCell(5, 2);
    grid->SetRowSel(3); // drawn upwards
    expectMessage(kInsertText, QStringLiteral("行の挿入"), TabulaButtons::YesNo,
                  TabulaIcon::Information, TabulaAnswer::Yes);
    grid->SetDataChanged(false);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->Rows(), 13);
    EXPECT_EQ(column(1).mid(0, 6), QStringList({"r1", "r2", "", "", "", "r3"}));
    EXPECT_EQ(column(0).last(), QStringLiteral("12"));
    EXPECT_EQ(grid->TextMatrix(3, 0), QStringLiteral("3"));
    EXPECT_EQ(events, QStringList({"BeforeInsertRow 3", "AfterInsertRow 5", "BeforeInsertRow 3",
                                   "AfterInsertRow 5", "BeforeInsertRow 3", "AfterInsertRow 5"}));
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(grid->DataChanged());
    EXPECT_EQ(focused(), inner());

    expectMessage(kInsertText, QStringLiteral("行の挿入"), TabulaButtons::YesNo,
                  TabulaIcon::Information, TabulaAnswer::No);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->Rows(), 13);
}

TEST_F(RowsTest, InsertedRowsInLockedColumnsAreShaded) {
    grid->SetColLock(3, true);
    grid->AddItem(QString(), 2);
    EXPECT_EQ(grid->CellBackColor2(2, 3), Tabula::LockedCellColor);
    EXPECT_EQ(grid->CellBackColor2(2, 2), 0u);
}

TEST_F(RowsTest, RowInsertedAtTheCurrentRowIsNoChangeOfIt) {
    clickCell(4, 1);
    grid->AddItem(QString(), 4);
    EXPECT_EQ(grid->TextMatrix(4, 1), QString());
    EXPECT_EQ(grid->PreviousText(), QString());
    events.clear();
    key(Qt::Key_Down);
    EXPECT_EQ(events, QStringList({"RowColChange"}));
    EXPECT_EQ(grid->TextMatrix(4, 1), QString());
}

TEST_F(RowsTest, CancelledInsertionStillCountsAsAChange) {
    cancelNext = true;
    grid->SetDataChanged(false);
    grid->AddItem(QStringLiteral("x"), 4);
    EXPECT_EQ(grid->Rows(), 10);
    EXPECT_TRUE(grid->DataChanged());
    EXPECT_EQ(events, QStringList({"BeforeInsertRow 4", "AfterInsertRow 1"}));
}

TEST_F(RowsTest, RemovalRenumbersTheRowsBelow) {
    clickCell(6, 1);
    grid->RemoveItem(3);
    EXPECT_EQ(grid->Rows(), 9);
    EXPECT_EQ(column(0), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(column(1).mid(0, 4), QStringList({"r1", "r2", "r4", "r5"}));
    EXPECT_EQ(events, QStringList({"BeforeDeleteRow 3", "AfterDeleteRow 6"}));
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(input()->text(), QStringLiteral("r7"));

    // The current row now holds another row's text: leaving it reports nothing.
    events.clear();
    key(Qt::Key_Down);
    EXPECT_EQ(events, QStringList({"RowColChange"}));
}

TEST_F(RowsTest, DeletePromptRemovesSelectedRowsButNeverTheLast) {
    clickCell(2, 1);
    grid->SetRowSel(4);
    expectMessage(kDeleteText, QStringLiteral("行の削除"), TabulaButtons::YesNo,
                  TabulaIcon::Exclamation, TabulaAnswer::Yes);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(column(1).mid(0, 3), QStringList({"r1", "r5", "r6"}));
    EXPECT_EQ(grid->Rows(), 7);

    // Two data rows, both selected: one goes, the last one stays, without events.
    grid->SetRows(3);
    clickCell(1, 1);
    grid->SetRowSel(2);
    grid->RemoveItem(-1);
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(events, QStringList({"BeforeDeleteRow 1", "AfterDeleteRow 1"}));
    grid->RemoveItem(0); // a fixed row
    grid->RemoveItem(1); // the last data row
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(events.size(), 2);
}

TEST_F(RowsTest, CancelledRemovalKeepsTheRowButReports) {
    cancelNext = true;
    grid->SetDataChanged(false);
    grid->RemoveItem(2);
    EXPECT_EQ(grid->Rows(), 10);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("r2"));
    EXPECT_TRUE(grid->DataChanged());
    EXPECT_EQ(events, QStringList({"BeforeDeleteRow 2", "AfterDeleteRow 1"}));
}

TEST_F(RowsTest, PasteFillsABlockAndReportsIt) {
    grid->SetDataChanged(false);
    grid->PasteText(QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("b"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("c"));
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("d"));
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("r3"));
    EXPECT_EQ(events, QStringList({"AfterPaste 1,1,2,2"}));
    EXPECT_EQ(grid->RowSel(), 2);
    EXPECT_EQ(grid->ColSel(), 2);
    EXPECT_TRUE(grid->DataChanged());
    EXPECT_EQ(input()->text(), QStringLiteral("a"));
}

TEST_F(RowsTest, ClipTextOverTheBoundCellShowsInTheInputLine) {
    grid->SetRowSel(2);
    grid->SetColSel(2);
    grid->SetClip(QStringLiteral("a\tb\rc\td"));
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("d"));
    EXPECT_EQ(input()->text(), QStringLiteral("a"));
}

TEST_F(RowsTest, PasteOfLinesEndingInLineFeedsLandsInRows) {
    grid->PasteText(QStringLiteral("x\ny\nz\n"));
    EXPECT_EQ(column(1).mid(0, 4), QStringList({"x", "y", "z", "r4"}));
}

TEST_F(RowsTest, PasteBeyondTheLastRowAsksToGrow) {
    clickCell(9, 1);
    expectMessage(kTooMany, QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel,
                  TabulaIcon::Question, TabulaAnswer::Yes);
    grid->SetColLock(3, true);
    grid->PasteText(QStringLiteral("1\t2\r2\t3\r3\t4"));
    EXPECT_EQ(grid->Rows(), 12);
    EXPECT_EQ(grid->TextMatrix(11, 1), QStringLiteral("3"));
    EXPECT_EQ(grid->TextMatrix(11, 0), QStringLiteral("11"));
    EXPECT_EQ(grid->CellBackColor2(11, 3), Tabula::LockedCellColor);
    EXPECT_EQ(events, QStringList({"AfterPaste 9,1,11,2", "PasteOverEnd True"}));
}

TEST_F(RowsTest, PasteBeyondTheLastRowTruncatedOrCancelled) {
    clickCell(9, 1);
    expectMessage(kTooMany, QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel,
                  TabulaIcon::Question, TabulaAnswer::No);
    grid->PasteText(QStringLiteral("1\r2\r3"));
    EXPECT_EQ(grid->Rows(), 10);
    EXPECT_EQ(grid->TextMatrix(9, 1), QStringLiteral("1"));
    EXPECT_EQ(events, QStringList({"AfterPaste 9,1,11,1"})); // not clamped, no PasteOverEnd

    events.clear();
    expectMessage(kTooMany, QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel,
                  TabulaIcon::Question, TabulaAnswer::Cancel);
    grid->PasteText(QStringLiteral("7\r8"));
    EXPECT_EQ(grid->TextMatrix(9, 1), QStringLiteral("1"));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(RowsTest, QuestionIsAskedWithoutTheHourglass) {
    clickCell(9, 1);
    bool busy = true;
    grid->SetMessageHandler([&](const TabulaMessage&) {
        busy = QApplication::overrideCursor() != nullptr;
        return TabulaAnswer::Yes;
    });
    grid->PasteText(QStringLiteral("1\r2"));
    EXPECT_FALSE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(grid->Rows(), 11);
}

TEST_F(RowsTest, PasteThatExactlyReachesTheEnd) {
    clickCell(8, 1);
    grid->PasteText(QStringLiteral("p\rq\r\n"));
    EXPECT_EQ(events, QStringList({"AfterPaste 8,1,9,1", "PasteOverEnd False"}));
}

TEST_F(RowsTest, PasteIntoANumericGridKeepsOnlyNumbers) {
    grid->SetNumeralOnly(true);
    grid->PasteText(QStringLiteral("１２a3\t-5\t5-3"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("12"));
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("-5"));
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("5"));
}

TEST_F(RowsTest, NumericColumnsCleanOnlyTheCellsThatLandInThem) {
    grid->SetNumeralOnly(true); // ignored for pasting once a column is marked
    grid->SetColNumeralOnly(1, true);
    grid->SetColNumeralOnly(3, true);
    grid->PasteText(QStringLiteral("3０a\tｅ\t4５x\r-1\tW x\t７"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("30"));
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("ｅ"));
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("45"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("-1"));
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("W x"));
    EXPECT_EQ(grid->TextMatrix(2, 3), QStringLiteral("7"));

    // A block starting in a free column is cleaned where it reaches a marked one.
    grid->SetNumeralOnly(false);
    clickCell(4, 2);
    grid->PasteText(QStringLiteral("a1\t２x\r5.\t６y"));
    EXPECT_EQ(grid->TextMatrix(4, 2), QStringLiteral("a1"));
    EXPECT_EQ(grid->TextMatrix(4, 3), QStringLiteral("2"));
    EXPECT_EQ(grid->TextMatrix(5, 2), QStringLiteral("5."));
    EXPECT_EQ(grid->TextMatrix(5, 3), QStringLiteral("6"));
}

TEST_F(RowsTest, WithoutMarkedColumnsNumeralOnlyRulesThePasteAgain) {
    grid->SetColNumeralOnly(2, true);
    grid->SetColNumeralOnly(2, false);
    grid->PasteText(QStringLiteral("x1\t1y"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("x1"));
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("1y"));
    grid->SetNumeralOnly(true);
    grid->PasteText(QStringLiteral("x1\t1y"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QString());
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("1"));
}

TEST_F(RowsTest, NumericColumnIndexesOutsideTheGridAreRefused) {
    grid->SetColNumeralOnly(4, true);
    EXPECT_EQ(grid->LastError(), Tabula::IndexError);
    grid->ClearError();
    EXPECT_FALSE(grid->ColNumeralOnly(-1));
    EXPECT_EQ(grid->LastError(), Tabula::IndexError);
    grid->ClearError();

    // Columns added later start unmarked; marks on the kept columns stay.
    grid->SetColNumeralOnly(3, true);
    grid->SetCols(6);
    EXPECT_TRUE(grid->ColNumeralOnly(3));
    EXPECT_FALSE(grid->ColNumeralOnly(4));
    EXPECT_FALSE(grid->ColNumeralOnly(5));
    EXPECT_EQ(grid->LastError(), 0);
}

TEST_F(RowsTest, PasteRefusals) {
    expectMessage(QStringLiteral("貼り付け対象のﾃﾞｰﾀが存在しません。"),
                  QStringLiteral("ﾃｷｽﾄﾃﾞｰﾀの貼り付け"), TabulaButtons::OK, TabulaIcon::Exclamation);
    grid->PasteText(QString());
    grid->SetColLock(1, true);
    expectMessage(QStringLiteral("この位置には貼り付けできません。"),
                  QStringLiteral("ﾃｷｽﾄﾃﾞｰﾀの貼り付け"), TabulaButtons::OK, TabulaIcon::Exclamation);
    grid->PasteText(QStringLiteral("1"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("r1"));
    EXPECT_TRUE(events.isEmpty());

    // Starting left of a locked column overwrites it.
    grid->SetColLock(1, false);
    grid->SetColLock(2, true);
    grid->PasteText(QStringLiteral("a\tb"));
    EXPECT_EQ(grid->TextMatrix(1, 2), QStringLiteral("b"));
}

TEST_F(RowsTest, CopyCutAndPasteThroughTheKeyboard) {
    clickCell(1, 1);
    grid->SetRowSel(2);
    grid->SetColSel(2);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("r1\t\rr2\t"));

    grid->SetDataChanged(false);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(grid->TextMatrix(1, 1), QString());
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("r3"));
    EXPECT_TRUE(grid->DataChanged()); // a cut is a change, reported as a delete is
    EXPECT_EQ(events, QStringList({"Change 1,1", "Change 1,2", "Change 2,1", "Change 2,2"}));

    clickCell(5, 1);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->TextMatrix(5, 1), QStringLiteral("r1"));
    EXPECT_EQ(grid->TextMatrix(6, 1), QStringLiteral("r2"));
    EXPECT_EQ(events, QStringList({"AfterPaste 5,1,6,2"}));

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->RowSel(), 9);
    EXPECT_EQ(grid->ColSel(), 3);
}

TEST_F(RowsTest, RightClickOutsideTheSelectionSelectsWhatWasClicked) {
    QApplication::clipboard()->setText(QStringLiteral("1"));
    clickCell(2, 1);
    grid->SetRowSel(4);
    grid->SetColSel(2);
    auto items = rightClickMenu(cellPoint(3, 2)); // inside: selection kept
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->RowSel(), 4);
    EXPECT_EQ(items.value(3), true);

    items = rightClickMenu(cellPoint(6, 0)); // a row header: the whole row
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->RowSel(), 6);
    EXPECT_EQ(grid->ColSel(), 3);

    items = rightClickMenu(cellPoint(0, 2)); // a column header: the whole column
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->RowSel(), 9);
    EXPECT_EQ(grid->ColSel(), 2);
}

TEST_F(RowsTest, MenuItemsFollowLocksAndTheClipboard) {
    QApplication::clipboard()->clear();
    auto items = rightClickMenu(cellPoint(2, 2));
    EXPECT_EQ(items.value(1), true);
    EXPECT_EQ(items.value(2), true);
    EXPECT_EQ(items.value(3), false); // nothing to paste
    EXPECT_EQ(items.value(11), true);
    EXPECT_EQ(items.value(12), true);

    QApplication::clipboard()->setText(QStringLiteral("x"));
    grid->SetColLock(2, true);
    items = rightClickMenu(cellPoint(2, 2));
    EXPECT_EQ(items.value(1), false);
    EXPECT_EQ(items.value(2), true);
    EXPECT_EQ(items.value(3), false);
    EXPECT_EQ(items.value(11), false);
    EXPECT_EQ(items.value(12), false);

    grid->SetMenuEnabled(false);
    items = rightClickMenu(cellPoint(2, 1));
    EXPECT_TRUE(items.isEmpty());
}

TEST_F(RowsTest, MenuUndoesAndRedoesAfterItsOtherItems) {
    QStringList captions;
    for (QAction* a : grid->findChild<QMenu*>(QStringLiteral("mnuEdit"))->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"切り取り", "ｺﾋﾟｰ", "貼り付け", "", "行の挿入", "行の削除", "",
                                     "元に戻す", "やり直し"}));
    clickCell(2, 1); // what the fixture wrote in (1, 1) is reported as it is left
    grid->ClearUndo();
    key(Qt::Key_Delete);
    grid->SetColLock(2, true); // a lock keeps nothing from being undone
    auto items = rightClickMenu(cellPoint(2, 2), 21);
    EXPECT_EQ(items.value(21), true);
    EXPECT_EQ(items.value(22), false);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("r2"));
    items = rightClickMenu(cellPoint(2, 2), 22);
    EXPECT_EQ(items.value(21), false);
    EXPECT_EQ(items.value(22), true);
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
}

TEST_F(RowsTest, RightDoubleClickDoesNotOpenTheEditor) {
    QTimer closer; // each release opens the menu; close it
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    closer.start(0);
    QTest::mouseDClick(viewport(), Qt::RightButton, Qt::NoModifier, cellPoint(3, 1));
    EXPECT_TRUE(grid->RightButtonDown());
    EXPECT_FALSE(editor()->isVisible());
}

TEST_F(RowsTest, DroppedTextIsPastedAtTheCellUnderTheMouse) {
    grid->SetOLEDropMode(1);
    int drops = 0;
    QObject::connect(grid, &Tabula::OLEDragDrop, grid,
                     [&](const QMimeData* data, int, int, int, float, float) {
                         ++drops;
                         EXPECT_EQ(data->text(), QStringLiteral("D1\tD2"));
                     });
    QMimeData data;
    data.setText(QStringLiteral("D1\tD2"));
    const QPoint at = cellPoint(4, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &drop);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(grid->TextMatrix(4, 2), QStringLiteral("D1"));
    EXPECT_EQ(grid->TextMatrix(4, 3), QStringLiteral("D2"));
    EXPECT_TRUE(events.contains(QStringLiteral("AfterPaste 4,2,4,3")));
}

TEST_F(RowsTest, LargeGridStaysResponsive) {
    grid->SetRows(20001);
    QString text;
    for (int r = 0; r < 20000; ++r)
        text += QStringLiteral("%1\tN\t%2\tSE\r\n").arg(r % 360).arg(r % 90);
    QElapsedTimer timer;
    timer.start();
    grid->PasteText(text);
    grid->SelectAll();
    const QString clip = grid->Clip();
    grid->SetTopRow(15000);
    grid->repaint();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(grid->TextMatrix(20000, 1), QStringLiteral("199"));
    EXPECT_EQ(grid->TextMatrix(20000, 0), QStringLiteral("20000"));
    EXPECT_EQ(clip.count(QLatin1Char('\r')), 19999);
}

// The host sees a pasted or filled block whole before any of it is stored, and may refuse it.
TEST_F(RowsTest, HostMayRefuseAPastedOrFilledBlockWhole) {
    QStringList seen;
    QObject::connect(grid, &Tabula::BeforeBlockChange, grid,
                     [&](bool& cancel, const QList<TabulaCell>& cells) {
                         for (const TabulaCell& c : cells)
                             seen << QStringLiteral("%1,%2 %3").arg(c.Row).arg(c.Col).arg(c.Text);
                         cancel = true;
                     });
    grid->SetColNumeralOnly(2, true);
    clickCell(8, 1);
    expectMessage(kTooMany, QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel,
                  TabulaIcon::Question, TabulaAnswer::Yes);
    grid->PasteText(QStringLiteral("a\t1x\r\tb\rc\td\te"));
    EXPECT_EQ(seen, QStringList({"8,1 a", "8,2 1", "9,1 ", "9,2 ", "10,1 c", "10,2 "}));
    EXPECT_EQ(column(1).mid(7), QStringList({"r8", "r9"})); // nor did the grid grow
    seen.clear();
    clickCell(1, 1);
    grid->SetRowSel(2);
    type(QStringLiteral("Z"));
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(seen, QStringList({"1,1 Z", "2,1 Z"}));
    EXPECT_EQ(column(1).mid(0, 2), QStringList({"r1", "r2"}));
    EXPECT_FALSE(events.contains(QStringLiteral("BeforeChange 1,1")));
}

// Dragged below the rows shown, the selection stops at the last one, then grows a row at a time.
TEST_F(RowsTest, DragBeyondTheCellsShownExtendsOneAtATime) {
    grid->SetRows(15004);
    const auto drag = [this](QEvent::Type type, const QPoint& at) {
        QMouseEvent e(type, QPointF(at), viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &e);
    };
    int lastShown = 1;
    while (grid->RowIsVisible(lastShown + 1))
        ++lastShown;
    drag(QEvent::MouseButtonPress, cellPoint(5, 1));
    drag(QEvent::MouseMove, QPoint(cellPoint(5, 1).x(), viewport()->height() + 20));
    EXPECT_EQ(grid->RowSel(), lastShown);
    QTest::qWait(300);
    EXPECT_GT(grid->RowSel(), lastShown);
    EXPECT_LT(grid->RowSel(), lastShown + 30);
}

TEST_F(RowsTest, ShiftClickOnARowHeaderExtendsTheRowSelection) {
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(2, 0));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, cellPoint(5, 0));
    EXPECT_EQ(QList<int>({grid->Row(), grid->Col(), grid->RowSel(), grid->ColSel()}),
              QList<int>({2, 1, 5, 3}));
}

// The grid the way the main window drives it: a refused dip, and growth at the last row.
TEST_F(TabulaTest, HostValidationAndGrowthAtTheLastRow) {
    BMContour::InitDataGrid(*grid);
    QObject::connect(grid, &Tabula::BeforeChange, grid, [this](bool& cancel, int r, int c) {
        if (c == 3 && grid->TextMatrix(r, c).toInt() > 90)
            cancel = true;
    });
    QObject::connect(grid, &Tabula::Change, grid, [this](int r, int) {
        if (r == grid->Rows() - 1) {
            grid->SetRedraw(false);
            grid->SetRows(grid->Rows() + 10);
            grid->SetRedraw(true);
        }
    });
    QObject::connect(grid, &Tabula::RowColChange, grid, [this] {
        grid->SetNumeralOnly(grid->Col() == 1 || grid->Col() == 3);
        grid->SetMaxLength(grid->Col() == 1 ? 4 : 2);
    });
    grid->setFocus();
    grid->SetCol(3);
    grid->SetTextMatrix(2, 3, QStringLiteral("45"));
    grid->SetCol(2);
    grid->SetCol(3); // entered with "45"
    events.clear();
    type(QStringLiteral("91"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->TextMatrix(2, 3), QStringLiteral("45"));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(events.first(), QStringLiteral("BeforeChange 2,3"));
    EXPECT_FALSE(events.contains(QStringLiteral("Change 2,3")));

    grid->SetRow(101);
    grid->SetCol(1);
    type(QStringLiteral("123456")); // four characters at most in the strike column
    EXPECT_EQ(grid->TextMatrix(101, 1), QStringLiteral("1234"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Rows(), 112);
    EXPECT_EQ(grid->TextMatrix(111, 0), QStringLiteral("110"));
    EXPECT_EQ(grid->Row(), 101);
    EXPECT_EQ(grid->Col(), 2);
}
