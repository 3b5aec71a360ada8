#include "core/measurement.h"

#include <gtest/gtest.h>

using namespace Measurements;

TEST(Measurement, AngleCellsReadTheirFirstFourCharactersRoundedHalfToEven) {
    struct Case {
        const char* cell;
        int angle;
        const char* rewritten; // nullptr: the cell stays
    };
    for (const Case& c :
         {Case{"45.5", 46, nullptr}, Case{"44.5", 44, nullptr}, Case{"123456", 1234, "1234"},
          Case{"30.49", 30, "30"}, Case{"abc", 0, nullptr}, Case{" 45.5 ", 46, nullptr},
          Case{" 30.49", 30, "30"}, Case{"", 0, nullptr}, Case{"-5", -5, nullptr}}) {
        EXPECT_EQ(AngleFromCell(c.cell), c.angle) << c.cell;
        const auto rewritten = RewrittenAngleCell(c.cell);
        EXPECT_EQ(rewritten.value_or(QString()), QString(c.rewritten ? c.rewritten : "")) << c.cell;
    }
}

TEST(Measurement, BlankRowsEndTheDataAndLettersAreTrimmed) {
    EXPECT_TRUE(IsBlankRow({" ", "", "  ", ""}));
    EXPECT_FALSE(IsBlankRow({"", "", "", "N"}));
    const Measurement m = FromCells({"30", " e ", "45", " SE"});
    EXPECT_EQ(m.strike, 30);
    EXPECT_EQ(m.side, "e");
    EXPECT_EQ(m.dip, 45);
    EXPECT_EQ(m.direction, "SE");
}
