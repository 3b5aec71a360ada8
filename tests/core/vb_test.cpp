#include "core/vb.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(VbRounding, HalvesGoToEven) {
    EXPECT_EQ(CInt(67.5), 68);
    EXPECT_EQ(CInt(22.5), 22);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CLng(100000.5), 100000);
    EXPECT_FALSE(CIntChecked(32767.5).has_value());
    EXPECT_EQ(CIntChecked(-32768.4).value(), -32768);
    EXPECT_EQ(CInt(1e9), 32767);
}

TEST(VbRounding, IntIsFloor) {
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-2.1), -3);
    EXPECT_EQ(Int(-0.0), 0);
}

TEST(VbVal, ReadsTheLeadingNumber) {
    EXPECT_EQ(Val("  12abc"), 12);
    EXPECT_EQ(Val("-.25"), -0.25);
    EXPECT_EQ(Val("1 2 3"), 123); // blanks inside are passed over
    EXPECT_EQ(Val("1.5E2x"), 150);
    EXPECT_EQ(Val("3e"), 3);
    EXPECT_EQ(Val("&HFF"), 255);
    EXPECT_EQ(Val("&HFFFF"), -1);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("01"), 1);
}

TEST(VbParse, WholeTextMustConvert) {
    EXPECT_EQ(ParseNumber(" 42 ").value(), 42);
    EXPECT_FALSE(ParseNumber("42x").has_value());
    EXPECT_FALSE(ParseNumber("").has_value());
    EXPECT_EQ(ParseBoolean("tRUE").value(), true);
    EXPECT_EQ(ParseBoolean("False").value(), false);
    EXPECT_EQ(ParseBoolean("-1").value(), true);
    EXPECT_EQ(ParseBoolean("0").value(), false);
    EXPECT_FALSE(ParseBoolean("yes").has_value());
}

TEST(VbPrint, SingleAsFilePrintWritesIt) {
    EXPECT_EQ(PrintNumber(12.0f), " 12 ");
    EXPECT_EQ(PrintNumber(0.5f), " .5 ");
    EXPECT_EQ(PrintNumber(-0.25f), "-.25 ");
    EXPECT_EQ(PrintNumber(0.0f), " 0 ");
    EXPECT_EQ(PrintNumber(-0.0f), " 0 ");
    EXPECT_EQ(NumberText(0.1f), ".1");
    EXPECT_EQ(NumberText(1.0f / 3.0f), ".3333333");
    EXPECT_EQ(NumberText(1e-5f), "1E-05");
    EXPECT_EQ(NumberText(0.0001f), ".0001");
    EXPECT_EQ(NumberText(1234567.0f), "1234567");
    EXPECT_EQ(NumberText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(NumberText(1.5e10f), "1.5E+10");
    EXPECT_EQ(NumberText(-123.456f), "-123.456");
    EXPECT_EQ(NumberText(16711680.0f), "1.671168E+07");
}

TEST(VbPrint, DoubleUsesFifteenDigits) {
    EXPECT_EQ(NumberText(0.1), ".1");
    EXPECT_EQ(NumberText(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(NumberText(16711680.0), "16711680");
    EXPECT_EQ(NumberText(123456789.0), "123456789");
    EXPECT_EQ(NumberText(1e-5), "1E-05");
    EXPECT_EQ(NumberText(1e15), "1E+15");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(123456789.0f), "1.234568E+08"); // the same number as a Single
    EXPECT_EQ(PrintNumber(0.1f), " .1 ");
    EXPECT_EQ(Str(7.0), " 7");
    EXPECT_EQ(Str(-7.0), "-7");
}

TEST(VbFormat, NumberPatterns) {
    EXPECT_EQ(Format(2.5, "0.00"), "2.50");
    EXPECT_EQ(Format(2.675, "0.00"), "2.68");
    EXPECT_EQ(Format(0.125, "0.00"), "0.13");
    EXPECT_EQ(Format(-1.005, "0.00"), "-1.01");
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(0.5), "0.5");
    EXPECT_EQ(Format(-0.5), "-0.5");
    EXPECT_EQ(Format(12.0), "12");
}

TEST(VbFormat, SingleValuesUseTheirSevenDigits) {
    EXPECT_EQ(Format(0.1f), "0.1");
    EXPECT_EQ(Format(360.0f / 7.0f / 2.0f), "25.71428");
    EXPECT_EQ(Format(33.75f), "33.75");
    EXPECT_EQ(Format(-0.25f), "-0.25");
    EXPECT_EQ(Format(1e-5f), "1E-05");
    EXPECT_EQ(Format(2.675f, "0.00"), "2.68");
    EXPECT_EQ(Format(2.35f, "0.00"), "2.35");
    EXPECT_EQ(Format(0.1f, "@@@@@"), "  0.1");
    EXPECT_EQ(Format(12.5f, "@@@@@\\％"), " 12.5％");
    // Whole numbers as they are.
    EXPECT_EQ(Format(18, "@@@@@\\％"), "   18％");
    EXPECT_EQ(Format(int16_t(7)), "7");
    EXPECT_EQ(Format(100000, "0.00"), "100000.00");
}

TEST(VbFormat, AtPatternsPlaceTheGeneralText) {
    // The text of the number has its zero before the point, as the general form does.
    EXPECT_EQ(Format(0.5, "@@@@@"), "  0.5");
    EXPECT_EQ(Format(-0.5, "@@@@@"), " -0.5");
    EXPECT_EQ(Format(7.5, "@@@@@\\％"), "  7.5％");
}

TEST(VbFormat, TextPatterns) {
    EXPECT_EQ(Format(QString("12"), "@@@@@"), "   12");
    EXPECT_EQ(Format(QString("123456"), "@@@@@"), "123456");
    EXPECT_EQ(Format(QString("7.5"), "@@@@@\\％"), "  7.5％");
    EXPECT_EQ(Format(QString(""), "@@@@@"), "     ");
}

TEST(VbStrConv, WideAndNarrow) {
    EXPECT_EQ(ToWide("ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑ"), "ローズダイアグラム");
    EXPECT_EQ(ToWide("ﾊﾟﾋﾞﾌﾟｳﾞｶﾞﾂﾞﾄﾞ"), "パビプヴガヅド");
    EXPECT_EQ(ToWide("ﾏﾞ"), "マ゛"); // no voiced form: the mark stays a mark
    EXPECT_EQ(ToWide("200. N a"), "２００．\u3000Ｎ\u3000ａ");
    EXPECT_EQ(ToWide("28゜W"), "２８゜Ｗ");
    EXPECT_EQ(ToNarrow("２００．Ｎａ"), "200.Na");
    EXPECT_EQ(ToNarrow("ローズダイアグラム"), "ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑ");
    EXPECT_EQ(ToNarrow("パヴヅドッ"), "ﾊﾟｳﾞﾂﾞﾄﾞｯ");
    EXPECT_EQ(ToNarrow("ひらがな漢字"), "ひらがな漢字");
    EXPECT_EQ(ToNarrow("￥ｚ"), "\\z");
    EXPECT_EQ(ToNarrow("−５．５"), "-5.5");
    EXPECT_EQ(ToNarrow("－５"), "-5");
    EXPECT_EQ(UCase("abcａｂ"), "ABCＡＢ");
}

TEST(VbText, ComparisonIgnoresCase) {
    EXPECT_TRUE(TextEquals("a.QST", "A.qst"));
    EXPECT_FALSE(TextEquals("a", "b"));
    EXPECT_EQ(InStrText("C:/data/x.qst", ".QST"), 10);
    EXPECT_EQ(InStrText("abcabc", "B", 3), 5);
    EXPECT_EQ(InStrText("abc", "z"), 0);
}
