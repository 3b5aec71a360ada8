// The projection plot: the net frame and, for every measurement, one open ring, 1 mm in radius
// on paper, at its pole, its great circle, or both; optionally the orientation statistics over
// them. Drawn on a surface already scaled to the net (DiagramPage).
#pragma once

#include "core/diagram_settings.h"
#include "core/measurement.h"

#include <optional>
#include <vector>

class DrawingSurface;
namespace OrientationStatistics {
struct Statistics;
}

namespace PlotDrawing {

struct PlotOptions {
    DiagramSettings::PlotMode mode = DiagramSettings::PlotMode::Poles;
    // Drawn over the measurements when given: girdle, mean pole and its cone.
    const OrientationStatistics::Statistics* statistics = nullptr;
};

// Draws the plot; `grid` adds the polar grid. Returns the title's top, 1.5 × NetRadius.
std::optional<double> DrawPlot(DrawingSurface& surface, float penFactor,
                               const std::vector<Measurements::Measurement>& data, bool grid,
                               const PlotOptions& options = {});

} // namespace PlotDrawing
