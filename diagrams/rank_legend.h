// The bars of the graded-shading legend: for every count k from the largest down to 1, a bar
// in the rank colour of k as long as the number of nodes counting k or more, labelled with k
// in percent of the data count. Afterwards the surface's vertical axis is in percent, so the
// level lines and labels can be placed at their values.
#pragma once

#include "diagrams/drawing_surface.h"

#include <QString>
#include <vector>

namespace RankLegend {

struct Counts {
    int32_t countMax = 0;           // the largest count
    int32_t countedNodes = 0;       // nodes with a positive count
    int32_t dataNumbers = 0;        // measurements counted
    std::vector<int32_t> histogram; // element k - 1: nodes counting k
    std::vector<Rgb> colors;        // element k - 1: the colour of count k
};

// The label of count k: k in percent of the data count, two decimals.
QString LabelText(int k, int dataNumbers);

// Clears the surface and draws the bars, labelling each that has room for its label; false
// when nothing was counted, and the surface is left blank in the scale of 0 to 100 %.
bool Draw(DrawingSurface& surface, const Counts& counts);

} // namespace RankLegend
