#include "core/bmmain.h"
#include "core/profile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    EXPECT_EQ(BMMain::SettingsPath(), "/QStereo.ini");
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
