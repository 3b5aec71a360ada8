// The contour levels drawn on an already scaled net surface: the level lines (the contour
// diagram and the overlay of the graded-shading diagram) and the filled level areas with their
// legend rows (the contour diagram). `ordered` is the level list from the highest value down,
// as ContourLevels::Prepare leaves it; levels are drawn from the lowest up, so higher levels
// paint over lower ones.
#pragma once

#include "core/contour_levels.h"

#include <functional>
#include <vector>

class DrawingSurface;
class QPoint;
class QPolygon;
namespace Density {
class DensityGrid;
struct DensityResult;
} // namespace Density

namespace ContourTracing {

// Called once for every cell whose counts give a single crossing point, which consistent
// counts cannot do; may be empty.
using DataErrorHandler = std::function<void()>;

// The lines of every level, each segment drawn both ways in the level's colour (black on a
// monochrome printer). The screen is refreshed after each level.
void DrawContourLines(DrawingSurface& surface, const Density::DensityResult& density,
                      const std::vector<ContourLevels::Level>& ordered,
                      const DataErrorHandler& dataError = {});

// Grid index space to device pixels of a surface scaled to the net: node (u, v) lies at
// (u × sx + ox, v × sy + oy), each coordinate rounded half to even.
struct DeviceMapping {
    double sx = 1;
    double sy = 1;
    double ox = 0;
    double oy = 0;
    static DeviceMapping For(const DrawingSurface& surface, double radius);
    QPoint operator()(float u, float v) const;
};

// The part of the net's square above threshold t as device polygons, one per cell, except that
// a run of whole cells along the second index is one rectangle: the same pixels, fewer edges.
std::vector<QPolygon> BandArea(const Density::DensityGrid& grid, float t,
                               const DeviceMapping& device);

// The area above each level, white first and then in the level's pattern and colour, filled as
// one shape per level in device pixels; then the level's legend row right of the net.
void FillContourBands(DrawingSurface& surface, const Density::DensityResult& density,
                      const std::vector<ContourLevels::Level>& ordered);

} // namespace ContourTracing
