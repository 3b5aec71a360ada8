// The orientation statistics over the plot: the best-fit girdle (the great circle whose pole is
// the girdle axis), the mean pole as a filled square with its 95 % confidence cone, and their
// orientations written right of the net. Red, black on a printer without colour.
#pragma once

#include "core/orientation_statistics.h"

class DrawingSurface;

namespace StatisticsOverlay {

// On a surface scaled to the net. Nothing for a data set without poles.
void Draw(DrawingSurface& surface, float penFactor, const OrientationStatistics::Statistics& s);

} // namespace StatisticsOverlay
