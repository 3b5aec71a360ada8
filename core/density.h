// The density run: every measurement's pole counted with a counting circle of a tenth of the
// net radius on a square grid of nodes one drawing unit apart, plus the largest count, where
// it lies and how many nodes hold each count. Pure: the controller (and the batch export)
// read the measurements and hand them over as a list.
#pragma once

#include "core/measurement.h"

#include <cstdint>
#include <vector>

namespace Density {

// Counts per node. Both indices run from -m to 2R + m (m = R/10 rounded half to even); node
// (i, j) lies at net position (i - R, j - R), so (R, R) is the centre of the net.
class DensityGrid {
  public:
    DensityGrid() = default;
    explicit DensityGrid(int radius);

    // False before the first run.
    bool Allocated() const { return !counts_.empty(); }
    int Radius() const { return radius_; }
    // The index range, the same for both indices.
    int Low() const { return low_; }
    int High() const { return high_; }
    bool Contains(int i, int j) const { return i >= low_ && i <= high_ && j >= low_ && j <= high_; }
    // The count of node (i, j); 0 outside the grid.
    int32_t At(int i, int j) const { return Contains(i, j) ? counts_[Offset(i, j)] : 0; }
    // Node (i, j), which must lie in the grid.
    int32_t& operator()(int i, int j) { return counts_[Offset(i, j)]; }
    int32_t operator()(int i, int j) const { return counts_[Offset(i, j)]; }

  private:
    size_t Offset(int i, int j) const {
        return size_t(i - low_) * size_t(high_ - low_ + 1) + size_t(j - low_);
    }

    int radius_ = 0;
    int low_ = 0;
    int high_ = -1;
    std::vector<int32_t> counts_;
};

// Adds 1 to every node within R/10 of net position (x, y) (on the circle included): the
// differences in single precision, their squares summed in double. Walks only the span of
// each row that the circle covers.
// `weight` measurements at the same position count at once.
void CountPoint(DensityGrid& grid, float x, float y, int32_t weight = 1);
// The same count by testing every node of the square window of +-R/5 around the point: the
// reference CountPoint is checked against.
void CountPointInWindow(DensityGrid& grid, float x, float y);

struct DensityResult {
    DensityGrid grid;
    // Measurements counted; 0 after a run over none (so are the count, the histogram and the
    // colours): divide by it only when it is positive.
    int32_t dataNumbers = 0;
    // Largest count (at least 1 after a run over data) and the first node holding it, scanning
    // the first index outer and the second inner.
    int32_t countMax = 0;
    int maximumI = 0;
    int maximumJ = 0;
    // Element k - 1: the nodes with i and j in 0..2R whose count is k, for k = 1..countMax.
    std::vector<int32_t> histogram;
    // Nodes with a positive count (the sum of the histogram).
    int32_t countedNodes = 0;
    // Element k - 1: the colour (0x00BBGGRR) of the nodes whose count is k.
    std::vector<uint32_t> rankColors;
};

// The whole run at radius R = BMMain::NetRadius: each pole counted, poles within R/10 of the
// rim also through their mirror point; then everything farther than R + 1 from the centre
// (indices 0..2R + 1) cleared, the maximum found, the histogram and the rank colours built.
// Measurements of the same orientation are counted together: the counts are the same as one
// by one.
DensityResult ComputeDensity(const std::vector<Measurements::Measurement>& data);

} // namespace Density
