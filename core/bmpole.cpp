#include "core/bmpole.h"

#include "core/bmmain.h"
#include "core/vb.h"

#include <cmath>

namespace BMPole {

namespace {

// The first character of a letter cell, upper case and half-width ("ｓｅ" and "Se" read as S).
QString FirstLetter(const QString& text) {
    if (text.isEmpty())
        return {};
    return vb::ToNarrow(vb::UCase(text.left(1)));
}

// Whole degrees as the runtime's Int of a finite value; a value that is not finite (from a
// position that is not a number) reads as 0 instead of overflowing the conversion.
int16_t WholeDegrees(double v) {
    if (!std::isfinite(v))
        return 0;
    return vb::CInt(std::floor(v));
}

} // namespace

float RoundHundredths(double v) {
    return static_cast<float>(std::floor(v * 100.0 + 0.5) / 100.0);
}

bool NorthDip(const QString& dipDirection) {
    const QString direction = FirstLetter(dipDirection);
    return direction.isEmpty() || direction == u"N";
}

bool WestSide(const QString& strikeSide) {
    return FirstLetter(strikeSide) == u"W";
}

NetPoint OrientationToNet(int strikeAngle, const QString& strikeSide, int dipAngle,
                          const QString& dipDirection) {
    return PoleToNet(strikeAngle, WestSide(strikeSide), dipAngle, NorthDip(dipDirection));
}

NetPoint PoleToNet(int strikeAngle, bool west, int dipAngle, bool north) {
    const int f = north ? 1 : -1;
    const int g = west ? -f : f;

    // Whole numbers with the single constants stay single; only sin and cos answer in double.
    // The positions must match the established figures to the hundredth, so the single
    // roundings are kept.
    const int radius = BMMain::NetRadius;
    const float halfDip = float(dipAngle) * kPi / 180.0f / 2.0f;
    const float r = RoundHundredths(double(float(radius) * kSqrt2) * std::sin(double(halfDip)));
    const float a = float(strikeAngle) * kPi / 180.0f;
    const double cosA = std::cos(double(a));
    const double sinA = std::sin(double(a));
    const float mirror = float(2 * radius) - r;

    NetPoint p;
    p.X = RoundHundredths(double(float(g) * r) * cosA);
    p.Y = RoundHundredths(double(float(f) * r) * sinA);
    p.MirrorX = RoundHundredths(double(mirror * float(-g)) * cosA);
    p.MirrorY = RoundHundredths(double(mirror * float(-f)) * sinA);
    return p;
}

Orientation NetToOrientation(float x, float y) {
    Orientation o;
    const float d = std::sqrt(x * x + y * y);
    if (d == 0.0f) {
        o.StrikeSide = QStringLiteral("E");
        o.DipDirection = QStringLiteral("N");
        return o;
    }

    // As in the forward conversion: single arithmetic wherever no function answers in double.
    if (d >= 1.0f) {
        o.DipAngle = 90;
    } else {
        const float s = d / kSqrt2;
        const float perDip = 360.0f / kPi;
        o.DipAngle = WholeDegrees(
            double(perDip) * std::atan(double(s) / std::sqrt(double(1.0f - s * s))) + 0.5);
    }

    const float c = std::fabs(x) / d;
    if (c >= 1.0f) {
        o.StrikeAngle = 0;
    } else {
        const double arc =
            std::atan(-double(c) / std::sqrt(double(1.0f - c * c))) + 2.0 * std::atan(1.0);
        const float perDegree = kPi / 180.0f;
        o.StrikeAngle = WholeDegrees(arc / double(perDegree) + 0.5);
    }

    // 68 and 22 are 67.5 and 22.5 as whole degrees (halves to even).
    const bool north = y <= 0; // y grows southwards
    if (o.StrikeAngle >= 68)
        o.DipDirection = north ? QStringLiteral("S") : QStringLiteral("N");
    else if (o.StrikeAngle >= 22)
        o.DipDirection = north ? (x > 0 ? QStringLiteral("SW") : QStringLiteral("SE"))
                               : (x <= 0 ? QStringLiteral("NE") : QStringLiteral("NW"));
    else
        o.DipDirection = x <= 0 ? QStringLiteral("E") : QStringLiteral("W");

    if (north)
        o.StrikeSide = x > 0 ? QStringLiteral("W") : QStringLiteral("E");
    else
        o.StrikeSide = x <= 0 ? QStringLiteral("W") : QStringLiteral("E");
    return o;
}

QString OrientationCaption(float x, float y) {
    const Orientation o = NetToOrientation(x, y);
    const QString degree = QStringLiteral("゜");
    return QStringLiteral("Ｎ") +
           vb::ToWide(QString::number(o.StrikeAngle) + degree + o.StrikeSide +
                      QString::number(o.DipAngle) + degree + o.DipDirection);
}

float PenFactorForDpi(double dotsPerInch) {
    return static_cast<float>(std::floor(10.0 * dotsPerInch / 300.0 + 0.5) / 10.0);
}

} // namespace BMPole
