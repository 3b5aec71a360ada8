#include "diagrams/plot_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/orientation_tally.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <QPointF>

namespace PlotDrawing {

std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid) {
    NetDrawing::DrawNetFrame(surface, penFactor, grid);
    const double radius = BMMain::NetRadius / 50.0;
    surface.SetForeColor(0);
    // Angles are whole degrees, so large data sets repeat the same poles many times; a ring
    // already drawn adds nothing to the picture, and drawing it once keeps a million rows fast
    // and an exported page small.
    std::vector<QPointF> poles;
    const auto ring = [&](const BMPole::NetPoint& p, int32_t) { poles.emplace_back(p.X, p.Y); };
    Measurements::OrientationTally tally;
    for (const Measurements::Measurement& m : data)
        if (!tally.Add(m))
            ring(BMPole::OrientationToNet(m.strike, m.side, m.dip, m.direction), 1);
    tally.ForEach(ring);
    surface.Circles(poles, radius);
    return 1.5 * BMMain::NetRadius;
}

} // namespace PlotDrawing
