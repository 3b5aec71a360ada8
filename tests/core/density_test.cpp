#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/contour_levels.h"
#include "core/density.h"
#include "core/density_texts.h"
#include "core/rank_colors.h"
#include "core/scan_count.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <random>
#include <tuple>

using Density::ComputeDensity;
using Measurements::Measurement;

namespace {

class DensityRun : public ::testing::Test {
  protected:
    void SetUp() override { BMMain::NetRadius = 100; }
    void TearDown() override { BMMain::NetRadius = 100; }
};

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

} // namespace

TEST(RankColors, FollowTheRampFromGreenThroughYellowToRed) {
    const uint32_t green = Rgb(64, 128, 64);
    const uint32_t red = Rgb(128, 64, 64);
    EXPECT_EQ(BuildRankColors(0), std::vector<uint32_t>{});
    EXPECT_EQ(BuildRankColors(1), std::vector<uint32_t>{green});
    EXPECT_EQ(BuildRankColors(2), (std::vector<uint32_t>{green, red}));
    EXPECT_EQ(BuildRankColors(3), (std::vector<uint32_t>{green, Rgb(192, 192, 64), red}));
    // Four ranks: the second pass reaches 256, which is taken as 255.
    EXPECT_EQ(BuildRankColors(4),
              (std::vector<uint32_t>{green, Rgb(192, 255, 64), Rgb(255, 192, 64), red}));
    EXPECT_EQ(BuildRankColors(5), (std::vector<uint32_t>{green, Rgb(96, 192, 64), Rgb(192, 192, 64),
                                                         Rgb(192, 96, 64), red}));
    const std::vector<uint32_t> twentyOne = BuildRankColors(21);
    ASSERT_EQ(twentyOne.size(), 21u);
    EXPECT_EQ(twentyOne[1], Rgb(64, 147, 64));   // 19.2 + 128
    EXPECT_EQ(twentyOne[4], Rgb(77, 192, 64));   // 76.8
    EXPECT_EQ(twentyOne[10], Rgb(192, 192, 64)); // both ends meet
    EXPECT_EQ(twentyOne[19], Rgb(147, 64, 64));
    EXPECT_EQ(twentyOne[20], red);
}

TEST_F(DensityRun, EmptyDataSetCountsNothingAndNamesNoMaximum) {
    const Density::DensityResult r = ComputeDensity({});
    EXPECT_EQ(std::tie(r.dataNumbers, r.countMax, r.countedNodes), std::make_tuple(0, 0, 0));
    EXPECT_EQ(r.grid.Low(), -10);
    EXPECT_EQ(r.grid.High(), 210);
    EXPECT_EQ(r.grid.At(100, 100), 0);
    EXPECT_EQ(Density::DataCountText(r), "ﾃﾞｰﾀ総数：0個");
    EXPECT_EQ(Density::MaximumText(r), "");
    EXPECT_EQ(Density::RankCaption(r), "頻度分布図（段彩）");
    EXPECT_EQ(ContourLevels::LegendText({{1, 5, 0, 0}}, 0, 0, 0), "     5～    0％");
}

TEST_F(DensityRun, StatusTextOfTheMaximumReadsItsNodeBackAsAnOrientation) {
    Density::DensityResult r;
    r.grid = Density::DensityGrid(100);
    r.countMax = 14;
    r.dataNumbers = 40;
    // The node of the pole of N35E 60NW.
    const BMPole::NetPoint p = BMPole::OrientationToNet(35, "E", 60, "NW");
    r.maximumI = int(std::lround(p.X)) + 100;
    r.maximumJ = int(std::lround(p.Y)) + 100;
    EXPECT_EQ(Density::MaximumText(r), "極大値：14個（N35ﾟE60ﾟNW）");
    EXPECT_EQ(Density::DataCountText(r), "ﾃﾞｰﾀ総数：40個");
    EXPECT_EQ(Density::RankCaption(r), "頻度分布図（段彩）（最大値＝14）");
}

TEST_F(DensityRun, OnePoleCountsItsCircleAndTheFirstNodeOfATieIsTheMaximum) {
    // Dip 0 lies at the centre; its mirror is 2R away and not counted.
    const Density::DensityResult r = ComputeDensity({{0, "E", 0, "N"}});
    EXPECT_EQ(r.dataNumbers, 1);
    EXPECT_EQ(r.countMax, 1);
    EXPECT_EQ(r.countedNodes, 317); // lattice points within 10 of a node
    EXPECT_EQ(r.histogram, std::vector<int32_t>{317});
    // Every counted node ties: the smallest first index, then the smallest second index.
    EXPECT_EQ(std::tie(r.maximumI, r.maximumJ), std::make_tuple(90, 100));
    EXPECT_EQ(r.grid(90, 100), 1); // exactly on the counting circle
    EXPECT_EQ(r.grid(90, 101), 0);
    EXPECT_EQ(r.rankColors, BuildRankColors(1));

    // Two separate poles tie at 1: the first node in scan order (first index outer) wins.
    const Density::DensityResult two = ComputeDensity({{90, "E", 30, "N"}, {90, "E", 30, "S"}});
    EXPECT_EQ(two.countMax, 1);
    EXPECT_EQ(two.histogram.size(), 1u);
    EXPECT_EQ(two.grid(two.maximumI, two.maximumJ), 1);
    EXPECT_LT(two.maximumJ, 100); // of the two circles in that column, the northern one
    for (int i = 0; i <= two.maximumI; ++i)
        for (int j = 0; j <= 200 && (i < two.maximumI || j < two.maximumJ); ++j)
            ASSERT_EQ(two.grid(i, j), 0) << i << ", " << j;
}

TEST_F(DensityRun, AVerticalPlaneCountsAtBothRimsAndNothingStaysBeyondTheNet) {
    // N90E 90N: pole on the south rim, its mirror on the north rim.
    const Density::DensityResult r = ComputeDensity({{90, "E", 90, "N"}});
    EXPECT_EQ(r.grid(100, 200), 1);
    EXPECT_EQ(r.grid(100, 0), 1);
    EXPECT_EQ(r.grid(100, 201), 1); // R + 1 from the centre stays
    EXPECT_EQ(r.grid(95, 201), 0);  // farther is cleared
    EXPECT_EQ(r.grid(95, 199), 1);
    // The margin beyond indices 0..2R + 1 keeps what counting put there.
    EXPECT_EQ(r.grid(100, -1), 1);
    EXPECT_EQ(r.grid(100, 205), 1);
    EXPECT_EQ(r.countMax, 1);
}

TEST_F(DensityRun, CountsAreNotLimitedTo16Bits) {
    const std::vector<Measurement> data(40000, Measurement{30, "E", 45, "SE"});
    const Density::DensityResult r = ComputeDensity(data);
    EXPECT_EQ(r.dataNumbers, 40000);
    EXPECT_EQ(r.countMax, 40000);
    ASSERT_EQ(r.histogram.size(), 40000u);
    EXPECT_EQ(r.histogram.back(), r.countedNodes);
    EXPECT_EQ(Density::DataCountText(r), "ﾃﾞｰﾀ総数：40000個");
}

TEST(DensityWalk, TheRowSpanWalkCountsEveryNodeLikeTheWindow) {
    std::mt19937 random(20261208);
    for (int radius : {10, 15, 100, 105, 333}) {
        Density::DensityGrid fast(radius);
        Density::DensityGrid plain(radius);
        std::uniform_real_distribution<float> position(-1.15f * radius, 1.15f * radius);
        std::uniform_int_distribution<int> hundredths(-115 * radius, 115 * radius);
        std::vector<std::pair<float, float>> points = {{0, 0},
                                                       {float(radius), 0},
                                                       {0, -float(radius)},
                                                       {-1.1f * radius, 0},
                                                       {1.1f * radius, 1.1f * radius},
                                                       {0.5f, 0.25f},
                                                       {radius / 10.0f, 0}};
        for (int n = 0; n < 3000; ++n)
            points.emplace_back(position(random), position(random));
        for (int n = 0; n < 3000; ++n) // hundredths, as poles are kept
            points.emplace_back(hundredths(random) / 100.0f, hundredths(random) / 100.0f);
        for (const auto& [x, y] : points) {
            Density::CountPoint(fast, x, y);
            Density::CountPointInWindow(plain, x, y);
        }
        for (int i = fast.Low(); i <= fast.High(); ++i)
            for (int j = fast.Low(); j <= fast.High(); ++j)
                ASSERT_EQ(fast(i, j), plain(i, j)) << radius << ": node " << i << ", " << j;
    }
}

TEST(ScanCountAnswer, IsCutToTwentiesHalvedAndLimited) {
    using ScanCount::Answer;
    const struct {
        const char* typed;
        Answer::Kind kind;
        int radius;
    } cases[] = {
        {"300", Answer::NewRadius, 150},   {"250", Answer::NewRadius, 120},
        {"19", Answer::Unchanged, 0},      {"0", Answer::Unchanged, 0},
        {"", Answer::Unchanged, 0},        {"abc", Answer::Unchanged, 0},
        {"-40", Answer::Unchanged, 0},     {"30.5", Answer::NewRadius, 10},
        {"50.5", Answer::NewRadius, 20},   {"2000", Answer::NewRadius, 1000},
        {"2019", Answer::NewRadius, 1000}, {"2020", Answer::TooMany, 0},
        {"40000", Answer::TooMany, 0},     {"1E30", Answer::TooMany, 0},
        {"-1E30", Answer::Unchanged, 0},   {"  200本", Answer::NewRadius, 100},
    };
    for (const auto& c : cases) {
        const Answer a = ScanCount::Interpret(QString::fromUtf8(c.typed));
        EXPECT_EQ(a.kind, c.kind) << c.typed;
        EXPECT_EQ(a.radius, c.radius) << c.typed;
    }
    EXPECT_EQ(ScanCount::Question(100, 150),
              "走査数を変更します。\r\n２００本 → ３００本\r\nよろしいですか？");
}

TEST_F(DensityRun, CountingByOrientationGivesTheCountsOfOneByOne) {
    std::mt19937 random(8);
    const QStringList sides = {"E", "W", "w", "Ｗ", "ｗ", "", "X", "ｴ"};
    const QStringList directions = {"N", "S", "ne", "ＮＷ", "ｓ", "", "E", "ﾉ"};
    std::uniform_int_distribution<int> angle(-5, 95);
    std::uniform_int_distribution<int> pick(0, 7);
    std::vector<Measurement> data;
    for (int n = 0; n < 4000; ++n)
        data.push_back(
            {angle(random), sides[pick(random)], angle(random), directions[pick(random)]});
    data.push_back({0, "E", 90, "N"}); // on the rim

    Density::DensityGrid plain(100);
    for (const Measurement& m : data) {
        const BMPole::NetPoint p = BMPole::OrientationToNet(m.strike, m.side, m.dip, m.direction);
        Density::CountPointInWindow(plain, p.X, p.Y);
        if (double(p.MirrorX) * p.MirrorX + double(p.MirrorY) * p.MirrorY <= 110.0 * 110.0)
            Density::CountPointInWindow(plain, p.MirrorX, p.MirrorY);
    }
    const Density::DensityResult r = ComputeDensity(data);
    for (int i = plain.Low(); i <= plain.High(); ++i)
        for (int j = plain.Low(); j <= plain.High(); ++j) {
            const bool inScan = i >= 0 && i <= 201 && j >= 0 && j <= 201;
            const bool beyond = (i - 100) * (i - 100) + (j - 100) * (j - 100) > 101 * 101;
            ASSERT_EQ(r.grid(i, j), inScan && beyond ? 0 : plain(i, j)) << i << ", " << j;
        }
}
