#include "core/bmmain.h"
#include "core/cp932.h"
#include "core/profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { BMMain::SetAppPath(dir.path()); }
    void Set(const QString& section, const QString& key, const QString& value) {
        ASSERT_TRUE(ProfileFile(BMMain::SettingsPath()).write(section, key, value));
    }
    QTemporaryDir dir;
};

} // namespace

TEST(AppPath, EndsInExactlyOneSlash) {
    BMMain::SetAppPath("/opt/qstereo");
    EXPECT_EQ(BMMain::AppPath, "/opt/qstereo/");
    BMMain::SetAppPath("/opt/qstereo/");
    EXPECT_EQ(BMMain::AppPath, "/opt/qstereo/");
    BMMain::SetAppPath("/");
    EXPECT_EQ(BMMain::AppPath, "/");
}

TEST_F(SettingsTest, NoSettingsFileGivesTheDefaults) {
    BMMain::NetRadius = 1;
    BMMain::LoadGlobalSettings();
    EXPECT_EQ(BMMain::NetRadius, 100);
    EXPECT_EQ(BMMain::PrintColumns, 3);
    EXPECT_EQ(BMMain::PrintRows, 30);
}

TEST_F(SettingsTest, StoredValuesAreRoundedHalfToEven) {
    Set("解像度", "走査線数", "120");
    Set("解像度", "印刷段数", "2.5");
    Set("解像度", "印刷行数", " 45 ");
    BMMain::LoadGlobalSettings();
    EXPECT_EQ(BMMain::NetRadius, 120);
    EXPECT_EQ(BMMain::PrintColumns, 2);
    EXPECT_EQ(BMMain::PrintRows, 45);
}

TEST_F(SettingsTest, ValuesThatDoNotConvertOrDoNotFitReadAsTheDefault) {
    // The net radius must also stay within what the density grid can hold.
    for (const char* bad : {"", "abc", "12abc", "70000", "-5", "5", "1001", "1e9"}) {
        Set("解像度", "走査線数", bad);
        BMMain::LoadGlobalSettings();
        EXPECT_EQ(BMMain::NetRadius, 100) << bad;
    }
    for (const char* bad : {"abc", "70000", "-5", "0"}) {
        Set("解像度", "印刷段数", bad);
        Set("解像度", "印刷行数", bad);
        BMMain::LoadGlobalSettings();
        EXPECT_EQ(BMMain::PrintColumns, 3) << bad;
        EXPECT_EQ(BMMain::PrintRows, 30) << bad;
    }
    // The data list needs its two header rows and one row of data on a page.
    for (const char* rows : {"1", "2", "3"}) {
        Set("解像度", "印刷行数", rows);
        BMMain::LoadGlobalSettings();
        EXPECT_EQ(BMMain::PrintRows, rows[0] == '3' ? 3 : 30) << rows;
    }
}

TEST_F(SettingsTest, BooleansReadTextOrNumbers) {
    Set("ｸﾞﾘｯﾄﾞ", "投影図", "TRUE");
    Set("ｸﾞﾘｯﾄﾞ", "段彩図", "-1");
    Set("ｸﾞﾘｯﾄﾞ", "ｺﾝﾀｰ図", "maybe");
    EXPECT_TRUE(BMMain::GetIniBoolean("ｸﾞﾘｯﾄﾞ", "投影図", false));
    EXPECT_TRUE(BMMain::GetIniBoolean("ｸﾞﾘｯﾄﾞ", "段彩図", false));
    EXPECT_FALSE(BMMain::GetIniBoolean("ｸﾞﾘｯﾄﾞ", "ｺﾝﾀｰ図", false));
    EXPECT_TRUE(BMMain::GetIniBoolean("ｸﾞﾘｯﾄﾞ", "無い", true));
}

namespace {

// Runs as an ordinary user while it lives, so that a read-only folder is read-only even when
// the tests run as root. The saved user id lets the destructor switch back.
class AsOrdinaryUser {
  public:
    AsOrdinaryUser() : switched_(geteuid() == 0 && setresuid(65534, 65534, 0) == 0) {}
    ~AsOrdinaryUser() {
        if (switched_) {
            EXPECT_EQ(setresuid(0, 0, 0), 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

  private:
    bool switched_;
};

} // namespace

TEST(SettingsFile, ReadOnlyProgramFolderKeepsSettingsAndPlacementInTheUserFolder) {
    QTemporaryDir program, home;
    const QString shipped = program.filePath("QStereo.ini");
    QFile f(shipped);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(cp932::encode("[解像度]\r\n走査線数=120\r\n"));
    f.close();
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto exec = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(f.setPermissions(readOnly));
    ASSERT_TRUE(QFile::setPermissions(program.path(), readOnly | exec));
    ASSERT_TRUE(QFile::setPermissions(home.path(), readOnly | exec | QFile::WriteOwner |
                                                       QFile::WriteGroup | QFile::WriteOther));
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    BMMain::SetAppPath(program.path());
    {
        AsOrdinaryUser user;
        EXPECT_TRUE(BMMain::WriteIniString("ｸﾞﾘｯﾄﾞ", "投影図", "True"));
        EXPECT_TRUE(BMMain::WriteIniString("Plot", "Status", "0"));
        EXPECT_TRUE(BMMain::WriteIniString("Plot", "Left", "1234.5"));
        // Read back by the next run: what was written, and what came with the program.
        EXPECT_EQ(BMMain::GetIniString("ｸﾞﾘｯﾄﾞ", "投影図", "False"), "True");
        EXPECT_EQ(BMMain::GetIniString("Plot", "Left", "0"), "1234.5");
        EXPECT_EQ(BMMain::GetIniString("解像度", "走査線数", "100"), "120");
        EXPECT_TRUE(BMMain::SettingsPath().startsWith(home.path()));
    }
    if (hadConfig)
        qputenv("XDG_CONFIG_HOME", savedConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
    QFile::setPermissions(program.path(), readOnly | exec | QFile::WriteOwner);
}
