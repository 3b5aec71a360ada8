// The projection plot: the net frame and one open ring, 1 mm in radius on paper, at the pole
// of every measurement. Drawn on a surface already scaled to the net (DiagramPage).
#pragma once

#include "core/measurement.h"

#include <optional>
#include <vector>

class DrawingSurface;

namespace PlotDrawing {

// Draws the plot; `grid` adds the polar grid. Returns the title's top, 1.5 × NetRadius.
std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid);

} // namespace PlotDrawing
