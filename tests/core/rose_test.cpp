#include "core/rose.h"

#include "core/vb.h"

#include <gtest/gtest.h>

using Measurements::Measurement;

namespace {

std::vector<Measurement> Strikes(std::initializer_list<std::pair<int, const char*>> strikes) {
    std::vector<Measurement> data;
    for (const auto& [strike, side] : strikes)
        data.push_back({strike, side, 45, "S"});
    return data;
}

// The dominant-sector range as first written for even counts, to hold the general rule to.
QString EvenCountRange(int b, int n) {
    const float half = Rose::HalfDegrees(n);
    const auto f = [](float v) { return vb::Format(v); };
    if (b == n / 2 || b == n / 2 + 1)
        return f(half) + "°～" + f(half);
    if (b < vb::CInt(n / 2.0)) {
        const float a1 = b % 2 ? 90 - b * half : 90 - (b + 1) * half;
        const float a2 = b % 2 ? 90 - (b - 2) * half : 90 - (b - 1) * half;
        return f(a1) + "°～" + f(a2) + "°E";
    }
    const float a1 = b % 2 ? (b - 2) * half - 90 : (b - 1) * half - 90;
    const float a2 = b % 2 ? b * half - 90 : (b + 1) * half - 90;
    return f(a1) + "°～" + f(a2) + "°W";
}

} // namespace

TEST(Rose, ScaleTable) {
    struct Case {
        int largest;
        int scale;
    };
    for (const Case c : {Case{1, 2},
                         {2, 5},
                         {4, 5},
                         {5, 10},
                         {9, 10},
                         {10, 15},
                         {14, 15},
                         {15, 20},
                         {16, 50},
                         {49, 50},
                         {50, 100},
                         {99, 100},
                         {100, 150},
                         {149, 150},
                         {150, 200},
                         {158, 200},
                         {159, 500},
                         {499, 500},
                         {40000, 50000}})
        EXPECT_EQ(Rose::ScaleFor(c.largest).scaleMax, c.scale) << c.largest;
}

TEST(Rose, AxisTicksAndLabels) {
    const auto labelled = [](const Rose::Scale& s) {
        std::vector<int> values;
        for (const Rose::AxisTick& t : Rose::AxisTicks(s))
            if (t.labelled)
                values.push_back(t.value);
        return values;
    };
    EXPECT_EQ(Rose::AxisTicks(Rose::ScaleFor(1)).size(), 5u); // −2 … 2 in ones
    EXPECT_EQ(labelled(Rose::ScaleFor(1)), (std::vector<int>{-2, -1, 0, 1, 2}));
    EXPECT_EQ(Rose::AxisTicks(Rose::ScaleFor(19)).size(), 11u); // −50 … 50 in tens
    EXPECT_EQ(labelled(Rose::ScaleFor(19)), (std::vector<int>{-50, 0, 50}));
    EXPECT_EQ(labelled(Rose::ScaleFor(12)), (std::vector<int>{-15, -10, -5, 0, 5, 10, 15}));
}

TEST(Rose, StrikesFoldIntoBinsAndPairsJoin) {
    // N10E and N10W share the north sector; N90E and N90W lie at opposite ends.
    const Rose::Counts c = Rose::CountStrikes(
        Strikes({{10, "E"}, {10, "W"}, {90, "E"}, {90, "w"}, {0, "E"}, {0, ""}, {190, "E"}}), 16);
    EXPECT_EQ(c.bins[1], 1);  // N90E
    EXPECT_EQ(c.bins[16], 1); // N90W
    EXPECT_EQ(c.bins[8], 5);  // N10E, N10W, N0E, N0, N190E (= N10E)
    EXPECT_EQ(c.bins[9], 5);
    EXPECT_EQ(c.largest, 5);
    EXPECT_EQ(c.dominantBin, 8);
    // No data: the largest count reads as 1, so the scale is 2.
    EXPECT_EQ(Rose::CountStrikes({}, 16).largest, 1);
}

TEST(Rose, DominantText) {
    const std::vector<Measurement> north(7, Measurement{5, "E", 30, "S"});
    const Rose::Counts c = Rose::CountStrikes(north, 16);
    EXPECT_EQ(Rose::DominantText(c.largest, c.dominantBin, 16), "方位偏重：7個 (N11.25°～11.25)");
    EXPECT_EQ(Rose::DominantText(19, 6, 16), "方位偏重：19個 (N11.25°～33.75°E)");
    EXPECT_EQ(Rose::DominantText(3, 12, 16), "方位偏重：3個 (N33.75°～56.25°W)");
    // For counts divisible by four the sector named is the one the first formula named.
    for (const int n : {4, 8, 12, 16, 36, 360})
        for (int b = 1; b <= n; ++b)
            ASSERT_EQ(Rose::DominantText(2, b, n), "方位偏重：2個 (N" + EvenCountRange(b, n) + ")")
                << n << " " << b;
    // With 6 sectors a boundary lies on north: the sector is named as drawn.
    EXPECT_EQ(Rose::DominantText(2, 3, 6), "方位偏重：2個 (N0°～60°E)");
    EXPECT_EQ(Rose::DominantText(2, 4, 6), "方位偏重：2個 (N0°～60°W)");
}

TEST(Rose, OddAndSingleDivisionsDrawEveryBinOnce) {
    // Five sectors of 72°: bin 1 is the east half-sector, pairs (2, 3) and (4, 5) reach west.
    EXPECT_EQ(Rose::PairStarts(5), (std::vector<int>{2, 4}));
    EXPECT_EQ(Rose::PairStarts(16), (std::vector<int>{2, 4, 6, 8, 10, 12, 14}));
    EXPECT_TRUE(Rose::PairStarts(1).empty());
    const Rose::Counts five = Rose::CountStrikes(Strikes({{89, "W"}, {60, "W"}, {10, "E"}}), 5);
    EXPECT_EQ(five.bins[4], 2);
    EXPECT_EQ(five.bins[5], 2);
    EXPECT_EQ(five.bins[2], 1);
    EXPECT_EQ(Rose::DominantText(five.largest, five.dominantBin, 5), "方位偏重：2個 (N18°～90°W)");
    EXPECT_EQ(Rose::DominantText(1, 2, 5), "方位偏重：1個 (N18°W～54°E)");
    EXPECT_EQ(Rose::DominantText(1, 1, 5), "方位偏重：1個 (N54°～90°E)");
    // One division: one sector holding every strike.
    const Rose::Counts one = Rose::CountStrikes(Strikes({{90, "E"}, {0, "E"}, {90, "W"}}), 1);
    EXPECT_EQ(one.bins.size(), 2u);
    EXPECT_EQ(one.bins[1], 3);
    EXPECT_EQ(Rose::DominantText(one.largest, one.dominantBin, 1), "方位偏重：3個 (N90°～90)");
}
