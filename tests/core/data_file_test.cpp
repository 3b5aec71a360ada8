#include "core/bmmain.h"
#include "core/data_file.h"
#include "core/document_writer.h"
#include "core/file_names.h"
#include "document_test_support.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using DataFile::ReadDataFile;
using DataFile::WriteDataFile;

namespace {

const QString kProgramTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
const QString kSaveFailed = QStringLiteral("ﾃﾞｰﾀの保存に失敗しました。");
const QString kCannotReplace = QStringLiteral("（元のﾌｧｲﾙを削除できません）\r\n") + kSaveFailed;

class DataFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const QByteArray original = DataFile::Write(NewDocumentValue());

    QString path(const QString& name) const { return dir.filePath(name); }
    // Everything in the folder, hidden files included.
    QStringList folder() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

} // namespace

TEST_F(DataFileTest, OpeningIgnoresEmptyMissingAndForeignPathsSilently) {
    ASSERT_TRUE(spit(path("a.txt"), original));
    EXPECT_FALSE(ReadDataFile("", dialogs));
    EXPECT_FALSE(ReadDataFile(path("missing.QST"), dialogs));
    EXPECT_FALSE(ReadDataFile(path("a.txt"), dialogs));
    QDir(dir.path()).mkdir("folder.QST");
    EXPECT_FALSE(ReadDataFile(path("folder.QST"), dialogs));
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(DataFileTest, OpeningReadsAnyLetterCaseOfTheExtension) {
    ASSERT_TRUE(spit(path("a.qst"), DataFile::Write(FullDocument())));
    const auto d = ReadDataFile(path("a.qst"), dialogs);
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, FullDocument());
}

TEST_F(DataFileTest, RefusedFilesAreReportedAndGiveNoDocument) {
    ASSERT_TRUE(spit(path("new.QST"), "QuillStereoVersion2.00.00\r\n"));
    dialogs.expectMessage(
        "開こうとしているﾌｧｲﾙは本ｿﾌﾄより新しいﾊﾞｰｼﾞｮﾝで作成されています。\r\n"
        "ﾌｧｲﾙを開くことができません。\r\n\r\nｼｽﾃﾑを最新のものに更新してください。",
        MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    EXPECT_FALSE(ReadDataFile(path("new.QST"), dialogs));

    ASSERT_TRUE(spit(path("cut.QST"), original.left(original.indexOf(" 100 "))));
    dialogs.expectMessage("（ﾌｧｲﾙが途中で終わっています）\r\nﾌｧｲﾙを開くことができません。",
                          MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    EXPECT_FALSE(ReadDataFile(path("cut.QST"), dialogs));

    ASSERT_TRUE(spit(path("bad.QST"), "QuillStereoVersion1.01.00\r\nr\r\nc\r\np\r\n x \r\n"));
    dialogs.expectMessage("（5行目が数値ではありません）\r\nﾌｧｲﾙを開くことができません。",
                          MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    EXPECT_FALSE(ReadDataFile(path("bad.QST"), dialogs));
}

TEST_F(DataFileTest, ForbiddenCharactersAreRefusedBeforeAnythingIsWritten) {
    for (const char* name :
         {"a,b.QST", "a;b.QST", "a*.QST", "a?.QST", "a<b.QST", "a>b.QST", "a|b.QST", "a\"b.QST"}) {
        dialogs.expectMessage("ﾌｧｲﾙ名には次の文字は使えません。\r\n/,;*?<>|\"", MsgButtons::OK,
                              MsgIcon::Critical, "ﾌｧｲﾙの保存");
        EXPECT_FALSE(WriteDataFile(path(name), "", NewDocumentValue(), dialogs)) << name;
    }
    EXPECT_TRUE(folder().isEmpty());
    EXPECT_TRUE(BMMain::IsValidFileName("/home/user/C:\\data/a.QST"));
}

TEST_F(DataFileTest, SavingWritesTheBytesAndAnEmptyPathMeansTheCurrentFile) {
    EXPECT_TRUE(WriteDataFile(path("a.QST"), "", FullDocument(), dialogs));
    EXPECT_EQ(str(slurp(path("a.QST"))), str(DataFile::Write(FullDocument())));
    EXPECT_TRUE(WriteDataFile("", path("a.QST"), NewDocumentValue(), dialogs));
    EXPECT_EQ(str(slurp(path("a.QST"))), str(original));
    EXPECT_EQ(folder(), QStringList{"a.QST"});
}

TEST_F(DataFileTest, ReadOnlyFileIsReplacedAndTheProgramFolderIsNotNeeded) {
    const QString saved = BMMain::AppPath;
    BMMain::AppPath = path("no-such-folder/");
    ASSERT_TRUE(spit(path("ro.QST"), "old"));
    QFile::setPermissions(path("ro.QST"), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_TRUE(WriteDataFile(path("ro.QST"), "", NewDocumentValue(), dialogs));
    EXPECT_EQ(str(slurp(path("ro.QST"))), str(original));
    EXPECT_TRUE(QFile::permissions(path("ro.QST")) & QFile::WriteOwner);
    EXPECT_EQ(folder(), QStringList{"ro.QST"});
    BMMain::AppPath = saved;
}

TEST_F(DataFileTest, SavingThroughALinkReplacesTheFileItNames) {
    ASSERT_TRUE(spit(path("real.QST"), "old"));
    ASSERT_TRUE(QFile::link(path("real.QST"), path("link.QST")));
    EXPECT_TRUE(WriteDataFile(path("link.QST"), "", NewDocumentValue(), dialogs));
    EXPECT_TRUE(QFileInfo(path("link.QST")).isSymLink());
    EXPECT_EQ(str(slurp(path("real.QST"))), str(original));
}

TEST_F(DataFileTest, AFailedSaveLeavesTheOriginalIntactAndNoTemporaryFile) {
    ASSERT_TRUE(spit(path("a.QST"), original));
    for (SaveStep failing :
         {SaveStep::Create, SaveStep::Write, SaveStep::Flush, SaveStep::Replace}) {
        dialogs.expectMessage(failing == SaveStep::Replace ? kCannotReplace : kSaveFailed,
                              MsgButtons::OK, MsgIcon::Exclamation, "QUILL-NET");
        const auto fault = [failing](SaveStep step) { return step == failing; };
        EXPECT_FALSE(WriteDataFile(path("a.QST"), "", FullDocument(), dialogs, fault));
        EXPECT_EQ(str(slurp(path("a.QST"))), str(original));
        EXPECT_EQ(folder(), QStringList{"a.QST"});
    }
}

TEST_F(DataFileTest, RealFailuresAreReportedToo) {
    dialogs.expectMessage(kSaveFailed, MsgButtons::OK, MsgIcon::Exclamation, "QUILL-NET");
    EXPECT_FALSE(WriteDataFile(path("missing/a.QST"), "", NewDocumentValue(), dialogs));

    QDir(dir.path()).mkdir("taken.QST");
    dialogs.expectMessage(kCannotReplace, MsgButtons::OK, MsgIcon::Exclamation, "QUILL-NET");
    EXPECT_FALSE(WriteDataFile(path("taken.QST"), "", NewDocumentValue(), dialogs));
    EXPECT_TRUE(folder().isEmpty());
}

namespace {

// 80 kanji and ".QST": 244 bytes, so a temporary name with more than 11 bytes added is too long.
const QString kLongName = QString(80, QChar(0x5730)) + QStringLiteral(".QST");

// A save of `target` killed right after its temporary file was written.
void KilledSave(const QString& target) {
    std::fflush(nullptr); // the child must not repeat what is buffered
    const pid_t child = fork();
    if (child == 0) {
        ReplaceFileContents(target, "new", [](SaveStep step) {
            if (step == SaveStep::Flush)
                raise(SIGKILL);
            return false;
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

TEST_F(DataFileTest, AnyNameTheFileSystemTakesSaves) {
    for (const QString& name : {kLongName, QString(251, u'a') + QStringLiteral(".QST")}) {
        ASSERT_TRUE(spit(path(name), "old")) << str(name);
        EXPECT_TRUE(WriteDataFile(path(name), "", FullDocument(), dialogs)) << str(name);
        EXPECT_EQ(str(slurp(path(name))), str(DataFile::Write(FullDocument())));
    }
    EXPECT_EQ(folder().size(), 2);
}

TEST_F(DataFileTest, LeftoversOfKilledSavesGoWithTheNextSaveOfTheSameFile) {
    // Names that only look like leftovers of "a.QST", and a leftover of another file.
    const QStringList others = {".b.QST.0a1b2c.tmp", "a.QST.0a1b2c.tmp",   ".a.QST.0a1b2.tmp",
                                ".a.QST.notes.tmp",  ".a.QST.0a1b2c.tmp~", ".a.QST.0a1b2c.tmpx"};
    for (const QString& other : others)
        ASSERT_TRUE(spit(path(other), "keep"));
    QDir(dir.path()).mkdir(".a.QST.abcdef.tmp");
    for (const QString& name : {QStringLiteral("a.QST"), kLongName}) {
        ASSERT_TRUE(spit(path(name), original));
        KilledSave(path(name));
        KilledSave(path(name));
        EXPECT_EQ(folder().size(), others.size() + 3 + (name == kLongName ? 1 : 0)) << str(name);
        EXPECT_EQ(str(slurp(path(name))), str(original));

        EXPECT_TRUE(WriteDataFile(path(name), "", FullDocument(), dialogs));
        QStringList expected = others + QStringList{"a.QST"};
        if (name == kLongName)
            expected << kLongName;
        expected.sort();
        EXPECT_EQ(folder(), expected) << str(name);
    }
    EXPECT_TRUE(QFileInfo(path(".a.QST.abcdef.tmp")).isDir());
}

TEST_F(DataFileTest, AFileTooLargeForTheMemoryLeftIsRefusedWithAMessage) {
#ifdef QSTEREO_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
    // One file too large to be read at all, one whose rows take more memory than is left (cells
    // too long to be kept without strings of their own).
    ASSERT_TRUE(spit(path("huge.QST"), QByteArray(40 << 20, ' ')));
    ASSERT_TRUE(spit(path("rows.QST"),
                     "QuillStereoVersion1.01.00\r\nr\r\nc\r\np\r\n 262144 \r\n"
                     " 0 \r\n 0 \r\n 0 \r\n" +
                         QByteArray("30.0000000000\tE\t45\tSE\r").repeated(262144) + "\r\n"));
    for (const char* name : {"huge.QST", "rows.QST"}) {
        EXPECT_EQ(WithinMemory(32 << 20,
                               [&] {
                                   ScriptedDialogs child;
                                   child.expectMessage(
                                       "（ﾒﾓﾘが足りません）\r\nﾌｧｲﾙを開くことができません。",
                                       MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
                                   return !ReadDataFile(path(name), child) && child.allAnswered();
                               }),
                  "ok")
            << name;
    }
}
