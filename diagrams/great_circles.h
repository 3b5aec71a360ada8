// Planes and cones as lines on the net: the lower half of a plane's great circle, the small
// circle of a cone around a line, and every distinct plane of a data set. Points are in net
// units (primitive circle of radius 1, y southwards); the drawing scales them.
#pragma once

#include "core/measurement.h"
#include "core/orientation_statistics.h"

#include <QPolygonF>
#include <functional>
#include <vector>

namespace GreatCircles {

// The plane whose pole is `pole`, from one end of its strike through its dip to the other,
// in steps of 3 degrees, scaled to a net of `radius` (1: net units). Into `line`, whose
// storage is reused.
void PlaneTrace(const OrientationStatistics::Vector& pole, double radius, QPolygonF& line);
QPolygonF PlaneTrace(const OrientationStatistics::Vector& pole, double radius);

// The cone of `degrees` around `axis`, scaled to a net of `radius`. Where it rises above the
// horizontal its opposite points are drawn (the lines are axes), so it may come in pieces that
// end on the rim.
std::vector<QPolygonF> ConeTrace(const OrientationStatistics::Direction& axis, double degrees,
                                 double radius);

// Calls visit(pole) for every distinct plane of the data set, once each: a million
// measurements in whole degrees hold at most some tens of thousands, and planes written
// differently (every strike of a horizontal plane) are one.
void ForEachPlane(const std::vector<Measurements::Measurement>& data,
                  const std::function<void(const OrientationStatistics::Vector&)>& visit);

} // namespace GreatCircles
