#include "core/cp932.h"
#include "core/profile.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QTemporaryDir fallback;
    QString path() const { return dir.filePath("QStereo.ini"); }
    ProfileFile file() const { return ProfileFile(path()); }
};

} // namespace

TEST_F(ProfileTest, MissingFileSectionKeyOrEmptyValueGiveTheDefault) {
    EXPECT_EQ(file().read("解像度", "走査線数", "100"), "100");
    ASSERT_TRUE(
        spit(path(), cp932::encode("[解像度]\r\n走査線数=\r\n印刷段数= 4 \r\n[他]\r\nx=1\r\n")));
    EXPECT_EQ(file().read("解像度", "走査線数", "100"), "100");
    EXPECT_EQ(file().read("解像度", "印刷段数", "3"), "4");
    EXPECT_EQ(file().read("解像度", "x", "d"), "d");
    EXPECT_EQ(file().read("無い", "x", "d"), "d");
}

TEST_F(ProfileTest, SectionsAndKeysIgnoreLetterCase) {
    ASSERT_TRUE(spit(path(), "[Plot]\r\nLeft=12\r\n"));
    EXPECT_EQ(file().read("PLOT", "left", "0"), "12");
    ASSERT_TRUE(file().write("plot", "LEFT", "13"));
    EXPECT_EQ(slurp(path()), QByteArray("[Plot]\r\nLEFT=13\r\n"));
}

TEST_F(ProfileTest, ValuesAreCutAt254Bytes) {
    ASSERT_TRUE(spit(path(), "[a]\r\nk=" + QByteArray(300, 'x') + "\r\n"));
    EXPECT_EQ(file().read("a", "k", "").size(), 254);
    // A double-byte character is never split.
    ASSERT_TRUE(spit(path(), cp932::encode("[a]\r\nk=x" + QString(200, u'走') + "\r\n")));
    EXPECT_EQ(cp932::byteLength(file().read("a", "k", "")), 253);
}

TEST_F(ProfileTest, WriteKeepsEveryOtherLineByteForByte) {
    const QByteArray before = cp932::encode("; comment ～\r\n[解像度]\r\n走査線数=100\r\n"
                                            "印刷段数=3\r\n\r\n[ｸﾞﾘｯﾄﾞ]\n投影図=False\r\n");
    ASSERT_TRUE(spit(path(), before));
    ASSERT_TRUE(file().write("解像度", "走査線数", "120"));
    QByteArray expected = before;
    expected.replace(cp932::encode("走査線数=100"), cp932::encode("走査線数=120"));
    EXPECT_EQ(slurp(path()), expected);

    // A new key goes at the end of its section, before the blank line.
    ASSERT_TRUE(file().write("解像度", "分割角度数", "12"));
    expected.replace(cp932::encode("印刷段数=3\r\n"),
                     cp932::encode("印刷段数=3\r\n分割角度数=12\r\n"));
    EXPECT_EQ(slurp(path()), expected);

    // A new section is appended.
    ASSERT_TRUE(file().write("Plot", "Left", "1.5"));
    EXPECT_EQ(slurp(path()), expected + "[Plot]\r\nLeft=1.5\r\n");
    EXPECT_EQ(file().read("Plot", "Left", ""), "1.5");
}

TEST_F(ProfileTest, LastLineWithoutLineEndIsLeftAloneUnlessSomethingFollows) {
    ASSERT_TRUE(spit(path(), "[a]\r\nk=1\r\n[b]\r\nx=2"));
    ASSERT_TRUE(file().write("a", "k", "3"));
    EXPECT_EQ(slurp(path()), QByteArray("[a]\r\nk=3\r\n[b]\r\nx=2"));
    ASSERT_TRUE(file().write("b", "x", "4"));
    EXPECT_EQ(slurp(path()), QByteArray("[a]\r\nk=3\r\n[b]\r\nx=4"));
    ASSERT_TRUE(file().write("b", "y", "5"));
    EXPECT_EQ(slurp(path()), QByteArray("[a]\r\nk=3\r\n[b]\r\nx=4\r\ny=5\r\n"));

    ASSERT_TRUE(spit(path(), "[a]\r\nk=1"));
    ASSERT_TRUE(file().write("c", "z", "6"));
    EXPECT_EQ(slurp(path()), QByteArray("[a]\r\nk=1\r\n[c]\r\nz=6\r\n"));
}

TEST_F(ProfileTest, WriteCreatesTheFile) {
    ASSERT_TRUE(file().write("ｸﾞﾘｯﾄﾞ", "投影図", "True"));
    EXPECT_EQ(slurp(path()), cp932::encode("[ｸﾞﾘｯﾄﾞ]\r\n投影図=True\r\n"));
}

TEST_F(ProfileTest, UnwritableProgramDirectoryUsesTheUserCopy) {
    // The program folder is used whenever it takes the file.
    EXPECT_EQ(ProfileFile::Resolve(path(), fallback.path()), path());
    // /proc cannot take new files, not even for root.
    const QString redirected = QDir(fallback.path()).filePath("QStereo.ini");
    EXPECT_EQ(ProfileFile::Resolve("/proc/QStereo.ini", fallback.path()), redirected);
    ProfileFile user(redirected);
    EXPECT_EQ(user.read("解像度", "走査線数", "100"), "100");
    ASSERT_TRUE(user.write("解像度", "走査線数", "150"));
    EXPECT_EQ(user.read("解像度", "走査線数", "100"), "150");
}
