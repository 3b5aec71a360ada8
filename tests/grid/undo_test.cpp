// Undo and redo: each kind of change is one step, taken back and done again through the keys.
#include "tabula_fixture.h"

namespace {

class UndoTest : public TabulaTest {
  protected:
    void SetUp() override {
        TabulaTest::SetUp();
        grid->SetCols(4);
        grid->SetRows(8);
        grid->SetAutoNumber(true);
        grid->SetFixedRows(1);
        grid->SetRedraw(false); // the current cell's new text is no entry of the user's
        for (int r = 1; r < 8; ++r)
            for (int c = 1; c < 4; ++c)
                grid->SetTextMatrix(r, c, QStringLiteral("%1%2").arg(QChar('a' + c - 1)).arg(r));
        grid->SetRedraw(true);
        QObject::connect(grid, &Tabula::AfterUndo, grid,
                         [this](bool redo, int r1, int c1, int r2, int c2) {
                             events << QString::asprintf("%s %d,%d,%d,%d", redo ? "Redo" : "Undo",
                                                         r1, c1, r2, c2);
                         });
        clickCell(2, 1);
    }

    // The number of rows, then every cell row by row.
    QStringList cells() const {
        QStringList all{QString::number(grid->Rows())};
        for (int r = 0; r < grid->Rows(); ++r)
            for (int c = 0; c < grid->Cols(); ++c)
                all << grid->TextMatrix(r, c);
        return all;
    }
};

// A selection, what is typed, the key (no key: a host step) and the question it asks (Yes).
struct StepCase {
    const char* name;
    int row, col, rowSel, colSel;
    const char* typed;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    TabulaMessage question;
    const char* block; // the selection an undo leaves: rows and columns it changed
};

class UndoStepTest : public UndoTest, public ::testing::WithParamInterface<StepCase> {};

const TabulaMessage kGrow{
    QStringLiteral("貼り付けようとするﾃｷｽﾄは行数が多すぎます。\r\n行を増やしますか？"),
    QStringLiteral("ﾃｷｽﾄの貼り付け"), TabulaButtons::YesNoCancel, TabulaIcon::Question};
const TabulaMessage kInsert{QStringLiteral("選択位置に行を挿入します。\r\nよろしいですか？"),
                            QStringLiteral("行の挿入"), TabulaButtons::YesNo,
                            TabulaIcon::Information};
const TabulaMessage kRemove{QStringLiteral("選択行を削除します。\r\nよろしいですか？"),
                            QStringLiteral("行の削除"), TabulaButtons::YesNo,
                            TabulaIcon::Exclamation};

} // namespace

TEST_P(UndoStepTest, IsOneStepUndoneAndRedone) {
    const StepCase& k = GetParam();
    const QStringList before = cells();
    clickCell(k.row, k.col);
    grid->SetRowSel(k.rowSel);
    grid->SetColSel(k.colSel);
    if (!k.question.text.isEmpty())
        expectMessage(k.question.text, k.question.title, k.question.buttons, k.question.icon,
                      TabulaAnswer::Yes);
    QApplication::clipboard()->setText(QStringLiteral("p\tq\nr\ts\nu\tv\n"));
    type(QString::fromUtf8(k.typed));
    if (k.key) {
        key(k.key, k.mods);
    } else {
        const TabulaUndoStep step(*grid);
        grid->SetRows(2000);
        for (int r = 1; r < 2000; ++r)
            grid->SetTextMatrix(r, 2, QString::number(r));
    }
    const QStringList after = cells();
    ASSERT_NE(after, before);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(events.filter(QStringLiteral("Undo")), QStringList({k.block}));
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
        StepCase{"typed", 3, 2, 3, 2, "x", Qt::Key_Return, {}, {}, "Undo 3,2,3,2"},
        StepCase{"paste", 6, 2, 6, 2, "", Qt::Key_V, Qt::ControlModifier, kGrow, "Undo 6,2,7,3"},
        StepCase{"fill", 2, 1, 4, 2, "f", Qt::Key_Return, Qt::ControlModifier, {}, "Undo 2,1,4,2"},
        StepCase{"delete", 5, 3, 4, 2, "", Qt::Key_Delete, {}, {}, "Undo 4,2,5,3"},
        StepCase{"cut", 1, 1, 1, 3, "", Qt::Key_X, Qt::ControlModifier, {}, "Undo 1,1,1,3"},
        StepCase{"insert_rows", 3, 1, 4, 1, "", Qt::Key_Insert, Qt::ShiftModifier, kInsert,
                 "Undo 3,1,4,3"},
        StepCase{"remove_rows", 6, 2, 4, 2, "", Qt::Key_Delete, Qt::ShiftModifier, kRemove,
                 "Undo 4,1,6,3"},
        StepCase{"host_bulk_step", 1, 1, 1, 1, "", Qt::Key(0), {}, {}, "Undo 1,2,7,2"}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(UndoTest, AnEntryBeingTypedIsTakenBackFirst) {
    type("x");
    key(Qt::Key_Return); // (2, 1) holds "x"
    clickCell(4, 1);
    type("z");
    key(Qt::Key_Z, Qt::ControlModifier); // the entry goes, unreported
    EXPECT_EQ(grid->TextMatrix(4, 1), QStringLiteral("a4"));
    EXPECT_EQ(focused(), inner());
    EXPECT_TRUE(events.filter(QStringLiteral("Change 4,1")).isEmpty());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("a2"));
}

TEST_F(UndoTest, HistoryIsBoundedInStepsAndInBytes) {
    grid->SetUndoLimit(3);
    for (int r = 1; r <= 5; ++r)
        grid->SetTextMatrixBC(r, 1, QString(3000, QLatin1Char('v')));
    for (int i = 0; i < 5; ++i)
        grid->Undo();
    EXPECT_EQ(grid->TextMatrix(2, 1).size(), 3000);
    EXPECT_EQ(grid->TextMatrix(3, 1), QStringLiteral("a3"));

    // The oldest steps go to stay within the bytes; a step larger than all of them is not
    // kept, nor anything before it.
    for (int i = 0; i < 3; ++i)
        grid->Redo();
    grid->SetUndoMemoryLimit(5000); // room for one of these steps
    grid->Undo();
    EXPECT_EQ(grid->TextMatrix(5, 1), QStringLiteral("a5"));
    EXPECT_FALSE(grid->CanUndo());
    {
        const TabulaUndoStep step(*grid);
        grid->SetRows(2000);
        for (int r = 1; r < 2000; ++r)
            grid->SetTextMatrix(r, 2, QStringLiteral("long"));
    }
    EXPECT_EQ(grid->UndoMemoryUsed(), 0);
    EXPECT_FALSE(grid->CanUndo());
}

TEST_F(UndoTest, TheCleanPointIsWhereUndoAndRedoFindTheSavedContents) {
    grid->SetTextMatrixBC(2, 1, QStringLiteral("1"));
    grid->SetUndoCleanPoint();
    grid->Undo();
    grid->Redo();
    EXPECT_FALSE(grid->DataChanged());
    EXPECT_TRUE(grid->IsAtUndoCleanPoint());
    // Undone past it, then changed otherwise: the saved contents are out of reach.
    grid->Undo();
    grid->SetTextMatrixBC(2, 1, QStringLiteral("3"));
    grid->Undo();
    grid->Redo();
    EXPECT_FALSE(grid->IsAtUndoCleanPoint());
    // A host marking its data saved with the flag alone finds the same.
    grid->SetDataChanged(false);
    grid->SetTextMatrixBC(2, 1, QStringLiteral("4"));
    grid->Undo();
    EXPECT_FALSE(grid->DataChanged());
    grid->Redo();
    EXPECT_TRUE(grid->DataChanged());
}

// Rows a host drops come back with their texts, also when it had emptied them (an import).
TEST_F(UndoTest, RowsAHostDropsComeBackWithTheirTexts) {
    const QStringList before = cells();
    for (const bool clearFirst : {false, true}) {
        {
            const TabulaUndoStep step(*grid);
            if (clearFirst)
                grid->Clear();
            grid->SetRows(3);
        }
        grid->Undo();
        EXPECT_EQ(cells(), before) << clearFirst;
    }
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
}
