#include "core/local_maxima.h"

#include "core/density_texts.h"

#include <algorithm>
#include <tuple>

namespace LocalMaxima {

std::vector<Maximum> Find(const Density::DensityResult& density) {
    const Density::DensityGrid& grid = density.grid;
    const int r = grid.Radius();
    if (!grid.Allocated() || r <= 0)
        return {};
    const int side = 2 * r + 1;
    const auto inside = [r](int i, int j) {
        return (i - r) * (i - r) + (j - r) * (j - r) <= r * r;
    };
    std::vector<uint8_t> visited(size_t(side) * size_t(side), 0);
    const auto visit = [&](int i, int j) -> bool {
        uint8_t& seen = visited[size_t(i) * size_t(side) + size_t(j)];
        return !std::exchange(seen, uint8_t(1));
    };

    std::vector<Maximum> maxima;
    std::vector<std::pair<int, int>> patch;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const int32_t count = grid(i, j);
            if (count <= 0 || !inside(i, j) || visited[size_t(i) * size_t(side) + size_t(j)])
                continue;
            // The patch of equal counts around the node; it is a maximum when nothing next
            // to it holds more. Nodes beyond the rim are neighbours but never members.
            patch.assign(1, {i, j});
            visit(i, j);
            bool highest = true;
            for (size_t k = 0; k < patch.size(); ++k) {
                const auto [u, v] = patch[k];
                for (int du = -1; du <= 1; ++du)
                    for (int dv = -1; dv <= 1; ++dv) {
                        const int a = u + du;
                        const int b = v + dv;
                        const int32_t neighbour = grid.At(a, b);
                        if (neighbour > count)
                            highest = false;
                        else if (neighbour == count && a >= 0 && a < side && b >= 0 && b < side &&
                                 inside(a, b) && visit(a, b))
                            patch.emplace_back(a, b);
                    }
            }
            if (!highest)
                continue;
            double ci = 0;
            double cj = 0;
            for (const auto& [u, v] : patch) {
                ci += u;
                cj += v;
            }
            ci /= double(patch.size());
            cj /= double(patch.size());
            const auto distance = [&](const std::pair<int, int>& node) {
                return std::tuple((node.first - ci) * (node.first - ci) +
                                      (node.second - cj) * (node.second - cj),
                                  node.first, node.second);
            };
            const auto centre =
                *std::min_element(patch.begin(), patch.end(), [&](const auto& x, const auto& y) {
                    return distance(x) < distance(y);
                });
            Maximum m;
            m.i = centre.first;
            m.j = centre.second;
            m.count = count;
            m.percent = double(count) / double(std::max(density.dataNumbers, 1)) * 100.0;
            m.orientation = Density::NodeOrientation(grid, m.i, m.j);
            maxima.push_back(std::move(m));
        }
    }
    std::sort(maxima.begin(), maxima.end(), [](const Maximum& a, const Maximum& b) {
        return std::tuple(-a.count, a.i, a.j) < std::tuple(-b.count, b.i, b.j);
    });
    return maxima;
}

} // namespace LocalMaxima
