#include "diagrams/net_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "diagrams/drawing_surface.h"

#include <QString>
#include <array>

namespace NetDrawing {

float PenFactor(DrawingSurface& surface, bool toPrinter) {
    if (!toPrinter)
        return 1.0f;
    surface.SetScaleMode(DrawingSurface::Inches);
    const double inches = surface.ScaleWidth();
    surface.SetScaleMode(DrawingSurface::Pixels);
    const double dots = surface.ScaleWidth();
    return BMPole::PenFactorForDpi(dots / inches);
}

float ScaleForNet(DrawingSurface& surface, bool toPrinter) {
    // In floating point: the products overflow 16 bits for a large NetRadius.
    const double r = BMMain::NetRadius;
    if (!toPrinter) {
        surface.Scale(-r * 85 / 50, -r * 70 / 50, r * 115 / 50, r * 80 / 50);
        return 1.0f;
    }
    const float penFactor = PenFactor(surface, true);
    surface.SetScaleMode(DrawingSurface::Millimeters);
    const double width = surface.ScaleWidth();
    const double height = surface.ScaleHeight();
    surface.Scale(-85 * r / 50, -70 * r / 50, (width - 85) * r / 50, (height - 70) * r / 50);
    return penFactor;
}

void DrawCircleAndCross(DrawingSurface& surface, float penFactor) {
    const double r = BMMain::NetRadius;
    surface.SetForeColor(0);
    surface.SetDrawWidth(2 * penFactor);
    surface.Circle({0, 0}, r);
    surface.Line({-r, 0}, Step(2 * r, 0));
    surface.Line({0, -r}, Step(0, 2 * r));
    surface.SetDrawWidth(penFactor);
}

void DrawHalfFrame(DrawingSurface& surface, float penFactor) {
    const double r = BMMain::NetRadius;
    surface.SetForeColor(0);
    surface.SetDrawWidth(2 * penFactor);
    surface.Circle({0, 0}, r, std::nullopt, 0.0, double(BMPole::kPi));
    surface.Line({-r, 0}, Step(2 * r, 0));
    surface.Line({0, 0}, Step(0, -r));
}

void DrawNorthMark(DrawingSurface& surface) {
    const QString north = QStringLiteral("Ｎ");
    surface.SetFontSize(14);
    surface.SetCurrentX(-surface.TextWidth(north) / 2);
    surface.SetCurrentY(-BMMain::NetRadius - surface.TextHeight(north));
    surface.Print(north);
}

void DrawNetFrame(DrawingSurface& surface, float penFactor, bool grid) {
    DrawCircleAndCross(surface, penFactor);
    if (grid)
        DrawNetGrid(surface, 0, 0);
    DrawNorthMark(surface);
}

void DrawNetGrid(DrawingSurface& surface, float ox, float oy) {
    const int width = surface.DrawWidth();
    const std::array<QString, 2> directions{QStringLiteral("N"), QStringLiteral("S")};
    const std::array<QString, 2> sides{QStringLiteral("E"), QStringLiteral("W")};
    const auto moveTo = [&](const BMPole::NetPoint& p) {
        surface.SetCurrentX(ox + p.X);
        surface.SetCurrentY(oy + p.Y);
    };
    const auto lineTo = [&](const BMPole::NetPoint& p) { surface.LineTo({ox + p.X, oy + p.Y}); };
    const auto widthFor = [&](int h) {
        surface.SetDrawWidth(h == 30 || h == 60 ? 2 * width : width);
    };

    // Circles of constant dip, one quarter per pass.
    for (const QString& direction : directions)
        for (const QString& side : sides)
            for (int h = 10; h <= 80; h += 10) {
                widthFor(h);
                moveTo(BMPole::OrientationToNet(0, side, h, direction));
                for (int s = 0; s <= 90; s += 5)
                    lineTo(BMPole::OrientationToNet(s, side, h, direction));
            }

    // Radii of constant strike, from the circle of dip 10 out to the rim.
    for (const QString& direction : directions)
        for (const QString& side : sides)
            for (int h = 10; h <= 80; h += 10) {
                widthFor(h);
                moveTo(BMPole::OrientationToNet(h, side, 10, direction));
                for (int t = 10; t <= 90; t += 10)
                    lineTo(BMPole::OrientationToNet(h, side, t, direction));
            }

    surface.SetDrawWidth(width);
}

} // namespace NetDrawing
