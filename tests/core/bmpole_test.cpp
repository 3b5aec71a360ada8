#include "core/bmmain.h"
#include "core/bmpole.h"

#include <gtest/gtest.h>

#include <cmath>

using BMPole::NetToOrientation;
using BMPole::OrientationToNet;

namespace {

class NetGeometry : public ::testing::Test {
  protected:
    void SetUp() override { BMMain::NetRadius = 100; }
    void TearDown() override { BMMain::NetRadius = 100; }
};

// Compass azimuth of a net point (x east, y south), in degrees 0..360.
double Azimuth(const BMPole::NetPoint& p) {
    const double a = std::atan2(double(p.X), double(-p.Y)) * 180.0 / M_PI;
    return a < 0 ? a + 360.0 : a;
}

double Distance(const BMPole::NetPoint& p) {
    return std::hypot(double(p.X), double(p.Y));
}

} // namespace

TEST_F(NetGeometry, PolesOfTheFourQuadrantsPointAwayFromTheDip) {
    EXPECT_NEAR(Azimuth(OrientationToNet(30, "E", 45, "SE")), 300.0, 0.05);
    EXPECT_NEAR(Azimuth(OrientationToNet(30, "W", 45, "NE")), 240.0, 0.05);
    EXPECT_NEAR(Azimuth(OrientationToNet(30, "E", 45, "NW")), 120.0, 0.05);
    EXPECT_NEAR(Azimuth(OrientationToNet(30, "W", 45, "SW")), 60.0, 0.05);
}

TEST_F(NetGeometry, PositionsAreKeptToHundredthsWithTheEstablishedConstants) {
    // r = Int(100 × 1.4142135 × sin(45°/2) × 100 + 0.5) / 100 = 54.12
    const BMPole::NetPoint p = OrientationToNet(30, "E", 45, "SE");
    EXPECT_FLOAT_EQ(p.X, -46.87f);
    EXPECT_FLOAT_EQ(p.Y, -27.06f);
    // The mirror lies opposite, 2R - r = 145.88 from the centre.
    EXPECT_FLOAT_EQ(p.MirrorX, 126.34f);
    EXPECT_FLOAT_EQ(p.MirrorY, 72.94f);

    // Halves go up, also below zero.
    EXPECT_FLOAT_EQ(BMPole::RoundHundredths(0.125), 0.13f);
    EXPECT_FLOAT_EQ(BMPole::RoundHundredths(-0.125), -0.12f);
    EXPECT_FLOAT_EQ(BMPole::RoundHundredths(-0.126), -0.13f);
}

TEST_F(NetGeometry, DipZeroIsTheCentreAndDipNinetyTheRim) {
    for (int strike : {0, 17, 45, 90}) {
        const BMPole::NetPoint flat = OrientationToNet(strike, "W", 0, "NE");
        EXPECT_EQ(flat.X, 0.0f);
        EXPECT_EQ(flat.Y, 0.0f);
        EXPECT_NEAR(std::hypot(flat.MirrorX, flat.MirrorY), 200.0, 0.02);

        const BMPole::NetPoint vertical = OrientationToNet(strike, "E", 90, "S");
        EXPECT_NEAR(Distance(vertical), 100.0, 0.015);
    }
    BMMain::NetRadius = 50;
    EXPECT_NEAR(Distance(OrientationToNet(20, "E", 90, "N")), 50.0, 0.015);
}

TEST_F(NetGeometry, StrikeNinetyPutsThePoleOnTheNorthSouthLine) {
    const BMPole::NetPoint north = OrientationToNet(90, "E", 60, "N");
    EXPECT_EQ(north.X, 0.0f);
    EXPECT_NEAR(north.Y, 70.71, 0.01); // dipping north: the pole lies south
    const BMPole::NetPoint south = OrientationToNet(90, "E", 60, "S");
    EXPECT_EQ(south.X, 0.0f);
    EXPECT_NEAR(south.Y, -70.71, 0.01);
}

TEST_F(NetGeometry, OnlyTheFirstLetterCountsInAnyCaseOrWidth) {
    const BMPole::NetPoint reference = OrientationToNet(40, "W", 35, "SE");
    for (const char* side : {"w", "Ｗ", "ｗ", "West"})
        for (const char* direction : {"S", "s", "ｓｅ", "ＳＥ", "Sxyz"}) {
            const BMPole::NetPoint p =
                OrientationToNet(40, QString::fromUtf8(side), 35, QString::fromUtf8(direction));
            EXPECT_EQ(p.X, reference.X) << side << " " << direction;
            EXPECT_EQ(p.Y, reference.Y) << side << " " << direction;
        }
    // Empty texts read as N and E.
    const BMPole::NetPoint empty = OrientationToNet(40, "", 35, "");
    const BMPole::NetPoint named = OrientationToNet(40, "E", 35, "N");
    EXPECT_EQ(empty.X, named.X);
    EXPECT_EQ(empty.Y, named.Y);
    // Any other letter counts as not-N and not-W.
    const BMPole::NetPoint odd = OrientationToNet(40, "Q", 35, "Q");
    const BMPole::NetPoint plain = OrientationToNet(40, "E", 35, "S");
    EXPECT_EQ(odd.X, plain.X);
    EXPECT_EQ(odd.Y, plain.Y);
}

TEST_F(NetGeometry, StrikeZeroNeedsTheWestSideToPutTheWestDipPoleEast) {
    EXPECT_GT(OrientationToNet(0, "W", 45, "W").X, 50.0f);
    EXPECT_LT(OrientationToNet(0, "E", 45, "W").X, -50.0f);
}

TEST_F(NetGeometry, InverseOfTheCentreAndOfTheRim) {
    const BMPole::Orientation centre = NetToOrientation(0, 0);
    EXPECT_EQ(centre.StrikeAngle, 0);
    EXPECT_EQ(centre.StrikeSide, "E");
    EXPECT_EQ(centre.DipAngle, 0);
    EXPECT_EQ(centre.DipDirection, "N");

    EXPECT_EQ(NetToOrientation(0.6f, 0.8f).DipAngle, 90);
    EXPECT_EQ(NetToOrientation(-2.0f, 0.0f).DipAngle, 90);
    EXPECT_EQ(NetToOrientation(0.0f, -1.0f).StrikeAngle, 90);
    EXPECT_EQ(NetToOrientation(1.0f, 0.0f).StrikeAngle, 0);
}

TEST_F(NetGeometry, DirectionLettersChangeAtStrike22And68) {
    const auto at = [](double strikeDegrees, double xSign, double ySign) {
        const double a = strikeDegrees * M_PI / 180.0;
        return NetToOrientation(float(xSign * 0.5 * std::cos(a)), float(ySign * 0.5 * std::sin(a)));
    };
    // North half of the picture (y <= 0): dip directions of the south.
    EXPECT_EQ(at(21, 1, -1).StrikeAngle, 21);
    EXPECT_EQ(at(21, 1, -1).DipDirection, "W");
    EXPECT_EQ(at(22, 1, -1).DipDirection, "SW");
    EXPECT_EQ(at(22, -1, -1).DipDirection, "SE");
    EXPECT_EQ(at(67, 1, -1).DipDirection, "SW");
    EXPECT_EQ(at(68, 1, -1).StrikeAngle, 68);
    EXPECT_EQ(at(68, 1, -1).DipDirection, "S");
    // South half (y > 0).
    EXPECT_EQ(at(21, -1, 1).DipDirection, "E");
    EXPECT_EQ(at(22, -1, 1).DipDirection, "NE");
    EXPECT_EQ(at(67, 1, 1).DipDirection, "NW");
    EXPECT_EQ(at(68, -1, 1).DipDirection, "N");
    // Strike sides.
    EXPECT_EQ(at(40, 1, -1).StrikeSide, "W");
    EXPECT_EQ(at(40, -1, -1).StrikeSide, "E");
    EXPECT_EQ(at(40, -1, 1).StrikeSide, "W");
    EXPECT_EQ(at(40, 1, 1).StrikeSide, "E");
}

TEST_F(NetGeometry, InverseReadsBackTheQuadrantExamples) {
    struct Case {
        int strike;
        const char* side;
        int dip;
        const char* direction;
    };
    for (const Case& c : {Case{30, "E", 45, "SE"}, Case{30, "W", 45, "NE"}, Case{30, "E", 45, "NW"},
                          Case{30, "W", 45, "SW"}}) {
        const BMPole::NetPoint p = OrientationToNet(c.strike, c.side, c.dip, c.direction);
        const BMPole::Orientation o = NetToOrientation(p.X / 100.0f, p.Y / 100.0f);
        EXPECT_EQ(o.StrikeAngle, c.strike);
        EXPECT_EQ(o.StrikeSide, c.side);
        EXPECT_EQ(o.DipAngle, c.dip);
        EXPECT_EQ(o.DipDirection, c.direction);
    }
}

TEST_F(NetGeometry, InverseThenForwardLandsOnTheSamePoint) {
    // The inverse names the dip direction more coarsely but must describe the same pole. Below
    // strike 22 it answers a single E or W, which the forward conversion reads like S (only the
    // first letters decide), so there only the angles are compared.
    for (const char* direction : {"N", "S"})
        for (const char* side : {"E", "W"})
            for (int strike = 1; strike < 90; strike += 3)
                for (int dip = 1; dip < 90; dip += 4) {
                    const BMPole::NetPoint p = OrientationToNet(strike, side, dip, direction);
                    const BMPole::Orientation o = NetToOrientation(p.X / 100.0f, p.Y / 100.0f);
                    ASSERT_EQ(o.StrikeAngle, strike) << direction << side << strike << " " << dip;
                    ASSERT_EQ(o.DipAngle, dip) << direction << side << strike << " " << dip;
                    if (strike < 22)
                        continue;
                    const BMPole::NetPoint q =
                        OrientationToNet(o.StrikeAngle, o.StrikeSide, o.DipAngle, o.DipDirection);
                    ASSERT_NEAR(q.X, p.X, 0.011) << direction << side << strike << " " << dip;
                    ASSERT_NEAR(q.Y, p.Y, 0.011) << direction << side << strike << " " << dip;
                }
}

TEST_F(NetGeometry, NonNumericPositionsDoNotBreakTheInverse) {
    const BMPole::Orientation o = NetToOrientation(NAN, 0.5f);
    EXPECT_GE(o.DipAngle, 0);
    EXPECT_FALSE(o.DipDirection.isEmpty());
}

TEST(PenFactor, FollowsThePrinterResolutionInTenths) {
    EXPECT_FLOAT_EQ(BMPole::PenFactorForDpi(300), 1.0f);
    EXPECT_FLOAT_EQ(BMPole::PenFactorForDpi(360), 1.2f);
    EXPECT_FLOAT_EQ(BMPole::PenFactorForDpi(600), 2.0f);
    EXPECT_FLOAT_EQ(BMPole::PenFactorForDpi(1200), 4.0f);
    EXPECT_FLOAT_EQ(BMPole::PenFactorForDpi(315), 1.1f); // 1.05 goes up
}

TEST_F(NetGeometry, ArithmeticIsSingleWhereTheFiguresWereSingle) {
    // Positions whose hundredth depends on rounding the angle, R × √2 and 2R − r to single
    // precision before sin and cos take them (in double they come out one hundredth off).
    EXPECT_FLOAT_EQ(OrientationToNet(17, "E", 58, "N").Y, 20.05f);
    EXPECT_FLOAT_EQ(OrientationToNet(59, "E", 77, "N").Y, 75.46f);
    EXPECT_FLOAT_EQ(OrientationToNet(21, "E", 44, "N").MirrorX, -137.26f);
    EXPECT_FLOAT_EQ(OrientationToNet(84, "W", 54, "S").MirrorX, -14.19f);
    EXPECT_FLOAT_EQ(OrientationToNet(52, "E", 45, "N").MirrorY, -114.96f);

    // Whole degrees read back from positions where 1 − s² and 1 − c² decide the half degree.
    EXPECT_EQ(NetToOrientation(-99.55f / 100.0f, -1.59f / 100.0f).DipAngle, 90);
    EXPECT_EQ(NetToOrientation(-98.80f / 100.0f, 12.30f / 100.0f).DipAngle, 90);
    EXPECT_EQ(NetToOrientation(-98.35f / 100.0f, -9.47f / 100.0f).StrikeAngle, 5);
    EXPECT_EQ(NetToOrientation(-96.96f / 100.0f, 12.75f / 100.0f).DipAngle, 88);
}
