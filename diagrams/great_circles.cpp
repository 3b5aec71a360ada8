#include "diagrams/great_circles.h"

#include "core/orientation_tally.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

namespace GreatCircles {

namespace {

using OrientationStatistics::Vector;

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kPlaneSteps = 60;
constexpr int kConeSteps = 120;

Vector Scale(const Vector& v, double k) {
    return {v.east * k, v.north * k, v.down * k};
}
Vector Add(const Vector& a, const Vector& b) {
    return {a.east + b.east, a.north + b.north, a.down + b.down};
}
Vector Cross(const Vector& a, const Vector& b) {
    return {a.north * b.down - a.down * b.north, a.down * b.east - a.east * b.down,
            a.east * b.north - a.north * b.east};
}
Vector Normalised(const Vector& v) {
    return Scale(v, 1 / std::sqrt(v.east * v.east + v.north * v.north + v.down * v.down));
}

// Equal area, lower hemisphere: a line at angle θ from the vertical lies √(1 − cos θ) from the
// centre.
QPointF Projected(const Vector& w) {
    const double k = 1 / std::sqrt(1 + std::max(0.0, w.down));
    return {w.east * k, -w.north * k};
}

// Two unit vectors across `axis` and across each other.
std::pair<Vector, Vector> Across(const Vector& axis) {
    const double horizontal = std::hypot(axis.east, axis.north);
    const Vector first = horizontal < 1e-12
                             ? Vector{0, 1, 0}
                             : Vector{-axis.north / horizontal, axis.east / horizontal, 0};
    return {first, Normalised(Cross(axis, first))};
}

} // namespace

void PlaneTrace(const Vector& pole, double radius, QPolygonF& line) {
    const Vector v = Normalised(pole);
    auto [strike, dip] = Across(v);
    if (dip.down < 0)
        dip = Scale(dip, -1);
    // The same steps for every plane: a million planes need their sines only once.
    static const auto steps = [] {
        std::array<std::pair<double, double>, kPlaneSteps + 1> table;
        for (int k = 0; k <= kPlaneSteps; ++k) {
            const double t = std::numbers::pi * k / kPlaneSteps;
            table[size_t(k)] = {std::cos(t), std::sin(t)};
        }
        return table;
    }();
    line.resize(kPlaneSteps + 1);
    for (int k = 0; k <= kPlaneSteps; ++k) {
        const auto [c, s] = steps[size_t(k)];
        line[k] = Projected(Add(Scale(strike, c), Scale(dip, s))) * radius;
    }
}

QPolygonF PlaneTrace(const Vector& pole, double radius) {
    QPolygonF line;
    PlaneTrace(pole, radius, line);
    return line;
}

std::vector<QPolygonF> ConeTrace(const OrientationStatistics::Direction& axis, double degrees,
                                 double radius) {
    const Vector a = OrientationStatistics::VectorOf(axis);
    const auto across = Across(a);
    const Vector u = across.first;
    const Vector w = across.second;
    const double c = std::cos(degrees * kDegree);
    const double s = std::sin(degrees * kDegree);
    const auto at = [&](double phi) {
        return Add(Scale(a, c), Add(Scale(u, s * std::cos(phi)), Scale(w, s * std::sin(phi))));
    };
    std::vector<QPolygonF> pieces(1);
    Vector previous = at(0);
    pieces.back().append(Projected(previous.down < 0 ? Scale(previous, -1) : previous));
    for (int k = 1; k <= kConeSteps; ++k) {
        const double phi = 2 * std::numbers::pi * k / kConeSteps;
        const Vector next = at(phi);
        if ((previous.down < 0) != (next.down < 0)) {
            // Both pieces end where the cone meets the rim, on opposite sides of the net.
            const double f = previous.down / (previous.down - next.down);
            Vector rim = at(phi - 2 * std::numbers::pi / kConeSteps * (1 - f));
            rim.down = 0;
            rim = Normalised(rim);
            const Vector before = previous.down < 0 ? Scale(rim, -1) : rim;
            pieces.back().append(Projected(before));
            pieces.emplace_back();
            pieces.back().append(Projected(Scale(before, -1)));
        }
        pieces.back().append(Projected(next.down < 0 ? Scale(next, -1) : next));
        previous = next;
    }
    for (QPolygonF& piece : pieces)
        for (QPointF& p : piece)
            p *= radius;
    return pieces;
}

void ForEachPlane(const std::vector<Measurements::Measurement>& data,
                  const std::function<void(const Vector&)>& visit) {
    // A plane is known by its pole as a line.
    std::vector<std::tuple<long long, long long, Vector>> planes;
    const auto add = [&](const Vector& v) {
        const OrientationStatistics::Direction d = OrientationStatistics::DirectionOf(v);
        planes.emplace_back(std::llround(d.trend * 1e6), std::llround(d.plunge * 1e6), v);
    };
    OrientationStatistics::ForEachDistinctPole(data, [&](const Vector& v, double) { add(v); });
    const auto key = [](const auto& p) { return std::tie(std::get<0>(p), std::get<1>(p)); };
    std::sort(planes.begin(), planes.end(),
              [&](const auto& a, const auto& b) { return key(a) < key(b); });
    planes.erase(std::unique(planes.begin(), planes.end(),
                             [&](const auto& a, const auto& b) { return key(a) == key(b); }),
                 planes.end());
    for (const auto& plane : planes)
        visit(std::get<2>(plane));
}

} // namespace GreatCircles
