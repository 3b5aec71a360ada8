#include "diagrams/plot_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <QPointF>

namespace PlotDrawing {

std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid) {
    NetDrawing::DrawNetFrame(surface, penFactor, grid);
    const double radius = BMMain::NetRadius / 50.0;
    surface.SetForeColor(0);
    std::vector<QPointF> poles;
    poles.reserve(data.size());
    for (const Measurements::Measurement& m : data) {
        const BMPole::NetPoint p = BMPole::OrientationToNet(m.strike, m.side, m.dip, m.direction);
        poles.emplace_back(p.X, p.Y);
    }
    surface.Circles(poles, radius);
    return 1.5 * BMMain::NetRadius;
}

} // namespace PlotDrawing
