#include "core/rose.h"

#include "core/vb.h"

#include <cmath>
#include <cstdlib>

namespace Rose {

float HalfDegrees(int divisions) {
    return 360.0f / float(divisions) / 2.0f;
}

int BinOfStrike(int strike, const QString& side, int divisions) {
    int s = strike;
    while (std::abs(s) >= 181)
        s -= (s > 0 ? 1 : -1) * 180;
    int theta;
    if (vb::TextEquals(side.trimmed(), QStringLiteral("E")))
        theta = s < -90 ? -s - 90 : s > 90 ? 270 - s : 90 - s;
    else
        theta = s < -90 ? s + 270 : s > 90 ? s - 90 : 90 + s;
    if (theta == 180)
        theta = 179;
    const int bin = int(vb::Int(float(theta) / HalfDegrees(divisions))) + 1;
    return std::clamp(bin, 1, divisions);
}

std::vector<int> PairStarts(int divisions) {
    std::vector<int> starts;
    for (int j = 2; j + 1 <= divisions; j += 2)
        starts.push_back(j);
    return starts;
}

Counts CountStrikes(const std::vector<Measurements::Measurement>& data, int divisions) {
    Counts counts;
    counts.bins.assign(size_t(divisions) + 1, 0);
    for (const Measurements::Measurement& m : data)
        ++counts.bins[size_t(BinOfStrike(m.strike, m.side, divisions))];
    for (const int j : PairStarts(divisions))
        counts.bins[size_t(j)] = counts.bins[size_t(j) + 1] =
            counts.bins[size_t(j)] + counts.bins[size_t(j) + 1];
    int largest = 0;
    for (int k = 1; k <= divisions; ++k)
        if (counts.bins[size_t(k)] > largest) {
            largest = counts.bins[size_t(k)];
            counts.dominantBin = k;
        }
    counts.largest = std::max(largest, 1);
    return counts;
}

Scale ScaleFor(int largest) {
    // 32-bit: the 16-bit originals overflow from a largest count of about 16 000.
    const double c = 2.0 * largest;
    const int n = vb::CLng(std::log(c) / std::log(10.0));
    const double power = std::pow(10.0, n);
    const int t = vb::CLng((vb::Int(c / power) + 1) * power);
    return {n, vb::CLng(t / 2.0)};
}

std::vector<AxisTick> AxisTicks(const Scale& scale) {
    const int n = std::max(scale.decade, 1);
    const double unit = std::pow(10.0, n - 1);
    const int step = std::max(vb::CLng(unit), 1);
    const int s = scale.scaleMax;
    std::vector<AxisTick> ticks;
    for (int v = -s; v <= s; v += step) {
        const int a = std::abs(v);
        const bool labelled = v == 0 || a == s || a == s / 2.0 || vb::CLng(a / unit) % 5 == 0;
        ticks.push_back({v, labelled});
    }
    return ticks;
}

namespace {

// The sector of a bin as a range of θ in degrees.
struct Sector {
    float low;
    float high;
};

Sector SectorOf(int bin, int divisions) {
    const float h = HalfDegrees(divisions);
    if (bin == 1)
        // The east-west sector, whose other half lies at the west end when there is one.
        return divisions % 2 == 0 ? Sector{-h, h} : Sector{0, h};
    if (bin == divisions && divisions % 2 == 0)
        return {180 - h, 180 + h};
    const int first = bin % 2 == 0 ? bin : bin - 1;
    return {float(first - 1) * h, float(first + 1) * h};
}

} // namespace

QString DominantText(int largest, int bin, int divisions) {
    QString range;
    const auto number = [](float v) { return vb::Format(v); };
    const Sector sector = SectorOf(bin, divisions);
    if (divisions == 1) {
        range = number(90) + QStringLiteral("°～") + number(90);
    } else if (sector.low < 90 && sector.high > 90) {
        const float west = sector.high - 90;
        const float east = 90 - sector.low;
        range = west == east
                    ? number(west) + QStringLiteral("°～") + number(east)
                    : number(west) + QStringLiteral("°W～") + number(east) + QStringLiteral("°E");
    } else if (sector.high <= 90) {
        range = number(90 - sector.high) + QStringLiteral("°～") + number(90 - sector.low) +
                QStringLiteral("°E");
    } else {
        range = number(sector.low - 90) + QStringLiteral("°～") + number(sector.high - 90) +
                QStringLiteral("°W");
    }
    return QStringLiteral("方位偏重：") + QString::number(largest) + QStringLiteral("個 (N") +
           range + u')';
}

} // namespace Rose
