// The colours of the graded-shading diagram: one per count ("rank"), from dark green for a
// count of 1 through yellow to dark red for the largest count.
#pragma once

#include <cstdint>
#include <vector>

// Element k - 1 is the colour (0x00BBGGRR) of count k, for k = 1..largest; empty when largest
// is below 1.
std::vector<uint32_t> BuildRankColors(int largest);
