#include "diagrams/plot_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/orientation_tally.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/great_circles.h"
#include "diagrams/net_drawing.h"
#include "diagrams/statistics_overlay.h"

#include <QPointF>

namespace PlotDrawing {

namespace {

void DrawRings(DrawingSurface& surface, const std::vector<Measurements::Measurement>& data) {
    const double radius = BMMain::NetRadius / 50.0;
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
}

// Each plane's great circle, a batch of them at a time so that a million planes need no more
// memory than a few hundred.
void DrawGreatCircles(DrawingSurface& surface, const std::vector<Measurements::Measurement>& data) {
    std::vector<QPolygonF> batch(256);
    size_t used = 0;
    GreatCircles::ForEachPlane(data, [&](const OrientationStatistics::Vector& pole) {
        GreatCircles::PlaneTrace(pole, BMMain::NetRadius, batch[used]);
        if (++used == batch.size()) {
            surface.Polylines(batch);
            used = 0;
        }
    });
    batch.resize(used);
    surface.Polylines(batch);
}

} // namespace

std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid,
                               const PlotOptions& options) {
    using DiagramSettings::PlotMode;
    NetDrawing::DrawNetFrame(surface, penFactor, grid);
    surface.SetForeColor(0);
    // The same planes repeat as their poles do: each great circle is drawn once.
    if (options.mode != PlotMode::Poles)
        DrawGreatCircles(surface, data);
    if (options.mode != PlotMode::Circles)
        DrawRings(surface, data);
    if (options.statistics)
        StatisticsOverlay::Draw(surface, penFactor, *options.statistics);
    return 1.5 * BMMain::NetRadius;
}

} // namespace PlotDrawing
