// The rose diagram's counting: strikes folded into half-sector bins over the northern half
// circle (east 0°, north 90°, west 180°, counter-clockwise), the bins joined into sectors, the
// largest sector, the count scale and its axis, and the dominant-sector text.
//
// A sector is 360 ÷ divisions degrees wide and bins are half a sector. Bin 1 (just north of
// east) is the half of the east-west sector shown at the east end; bins (2, 3), (4, 5), ... are
// joined into whole sectors. With an even count bin `divisions` is the other half, shown at the
// west end. With an odd count the half circle holds no second half: the pairs run on to the
// west end, (divisions − 1, divisions), so every bin is drawn and the width stays 360 ÷
// divisions. One division is one sector holding every strike.
#pragma once

#include "core/measurement.h"

#include <QString>
#include <vector>

namespace Rose {

// Width of a bin in degrees (single precision, as the drawing uses it).
float HalfDegrees(int divisions);

// The bin (1-based) a strike falls into; strikes beyond ±180 are folded by steps of 180.
int BinOfStrike(int strike, const QString& side, int divisions);

// The first bin of every joined pair: 2, 4, ... while its partner is a bin.
std::vector<int> PairStarts(int divisions);

struct Counts {
    // bins[k] for k = 1 .. divisions (bins[0] unused), after joining.
    std::vector<int> bins;
    // Largest count, at least 1, and the first bin holding it.
    int largest = 1;
    int dominantBin = 1;
};
Counts CountStrikes(const std::vector<Measurements::Measurement>& data, int divisions);

struct Scale {
    int decade = 0;   // N: the power of ten of twice the largest count
    int scaleMax = 2; // S: the count the outer semicircle stands for
};
Scale ScaleFor(int largest);

struct AxisTick {
    int value = 0;
    bool labelled = false;
};
// Ticks of the count axis from −S to S.
std::vector<AxisTick> AxisTicks(const Scale& scale);

// "方位偏重：<largest>個 (N<range>)" for the sector of `bin`.
QString DominantText(int largest, int bin, int divisions);

} // namespace Rose
