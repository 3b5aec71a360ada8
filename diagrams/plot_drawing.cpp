#include "diagrams/plot_drawing.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

namespace PlotDrawing {

std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid) {
    NetDrawing::DrawNetFrame(surface, penFactor, grid);
    const double radius = BMMain::NetRadius / 50.0;
    surface.SetForeColor(0);
    for (const Measurements::Measurement& m : data) {
        const BMPole::NetPoint p = BMPole::OrientationToNet(m.strike, m.side, m.dip, m.direction);
        surface.Circle({p.X, p.Y}, radius);
    }
    return 1.5 * BMMain::NetRadius;
}

} // namespace PlotDrawing
