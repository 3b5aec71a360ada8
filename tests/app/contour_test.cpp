#include "app/contour.h"
#include "core/bmmain.h"
#include "core/cp932.h"
#include "core/document_writer.h"
#include "core/file_association.h"
#include "core/profile.h"
#include "diagrams/picture_box.h"
#include "scripted_dialogs.h"
#include "tabula.h"
#include "test_files.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

namespace {

const QString kCaption = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
const QString kSaveQuestion =
    QStringLiteral("ﾃﾞｰﾀは変更されています。\r\n変更内容を保存しますか？");

Document SampleDocument() {
    Document d;
    d.roseTitle = QStringLiteral("ローズ");
    d.contourTitle = QStringLiteral("コンター\r\n図");
    d.plotTitle = QStringLiteral("投影図");
    d.grades = {{2.5f, 0xFF, 2}, {5.0f, 0xFF00, 0}};
    d.contourPoles = {{0.5f, -0.25f, 0.6f, -0.3f}};
    d.plotPoles = {{-0.1f, 0.2f, -0.2f, 0.3f}};
    d.rows.assign(100, Document::Row{});
    d.rows[0] = {"30", "E", "45", "SE"};
    d.rows[1] = {"60", "W", "70", "NE"};
    d.rows[5] = {"10", "E", "5", "N"}; // below the first empty row, kept all the same
    return d;
}

class ContourTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BMMain::SetAppPath(dir.path());
        BMMain::NetRadius = 100;
        association.SetRunTools(false);
    }
    void TearDown() override {
        contour.reset();
        EXPECT_TRUE(dialogs.allAnswered());
    }
    Contour& Start(const QString& commandLine = QString()) {
        contour = std::make_unique<Contour>(dialogs, association);
        contour->Initialise(commandLine);
        return *contour;
    }
    QString WriteSample(const QString& name, const Document& d = SampleDocument()) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(spit(path, DataFile::Write(d)));
        return path;
    }
    Tabula& grid() { return contour->FormMain->grdData(); }
    // Starts, opens a sample file through command 2 and makes the frame the active window.
    Contour& StartWithSample(const QString& path) {
        Contour& c = Start();
        dialogs.expectOpenFile(path);
        c.FormMain_MenuClick(2);
        c.FormMain->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(c.FormMain));
        return c;
    }
    void Activate(QWidget* form) {
        contour->FormMain->mdiArea().setActiveSubWindow(
            qobject_cast<QMdiSubWindow*>(form->parentWidget()));
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FileAssociation association{"/opt/q/qstereo", dir.filePath("share")};
    std::unique_ptr<Contour> contour;
};

} // namespace

TEST_F(ContourTest, StartWithoutSettingsOrArguments) {
    Contour& c = Start();
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption);
    EXPECT_EQ(c.FileName(), "新規.QST");
    EXPECT_FALSE(c.Modified());
    EXPECT_EQ(c.RoseDivisions(), 16);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(c.GridVisible(i));
        EXPECT_FALSE(c.FormMain->MenuItem(202 + i)->isChecked());
    }
    EXPECT_TRUE(c.FormMain->MenuItem(205)->isChecked());
    EXPECT_EQ(c.FormPlot->MapType(), 2);
    EXPECT_EQ(c.FormRose->MapType(), 4);
    EXPECT_EQ(c.FormRank->MapType(), 3);
    EXPECT_EQ(c.FormCont->MapType(), 1);
    EXPECT_EQ(c.FormPlot->windowTitle(), "ｼｭﾐｯﾄﾈｯﾄ投影図");
    EXPECT_EQ(c.FormRose->Title(), "ローズダイアグラム");
    EXPECT_EQ(c.FormCont->Title(), "\r\n（シュミットネット下半球投影）");
    for (QWidget* w : {static_cast<QWidget*>(c.FormRSet), static_cast<QWidget*>(c.FormPlot),
                       static_cast<QWidget*>(c.FormRose), static_cast<QWidget*>(c.FormRank),
                       static_cast<QWidget*>(c.FormCont)})
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(grid().Rows(), 102);
}

TEST_F(ContourTest, SettingsAreReadAtStartAndGridOptionsWrittenAtTheEnd) {
    ProfileFile ini(BMMain::SettingsPath());
    ini.write("ｸﾞﾘｯﾄﾞ", "段彩図", "True");
    ini.write("解像度", "分割角度数", "12");
    Contour& c = Start();
    EXPECT_TRUE(c.GridVisible(1));
    EXPECT_TRUE(c.FormMain->MenuItem(203)->isChecked());
    EXPECT_EQ(c.RoseDivisions(), 12);

    c.FormMain_MenuClick(202);
    EXPECT_TRUE(c.GridVisible(0));
    EXPECT_TRUE(c.FormMain->MenuItem(202)->isChecked());
    c.FormMain_MenuClick(203);
    EXPECT_FALSE(c.GridVisible(1));
    // Only the end of the run writes them.
    EXPECT_EQ(ini.read("ｸﾞﾘｯﾄﾞ", "投影図", "?"), "?");
    c.Terminate();
    EXPECT_EQ(ini.read("ｸﾞﾘｯﾄﾞ", "投影図", "?"), "True");
    EXPECT_EQ(ini.read("ｸﾞﾘｯﾄﾞ", "段彩図", "?"), "False");
    EXPECT_EQ(ini.read("ｸﾞﾘｯﾄﾞ", "ｺﾝﾀｰ図", "?"), "False");
}

TEST_F(ContourTest, CommandLineOpensAQuotedLowerCaseFileWithoutNamingItInTheCaption) {
    const QString path = WriteSample("site one.qst");
    Contour& c = Start("\"" + path + "\"");
    EXPECT_EQ(c.FileName(), path);
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption);
    EXPECT_EQ(grid().TextMatrix(2, 1), "30");
    EXPECT_EQ(grid().TextMatrix(3, 4), "NE");
    EXPECT_EQ(grid().TextMatrix(7, 3), "5");
    EXPECT_EQ(c.FormCont->Title(), "コンター\r\n図");
    EXPECT_FALSE(c.FormMain->Change());
    EXPECT_TRUE(c.FormPlot->isEnabled());
}

TEST_F(ContourTest, FilesThatCannotBeOpenedSaySoAndLeaveTheDocumentAlone) {
    const QString text = dir.filePath("notes.txt");
    ASSERT_TRUE(spit(text, "x"));
    const QString otherType =
        "（ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST)ではありません）\r\nﾌｧｲﾙを開くことができません。\r\n\r\n";
    const QString missing = dir.filePath("gone.QST");
    // From the command line: said once the program is up, which starts with an empty document.
    for (const auto& [name, message] :
         {std::pair{text, otherType + text},
          std::pair{missing, "（ﾌｧｲﾙが見つかりません）\r\nﾌｧｲﾙを開くことができません。\r\n\r\n" +
                                 missing}}) {
        Contour& c = Start(name);
        dialogs.expectMessage(message, MsgButtons::OK, MsgIcon::Exclamation, kCaption);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialogs.allAnswered());
        EXPECT_EQ(c.FileName(), "新規.QST");
        EXPECT_TRUE(c.FormCont->isEnabled());
    }
    // A name of another type typed into the open dialog.
    Contour& c = Start();
    grid().SetTextMatrix(2, 1, "31");
    dialogs.expectOpenFile(text).expectMessage(otherType + text, MsgButtons::OK,
                                               MsgIcon::Exclamation, kCaption);
    c.FormMain_MenuClick(2);
    EXPECT_EQ(grid().TextMatrix(2, 1), "31");
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption);
}

TEST_F(ContourTest, NewAndOpenAskAboutAChangedDocumentFirst) {
    Contour& c = Start();
    const QString path = WriteSample("a.QST");
    const auto edit = [&] {
        grid().SetTextMatrix(2, 1, "31");
        c.FormMain->setChange(true);
    };
    const auto ask = [&](MsgResult answer) -> ScriptedDialogs& {
        return dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation,
                                     "Quill Net", answer);
    };
    // A value still being typed counts: Ctrl+N, Cancel, and it is there.
    c.FormMain->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.FormMain));
    grid().SetRow(4);
    grid().SetCol(1);
    grid().setFocus();
    QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), "1");
    QTest::keyClicks(QApplication::focusWidget(), "2");
    ask(MsgResult::Cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(grid().TextMatrix(4, 1), "12");

    // Cancel, or Yes with a cancelled save dialog, keeps everything: from the menu, where the
    // grid used to be emptied before the question, and from the open command.
    edit();
    ask(MsgResult::Cancel);
    c.FormMain->MenuItem(1)->trigger();
    ask(MsgResult::Cancel);
    c.FormMain->MenuItem(2)->trigger();
    ask(MsgResult::Yes).expectSaveFile(std::nullopt);
    c.FormMain->MenuItem(1)->trigger();
    EXPECT_EQ(grid().TextMatrix(2, 1), "31");
    EXPECT_TRUE(c.FormMain->Change());
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption);

    // No discards: the new document is unchanged, so the exit asks nothing.
    ask(MsgResult::No);
    c.FormMain->MenuItem(1)->trigger();
    EXPECT_EQ(grid().TextMatrix(2, 1), "");
    EXPECT_FALSE(c.FormMain->Change());

    // Yes saves a named document before the next one is opened.
    dialogs.expectOpenFile(path);
    c.FormMain_MenuClick(2);
    edit();
    ask(MsgResult::Yes).expectOpenFile(std::nullopt);
    c.FormMain_MenuClick(2);
    EXPECT_TRUE(slurp(path).contains("31\tE\t45\tSE"));
    EXPECT_FALSE(c.FormMain->Change());
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_FALSE(cancel);
}

TEST_F(ContourTest, FileDialogsStartWhereTheUserLastOpenedOrSaved) {
    Contour& c = Start();
    const QString path = WriteSample("a.QST");
    QTemporaryDir other;
    const QString saved = other.filePath("b.QST");
    dialogs.expectOpenFile(path).expectSaveFile(saved).expectOpenFile(std::nullopt);
    c.FormMain_MenuClick(2);
    c.FormMain_MenuClick(23);
    // A new document has no folder of its own: the last one used stands in.
    c.FormMain_MenuClick(1);
    c.FormMain_MenuClick(2);
    const auto& asked = dialogs.asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].file.folder, QDir::homePath());
    EXPECT_EQ(asked[1].file.folder, dir.path());
    EXPECT_EQ(asked[2].file.folder, other.path());
}

TEST_F(ContourTest, OpenCommandReplacesTheDocumentAndSetsTheCaption) {
    Contour& c = Start();
    const QString path = WriteSample("a.QST");
    dialogs.expectOpenFile(path);
    c.FormMain_MenuClick(2);
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption + " - [" + path + "]");
    EXPECT_EQ(c.FileName(), path);
    EXPECT_EQ(grid().TextMatrix(2, 2), "E");
    EXPECT_EQ(dialogs.asked()[0].file.title, "ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを開く");

    // Saved again at once, the file is the same to the byte.
    const QByteArray before = slurp(path);
    c.FormMain_MenuClick(22);
    EXPECT_EQ(slurp(path), before);
}

TEST_F(ContourTest, AFileThatCannotBeOpenedLeavesTheDocumentAlone) {
    Contour& c = Start();
    const QString first = WriteSample("first.QST");
    dialogs.expectOpenFile(first);
    c.FormMain_MenuClick(2);
    const QString caption = c.FormMain->windowTitle();

    QByteArray newer = slurp(first);
    newer.replace("1.01.00", "1.02.00");
    const QString newerPath = dir.filePath("newer.QST");
    ASSERT_TRUE(spit(newerPath, newer));
    dialogs.expectOpenFile(newerPath).expectMessage(
        "開こうとしているﾌｧｲﾙは本ｿﾌﾄより新しいﾊﾞｰｼﾞｮﾝで作成されています。\r\n"
        "ﾌｧｲﾙを開くことができません。\r\n\r\nｼｽﾃﾑを最新のものに更新してください。",
        MsgButtons::OK, MsgIcon::Exclamation, kCaption);
    c.FormMain_MenuClick(2);
    EXPECT_EQ(c.FileName(), first);
    EXPECT_EQ(c.FormMain->windowTitle(), caption);
    EXPECT_EQ(grid().TextMatrix(2, 1), "30");
    EXPECT_EQ(c.CurrentDocument().grades.size(), 2u);
}

TEST_F(ContourTest, SavingFinishesTheCellBeingTypedFirst) {
    const QString path = WriteSample("a.QST");
    Contour& c = StartWithSample(path);
    const auto typeInto = [this](int row, int col, const char* text) {
        grid().SetRow(row);
        grid().SetCol(col);
        grid().setFocus();
        QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), QString(text).left(1));
        QTest::keyClicks(QApplication::focusWidget(), QString(text).mid(1));
    };

    // A refused dip is not written.
    typeInto(4, 3, "95");
    dialogs.expectMessage("0～90の整数を入力してください。", MsgButtons::OK, MsgIcon::Exclamation,
                          kCaption);
    c.FormMain_MenuClick(22);
    EXPECT_FALSE(slurp(path).contains("95"));

    // An accepted value is checked, counted and written.
    typeInto(4, 1, "12");
    c.FormMain_MenuClick(22);
    EXPECT_TRUE(slurp(path).contains("\r12\t\t\t\r"));
    EXPECT_FALSE(c.FormMain->Change());
}

TEST_F(ContourTest, NoSaveQuestionAfterASaveWhenNothingChangedSince) {
    const QString path = WriteSample("a.QST");
    Contour& c = StartWithSample(path);
    grid().SetRow(4);
    grid().SetCol(1);
    grid().setFocus();
    QTest::keyClicks(grid().findChild<QWidget*>("grdMain"), "1");
    QTest::keyClicks(QApplication::focusWidget(), "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(slurp(path).contains("\r12\t\t\t\r"));
    // Another cell is clicked: the saved value is no news.
    grid().SetRow(6);
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ContourTest, UndoingBackToWhatWasOpenedOrSavedLeavesNothingToAsk) {
    const QString path = WriteSample("a.QST");
    Contour& c = StartWithSample(path);
    const auto keys = [](const char* text, Qt::Key k,
                         Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    grid().SetRow(4);
    grid().SetCol(1);
    grid().setFocus();
    keys("12", Qt::Key_Return, {});
    grid().SetCol(3); // a refused dip is no step: the undo takes the angle back
    dialogs.expectMessage("0～90の整数を入力してください。", MsgButtons::OK, MsgIcon::Exclamation,
                          kCaption);
    keys("95", Qt::Key_Return, {});
    keys("", Qt::Key_Z);
    EXPECT_EQ(grid().TextMatrix(4, 1), "");
    EXPECT_FALSE(c.FormMain->Change());
    for (Qt::Key k : {Qt::Key_Y, Qt::Key_S, Qt::Key_Z}) // saved, then undone: unlike the file
        keys("", k);
    dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                          MsgResult::Cancel);
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    keys("", Qt::Key_Y);
    c.FormMain_QueryUnload(cancel = false, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(slurp(path).contains("\r12\t\t\t\r"));
}

TEST_F(ContourTest, SavingANewDocumentAsksForAName) {
    Contour& c = Start();
    grid().SetTextMatrix(2, 1, "45");
    c.FormMain->setChange(true);
    const QString path = dir.filePath("saved.QST");
    dialogs.expectSaveFile(path);
    c.FormMain_MenuClick(22);
    EXPECT_EQ(dialogs.asked()[0].file.initialName, "新規.QST");
    EXPECT_EQ(c.FileName(), path);
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption + " - [" + path + "]");
    EXPECT_FALSE(c.FormMain->Change());
    const QByteArray bytes = slurp(path);
    EXPECT_TRUE(bytes.startsWith("QuillStereoVersion1.01.00\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n 100 \r\n 0 \r\n 0 \r\n 0 \r\n45\t\t\t\r\t\t\t\r"));
    EXPECT_TRUE(bytes.endsWith("\t\t\t\r\n"));

    // Save as, cancelled: nothing changes.
    dialogs.expectSaveFile(std::nullopt);
    c.FormMain_MenuClick(23);
    EXPECT_EQ(c.FileName(), path);
}

TEST_F(ContourTest, NewDocumentClearsTheFileAndTheDiagramObjects) {
    Contour& c = Start();
    dialogs.expectOpenFile(WriteSample("a.QST"));
    c.FormMain_MenuClick(2);
    c.FormMain_MenuClick(1);
    EXPECT_EQ(c.FileName(), "新規.QST");
    EXPECT_EQ(c.FormMain->windowTitle(), kCaption + " - [新規.QST]");
    EXPECT_EQ(c.FormPlot->Title(), "分布図");
    EXPECT_TRUE(c.CurrentDocument().grades.empty());
    EXPECT_TRUE(c.CurrentDocument().contourPoles.empty());
}

TEST_F(ContourTest, ExitPromptCancelKeepsEverythingOpen) {
    Contour& c = Start();
    c.FormMain->setChange(true);
    dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                          MsgResult::Cancel);
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_NE(c.FormPlot, nullptr);
    EXPECT_TRUE(c.FormMain->Change());

    // Yes, then a cancelled save dialog: still open.
    dialogs
        .expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                       MsgResult::Yes)
        .expectSaveFile(std::nullopt);
    cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_NE(c.FormCont, nullptr);
}

TEST_F(ContourTest, ExitWithYesSavesThenUnloadsAndStoresThePlacement) {
    Contour& c = Start();
    const QString path = WriteSample("a.QST");
    dialogs.expectOpenFile(path);
    c.FormMain_MenuClick(2);
    grid().SetTextMatrix(2, 1, "31");
    c.FormMain->setChange(true);
    dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                          MsgResult::Yes);
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(slurp(path).contains("31\tE\t45\tSE"));
    EXPECT_EQ(c.FormPlot, nullptr);
    EXPECT_EQ(c.FormRSet, nullptr);
    ProfileFile ini(BMMain::SettingsPath());
    for (const char* section : {"Contour", "Plot", "Rank", "Rose", "RankSet"})
        EXPECT_NE(ini.read(section, "Status", "?"), "?") << section;
}

TEST_F(ContourTest, UnchangedDocumentExitsWithoutAsking) {
    Contour& c = Start();
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(c.FormRank, nullptr);
}

TEST_F(ContourTest, DraggingALevelOrAMarkerMovesOnlyItsOwn) {
    Contour& c = Start();
    dialogs.expectOpenFile(WriteSample("a.QST"));
    c.FormMain_MenuClick(2);
    Q_EMIT c.FormRSet->Move(1, 7.5f);
    Q_EMIT c.FormCont->MovePole(1, 0.1f, 0.2f);
    EXPECT_FLOAT_EQ(c.CurrentDocument().grades[0].value, 7.5f);
    EXPECT_FLOAT_EQ(c.CurrentDocument().contourPoles[0].y, 0.2f);
    // The plot's own point moves only with the plot; the other windows hold none.
    Q_EMIT c.FormPlot->MovePole(1, -0.3f, 0.4f);
    Q_EMIT c.FormRose->MovePole(1, 0.9f, 0.9f);
    Q_EMIT c.FormRank->MovePole(1, 0.9f, 0.9f);
    EXPECT_FLOAT_EQ(c.CurrentDocument().plotPoles[0].x, -0.3f);
    EXPECT_FLOAT_EQ(c.CurrentDocument().plotPoles[0].y, 0.4f);
    EXPECT_FLOAT_EQ(c.CurrentDocument().contourPoles[0].x, 0.1f);
}

TEST_F(ContourTest, ExitCommandClosesTheFrameThroughTheExitPrompt) {
    Contour& c = Start();
    c.FormMain->setChange(true);
    dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                          MsgResult::Cancel);
    c.FormMain_MenuClick(1001);
    EXPECT_TRUE(c.FormMain->isVisible());
    EXPECT_NE(c.FormCont, nullptr);
}

TEST_F(ContourTest, PrintQuestionsAndPatternMenuWithoutSelection) {
    Contour& c = Start();
    dialogs
        .expectMessage("ﾃﾞｰﾀ一覧表を印刷します。\r\nよろしいですか？", MsgButtons::YesNo,
                       MsgIcon::Exclamation, "QUILL Stereo", MsgResult::No)
        .expectMessage("選択中の帳票を印刷します。\r\nよろしいですか？", MsgButtons::YesNo,
                       MsgIcon::Exclamation, "QUILL Stereo", MsgResult::No)
        .expectMessage("編集するｺﾝﾀｰを選択して下さい。", MsgButtons::OK, MsgIcon::Exclamation,
                       "ﾊﾟﾀｰﾝの変更");
    c.FormMain_MenuClick(31);
    c.FormMain_MenuClick(32);
    c.FormMain_MenuClick(-4);
    // Numbers without an action do nothing.
    c.FormMain_MenuClick(201);
    c.FormMain_MenuClick(9999);
}

TEST_F(ContourTest, ActivationEnablesTheCommandsOfTheActiveWindow) {
    Contour& c = Start();
    Activate(c.FormPlot);
    EXPECT_TRUE(c.FormMain->MenuItem(112)->isEnabled());
    EXPECT_TRUE(c.FormMain->MenuItem(113)->isEnabled());
    EXPECT_TRUE(c.FormMain->ToolButton("pole")->isEnabled());
    Activate(c.FormRSet);
    EXPECT_FALSE(c.FormMain->MenuItem(112)->isEnabled());
    EXPECT_FALSE(c.FormMain->MenuItem(32)->isEnabled());
    EXPECT_FALSE(c.FormMain->ToolButton("print")->isEnabled());
    EXPECT_TRUE(c.FormMain->MenuItem(111)->isEnabled());
    EXPECT_TRUE(c.FormMain->ToolButton("contour")->isEnabled());
    EXPECT_TRUE(c.FormMain->TopMenu(4)->menuAction()->isEnabled());
    Activate(c.FormRose);
    EXPECT_TRUE(c.FormMain->MenuItem(32)->isEnabled());
    EXPECT_FALSE(c.FormMain->MenuItem(111)->isEnabled());
    EXPECT_FALSE(c.FormMain->TopMenu(4)->menuAction()->isEnabled());
}

TEST_F(ContourTest, CopyPutsTheActivePictureOnTheClipboard) {
    Contour& c = Start();
    QGuiApplication::clipboard()->clear();
    Activate(c.FormCont);
    c.FormMain_MenuClick(102);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), c.FormCont->picCont().Surface().Image().size());
    Activate(c.FormRSet);
    c.FormMain_MenuClick(102);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(),
              c.FormRSet->picRSet().Surface().Image().size());
}

TEST_F(ContourTest, ASaveThatFailsAtExitKeepsTheProgramOpen) {
    Contour& c = Start();
    // A name the save refuses, although the file exists and opens.
    const QString path = WriteSample("site;1.QST");
    dialogs.expectOpenFile(path);
    c.FormMain_MenuClick(2);
    grid().SetTextMatrix(2, 1, "31");
    c.FormMain->setChange(true);
    dialogs
        .expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                       MsgResult::Yes)
        .expectMessage("ﾌｧｲﾙ名には次の文字は使えません。\r\n/,;*?<>|\"", MsgButtons::OK,
                       MsgIcon::Critical, "ﾌｧｲﾙの保存");
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_NE(c.FormCont, nullptr);
    EXPECT_EQ(grid().TextMatrix(2, 1), "31");
    EXPECT_TRUE(c.FormMain->Change());
}

TEST_F(ContourTest, OnlyTheDrawRankAndMaximumPointMenusPopUp) {
    Contour& c = Start();
    std::vector<QWidget*> shown;
    auto closeNextPopup = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            shown.push_back(popup);
            if (popup)
                popup->close();
        });
    };
    for (int index : {0, 1, 3, 5, 9, 10}) {
        closeNextPopup();
        Q_EMIT c.FormCont->MenuButtonDown(index);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(shown, std::vector<QWidget*>(6, nullptr));

    shown.clear();
    closeNextPopup();
    Q_EMIT c.FormPlot->MenuButtonDown(2);
    closeNextPopup();
    Q_EMIT c.FormCont->MenuButtonDown(6);
    EXPECT_EQ(shown, (std::vector<QWidget*>{c.FormMain->TopMenu(2), c.FormMain->TopMenu(6)}));
}

TEST_F(ContourTest, RefreshDisablesTheWindowsWhileItDraws) {
    Contour& c = Start();
    Activate(c.FormCont);
    struct EnabledLog : QObject {
        std::vector<bool> states;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::EnabledChange)
                states.push_back(static_cast<QWidget*>(watched)->isEnabled());
            return false;
        }
    } log;
    c.FormRSet->installEventFilter(&log);
    c.FormPlot->installEventFilter(&log);
    c.FormMain->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.FormMain));
    c.FormCont->picCont().setFocus();
    ASSERT_TRUE(c.FormCont->picCont().hasFocus());
    c.FormMain_MenuClick(103);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.states, (std::vector<bool>{false, false, true, true}));
    // The window that was active stays so, and keeps the focus.
    EXPECT_EQ(c.FormMain->ActiveChild(), c.FormCont);
    EXPECT_TRUE(c.FormCont->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(ContourTest, ARightClickMakesTheClickedWindowActiveBeforeItsMenu) {
    Contour& c = Start();
    Activate(c.FormRSet);
    // The frame is in the background, as when the user comes back from another program: the
    // click cannot activate the window through the keyboard focus.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    QGuiApplication::clipboard()->clear();
    QWidget* activeAtMenu = nullptr;
    // Copy from the pop-up menu, as a person would.
    QTimer::singleShot(0, [&] {
        activeAtMenu = c.FormMain->ActiveChild();
        c.FormMain->MenuItem(102)->trigger();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::mouseClick(&c.FormCont->picCont(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(activeAtMenu, c.FormCont);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(),
              c.FormCont->picCont().Surface().Image().size());

    // The title bar's close button is greyed like the Close item: its cross is drawn lighter
    // than the strokes of the minimise button beside it.
    for (QWidget* w : {static_cast<QWidget*>(c.FormRSet), static_cast<QWidget*>(c.FormCont)}) {
        auto* sub = static_cast<QMdiSubWindow*>(w->parentWidget());
        QStyleOptionTitleBar bar;
        bar.initFrom(sub);
        bar.titleBarFlags = sub->windowFlags();
        bar.titleBarState = sub->windowState();
        bar.subControls = QStyle::SC_All;
        bar.rect = QRect(0, 0, sub->width(),
                         sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, sub));
        const QImage image = sub->grab().toImage();
        const auto darkest = [&](QStyle::SubControl button) {
            const QRect r = sub->style()->subControlRect(QStyle::CC_TitleBar, &bar, button, sub);
            int least = 255;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    least = std::min(least, QColor(image.pixel(x, y)).lightness());
            return least;
        };
        EXPECT_GT(darkest(QStyle::SC_TitleBarCloseButton),
                  darkest(QStyle::SC_TitleBarMinButton) + 40);
    }
}

TEST_F(ContourTest, DensityRunCountsTheGridAndPublishesItsTexts) {
    Document d = SampleDocument();
    d.rows[0] = {"30.55", "E", "45.75", "SE"}; // read from four characters and rewritten
    d.grades.push_back({2.5f, 0xFF0000, 3});   // same value as the first: drawn once, kept
    Contour& c = Start(WriteSample("d.QST", d));
    EXPECT_EQ(grid().TextMatrix(2, 1), "30");
    EXPECT_EQ(grid().TextMatrix(2, 3), "46");
    EXPECT_EQ(c.DataNumbers(), 2);
    EXPECT_EQ(c.DensityResults().countMax, 1);
    EXPECT_EQ(c.FormMain->PanelText(1), "ﾃﾞｰﾀ総数：2個");
    EXPECT_TRUE(c.FormMain->PanelText(2).startsWith("極大値：1個（N"));
    EXPECT_EQ(c.FormRank->windowTitle(), "頻度分布図（段彩）（最大値＝1）");
    EXPECT_EQ(c.CurrentDocument().grades.size(), 3u);

    // Typing does not count until the refresh; a blank row ends the data set.
    grid().SetTextMatrix(4, 1, "30");
    grid().SetTextMatrix(4, 3, "45");
    grid().SetTextMatrix(4, 4, "SE");
    EXPECT_EQ(c.DataNumbers(), 2);
    c.FormMain_MenuClick(103);
    EXPECT_EQ(c.DataNumbers(), 3);
    EXPECT_EQ(c.FormRank->windowTitle(), "頻度分布図（段彩）（最大値＝2）");
    // The plot's and the rose's walks, after the count, end on the first blank row.
    EXPECT_EQ(grid().Row(), 5);
    EXPECT_EQ(grid().Col(), 1);

    // A new document counts nothing: the texts of the empty set.
    dialogs.expectMessage(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                          MsgResult::No);
    c.FormMain_MenuClick(1);
    EXPECT_EQ(c.FormMain->PanelText(1), "ﾃﾞｰﾀ総数：0個");
}

TEST_F(ContourTest, ScanCountCommandAsksConfirmsAndRefusesTooManyLines) {
    Contour& c = Start(WriteSample("d.QST"));
    ProfileFile ini(BMMain::SettingsPath());
    const QString title = "走査数の変更";
    const QString prompt = "走査数を20の倍数で入力して下さい。";

    // Too many lines: refused, nothing changes.
    dialogs.expectInput(prompt, title, "200", QString("40000"))
        .expectMessage("走査数は2000本以下で入力して下さい。", MsgButtons::OK, MsgIcon::Exclamation,
                       title);
    c.FormMain_MenuClick(211);
    // No positive radius, Cancel, and No: nothing either.
    dialogs.expectInput(prompt, title, "200", QString("19"));
    c.FormMain_MenuClick(211);
    dialogs.expectInput(prompt, title, "200", std::nullopt);
    c.FormMain_MenuClick(211);
    dialogs.expectInput(prompt, title, "200", QString("300"))
        .expectMessage("走査数を変更します。\r\n２００本 → ３００本\r\nよろしいですか？",
                       MsgButtons::YesNo, MsgIcon::Exclamation, title, MsgResult::No);
    c.FormMain_MenuClick(211);
    EXPECT_EQ(BMMain::NetRadius, 100);
    EXPECT_EQ(ini.read("解像度", "走査線数", "?"), "?");

    dialogs.expectInput(prompt, title, "200", QString("２５０"))
        .expectMessage("走査数を変更します。\r\n２００本 → ２４０本\r\nよろしいですか？",
                       MsgButtons::YesNo, MsgIcon::Exclamation, title, MsgResult::Yes);
    c.FormMain->ToolButton("mesh")->trigger();
    EXPECT_EQ(BMMain::NetRadius, 120);
    EXPECT_EQ(ini.read("解像度", "走査線数", "?"), "120");
    EXPECT_EQ(c.DensityResults().grid.Radius(), 120);
    EXPECT_EQ(c.DensityResults().grid.High(), 252);
    BMMain::NetRadius = 100;
}

TEST_F(ContourTest, AnOldFileKeepsTheRoseTitleAndANewDocumentAlwaysAsksWhereToSave) {
    Contour& c = Start();
    QDir::setCurrent(dir.path());
    ASSERT_TRUE(spit(dir.filePath("新規.QST"), "keep"));
    c.FormRose->setTitle("rose");
    dialogs.expectOpenFile(dir.filePath("old.QST")).expectSaveFile(std::nullopt);
    ASSERT_TRUE(spit(dir.filePath("old.QST"), "c\r\np\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"));
    c.FormMain_MenuClick(2);
    EXPECT_EQ(c.FormRose->Title(), "rose");
    c.FormMain_MenuClick(1);
    c.FormMain_MenuClick(22);
    EXPECT_EQ(slurp(dir.filePath("新規.QST")), "keep");
}

TEST_F(ContourTest, EachWindowComesBackInItsOwnStateAndInView) {
    ASSERT_TRUE(spit(BMMain::SettingsPath(), "[Plot]\r\nStatus=2\r\n[Rose]\r\nLeft=-2E+07\r\n"
                                             "Top=9E+07\r\nWidth=3E+07\r\nStatus=0\r\n"));
    Contour& c = Start();
    QCoreApplication::processEvents(); // the frame is maximised
    EXPECT_EQ(c.FormMain->mdiArea().activeSubWindow(), c.FormPlot->parentWidget());
    EXPECT_TRUE(
        c.FormMain->mdiArea().viewport()->rect().contains(c.FormRose->parentWidget()->geometry()));
    c.FormMain_MenuClick(1001);
    ProfileFile ini(BMMain::SettingsPath());
    EXPECT_EQ(ini.read("Plot", "Status", "?"), "2");
    EXPECT_EQ(ini.read("Rose", "Left", "?"), "0");
}
