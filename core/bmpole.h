// Equal-area (Schmidt, lower hemisphere) conversions between a planar measurement in field
// notation and a point of the net, in the drawing frame shared by every diagram: centre (0, 0),
// x to the east, y downwards (south), primitive circle of radius BMMain::NetRadius.
#pragma once

#include <QString>
#include <cstdint>

namespace BMPole {

// The single-precision constants every angle of the program is computed with. Results must
// match the established figures, so they are not replaced by exact values.
inline constexpr float kPi = 3.141592f;
inline constexpr float kSqrt2 = 1.4142135f;

// A projected pole and its mirror point across the centre, outside the primitive circle by as
// much as the pole lies inside it (the density count uses it near the rim). Hundredths only.
struct NetPoint {
    float X = 0;
    float Y = 0;
    float MirrorX = 0;
    float MirrorY = 0;
};

// A measurement read back from a net position: strike N<StrikeAngle><StrikeSide>, dip
// <DipAngle><DipDirection>.
struct Orientation {
    int16_t StrikeAngle = 0;
    QString StrikeSide;
    int16_t DipAngle = 0;
    QString DipDirection;
};

// Int(v * 100 + 0.5) / 100: net positions are kept to hundredths of a drawing unit.
float RoundHundredths(double v);

// The pole of the plane "N<strikeAngle><strikeSide> <dipAngle><dipDirection>". Only the first
// letter of each text counts, compared in upper case and half-width; an empty dip direction
// reads as N, an empty strike side as E. Angles outside 0..90 go through the same formulas.
NetPoint OrientationToNet(int strikeAngle, const QString& strikeSide, int dipAngle,
                          const QString& dipDirection);

// The measurement whose pole lies at (x, y), given as the net position divided by NetRadius
// (y still grows southwards). Points on or beyond the primitive circle read as dip 90.
Orientation NetToOrientation(float x, float y);

// The label of a maximum point at (x, y) (net position divided by NetRadius): "Ｎ" and the
// orientation in full-width characters, as "Ｎ２８゜Ｗ８２゜ＮＥ".
QString OrientationCaption(float x, float y);

// The two letter tests of the conversion, on the first letter in upper case and half-width:
// the dip direction is empty or starts with N; the strike side starts with W.
bool NorthDip(const QString& dipDirection);
bool WestSide(const QString& strikeSide);

// The same from the two letter tests already made: north = the dip direction is empty or
// starts with N; west = the strike side starts with W.
NetPoint PoleToNet(int strikeAngle, bool west, int dipAngle, bool north);

// Line-width multiplier of a printed diagram for a printer resolution: Int(10 × dpi / 300 +
// 0.5) / 10, so lines are as thick at 600 dpi as at 300 dpi.
float PenFactorForDpi(double dotsPerInch);

} // namespace BMPole
