#include "diagrams/statistics_overlay.h"

#include "core/bmmain.h"
#include "core/statistics_texts.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/great_circles.h"

namespace StatisticsOverlay {

void Draw(DrawingSurface& surface, float penFactor, const OrientationStatistics::Statistics& s) {
    if (!s.HasPoles())
        return;
    const double r = BMMain::NetRadius;
    const Rgb colour = surface.ColorMode() == DrawingSurface::Color ? RGB(255, 0, 0) : 0;
    const Rgb before = surface.ForeColor();
    surface.SetForeColor(colour);
    surface.SetDrawStyle(DrawingSurface::SolidLine);

    std::vector<QString> lines;
    if (s.girdleAxis) {
        surface.SetDrawWidth(2 * penFactor);
        surface.Polylines(
            {GreatCircles::PlaneTrace(OrientationStatistics::VectorOf(*s.girdleAxis), r)});
        lines.push_back(QStringLiteral("ｶﾞｰﾄﾞﾙ　") + StatisticsTexts::PlaneText(*s.girdleAxis));
        lines.push_back(QStringLiteral("褶曲軸　") + StatisticsTexts::DirectionText(*s.girdleAxis));
    }
    surface.SetDrawWidth(penFactor);
    if (s.alpha95) {
        surface.Polylines(GreatCircles::ConeTrace(s.meanPole, *s.alpha95, r));
    }
    const OrientationStatistics::NetPosition mean =
        OrientationStatistics::NetPositionOf(s.meanPole);
    const double half = r / 40; // 1.25 mm on paper
    surface.Line({r * mean.x - half, r * mean.y - half}, Step(2 * half, 2 * half), colour,
                 DrawingSurface::LineForm::FilledBox);
    lines.push_back(QStringLiteral("平均極　") + StatisticsTexts::PlaneText(s.meanPole));
    if (s.alpha95)
        lines.push_back(QStringLiteral("α95　") + QString::number(*s.alpha95, 'f', 1) +
                        QStringLiteral("°"));

    // Right of the net, above the level of the title.
    surface.SetFontSize(10);
    surface.SetCurrentY(0.75 * r);
    for (const QString& line : lines) {
        surface.SetCurrentX(1.1 * r);
        surface.Print(line);
    }
    surface.SetForeColor(before);
    surface.SetDrawWidth(penFactor);
}

} // namespace StatisticsOverlay
