// Cleaning of text pasted into numeric-only grids.
#include "numeric_paste.h"

#include <gtest/gtest.h>

using tabula_detail::CleanNumericPaste;
using tabula_detail::ToHalfWidth;

TEST(NumericPaste, FullWidthBecomesHalfWidthFirst) {
    EXPECT_EQ(ToHalfWidth(QStringLiteral("１２．５　ＳＥ－")), QStringLiteral("12.5 SE-"));
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("－４５"), true), QStringLiteral("-45"));
}

TEST(NumericPaste, EachCellKeepsItsLeadingNumber) {
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("12a3\t-5\t5-3\r/7x\tN30"), true),
              QStringLiteral("12\t-5\t5\r/7\t"));
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("--5\t4/2"), true), QStringLiteral("-\t4"));
}

TEST(NumericPaste, PointsDependOnAllowDecimal) {
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("12.5\t3.1.4"), true),
              QStringLiteral("12.5\t3.1.4"));
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("12.5\t.5"), false), QStringLiteral("12\t"));
    // While skipping the rest of a cell, a point is still kept when decimals are allowed.
    EXPECT_EQ(CleanNumericPaste(QStringLiteral("1x.5"), true), QStringLiteral("1."));
}
