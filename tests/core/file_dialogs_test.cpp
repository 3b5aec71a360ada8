#include "core/file_dialogs.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace BMContour;

namespace {

const QString kRefusedTitle = QStringLiteral("ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙの保存");

// Runs in an empty current folder, where the proposals of new names are looked up.
class FileDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }
    QTemporaryDir dir;
    QString previous;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(FileDialogsTest, OpenDialogSettingsAndCancel) {
    dialogs.expectOpenFile("/data/a.qst").expectOpenFile(std::nullopt);
    EXPECT_EQ(ShowOpenDialog(dialogs, "").toStdString(), "/data/a.qst");
    EXPECT_EQ(ShowOpenDialog(dialogs, "").toStdString(), "");
    const FileDialogRequest& r = dialogs.asked()[0].file;
    EXPECT_EQ(r.title.toStdString(), "ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを開く");
    EXPECT_EQ(r.filter.toStdString(), "ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST)|*.QST|");
    EXPECT_EQ(r.defaultExtension.toStdString(), "QST");
    EXPECT_TRUE(r.fileMustExist);
    EXPECT_TRUE(r.initialName.isEmpty());
}

TEST_F(FileDialogsTest, SaveDialogProposesTheFirstFreeNewName) {
    QFile(dir.filePath("新規1.QST")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("新規2.QST")).open(QIODevice::WriteOnly);
    dialogs.expectSaveFile(std::nullopt).expectSaveFile(std::nullopt);
    EXPECT_EQ(ShowSaveDialog(dialogs, "").toStdString(), "");
    EXPECT_EQ(ShowSaveDialog(dialogs, "新規.QST").toStdString(), "");
    const FileDialogRequest& r = dialogs.asked()[0].file;
    EXPECT_EQ(r.initialName.toStdString(), "新規3.QST");
    EXPECT_EQ(r.title.toStdString(), "ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを保存する");
    EXPECT_EQ(r.filter.toStdString(), "ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST )|*.QST|");
    EXPECT_EQ(r.defaultExtension.toStdString(), "QST");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_FALSE(r.fileMustExist);
    EXPECT_EQ(dialogs.asked()[1].file.initialName.toStdString(), "新規.QST");
}

TEST_F(FileDialogsTest, SaveDialogAppendsTheExtensionUnlessPresentInAnyCase) {
    dialogs.expectSaveFile("/data/site").expectSaveFile("/data/site.qst");
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "/data/site.QST");
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "/data/site.qst");
}

TEST_F(FileDialogsTest, RefusedNameIsReportedAndTheDialogShownAgainWithIt) {
    dialogs.expectSaveFile("/data/site.x")
        .expectMessage("このﾌｧｲﾙ名は無効です。\r\n/data/site.x.QST", MsgButtons::OK,
                       MsgIcon::Exclamation, kRefusedTitle)
        .expectSaveFile("/data/a,b.QST")
        .expectMessage("このﾌｧｲﾙ名は無効です。\r\n/data/a,b.QST", MsgButtons::OK,
                       MsgIcon::Exclamation, kRefusedTitle)
        .expectSaveFile("/data/site.x.QST")
        .expectMessage("このﾌｧｲﾙ名は無効です。\r\n/data/site.x.QST", MsgButtons::OK,
                       MsgIcon::Exclamation, kRefusedTitle)
        .expectSaveFile("/data/site.QST");
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "/data/site.QST");
    EXPECT_EQ(dialogs.asked()[2].file.initialName.toStdString(), "/data/site.x.QST");
    EXPECT_EQ(dialogs.asked()[4].file.initialName.toStdString(), "/data/a,b.QST");

    dialogs.expectSaveFile("/data/x..QST")
        .expectMessage("このﾌｧｲﾙ名は無効です。\r\n/data/x..QST", MsgButtons::OK,
                       MsgIcon::Exclamation, kRefusedTitle)
        .expectSaveFile(std::nullopt);
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "");
}

TEST_F(FileDialogsTest, DotsInFolderNamesAreAccepted) {
    // Dotted user names and hidden folders are everyday paths here.
    dialogs.expectSaveFile("/home/j.doe/.local/site").expectSaveFile("/data/v1.2/x.QST");
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "/home/j.doe/.local/site.QST");
    EXPECT_EQ(ShowSaveDialog(dialogs, "a.QST").toStdString(), "/data/v1.2/x.QST");
}

TEST_F(FileDialogsTest, DialogsStartInTheFolderTheyAreGiven) {
    QTemporaryDir other;
    QFile(other.filePath("新規1.QST")).open(QIODevice::WriteOnly);
    dialogs.expectOpenFile(std::nullopt).expectSaveFile(std::nullopt);
    ShowOpenDialog(dialogs, "", other.path());
    // New names are proposed free where the dialog starts.
    ShowSaveDialog(dialogs, "", other.path());
    EXPECT_EQ(dialogs.asked()[0].file.folder, other.path());
    EXPECT_EQ(dialogs.asked()[1].file.folder, other.path());
    EXPECT_EQ(dialogs.asked()[1].file.initialName.toStdString(), "新規2.QST");
}
