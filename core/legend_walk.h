// The keyboard walk through the contour levels of the legend window: Up and Home step to the
// next higher level, Down and End to the next lower one, wrapping around at the ends.
#pragma once

#include <vector>

namespace LegendWalk {

struct Level {
    int index = 0;    // the level's number
    double value = 0; // the value its label shows
};

// The level to select next. `levels` are in the order of their labels; `selected` is the
// selected level's number (0 for none); `up` is the chosen direction. With one level, or with
// nothing selected, the first level; 0 when there are no levels. Levels of the selected value
// are skipped; a step finds only levels less than 100 points away, otherwise the walk wraps
// to the farthest level on the other side. When no other value exists the selection stays.
int Next(const std::vector<Level>& levels, int selected, bool up);

} // namespace LegendWalk
