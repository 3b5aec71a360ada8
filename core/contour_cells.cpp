#include "core/contour_cells.h"

#include <cmath>

namespace ContourCells {

namespace {

int Sign(float v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The four edges of cell (j, k) walked round: start corner, end corner, and the position of a
// point a fraction f of the way along.
template <class Visit> void ForEachEdge(int j, int k, const Corners& c, Visit visit) {
    const float x0 = float(j);
    const float y0 = float(k);
    const float x1 = float(j + 1);
    const float y1 = float(k + 1);
    visit(
        c.c00, c.c01,
        [&](float f) {
            return Point{x0, y0 + f};
        },
        Point{x0, y0});
    visit(
        c.c01, c.c11,
        [&](float f) {
            return Point{x0 + f, y1};
        },
        Point{x0, y1});
    visit(
        c.c11, c.c10,
        [&](float f) {
            return Point{x1, y1 - f};
        },
        Point{x1, y1});
    visit(
        c.c10, c.c00,
        [&](float f) {
            return Point{x1 - f, y0};
        },
        Point{x1, y0});
}

} // namespace

Crossing EdgeCrossing(float t, float a, float b) {
    if (Sign(t - a) == Sign(t - b))
        return {};
    return {true, std::fabs((t - a) / (a - b))};
}

CellPoints CrossingPoints(float t, int j, int k, const Corners& c) {
    CellPoints result;
    ForEachEdge(j, k, c, [&](int32_t a, int32_t b, auto at, Point) {
        const Crossing crossing = EdgeCrossing(t, float(a), float(b));
        if (crossing.crosses)
            result.points[size_t(result.count++)] = at(crossing.fraction);
    });
    return result;
}

Segments CellSegments(float t, const CellPoints& points, int32_t c00) {
    Segments s;
    const auto& p = points.points;
    const auto add = [&](int a, int b) {
        s.lines[size_t(s.count++)] = {p[size_t(a)], p[size_t(b)]};
    };
    switch (points.count) {
    case 1:
        s.dataError = true;
        break;
    case 2:
        add(0, 1);
        break;
    case 3:
        add(0, 1);
        add(1, 2);
        add(2, 0);
        break;
    case 4:
        if (float(c00) > t) {
            add(0, 1);
            add(2, 3);
        } else {
            add(0, 3);
            add(2, 1);
        }
        break;
    default:
        break;
    }
    return s;
}

Polygon BandPolygon(float t, int j, int k, const Corners& c) {
    Polygon polygon;
    ForEachEdge(j, k, c, [&](int32_t a, int32_t b, auto at, Point corner) {
        if (float(a) > t)
            polygon.points[size_t(polygon.count++)] = corner;
        const Crossing crossing = EdgeCrossing(t, float(a), float(b));
        if (crossing.crosses)
            polygon.points[size_t(polygon.count++)] = at(crossing.fraction);
    });
    return polygon;
}

} // namespace ContourCells
