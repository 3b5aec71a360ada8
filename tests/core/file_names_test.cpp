#include "core/file_names.h"
#include "core/title_codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace BMMain;

TEST(TitleCodec, LineBreaksTravelAsBackslashN) {
    EXPECT_EQ(EncodeTitle("A\r\nB\r\n").toStdString(), "A\\nB\\n");
    EXPECT_EQ(DecodeTitle("A\\nB").toStdString(), "A\r\nB");
    EXPECT_EQ(DecodeTitle("A\\NB").toStdString(), "A\r\nB");
    EXPECT_EQ(DecodeTitle("A￥nB").toStdString(), "A\r\nB");
    EXPECT_EQ(DecodeTitle("A￥ｎB＼NC").toStdString(), "A\\ｎB＼NC");
    EXPECT_EQ(DecodeTitle("ｎ\\").toStdString(), "ｎ\\");
    EXPECT_EQ(DecodeTitle(EncodeTitle("一行目\r\n二行目")).toStdString(), "一行目\r\n二行目");
}

TEST(TitleCodec, BackslashZAnywhereEmptiesTheTitle) {
    for (const char* t : {"\\z", "before \\z after", "\\Z", "￥z", "＼ｚ", "￥Ｚ\\n"})
        EXPECT_EQ(DecodeTitle(QString::fromUtf8(t)).toStdString(), "") << t;
    EXPECT_EQ(DecodeTitle("zz\\").toStdString(), "zz\\");
}

TEST(FileNames, NineCharactersAreForbiddenButPathsPass) {
    for (QChar c : QStringLiteral(",;*?<>|\""))
        EXPECT_FALSE(IsValidFileName(QStringLiteral("a") + c + QStringLiteral("b.QST")))
            << int(c.unicode());
    EXPECT_TRUE(IsValidFileName("/home/user/data/site 1.QST"));
    EXPECT_TRUE(IsValidFileName("C:\\data\\a.QST"));
    EXPECT_TRUE(IsValidFileName(""));
}

TEST(FileNames, FileExistsIsForFilesOnly) {
    QTemporaryDir dir;
    QFile f(dir.filePath("a.QST"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(dir.filePath("a.QST")));
    EXPECT_FALSE(FileExists(dir.filePath("b.QST")));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists("/dev/null"));
    ASSERT_TRUE(QFile::link(dir.filePath("a.QST"), dir.filePath("link.QST")));
    EXPECT_TRUE(FileExists(dir.filePath("link.QST")));
    EXPECT_FALSE(FileExists(""));
}
