#include "core/bmmain.h"
#include "core/orientation_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace OrientationStatistics;
using Measurements::Measurement;

namespace {

const double kDeg = std::numbers::pi / 180;
double Sin(double degrees) {
    return std::sin(degrees * kDeg);
}
double Cos(double degrees) {
    return std::cos(degrees * kDeg);
}
double Alpha95(double n, double r) {
    return std::acos(1 - (n - r) / r * (std::pow(20, 1 / (n - 1)) - 1)) / kDeg;
}

// Planes striking north dipping east (poles plunging 90 - dip towards the west) and west; only
// the first letters decide, so the west-dipping one is written N0W.
Measurement EastDipping(int dip) {
    return {0, QStringLiteral("E"), dip, QStringLiteral("E")};
}
Measurement WestDipping(int dip) {
    return {0, QStringLiteral("W"), dip, QStringLiteral("W")};
}

struct Case {
    const char* name;
    std::vector<Measurement> data;
    std::array<double, 3> eigenvalues;
    // With the mean, R̄, k and α95 (not checked when E1 is not unique).
    std::optional<Direction> mean;
    double resultantLength;
    std::optional<double> fisherK;
    std::optional<double> alpha95;
    std::optional<Direction> girdleAxis;
    Fabric fabric;
};

void ExpectDirection(const std::optional<Direction>& actual,
                     const std::optional<Direction>& expected) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (!expected)
        return;
    EXPECT_NEAR(actual->plunge, expected->plunge, 1e-9);
    if (expected->plunge < 90) {
        EXPECT_NEAR(actual->trend, expected->trend, 1e-9);
    }
}

void ExpectValue(const std::optional<double>& actual, const std::optional<double>& expected) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-9 * std::max(1.0, *expected));
    }
}

} // namespace

TEST(OrientationStatistics, KnownCasesWorkedOutByHand) {
    const double arc = (2 * Sin(5) * Sin(5) + 2 * Sin(10) * Sin(10)) / 5;
    const double arcR = 1 + 2 * Cos(5) + 2 * Cos(10);
    const Case cases[] = {
        // Two steep planes dipping either way: poles 5 degrees either side of the horizontal
        // E-W line. Turned into E1's hemisphere they add to 2 sin 85 along that line; a plain
        // sum would leave 2 cos 85 pointing straight down.
        {"straddling the horizontal",
         {EastDipping(85), WestDipping(85)},
         {Sin(85) * Sin(85), Cos(85) * Cos(85), 0},
         Direction{90, 0},
         Sin(85),
         1 / (2 - 2 * Sin(85)),
         Alpha95(2, 2 * Sin(85)),
         Direction{0, 0},
         Fabric::Girdle},
        // Poles at plunges 40..60 towards W: angles -10, -5, 0, 5, 10 within the E-W vertical
        // plane from the middle one. S2 = mean sin², as mplstereonet's eigenvector test has it
        // (its covariance with antipodes is 10/9 of T: 0.9 × 1.09433342 = 0.98490).
        {"an arc of five poles",
         {EastDipping(30), EastDipping(35), EastDipping(40), EastDipping(45), EastDipping(50)},
         {1 - arc, arc, 0},
         Direction{270, 50},
         arcR / 5,
         4 / (5 - arcR),
         Alpha95(5, arcR),
         Direction{0, 0},
         Fabric::Girdle},
        // Horizontal planes: identical vertical poles, R = N.
        {"identical poles",
         {EastDipping(0), WestDipping(0), EastDipping(0)},
         {1, 0, 0},
         Direction{0, 90},
         1,
         std::nullopt,
         std::nullopt,
         std::nullopt,
         Fabric::Cluster},
        // Vertical planes striking every 45 degrees: horizontal poles spread evenly round the
        // horizontal great circle, whose axis is vertical. E1 is any horizontal line, so the
        // mean is not checked.
        {"vertical planes",
         {{0, "E", 90, "E"}, {45, "E", 90, "SE"}, {90, "E", 90, "S"}, {45, "W", 90, "SW"}},
         {0.5, 0.5, 0},
         std::nullopt,
         0,
         std::nullopt,
         std::nullopt,
         Direction{0, 90},
         Fabric::Girdle},
        // Poles 80 degrees apart on either side of the vertical: S = (1 ± cos 80) / 2, the mean
        // is vertical with R = 2 cos 40, and the cone would be wider than the sphere.
        {"two poles far apart",
         {EastDipping(40), WestDipping(40)},
         {(1 + Cos(80)) / 2, (1 - Cos(80)) / 2, 0},
         Direction{0, 90},
         Cos(40),
         1 / (2 - 2 * Cos(40)),
         std::nullopt,
         Direction{0, 0},
         Fabric::Girdle},
        // One pole: N30E 45SE plots towards azimuth 300.
        {"a single pole",
         {{30, "E", 45, "SE"}},
         {1, 0, 0},
         Direction{300, 45},
         1,
         std::nullopt,
         std::nullopt,
         std::nullopt,
         Fabric::Undetermined},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Statistics s = Compute(c.data);
        EXPECT_EQ(s.poles, int64_t(c.data.size()));
        for (size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(s.eigenvalues[k], c.eigenvalues[k], 1e-12);
        if (c.mean) {
            ExpectDirection(s.meanPole, c.mean);
            EXPECT_NEAR(s.resultantLength, c.resultantLength, 1e-12);
            ExpectValue(s.fisherK, c.fisherK);
            ExpectValue(s.alpha95, c.alpha95);
        }
        ExpectDirection(s.girdleAxis, c.girdleAxis);
        EXPECT_EQ(s.fabric, c.fabric);
    }
    EXPECT_FALSE(Compute({}).HasPoles());
}

// Fisher, Lewis & Embleton (1993), Table B2: 26 directions (declination, inclination) with
// mean 144.2/57.2, k = 109 and α95 = 2.7 degrees (their examples 5.21 and 5.23). Each direction,
// rounded to whole degrees, is entered as the plane whose pole it is: dip 90 - plunge; the pole
// of "N a° side, dip, direction" lies at (g cos a, f sin a) on the net (y southwards, f = +1 for
// a direction starting with N, g = f for side E), so trend t needs sin a = |cos t| with
// f = sign(-cos t), and cos a = |sin t| with g = sign(sin t). Rounding moves each direction by
// up to half a degree either way, the mean as much, and k by a few units.
TEST(OrientationStatistics, FisherTableB2ComesOutAsPublished) {
    const double declination[] = {122.5, 130.5, 132.5, 148.5, 140.0, 133.0, 157.5, 153.0, 140.0,
                                  147.5, 142.0, 163.5, 141.0, 156.0, 139.5, 153.5, 151.5, 147.5,
                                  141.0, 143.5, 131.5, 147.5, 147.0, 149.0, 144.0, 139.5};
    const double inclination[] = {55.5, 58.0, 44.0, 56.0, 63.0, 64.5, 53.0, 44.5, 61.5,
                                  54.5, 51.0, 56.0, 59.5, 56.5, 54.0, 47.5, 61.0, 58.5,
                                  57.0, 67.5, 62.5, 63.5, 55.5, 62.0, 53.5, 58.0};
    std::vector<Measurement> planes;
    for (size_t k = 0; k < 26; ++k) {
        const double t = std::floor(declination[k] + 0.5);
        const int plunge = int(std::floor(inclination[k] + 0.5));
        const int a = int(std::lround(std::asin(std::fabs(Cos(t))) / kDeg));
        const bool north = Cos(t) <= 0;
        const bool east = (Sin(t) >= 0) == north;
        planes.push_back({a, east ? "E" : "W", 90 - plunge, north ? "NW" : "SE"});
    }
    const Statistics s = Compute(planes);
    EXPECT_NEAR(s.meanPole.trend, 144.2, 0.5);
    EXPECT_NEAR(s.meanPole.plunge, 57.2, 0.5);
    ASSERT_TRUE(s.fisherK && s.alpha95);
    EXPECT_NEAR(*s.fisherK, 109, 3);
    EXPECT_NEAR(*s.alpha95, 2.7, 0.05);
    EXPECT_EQ(s.fabric, Fabric::Cluster);
}

// The poles are the points the plot draws: every whole-degree measurement's vector projects to
// its ring within the hundredths the net keeps (a horizontal pole may come out at the opposite
// rim point, the same line).
TEST(OrientationStatistics, PolesAreWhereThePlotDrawsThem) {
    BMMain::NetRadius = 100;
    for (int strike = 0; strike <= 90; strike += 3)
        for (int dip = 0; dip <= 90; dip += 3)
            for (const char* side : {"E", "w", "", "Ｗ"})
                for (const char* direction : {"N", "SE", "", "ｎｗ", "e"}) {
                    const BMPole::NetPoint p =
                        BMPole::OrientationToNet(strike, side, dip, direction);
                    const NetPosition q =
                        NetPositionOf(DirectionOf(PoleVector({strike, side, dip, direction})));
                    const double sign = (q.x * p.X + q.y * p.Y) < 0 ? -1 : 1;
                    EXPECT_NEAR(sign * q.x * 100, p.X, 0.011) << strike << side << dip << direction;
                    EXPECT_NEAR(sign * q.y * 100, p.Y, 0.011) << strike << side << dip << direction;
                    // However a horizontal plane is written, its pole is one vertical line.
                    if (dip == 0) {
                        EXPECT_EQ(DirectionOf(PoleVector({strike, side, dip, direction})).trend, 0)
                            << strike << side << direction;
                    }
                }
}

// A fold with a horizontal axis N30E: bedding striking N30E on both limbs. Its axis and the
// girdle's plane (vertical, N60W) read as the status bar writes orientations.
TEST(OrientationStatistics, GirdleAxisOfAFoldAndThePlaneOfAPole) {
    std::vector<Measurement> limbs;
    for (int dip = 10; dip <= 80; dip += 10)
        limbs.push_back({30, "E", dip, dip % 20 ? "SE" : "NW"});
    const Statistics s = Compute(limbs);
    ExpectDirection(s.girdleAxis, Direction{30, 0});
    EXPECT_EQ(s.eigenvalues[2], 0);
    EXPECT_EQ(s.fabric, Fabric::Girdle);
    const BMPole::Orientation girdle = PlaneOf(*s.girdleAxis);
    EXPECT_EQ(
        std::tuple(girdle.StrikeAngle, girdle.StrikeSide, girdle.DipAngle, girdle.DipDirection),
        std::tuple(60, QString("W"), 90, QString("SW")));
    const BMPole::Orientation mean = PlaneOf({300, 45});
    EXPECT_EQ(std::tuple(mean.StrikeAngle, mean.StrikeSide, mean.DipAngle, mean.DipDirection),
              std::tuple(30, QString("E"), 45, QString("SE")));
}
