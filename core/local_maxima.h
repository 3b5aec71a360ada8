// The local maxima of the density grid: nodes inside the primitive circle whose count is above
// 0 and at least that of each of their 8 neighbours, a plateau of equal counts taken as one.
// Pure: they are read from a finished density run.
#pragma once

#include "core/bmpole.h"
#include "core/density.h"

#include <cstdint>
#include <vector>

namespace LocalMaxima {

struct Maximum {
    // The node (indices as in the density grid) and what it holds.
    int i = 0;
    int j = 0;
    int32_t count = 0;
    // count ÷ data count × 100.
    double percent = 0;
    // The node's orientation as the status bar reads the density maximum.
    BMPole::Orientation orientation;
};

// Highest count first; equal counts in the order of the first index, then the second. A
// plateau, a patch of neighbouring nodes with the same count none of whose neighbours holds
// more, is one maximum at its node nearest the patch's centre.
std::vector<Maximum> Find(const Density::DensityResult& density);

} // namespace LocalMaxima
