// Undo and redo: each kind of change is one step, taken back and done again through the keys.
#include "tabula_fixture.h"

#include <QAction>
#include <QMenu>
#include <functional>

namespace {

const QString kInsertText = QStringLiteral("選択位置に行を挿入します。\r\nよろしいですか？");
const QString kDeleteText = QStringLiteral("選択行を削除します。\r\nよろしいですか？");

class UndoTest : public TabulaTest {
  public:
    using TabulaTest::clickCell;
    using TabulaTest::expectMessage;
    using TabulaTest::grid;
    using TabulaTest::key;
    using TabulaTest::type;

    void SetUp() override {
        TabulaTest::SetUp();
        grid->SetCols(4);
        grid->SetRows(8);
        grid->SetNumberingCol(0);
        grid->SetAutoNumber(true);
        grid->SetFixedRows(1);
        grid->SetRedraw(false); // the current cell's new text is no entry of the user's
        for (int r = 1; r < 8; ++r)
            for (int c = 1; c < 4; ++c)
                grid->SetTextMatrix(r, c, QStringLiteral("%1%2").arg(QChar('a' + c - 1)).arg(r));
        grid->SetRedraw(true);
        QObject::connect(grid, &Tabula::AfterUndo, grid,
                         [this](bool redo, int r1, int c1, int r2, int c2) {
                             events << QStringLiteral("%1 %2,%3,%4,%5")
                                           .arg(redo ? "Redo" : "Undo")
                                           .arg(r1)
                                           .arg(c1)
                                           .arg(r2)
                                           .arg(c2);
                         });
        clickCell(2, 1);
    }

    // Every cell, row by row.
    QStringList cells() const {
        QStringList rows;
        for (int r = 0; r < grid->Rows(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->Cols(); ++c)
                row << grid->TextMatrix(r, c);
            rows << row.join(QLatin1Char('|'));
        }
        return rows;
    }
    void select(int r1, int c1, int r2, int c2) {
        clickCell(r1, c1);
        grid->SetRowSel(r2);
        grid->SetColSel(c2);
    }
};

struct StepCase {
    const char* name;
    std::function<void(UndoTest&)> act;
    const char* block; // the selection an undo leaves: rows and columns it changed
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

class UndoStepTest : public UndoTest, public ::testing::WithParamInterface<StepCase> {};

} // namespace

TEST_P(UndoStepTest, IsOneStepUndoneAndRedone) {
    const QStringList before = cells();
    GetParam().act(*this);
    const QStringList after = cells();
    ASSERT_NE(after, before);
    events.clear();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(events.filter(QStringLiteral("Undo")), QStringList({GetParam().block}));
    EXPECT_FALSE(grid->CanUndo());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cells(), after);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cells(), after);
    EXPECT_FALSE(grid->CanRedo());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UndoStepTest,
    ::testing::Values(
        StepCase{"typed",
                 [](UndoTest& t) {
                     t.clickCell(3, 2);
                     t.type("x");
                     t.key(Qt::Key_Return);
                 },
                 "Undo 3,2,3,2"},
        StepCase{"paste",
                 [](UndoTest& t) {
                     t.clickCell(6, 2);
                     t.expectMessage(
                         QStringLiteral(
                             "貼り付けようとするﾃｷｽﾄは行数が多すぎます。\r\n行を増やしますか？"),
                         QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel,
                         TabulaIcon::Question, TabulaAnswer::Yes);
                     QApplication::clipboard()->setText(QStringLiteral("p\tq\nr\ts\nu\tv\n"));
                     t.key(Qt::Key_V, Qt::ControlModifier);
                 },
                 "Undo 6,2,7,3"},
        StepCase{"fill",
                 [](UndoTest& t) {
                     t.select(2, 1, 4, 2);
                     t.type("f");
                     t.key(Qt::Key_Return, Qt::ControlModifier);
                     t.key(Qt::Key_Escape);
                 },
                 "Undo 2,1,4,2"},
        StepCase{"delete",
                 [](UndoTest& t) {
                     t.select(5, 3, 4, 2);
                     t.key(Qt::Key_Delete);
                 },
                 "Undo 4,2,5,3"},
        StepCase{"cut",
                 [](UndoTest& t) {
                     t.select(1, 1, 1, 3);
                     t.key(Qt::Key_X, Qt::ControlModifier);
                 },
                 "Undo 1,1,1,3"},
        StepCase{"insert rows",
                 [](UndoTest& t) {
                     t.select(3, 1, 4, 1);
                     t.expectMessage(kInsertText, QStringLiteral("行の挿入"), TabulaButtons::YesNo,
                                     TabulaIcon::Information, TabulaAnswer::Yes);
                     t.key(Qt::Key_Insert, Qt::ShiftModifier);
                 },
                 "Undo 3,1,4,3"},
        StepCase{"remove rows",
                 [](UndoTest& t) {
                     t.select(6, 2, 4, 2);
                     t.expectMessage(kDeleteText, QStringLiteral("行の削除"), TabulaButtons::YesNo,
                                     TabulaIcon::Exclamation, TabulaAnswer::Yes);
                     t.key(Qt::Key_Delete, Qt::ShiftModifier);
                 },
                 "Undo 4,1,6,3"},
        StepCase{"host bulk step",
                 [](UndoTest& t) {
                     const TabulaUndoStep step(*t.grid);
                     t.grid->SetRows(2000);
                     for (int r = 1; r < 2000; ++r)
                         for (int c = 1; c < 4; ++c)
                             t.grid->SetTextMatrix(r, c, QString::number(r * c));
                 },
                 "Undo 1,1,7,3"}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        return QString::fromLatin1(info.param.name).replace(' ', '_').toStdString();
    });

TEST_F(UndoTest, ARefusedEntryIsNoStepAndAnEntryBeingTypedIsTakenBackFirst) {
    type("x");
    key(Qt::Key_Return); // (2, 1) holds "x"
    clickCell(3, 1);
    cancelNext = true;
    type("y");
    key(Qt::Key_Return);
    ASSERT_EQ(grid->TextMatrix(3, 1), QStringLiteral("a3"));
    clickCell(4, 1);
    type("z");
    ASSERT_EQ(focused(), editor());
    key(Qt::Key_Z, Qt::ControlModifier); // the entry goes, unreported
    EXPECT_EQ(grid->TextMatrix(4, 1), QStringLiteral("a4"));
    EXPECT_EQ(focused(), inner());
    EXPECT_TRUE(events.filter(QStringLiteral("Change 4,1")).isEmpty());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("a2"));
    EXPECT_FALSE(grid->CanUndo());
}

TEST_F(UndoTest, HistoryIsBoundedInStepsAndInBytes) {
    grid->SetUndoLimit(3);
    for (int r = 1; r <= 5; ++r)
        grid->SetTextMatrixBC(r, 1, QStringLiteral("v"));
    for (int i = 0; i < 5; ++i)
        grid->Undo();
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("v"));
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("a3"));

    // A step larger than the byte limit is not kept, nor anything before it.
    grid->SetUndoMemoryLimit(8000);
    {
        const TabulaUndoStep step(*grid);
        grid->SetRows(2000);
        for (int r = 1; r < 2000; ++r)
            grid->SetTextMatrix(r, 2, QStringLiteral("long"));
    }
    EXPECT_EQ(grid->UndoMemoryUsed(), 0);
    EXPECT_FALSE(grid->CanUndo());
    for (int i = 0; i < 3; ++i) {
        const TabulaUndoStep step(*grid);
        grid->SetTextMatrix(10 + i, 1, QString(3000, QLatin1Char('w')));
    }
    EXPECT_LE(grid->UndoMemoryUsed(), 8000);
    grid->Undo();
    grid->Undo();
    grid->Undo();
    EXPECT_EQ(grid->TextMatrix(10, 1), QString(3000, QLatin1Char('w')));
    EXPECT_EQ(grid->TextMatrix(11, 1), QString());
}

TEST_F(UndoTest, TheCleanPointIsWhereUndoAndRedoFindTheSavedContents) {
    grid->SetUndoCleanPoint();
    grid->SetTextMatrixBC(2, 1, QStringLiteral("1"));
    grid->SetTextMatrixBC(2, 1, QStringLiteral("2"));
    EXPECT_FALSE(grid->IsAtUndoCleanPoint());
    grid->SetUndoCleanPoint();
    grid->Undo();
    EXPECT_TRUE(grid->DataChanged());
    grid->Redo();
    EXPECT_TRUE(grid->IsAtUndoCleanPoint());
    EXPECT_FALSE(grid->DataChanged());

    // Undone past it, then changed otherwise: the saved contents are out of reach.
    grid->Undo();
    grid->SetTextMatrixBC(2, 1, QStringLiteral("3"));
    grid->Undo();
    grid->Redo();
    EXPECT_FALSE(grid->IsAtUndoCleanPoint());
}

TEST_F(UndoTest, HostWritesCountOnlyInsideAStep) {
    grid->SetTextMatrixBC(2, 1, QStringLiteral("typed"));
    grid->SetTextMatrix(3, 1, QStringLiteral("tidied")); // no step, and kept by an undo
    grid->Undo();
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("a2"));
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("tidied"));
    grid->Redo();
    grid->SetRows(20); // the rows the history knows no longer fit
    EXPECT_FALSE(grid->CanUndo());
    EXPECT_FALSE(grid->CanRedo());
}
