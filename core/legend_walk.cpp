#include "core/legend_walk.h"

namespace LegendWalk {

int Next(const std::vector<Level>& levels, int selected, bool up) {
    if (levels.empty())
        return 0;
    if (levels.size() == 1)
        selected = 0;
    const Level* current = nullptr;
    for (const Level& level : levels)
        if (level.index == selected)
            current = &level;
    if (!current)
        return levels.front().index;

    const double s = up ? -1 : 1;
    int nearest = 0;
    double nearestT = -100;
    int farthest = 0;
    double farthestT = 0;
    for (const Level& level : levels) {
        if (level.index == current->index)
            continue;
        const double t = (level.value - current->value) * s;
        if (t < 0 && t > nearestT) {
            nearestT = t;
            nearest = level.index;
        } else if (t > 0 && t > farthestT) {
            farthestT = t;
            farthest = level.index;
        }
    }
    if (nearest)
        return nearest;
    return farthest ? farthest : current->index;
}

} // namespace LegendWalk
