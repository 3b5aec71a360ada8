// Cleaning of text pasted into numeric-only grids.
#include "numeric_paste.h"

#include <gtest/gtest.h>

using tabula_detail::CleanNumericPaste;
using tabula_detail::CleanNumericPasteByColumn;
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

TEST(NumericPaste, ByColumnCountsFromTheStartColumnOnEveryLine) {
    const std::vector<bool> numeric{false, true, false, true};
    EXPECT_EQ(
        CleanNumericPasteByColumn(QStringLiteral("１x\tｅ\t2y\tz\r3z\t\t４"), 1, numeric, true),
        QStringLiteral("1\tｅ\t2\tz\r3\t\t4"));
    // Cells past the known columns stay as they are (the grid drops them anyway).
    EXPECT_EQ(CleanNumericPasteByColumn(QStringLiteral("1a\t2b\t3c"), 2, numeric, true),
              QStringLiteral("1a\t2\t3c"));
}
