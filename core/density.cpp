#include "core/density.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/orientation_tally.h"
#include "core/rank_colors.h"
#include "core/vb.h"

#include <algorithm>
#include <cmath>

namespace Density {

DensityGrid::DensityGrid(int radius) : radius_(radius) {
    const int margin = vb::CInt(radius / 10.0);
    low_ = -margin;
    high_ = 2 * radius + margin;
    const size_t side = size_t(high_ - low_ + 1);
    counts_.assign(side * side, 0);
}

namespace {

struct Circle {
    double limit; // (R/10)²
    // Candidate node range in net coordinates: +-R/5 around the point, within the grid.
    int uLow, uHigh, vLow, vHigh;
};

Circle CandidateWindow(const DensityGrid& grid, float x, float y) {
    const double r = grid.Radius();
    const double edge = r + r / 10;
    // The array's own bounds as well, should R/10 not be whole.
    const double low = std::max(-edge, double(grid.Low()) - r);
    const double high = std::min(edge, double(grid.High()) - r);
    const auto from = [&](float c) { return std::max(std::ceil(c - r / 5), std::ceil(low)); };
    const auto to = [&](float c) { return std::min(std::floor(c + r / 5), std::floor(high)); };
    return {(r / 10) * (r / 10), int(from(x)), int(to(x)), int(from(y)), int(to(y))};
}

// The node test: differences in single precision, squares and sum in double.
inline double Square(float d) {
    return double(d) * double(d);
}

bool Finite(float x, float y) {
    return std::isfinite(x) && std::isfinite(y);
}

} // namespace

void CountPointInWindow(DensityGrid& grid, float x, float y) {
    if (!grid.Allocated() || !Finite(x, y))
        return;
    const Circle c = CandidateWindow(grid, x, y);
    const int r = grid.Radius();
    for (int u = c.uLow; u <= c.uHigh; ++u)
        for (int v = c.vLow; v <= c.vHigh; ++v)
            if (Square(float(u) - x) + Square(float(v) - y) <= c.limit)
                ++grid(u + r, v + r);
}

void CountPoint(DensityGrid& grid, float x, float y, int32_t weight) {
    if (!grid.Allocated() || !Finite(x, y))
        return;
    const Circle c = CandidateWindow(grid, x, y);
    const int r = grid.Radius();
    // Column by column, so that the nodes counted lie next to each other in memory.
    for (int u = c.uLow; u <= c.uHigh; ++u) {
        const double dx2 = Square(float(u) - x);
        if (dx2 > c.limit)
            continue;
        // The span from the square root, then settled node by node with the exact test, so
        // that rounding never takes in or leaves out a node the window test would not.
        const auto inside = [&](int v) { return dx2 + Square(float(v) - y) <= c.limit; };
        const double half = std::sqrt(c.limit - dx2);
        int low = std::max(c.vLow, int(std::ceil(double(y) - half)));
        int high = std::min(c.vHigh, int(std::floor(double(y) + half)));
        while (low > c.vLow && inside(low - 1))
            --low;
        while (low <= high && !inside(low))
            ++low;
        while (high < c.vHigh && inside(high + 1))
            ++high;
        while (high >= low && !inside(high))
            --high;
        int32_t* column = &grid(u + r, 0);
        for (int v = low; v <= high; ++v)
            column[v + r] += weight;
    }
}

DensityResult ComputeDensity(const std::vector<Measurements::Measurement>& data) {
    const int r = BMMain::NetRadius;
    DensityResult result;
    result.grid = DensityGrid(r);
    DensityGrid& grid = result.grid;

    const double reach = r + r / 10.0;
    const auto count = [&](const BMPole::NetPoint& p, int32_t weight) {
        CountPoint(grid, p.X, p.Y, weight);
        // A pole near the rim also counts through its mirror, where its counting circle
        // wraps to on the lower hemisphere.
        if (double(p.MirrorX) * p.MirrorX + double(p.MirrorY) * p.MirrorY <= reach * reach)
            CountPoint(grid, p.MirrorX, p.MirrorY, weight);
    };
    Measurements::OrientationTally tally;
    for (const Measurements::Measurement& m : data)
        if (!tally.Add(m))
            count(BMPole::OrientationToNet(m.strike, m.side, m.dip, m.direction), 1);
    tally.ForEach(count);

    // Nothing counted: every figure is 0, and whoever divides by one of them checks first.
    if (data.empty())
        return result;

    // Outside the net only mirror counts lie; they are cleared while the maximum is
    // sought.
    const double rim = double(r + 1) * (r + 1);
    int32_t largest = grid(0, 0);
    for (int i = 0; i <= 2 * r + 1; ++i)
        for (int j = 0; j <= 2 * r + 1; ++j) {
            const double di = i - r;
            const double dj = j - r;
            if (di * di + dj * dj > rim) {
                grid(i, j) = 0;
            } else if (grid(i, j) > largest) {
                largest = grid(i, j);
                result.maximumI = i;
                result.maximumJ = j;
            }
        }

    result.countMax = largest;
    result.histogram.assign(size_t(std::max(largest, 1)), 0);
    for (int i = 0; i <= 2 * r; ++i)
        for (int j = 0; j <= 2 * r; ++j)
            if (const int32_t count = grid(i, j); count > 0)
                ++result.histogram[size_t(count - 1)];
    for (const int32_t nodes : result.histogram)
        result.countedNodes += nodes;
    result.dataNumbers = int32_t(std::min<size_t>(data.size(), INT32_MAX));
    result.rankColors = BuildRankColors(result.countMax);
    return result;
}

} // namespace Density
