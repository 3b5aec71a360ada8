// The data grid as the frame sets it up, checks and normalises it, and the data pane's splitter.
#include "main_window_fixture.h"

#include "windows/bmcontour.h"
#include "windows/frame_body.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
const QString kNotPositive = QStringLiteral("正の整数を入力してください。");
const QString kOutOfRange = QStringLiteral("0～90の整数を入力してください。");

void SendMouse(QWidget* w, QEvent::Type type, int x) {
    const QPointF local(x, 5);
    QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST_F(MainWindowTest, GridIsSetUpForMeasurements) {
    Tabula& g = grid();
    EXPECT_EQ(g.Rows(), 102);
    EXPECT_EQ(g.FixedRows(), 2);
    EXPECT_EQ(g.Cols(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    const QStringList row0{"", "走向", "走向", "傾斜", "傾斜"};
    const QStringList row1{"No.", "角度", "方位", "角度", "方位"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(g.TextMatrix(0, c), row0[c]) << c;
        EXPECT_EQ(g.TextMatrix(1, c), row1[c]) << c;
        EXPECT_EQ(g.FixedAlignment(c), 4) << c;
    }
    EXPECT_EQ(g.TextMatrix(2, 0), "1");
    EXPECT_EQ(g.TextMatrix(101, 0), "100");
    EXPECT_EQ(g.MergeCells(), tabulaMergeRestrictRows);
    EXPECT_TRUE(g.MergeRow(0));
    EXPECT_FALSE(g.MergeRow(1));

    // Widths follow the captions: equal captions, equal widths; "  角度  " outgrows " 方位 ".
    EXPECT_EQ(g.ColWidth(1), g.ColWidth(3));
    EXPECT_EQ(g.ColWidth(2), g.ColWidth(4));
    EXPECT_GT(g.ColWidth(1), g.ColWidth(2));
    EXPECT_GT(g.ColWidth(0), 0);

    // The first data cell is current, with the strike-angle input rules.
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.NumeralOnly());
    EXPECT_EQ(g.MaxLength(), 4);
}

TEST_F(MainWindowTest, GridIsWideEnoughForItsColumnsAndThePaneHoldsGridAndHandle) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(1000, 700);
    window->show();
    Tabula& g = grid();
    int columns = 0;
    for (int c = 0; c < 5; ++c)
        columns += g.ColWidth(c);
    const double tpp = 1440.0 / g.logicalDpiX();
    EXPECT_GE(g.width() * tpp, columns);
    QWidget* pane = window->findChild<QWidget*>("picBase");
    QWidget* handle = window->findChild<QWidget*>("imgSplitter");
    EXPECT_EQ(g.width() + handle->width(), pane->width());
    EXPECT_EQ(handle->x(), g.width());
    EXPECT_EQ(window->mdiArea().x(), pane->width());
    EXPECT_EQ(g.height(), pane->height());
}

TEST_F(MainWindowTest, ReinitialisingClearsTheDataAndTheGrownRows) {
    Tabula& g = grid();
    g.SetTextMatrix(2, 1, "30");
    g.SetTextMatrix(50, 4, "SE");
    g.SetRows(250);
    g.SetRow(40);
    g.SetCol(4);
    BMContour::InitDataGrid(g);
    EXPECT_EQ(g.Rows(), 102);
    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_EQ(g.TextMatrix(50, 4), "");
    EXPECT_EQ(g.TextMatrix(0, 1), "走向");
    for (int r = 2; r < 102; ++r)
        ASSERT_EQ(g.TextMatrix(r, 0), QString::number(r - 1)) << r;
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
}

TEST_F(MainWindowTest, InputRulesFollowTheColumn) {
    Tabula& g = grid();
    const struct {
        int col;
        bool numeral;
        int length;
    } rules[] = {{2, false, 2}, {3, true, 2}, {4, false, 2}, {1, true, 4}};
    for (const auto& r : rules) {
        g.SetCol(r.col);
        EXPECT_EQ(g.NumeralOnly(), r.numeral) << r.col;
        EXPECT_EQ(g.MaxLength(), r.length) << r.col;
    }
}

TEST_F(MainWindowTest, DipAngleMustLieBetweenZeroAndNinety) {
    Tabula& g = grid();
    g.SetTextMatrix(2, 3, "45");
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    g.SetTextMatrixBC(2, 3, "91");
    EXPECT_EQ(g.TextMatrix(2, 3), "45");
    EXPECT_FALSE(window->Change());

    dialogs.expectMessage(kNotPositive, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    g.SetTextMatrixBC(2, 3, "-1");
    EXPECT_EQ(g.TextMatrix(2, 3), "45");
    EXPECT_FALSE(window->Change());

    // Rounded as the runtime rounds: -0.4 is 0, 90.5 is 90 (half to even), 90.6 is 91.
    for (const char* accepted : {"90", "0", "-0.4", "90.5", "abc", ""}) {
        g.SetTextMatrixBC(2, 3, accepted);
        EXPECT_EQ(g.TextMatrix(2, 3), accepted);
    }
    EXPECT_TRUE(window->Change());
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    g.SetTextMatrixBC(2, 3, "90.6");
    EXPECT_EQ(g.TextMatrix(2, 3), "");
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(MainWindowTest, FullWidthDigitsInTheDipColumnAreCheckedAsTheyWillBeStored) {
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    grid().SetTextMatrixBC(5, 3, "９５");
    EXPECT_EQ(grid().TextMatrix(5, 3), "");
    grid().SetTextMatrixBC(5, 3, "４５");
    EXPECT_EQ(grid().TextMatrix(5, 3), "45");
}

TEST_F(MainWindowTest, OnlyTheDipColumnIsChecked) {
    for (int col : {1, 2, 4})
        grid().SetTextMatrixBC(3, col, "400");
    EXPECT_EQ(grid().TextMatrix(3, 1), "400");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(MainWindowTest, DoubleByteTextIsStoredNarrowAndUpperCase) {
    Tabula& g = grid();
    const std::vector<std::pair<QString, QString>> cases = {
        {"ｓｅ", "SE"}, {"Ｎｗ", "NW"}, {"　ｅ　", "E"}, {"３０", "30"},
        {"se", "se"},   {" w ", " w "}, {"ｓe", "SE"},   {"ＳＥ", "SE"}};
    for (const auto& [typed, stored] : cases) {
        g.SetTextMatrixBC(4, 4, typed);
        EXPECT_EQ(g.TextMatrix(4, 4), stored) << typed.toStdString();
    }
    EXPECT_TRUE(window->Change());
    EXPECT_EQ(g.Rows(), 102);
}

TEST_F(MainWindowTest, TypedFullWidthLettersEndUpHalfWidth) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Tabula& g = grid();
    g.SetCol(4);
    g.setFocus();
    QWidget* inner = g.findChild<QWidget*>("grdMain");
    ASSERT_NE(inner, nullptr);
    ASSERT_TRUE(inner->hasFocus());

    QKeyEvent s(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ｓ"));
    QApplication::sendEvent(inner, &s);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, inner);
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ｅ"));
    QApplication::sendEvent(editor, &e);
    QTest::keyClick(editor, Qt::Key_Return);

    EXPECT_EQ(g.TextMatrix(2, 4), "SE");
    EXPECT_TRUE(window->Change());
}

TEST_F(MainWindowTest, PastedTextAndRowEditsCountAsChanges) {
    Tabula& g = grid();
    g.PasteText("30\t\t45\r60\t\t70\r");
    EXPECT_EQ(g.TextMatrix(3, 3), "70");
    EXPECT_TRUE(window->Change());

    window->setChange(false);
    g.SetRow(2);
    g.AddItem(QString(), -1);
    EXPECT_EQ(g.TextMatrix(3, 1), "30");
    EXPECT_TRUE(window->Change());

    window->setChange(false);
    g.SetRow(2);
    g.RemoveItem(-1);
    EXPECT_EQ(g.TextMatrix(2, 1), "30");
    EXPECT_TRUE(window->Change());
}

TEST_F(MainWindowTest, PastedBlocksKeepDirectionsAndAreStoredAsTyped) {
    Tabula& g = grid();
    ASSERT_EQ(g.Col(), 1);
    g.PasteText(QStringLiteral("30\tE\t45\tSE\r６０\tｗ\t７０\tｎｅ"));
    const QStringList row2{"30", "E", "45", "SE"}, row3{"60", "W", "70", "NE"};
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(g.TextMatrix(2, c), row2[c - 1]) << c;
        EXPECT_EQ(g.TextMatrix(3, c), row3[c - 1]) << c;
    }

    // From the strike direction on: the dip angle is still cleaned, the rest normalised.
    g.SetRow(5);
    g.SetCol(2);
    g.PasteText(QStringLiteral("ｓｗ\t4５°\t ｎｗ "));
    EXPECT_EQ(g.TextMatrix(5, 2), "SW");
    EXPECT_EQ(g.TextMatrix(5, 3), "45");
    EXPECT_EQ(g.TextMatrix(5, 4), "NW");
    EXPECT_TRUE(window->Change());
}

TEST_F(MainWindowTest, EditingTheLastRowAddsTenRows) {
    Tabula& g = grid();
    g.SetTextMatrixBC(100, 1, "30");
    EXPECT_EQ(g.Rows(), 102);
    g.SetTextMatrixBC(101, 1, "30");
    EXPECT_EQ(g.Rows(), 112);
    EXPECT_EQ(g.TextMatrix(111, 0), "110");
    EXPECT_TRUE(g.Redraw());

    // A refused dip in the last row adds nothing.
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    g.SetTextMatrixBC(111, 3, "95");
    EXPECT_EQ(g.Rows(), 112);
    g.SetTextMatrixBC(111, 3, "35");
    EXPECT_EQ(g.Rows(), 122);
}

TEST_F(MainWindowTest, GridMessagesGoThroughTheDialogs) {
    dialogs.expectMessage("貼り付け対象のﾃﾞｰﾀが存在しません。", MsgButtons::OK,
                          MsgIcon::Exclamation, "ﾃｷｽﾄﾃﾞｰﾀの貼り付け");
    grid().PasteText(QString());
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(MainWindowTest, SplitterStopsFiveHundredTwipsFromEitherEdge) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(1000, 700);
    window->show();
    auto* body = window->findChild<FrameBody*>("FrameBody");
    QWidget* pane = window->findChild<QWidget*>("picBase");
    QWidget* handle = window->findChild<QWidget*>("imgSplitter");
    QWidget* bar = window->findChild<QWidget*>("picSplitter");
    ASSERT_TRUE(body && pane && handle && bar);
    const int limit = FrameBody::EdgeLimit();
    EXPECT_EQ(limit, qRound(500.0 * grid().logicalDpiX() / 1440.0));
    EXPECT_FALSE(bar->isVisible());

    SendMouse(handle, QEvent::MouseButtonPress, 1);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->x(), handle->x());
    SendMouse(handle, QEvent::MouseMove, -5000);
    EXPECT_EQ(bar->x(), limit);
    SendMouse(handle, QEvent::MouseButtonRelease, -5000);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(pane->width(), limit);
    EXPECT_EQ(grid().width(), limit - handle->width());
    EXPECT_EQ(handle->x(), limit - handle->width());
    EXPECT_EQ(window->mdiArea().x(), limit);

    // Just inside the limit zone on the right already stops at the limit.
    SendMouse(handle, QEvent::MouseButtonPress, 1);
    SendMouse(handle, QEvent::MouseMove, body->width() - limit / 2 - handle->x());
    EXPECT_EQ(bar->x(), body->width() - limit);
    SendMouse(handle, QEvent::MouseMove, 5000);
    SendMouse(handle, QEvent::MouseButtonRelease, 5000);
    EXPECT_EQ(pane->width(), body->width() - limit);
    EXPECT_EQ(window->mdiArea().width(), limit);

    // In between, the pane ends where the mouse let go.
    SendMouse(handle, QEvent::MouseButtonPress, 1);
    SendMouse(handle, QEvent::MouseMove, -(handle->x() - 300));
    SendMouse(handle, QEvent::MouseButtonRelease, 0);
    EXPECT_EQ(pane->width(), 300);

    // A move without a press drags nothing.
    SendMouse(handle, QEvent::MouseMove, -100);
    EXPECT_EQ(pane->width(), 300);
    EXPECT_FALSE(bar->isVisible());
    // Clicks on the handle without a move keep the pane as it is.
    for (int k = 0; k < 100; ++k) {
        SendMouse(handle, QEvent::MouseButtonPress, 1);
        SendMouse(handle, QEvent::MouseButtonRelease, 1);
    }
    EXPECT_EQ(pane->width(), 300);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(MainWindowTest, WindowGoesAwayWithAnEditStillOpen) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid().SetCol(3);
    grid().setFocus();
    QWidget* inner = grid().findChild<QWidget*>("grdMain");
    QTest::keyClicks(inner, "9");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    ASSERT_EQ(grid().TextMatrix(2, 3), "95");
    window.reset();
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(MainWindowTest, ClosingWithACellStillBeingTypedCountsItAsAChange) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    bool changeSeen = false;
    QObject::connect(window.get(), &frmMain::QueryUnload, [&](bool& cancel, int) {
        changeSeen = window->Change();
        cancel = true;
    });
    grid().SetCol(1);
    grid().setFocus();
    QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), "4");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    ASSERT_TRUE(grid().findChild<QWidget*>("txtOnGrid")->isVisible());
    ASSERT_FALSE(window->Change());
    window->close();
    EXPECT_TRUE(changeSeen);
    EXPECT_EQ(grid().TextMatrix(2, 1), "45");

    // A dip out of range is refused on the way, as it is when the cell is left.
    grid().SetCol(3);
    window->setChange(false);
    grid().setFocus();
    QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), "9");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    window->close();
    EXPECT_FALSE(changeSeen);
    EXPECT_EQ(grid().TextMatrix(2, 3), "");
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(MainWindowTest, NewDocumentWhileEditingClosesTheEditBox) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid().SetRow(10);
    grid().SetCol(3);
    grid().setFocus();
    QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), "9");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    auto* editor = grid().findChild<QWidget*>("txtOnGrid");
    ASSERT_TRUE(editor->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(clicks, std::vector<int>{1});
    // The controller asks about the data before a new document replaces them: the edit is
    // finished there, the grid set up afresh there.
    EXPECT_TRUE(dialogs.asked().empty());
    BMContour::InitDataGrid(grid());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid().TextMatrix(10, 3), "");
}

namespace {

// Message boxes that take the activation while they are up, as real ones do, and leave the
// frame inactive when they close (as a desktop without a window manager does).
class StealingDialogs final : public Dialogs {
  public:
    explicit StealingDialogs(ScriptedDialogs& script) : script_(script) {}
    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                      int defaultButton) override {
        QWidget box;
        box.show();
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        const MsgResult answer = script_.message(text, buttons, icon, title, defaultButton);
        box.hide();
        QCoreApplication::processEvents();
        return answer;
    }
    std::optional<QString> input(const QString& p, const QString& t, const QString& d) override {
        return script_.input(p, t, d);
    }
    std::optional<uint32_t> color(uint32_t initial) override { return script_.color(initial); }
    std::optional<QString> openFile(const FileDialogRequest& r) override {
        return script_.openFile(r);
    }
    std::optional<QString> saveFile(const FileDialogRequest& r) override {
        return script_.saveFile(r);
    }
    std::optional<QString> printerSetup(const QString& p) override {
        return script_.printerSetup(p);
    }
    bool openExternal(const QString& target) override { return script_.openExternal(target); }

  private:
    ScriptedDialogs& script_;
};

// Keys as the window system delivers them: to the frame, which hands them to its focus.
void TypeToWindow(QWidget* window, const QString& keys) {
    for (QChar ch : keys) {
        if (ch == u'\n')
            QTest::keyClick(window->windowHandle(), Qt::Key_Return);
        else if (ch == u'<')
            QTest::keyClick(window->windowHandle(), Qt::Key_Left);
        else if (ch == u'\x1b')
            QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        else
            QTest::sendKeyEvent(QTest::Click, window->windowHandle(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
}

void ShowActive(QWidget* window) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace

TEST_F(MainWindowTest, AfterARefusedDipTheNextKeysAreAFreshEntryOfTheNewCell) {
    StealingDialogs boxes(dialogs);
    window = std::make_unique<frmMain>(boxes, association);
    ShowActive(window.get());
    Tabula& g = grid();
    g.setFocus();
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    TypeToWindow(window.get(), "30\nE\n95\n");
    ASSERT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(g.TextMatrix(2, 3), "");
    // Two letters, back to the dip, two digits, on, and one letter that replaces the first two.
    TypeToWindow(window.get(), "SEW<4567\nN");
    const QStringList row{"30", "E", "45", "N"};
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(g.TextMatrix(2, c), row[c - 1]) << c;
    // The editor sits over the current cell and shows what it holds; so does the input line.
    auto* editor = g.findChild<QLineEdit*>("txtOnGrid");
    auto* input = g.findChild<QLineEdit*>("txtInp");
    EXPECT_EQ(g.Col(), 4);
    EXPECT_TRUE(editor->isVisible());
    const QRect cell(g.CellLeft() * g.logicalDpiX() / 1440, g.CellTop() * g.logicalDpiY() / 1440, 0,
                     0);
    EXPECT_NEAR(editor->x(), cell.x(), 1);
    EXPECT_NEAR(editor->y(), cell.y(), 1);
    EXPECT_EQ(editor->text(), "N");
    EXPECT_EQ(input->text(), "N");

    // The input line takes what the editor takes: two digits for a dip.
    g.SetRow(3);
    g.SetCol(3);
    input->setFocus();
    TypeToWindow(window.get(), "4x567\n");
    EXPECT_EQ(g.TextMatrix(3, 3), "45");
}

TEST_F(MainWindowTest, ARefusedDipPutsBackWhatTheCellHeldJustBefore) {
    ShowActive(window.get());
    Tabula& g = grid();
    const auto typeAt = [&](int row, const QString& keys) {
        g.SetRow(row);
        g.SetCol(3);
        g.setFocus();
        TypeToWindow(window.get(), keys);
    };
    g.SetTextMatrix(2, 3, "40");
    typeAt(2, "50\x1b"); // accepted, still the current cell
    ASSERT_EQ(g.TextMatrix(2, 3), "50");

    g.SetRow(3);
    g.PasteText("20");
    ASSERT_EQ(g.TextMatrix(3, 3), "20");

    typeAt(4, "30");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    TypeToWindow(window.get(), "\x1b");
    ASSERT_EQ(g.TextMatrix(4, 3), "30");

    for (int row : {2, 3, 4}) {
        dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
        typeAt(row, "95\n");
    }
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(g.TextMatrix(2, 3), "50");
    EXPECT_EQ(g.TextMatrix(3, 3), "20");
    EXPECT_EQ(g.TextMatrix(4, 3), "30");
}

TEST_F(MainWindowTest, TypedFullWidthDigitsAreNarrowedInTheAngleColumns) {
    ShowActive(window.get());
    Tabula& g = grid();
    g.setFocus();
    TypeToWindow(window.get(), QStringLiteral("３０\nE\n４５\n"));
    // An input method hands over a whole word at once.
    g.SetRow(3);
    g.SetCol(1);
    g.setFocus();
    QInputMethodEvent word;
    word.setCommitString(QStringLiteral("１２０"));
    QApplication::sendEvent(QApplication::focusWidget(), &word);
    TypeToWindow(window.get(), "\n");
    EXPECT_EQ(g.TextMatrix(2, 1), "30");
    EXPECT_EQ(g.TextMatrix(2, 3), "45");
    EXPECT_EQ(g.TextMatrix(3, 1), "120");
}

TEST_F(MainWindowTest, TheNumberColumnWidensToTheLargestRowNumberAndThePaneFollows) {
    ShowActive(window.get());
    Tabula& g = grid();
    QWidget* pane = window->findChild<QWidget*>("picBase");
    const QFontMetrics metrics(pane->font());
    const double tpp = 1440.0 / g.logicalDpiX();
    const auto fits = [&](const QString& number) {
        return g.ColWidth(0) >= metrics.horizontalAdvance(" " + number + " ") * tpp - 1;
    };
    const int narrowCol = g.ColWidth(0), narrowPane = pane->width();
    // As an opened file of 99 701 rows sets the grid up.
    g.SetRows(99701 + 2);
    EXPECT_TRUE(fits("99701"));
    EXPECT_GT(pane->width(), narrowPane);
    EXPECT_EQ(g.width() + window->findChild<QWidget*>("imgSplitter")->width(), pane->width());
    // Rows added by pasting, inserting or typing in the last row count too; a new document
    // starts narrow again.
    g.SetRows(102);
    EXPECT_EQ(g.ColWidth(0), narrowCol);
    g.SetRow(101);
    dialogs.expectMessage("貼り付けようとするﾃｷｽﾄは行数が多すぎます。\r\n行を増やしますか？",
                          MsgButtons::YesNoCancel, MsgIcon::Question, "ﾃｷｽﾄの貼り付け",
                          MsgResult::Yes);
    g.PasteText(QString("1\r").repeated(950));
    EXPECT_TRUE(fits("1000"));
    BMContour::InitDataGrid(g);
    EXPECT_EQ(g.ColWidth(0), narrowCol);
    EXPECT_EQ(pane->width(), narrowPane);
}

TEST_F(MainWindowTest, InputLineEntriesAreCheckedAndCountedAsTypedOnes) {
    ShowActive(window.get());
    auto* input = grid().findChild<QLineEdit*>("txtInp");
    input->setFocus();
    TypeToWindow(window.get(), "55\n");
    EXPECT_TRUE(window->Change());
    window->setChange(false);
    grid().SetCol(3);
    input->setFocus();
    dialogs.expectMessage(kOutOfRange, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    TypeToWindow(window.get(), "95\n");
    EXPECT_EQ(grid().TextMatrix(2, 3), "");
}

// A pasted block that typing would not store is refused whole with its first refusal.
TEST_F(MainWindowTest, RefusedPastesLeaveTheGridAsItWas) {
    const std::pair<const char*, QString> pastes[] = {
        {"10\tE\t45\tS\r20\tW\t-5\tN", kNotPositive},
        {"10\tSSE", QStringLiteral("2文字以内で入力してください。")},
        {"10\tE\t95\tS", kOutOfRange}};
    for (const auto& [text, message] : pastes) {
        dialogs.expectMessage(message, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
        grid().PasteText(text);
        EXPECT_EQ(grid().TextMatrix(2, 1) + grid().TextMatrix(2, 2), "") << text;
    }
    EXPECT_FALSE(window->Change());
}
