#include "core/file_association.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "windows/frm_title.h"
#include "windows/frm_version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kQuestion = QStringLiteral("拡張子が「.QST」のﾌｧｲﾙをQUILL Stereoに関連付けます。\r\n"
                                         "（関連付けが済むとﾃﾞｰﾀﾌｧｲﾙをﾀﾞﾌﾞﾙｸﾘｯｸして\r\n"
                                         "　ﾌﾟﾛｸﾞﾗﾑを起動できるようになります。　　 ）\r\n"
                                         "よろしいですか？");

QString slurpText(const QString& path) {
    return QString::fromUtf8(slurp(path));
}

} // namespace

TEST(VersionWindow, ShowsNameVersionAndPlatform) {
    QTemporaryDir data;
    ScriptedDialogs dialogs;
    FileAssociation association("/opt/qstereo/qstereo", data.path());
    frmVersion window(dialogs, association);
    EXPECT_EQ(window.windowTitle(), "QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(window.lblVer()->text(),
              "QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ\n（ｼｭﾐｯﾄﾈｯﾄ）\nfor Linux\nVersion 1.1.0");
    EXPECT_TRUE(window.cmdVer(1)->isEnabled());

    dialogs.expectOpenExternal(frmVersion::WebAddress());
    window.txtVersion_Click();
    dialogs.expectOpenExternal(frmVersion::WebAddress(), false)
        .expectMessage("ﾎｰﾑﾍﾟｰｼﾞを表示できません。\r\nWebﾌﾞﾗｳｻﾞを確認してください。\r\n\r\n" +
                           frmVersion::WebAddress(),
                       MsgButtons::OK, MsgIcon::Exclamation, "QUILL Stereo");
    window.txtVersion_Click();
}

TEST(VersionWindow, AssociationAsksThenRegistersOnce) {
    QTemporaryDir data;
    ScriptedDialogs dialogs;
    FileAssociation association("/opt/qstereo/qstereo", data.path());
    association.SetRunTools(false);
    {
        frmVersion window(dialogs, association);
        dialogs.expectMessage(kQuestion, MsgButtons::YesNo, MsgIcon::Information, "QUILL Stereo",
                              MsgResult::No);
        window.cmdVer_Click(1);
        EXPECT_FALSE(association.IsRegistered());
        EXPECT_TRUE(window.cmdVer(1)->isEnabled());

        dialogs
            .expectMessage(kQuestion, MsgButtons::YesNo, MsgIcon::Information, "QUILL Stereo",
                           MsgResult::Yes)
            .expectMessage("関連付けが完了しました。", MsgButtons::OK, MsgIcon::Information,
                           "QUILL Stereo");
        window.cmdVer_Click(1);
        EXPECT_TRUE(association.IsRegistered());
        EXPECT_FALSE(window.cmdVer(1)->isEnabled());
    }
    // Opened again after the association: the button is off from the start.
    frmVersion again(dialogs, association);
    EXPECT_FALSE(again.cmdVer(1)->isEnabled());
}

TEST(VersionWindow, AssociationFailureIsReported) {
    QTemporaryDir data;
    // A file where the folder should be makes every write fail.
    QFile blocker(data.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedDialogs dialogs;
    FileAssociation association("/opt/qstereo/qstereo", data.filePath("blocked"));
    association.SetRunTools(false);
    frmVersion window(dialogs, association);
    dialogs
        .expectMessage(kQuestion, MsgButtons::YesNo, MsgIcon::Information, "QUILL Stereo",
                       MsgResult::Yes)
        .expectMessage("関連付けに失敗しました。", MsgButtons::OK, MsgIcon::Critical,
                       "QUILL Stereo");
    window.cmdVer_Click(1);
    EXPECT_TRUE(window.cmdVer(1)->isEnabled());
}

// The package installs the same pair system-wide: the window takes it as registered, and a
// registration asked for anyway writes no second, user-level pair that would shadow it.
TEST(VersionWindow, InstalledEntriesCountAsRegistered) {
    QTemporaryDir user, system, halfInstalled;
    ASSERT_TRUE(QDir(system.path()).mkpath("mime/packages") &&
                QDir(system.path()).mkpath("applications") &&
                QDir(halfInstalled.path()).mkpath("applications"));
    ASSERT_TRUE(spit(halfInstalled.filePath("applications/quill-stereo.desktop"), "x"));
    FileAssociation none("/opt/q/qstereo", user.path(), {halfInstalled.path()});
    EXPECT_FALSE(none.IsRegistered());

    ASSERT_TRUE(spit(system.filePath("mime/packages/quill-stereo.xml"), "x"));
    ASSERT_TRUE(spit(system.filePath("applications/quill-stereo.desktop"), "x"));
    FileAssociation installed("/usr/bin/qstereo", user.path(),
                              {halfInstalled.path(), system.path()});
    installed.SetRunTools(false);
    EXPECT_EQ(installed.InstalledDataDir(), system.path());
    ScriptedDialogs dialogs;
    frmVersion window(dialogs, installed);
    EXPECT_FALSE(window.cmdVer(1)->isEnabled());

    EXPECT_TRUE(installed.Register());
    EXPECT_FALSE(QFileInfo::exists(installed.MimeFilePath()));
    EXPECT_FALSE(QFileInfo::exists(installed.DesktopFilePath()));
}

TEST(FileAssociationEntries, ProgramPathWithSpacesStillStartsTheProgram) {
    QTemporaryDir data;
    FileAssociation association("/home/geo/My Programs/qstereo", data.path());
    association.SetRunTools(false);
    EXPECT_EQ(association.ExecLine(), "\"/home/geo/My Programs/qstereo\" %f");
    EXPECT_EQ(FileAssociation("/opt/q/qstereo", data.path()).ExecLine(), "/opt/q/qstereo %f");
    EXPECT_EQ(FileAssociation("/opt/100%/qstereo", data.path()).ExecLine(),
              "/opt/100%%/qstereo %f");
    ASSERT_TRUE(association.Register());
    const QString desktop = slurpText(association.DesktopFilePath());
    EXPECT_TRUE(desktop.contains("Exec=\"/home/geo/My Programs/qstereo\" %f\n"));
    EXPECT_TRUE(desktop.contains("MimeType=application/x-quill-stereo;"));
    EXPECT_TRUE(slurpText(association.MimeFilePath()).contains("<glob pattern=\"*.qst\"/>"));
}

TEST(Splash, ShowsTheVersionCentredInTheUpperPart) {
    frmTitle splash;
    splash.Load(10);
    EXPECT_EQ(splash.lblTitle(0)->text(), "QUILL Stereo");
    EXPECT_EQ(splash.lblTitle(3)->text(), "ｽﾃﾚｵ投影ﾌﾟﾛｸﾞﾗﾑ");
    EXPECT_EQ(splash.lblTitle(2)->text(), "Version 1.1.0");
    EXPECT_TRUE(splash.isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash.x(), (screen.width() - splash.width()) / 2);
    EXPECT_EQ(splash.y(), (screen.height() - splash.height()) / 4);
}
