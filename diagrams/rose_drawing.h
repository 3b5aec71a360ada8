// The rose diagram: the half frame, the sector boundaries with their azimuths, the compass
// letters, then, on a scale of counts, the outline of the sectors and the count axis with its
// dotted rings. Drawn on a surface already scaled to the net (DiagramPage).
#pragma once

#include "core/rose.h"

#include <optional>

class DrawingSurface;

namespace RoseDrawing {

// Draws the rose of `counts` (Rose::CountStrikes with the same divisions). Leaves the surface
// on the count scale, y upwards, the outer semicircle standing for the scale's S; returns the
// title's top there, a quarter of S below the east-west line.
std::optional<double> DrawRose(DrawingSurface& surface, float penFactor, const Rose::Counts& counts,
                               int divisions);

} // namespace RoseDrawing
