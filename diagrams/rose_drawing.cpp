#include "diagrams/rose_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/vb.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <cmath>

namespace RoseDrawing {

namespace {

constexpr float kPi = BMPole::kPi;

// Where a boundary's azimuth label goes relative to the boundary's end, by azimuth.
QPointF LabelOffset(float az, double h8, double w) {
    if (az >= 60)
        return {0, -h8 / 2};
    if (az >= 15)
        return {0, -h8};
    if (az > -15)
        return {-w / 2, az == 0 ? -2 * h8 : -1.5 * h8};
    if (az > -60)
        return {-w, -h8};
    return {-w, -h8 / 2};
}

// Dotted sector boundaries with their azimuths, in the net scale.
void DrawBoundaries(DrawingSurface& surface, int divisions) {
    const double r = BMMain::NetRadius;
    const float half = Rose::HalfDegrees(divisions);
    const float halfRad = half / 180 * kPi;
    const double h8 = surface.TextHeight(QStringLiteral("8")) / 2;
    const double w = surface.TextWidth(QStringLiteral("88.88"));
    surface.SetDrawWidth(1);
    surface.SetDrawStyle(DrawingSurface::DotLine);
    const int last = vb::CInt(divisions / 2.0 - 1);
    for (int f = 0; f <= last; ++f) {
        // A boundary on the west end (odd counts) lies on the diameter already drawn.
        if ((2 * f + 1) * half >= 180)
            break;
        const float theta = float(2 * f + 1) * halfRad;
        surface.Line({0, 0}, {r * std::cos(theta), -r * std::sin(theta)});
        const float az = 90 - float(2 * f + 1) * half;
        const QPointF offset = LabelOffset(az, h8, w);
        surface.SetCurrentX(1.025 * r * std::cos(theta) + offset.x());
        surface.SetCurrentY(-1.025 * r * std::sin(theta) + offset.y());
        surface.Print(vb::Format(std::abs(az), QStringLiteral("0.00")));
    }
}

// "W", "E", "N" beyond the frame and the count unit under the centre.
void DrawLetters(DrawingSurface& surface, double fontSize, float penFactor) {
    const double r = BMMain::NetRadius;
    surface.SetDrawStyle(DrawingSurface::SolidLine);
    surface.SetDrawWidth(penFactor);
    surface.SetFontSize(fontSize * 1.2);
    const double hE = surface.TextHeight(QStringLiteral("E")) / 2;
    surface.SetCurrentX(-1.15 * r - surface.TextWidth(QStringLiteral("W")));
    surface.SetCurrentY(-hE);
    surface.Print(QStringLiteral("W"), false);
    surface.SetCurrentX(1.15 * r);
    surface.SetCurrentY(-hE);
    surface.Print(QStringLiteral("E"));
    surface.SetCurrentX(-surface.TextWidth(QStringLiteral("N")) / 2);
    surface.SetCurrentY(-1.15 * r - hE);
    surface.Print(QStringLiteral("N"));
    surface.SetFontSize(fontSize);
    const QString unit = QStringLiteral("(数)");
    surface.SetCurrentX(-surface.TextWidth(unit) / 2);
    surface.SetCurrentY(3 * hE);
    surface.Print(unit);
}

// From the net scale (radius NetRadius, y downwards) to counts (radius s, y upwards), keeping
// the net's place on the picture or page.
void ScaleToCounts(DrawingSurface& surface, int s) {
    const double k = double(s) / BMMain::NetRadius;
    const double left = surface.ScaleLeft();
    const double top = surface.ScaleTop();
    surface.Scale(left * k, -top * k, (left + surface.ScaleWidth()) * k,
                  -(top + surface.ScaleHeight()) * k);
}

void RadialLine(DrawingSurface& surface, float angle, double from, double to) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    surface.Line({from * c, from * s}, {to * c, to * s});
}

// Each sector an arc at its count, joined to its neighbour by a radial line; nothing filled.
void DrawOutline(DrawingSurface& surface, float penFactor, const std::vector<int>& bins,
                 int divisions) {
    const float halfRad = Rose::HalfDegrees(divisions) / 180 * kPi;
    surface.SetDrawWidth(2 * penFactor);
    surface.SetForeColor(0);
    surface.Circle({0, 0}, bins[1], std::nullopt, 0.0, double(halfRad));
    for (const int j : Rose::PairStarts(divisions)) {
        surface.Circle({0, 0}, bins[size_t(j)], std::nullopt, double((j - 1) * halfRad),
                       double((j + 1) * halfRad));
        RadialLine(surface, float(j - 1) * halfRad, bins[size_t(j) - 1], bins[size_t(j)]);
    }
    if (divisions % 2 == 0) {
        const size_t n = size_t(divisions);
        surface.Circle({0, 0}, bins[n], std::nullopt, double(kPi - halfRad), double(kPi));
        RadialLine(surface, float(divisions - 1) * halfRad, bins[n - 1], bins[n]);
    }
}

// Ticks along the east-west diameter, their labels, and a dotted ring at each labelled count.
void DrawCountAxis(DrawingSurface& surface, float penFactor, const Rose::Scale& scale) {
    const double s = scale.scaleMax;
    surface.SetDrawWidth(penFactor);
    for (const Rose::AxisTick& tick : Rose::AxisTicks(scale)) {
        surface.Line({double(tick.value), s / 40}, Step(0, -s / 20));
        if (!tick.labelled)
            continue;
        const QString label = QString::number(std::abs(tick.value));
        surface.SetCurrentX(surface.CurrentX() - surface.TextWidth(label) / 2);
        surface.Print(label);
        if (tick.value > 0) {
            surface.SetDrawWidth(1);
            surface.SetDrawStyle(DrawingSurface::DotLine);
            surface.Circle({0, 0}, tick.value, std::nullopt, 0.0, double(kPi));
            surface.SetDrawStyle(DrawingSurface::SolidLine);
            surface.SetDrawWidth(penFactor);
        }
    }
}

} // namespace

std::optional<double> DrawRose(DrawingSurface& surface, float penFactor, const Rose::Counts& counts,
                               int divisions) {
    NetDrawing::DrawHalfFrame(surface, penFactor);
    const double fontSize = surface.FontSize();
    surface.SetFontSize(fontSize / 8 * 6);
    DrawBoundaries(surface, divisions);
    DrawLetters(surface, fontSize, penFactor);

    const Rose::Scale scale = Rose::ScaleFor(counts.largest);
    ScaleToCounts(surface, scale.scaleMax);
    DrawOutline(surface, penFactor, counts.bins, divisions);
    DrawCountAxis(surface, penFactor, scale);
    return -0.25 * scale.scaleMax;
}

} // namespace RoseDrawing
