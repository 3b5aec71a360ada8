// The document's first save, an old file's rose title, and the child windows' placement
// across a restart, on the started controller with a settings file written beforehand.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/cp932.h"
#include "core/document_writer.h"
#include "core/file_association.h"
#include "core/profile.h"
#include "scripted_dialogs.h"
#include "tabula.h"
#include "test_files.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"

#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FilesAndPlacement : public ::testing::Test {
  protected:
    void SetUp() override {
        BMMain::SetAppPath(dir.path());
        QDir::setCurrent(dir.path());
        BMMain::NetRadius = 100;
        association.SetRunTools(false);
    }
    void TearDown() override {
        contour.reset();
        EXPECT_TRUE(dialogs.allAnswered());
    }
    Contour& Start() {
        contour = std::make_unique<Contour>(dialogs, association);
        contour->Initialise(QString());
        return *contour;
    }
    static QMdiSubWindow* Frame(QWidget* form) {
        return qobject_cast<QMdiSubWindow*>(form->parentWidget());
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FileAssociation association{"/opt/q/qstereo", dir.filePath("share")};
    std::unique_ptr<Contour> contour;
};

} // namespace

TEST_F(FilesAndPlacement, TheFirstSaveOfANewDocumentAlwaysAsksForAName) {
    // A file of the proposed name in the program folder, which is the current one.
    ASSERT_TRUE(spit(dir.filePath("新規.QST"), "keep"));
    Contour& c = Start();
    c.FormMain->grdData().SetTextMatrix(2, 1, "45");
    c.FormMain->setChange(true);
    // Save, then the exit's Yes: both ask where to save; both are cancelled.
    dialogs.expectSaveFile(std::nullopt)
        .expectMessage(QStringLiteral("ﾃﾞｰﾀは変更されています。\r\n変更内容を保存しますか？"),
                       MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net", MsgResult::Yes)
        .expectSaveFile(std::nullopt);
    c.FormMain_MenuClick(22);
    bool cancel = false;
    c.FormMain_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel);
    for (const ScriptedDialogs::Asked& asked : dialogs.asked()) {
        if (asked.kind == ScriptedDialogs::Kind::SaveFile) {
            EXPECT_EQ(asked.file.initialName, "新規.QST");
            EXPECT_EQ(asked.file.folder, QDir::homePath());
        }
    }
    EXPECT_EQ(slurp(dir.filePath("新規.QST")), "keep");
}

TEST_F(FilesAndPlacement, AFileWithoutARoseTitleKeepsTheOneShown) {
    Contour& c = Start();
    c.FormRose->setTitle(QStringLiteral("北部の走向"));
    const QString path = dir.filePath("old.QST");
    ASSERT_TRUE(spit(path, cp932::encode(QStringLiteral("コンター\r\nプロット\r\n 1 \r\n 0 \r\n"
                                                        " 0 \r\n 0 \r\n30\tE\t45\tSE\r\n"))));
    dialogs.expectOpenFile(path);
    c.FormMain_MenuClick(2);
    EXPECT_EQ(c.FormCont->Title(), QStringLiteral("コンター"));
    EXPECT_EQ(c.FormRose->Title(), QStringLiteral("北部の走向"));
}

TEST_F(FilesAndPlacement, EachWindowComesBackInItsOwnStateAndInView) {
    // The plot maximised; the rose far off the frame and absurdly wide; the rest normal.
    ASSERT_TRUE(spit(BMMain::SettingsPath(),
                     "[Plot]\r\nLeft=150\r\nTop=150\r\nWidth=4500\r\nHeight=4500\r\nStatus=2\r\n"
                     "[Rose]\r\nLeft=-20000000\r\nTop=90000000\r\nWidth=30000000\r\n"
                     "Height=3000\r\nStatus=0\r\n"
                     "[Contour]\r\nLeft=300\r\nTop=300\r\nWidth=4500\r\nHeight=4500\r\nStatus=0\r\n"
                     "[Rank]\r\nStatus=0\r\n[RankSet]\r\nStatus=0\r\n"));
    for (int run = 0; run < 2; ++run) {
        Contour& c = Start();
        // The window system maximises the frame.
        QCoreApplication::processEvents();
        QMdiArea& area = c.FormMain->mdiArea();
        EXPECT_TRUE(Frame(c.FormPlot)->isMaximized()) << run;
        EXPECT_EQ(area.activeSubWindow(), Frame(c.FormPlot)) << run;
        for (QWidget* form : {static_cast<QWidget*>(c.FormCont), static_cast<QWidget*>(c.FormRose),
                              static_cast<QWidget*>(c.FormRank)})
            EXPECT_FALSE(Frame(form)->isMaximized()) << run;
        const QRect rose = Frame(c.FormRose)->geometry();
        EXPECT_TRUE(area.viewport()->rect().contains(rose)) << run;

        bool cancel = false;
        c.FormMain_QueryUnload(cancel, 0);
        ASSERT_FALSE(cancel);
        contour.reset();
        ProfileFile ini(BMMain::SettingsPath());
        EXPECT_EQ(ini.read("Plot", "Status", "?"), "2");
        EXPECT_EQ(ini.read("Contour", "Status", "?"), "0");
        EXPECT_GE(ini.read("Rose", "Left", "?").toDouble(), 0);
        EXPECT_GE(ini.read("Rose", "Top", "?").toDouble(), 0);
        EXPECT_LT(ini.read("Rose", "Width", "?").toDouble(), 100000);
    }
}
