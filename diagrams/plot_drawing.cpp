#include "diagrams/plot_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/density.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <QPointF>

namespace PlotDrawing {

std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid) {
    NetDrawing::DrawNetFrame(surface, penFactor, grid);
    const double radius = BMMain::NetRadius / 50.0;
    surface.SetForeColor(0);
    // Rings of one orientation coincide: a crisp picture needs each once, paper gets them all.
    const bool once = surface.Crisp();
    std::vector<QPointF> poles;
    Density::ForEachPole(data, [&](const BMPole::NetPoint& p, int32_t weight) {
        for (int32_t k = 0; k < (once ? 1 : weight); ++k)
            poles.emplace_back(p.X, p.Y);
    });
    surface.Circles(poles, radius);
    return 1.5 * BMMain::NetRadius;
}

} // namespace PlotDrawing
