#include "core/orientation_statistics.h"

#include "core/orientation_tally.h"

#include <Eigen/Core>
#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace OrientationStatistics {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Eigenvalues and differences below this are rounding noise of a value that is exactly 0
// (poles on one great circle, identical poles): the tensor's trace is 1.
constexpr double kNoise = 1e-12;

struct WeightedPole {
    Vector v;
    double weight;
};

double Dot(const Vector& a, const Vector& b) {
    return a.east * b.east + a.north * b.north + a.down * b.down;
}

Vector FromEigen(const Eigen::Vector3d& v) {
    return {v(0), v(1), v(2)};
}

std::vector<WeightedPole> DistinctPoles(const std::vector<Measurements::Measurement>& data) {
    std::vector<WeightedPole> poles;
    ForEachDistinctPole(data, [&](const Vector& v, double n) { poles.push_back({v, n}); });
    return poles;
}

void SetWoodcock(Statistics& s) {
    const auto [s1, s2, s3] = s.eigenvalues;
    if (s3 > 0)
        s.woodcockC = std::log(s1 / s3);
    if (s3 > 0 && s2 - s3 > kNoise)
        s.woodcockK = std::log(s1 / s2) / std::log(s2 / s3);
    if (s.poles < 2)
        return;
    // The limits of K where it is not defined: identical poles and a uniaxial cluster have
    // K = ∞, poles on one great circle K = 0.
    if (s.woodcockC && *s.woodcockC < kRandomStrength)
        s.fabric = Fabric::Random;
    else if (s3 <= 0)
        s.fabric = s2 <= 0 ? Fabric::Cluster : Fabric::Girdle;
    else if (!s.woodcockK || *s.woodcockK >= 1)
        s.fabric = Fabric::Cluster;
    else
        s.fabric = Fabric::Girdle;
}

void SetAxialMean(Statistics& s, const std::vector<WeightedPole>& poles, const Vector& e1) {
    Vector sum;
    for (const WeightedPole& p : poles) {
        // Turned into E1's hemisphere, so poles either side of the horizontal add up.
        const double w = Dot(p.v, e1) < 0 ? -p.weight : p.weight;
        sum.east += w * p.v.east;
        sum.north += w * p.v.north;
        sum.down += w * p.v.down;
    }
    const double n = double(s.poles);
    double r = std::sqrt(Dot(sum, sum));
    // Identical poles: R = N, not a hair above or below it.
    if (std::fabs(n - r) <= n * kNoise)
        r = n;
    s.meanPole = DirectionOf({sum.east / r, sum.north / r, sum.down / r});
    s.resultantLength = r / n;
    if (s.poles < 2 || r >= n)
        return;
    s.fisherK = (n - 1) / (n - r);
    // 20^(1/(N − 1)) − 1 without losing its digits for large N.
    const double cosine = 1 - (n - r) / r * std::expm1(std::log(20.0) / (n - 1));
    if (cosine >= -1)
        s.alpha95 = std::acos(cosine) / kDegree;
}

} // namespace

Vector PoleVector(int strikeAngle, bool west, int dipAngle, bool north) {
    // The conversion's signs: the pole lies at (g cos a, f sin a) on the net, y southwards,
    // at the distance that dip gives.
    const double f = north ? 1 : -1;
    const double g = west ? -f : f;
    const double a = strikeAngle * kDegree;
    const double dip = dipAngle * kDegree;
    const double horizontal = std::sin(dip);
    return {horizontal * g * std::cos(a), -horizontal * f * std::sin(a), std::cos(dip)};
}

Vector PoleVector(const Measurements::Measurement& m) {
    return PoleVector(m.strike, BMPole::WestSide(m.side), m.dip, BMPole::NorthDip(m.direction));
}

void ForEachDistinctPole(const std::vector<Measurements::Measurement>& data,
                         const std::function<void(const Vector&, double count)>& visit) {
    Measurements::OrientationTally tally;
    for (const Measurements::Measurement& m : data)
        if (!tally.Add(m))
            visit(PoleVector(m), 1);
    tally.ForEachGroup([&](int strike, bool west, int dip, bool north, int32_t n) {
        visit(PoleVector(strike, west, dip, north), double(n));
    });
}

Direction DirectionOf(const Vector& v) {
    double trend = std::atan2(v.east, v.north) / kDegree;
    double plunge = std::atan2(v.down, std::hypot(v.east, v.north)) / kDegree;
    if (std::fabs(v.down) <= kNoise)
        plunge = 0;
    if (plunge < 0) {
        plunge = -plunge;
        trend += 180;
    }
    if (trend < 0)
        trend += 360;
    if (trend >= 360)
        trend -= 360;
    if (plunge == 0 && trend >= 180)
        trend -= 180;
    // A vertical line has no trend; atan2 of signed zeros would give 0 or 180 by chance.
    if (v.east == 0 && v.north == 0)
        trend = 0;
    return {trend, plunge};
}

Vector VectorOf(const Direction& d) {
    const double trend = d.trend * kDegree;
    const double plunge = d.plunge * kDegree;
    return {std::cos(plunge) * std::sin(trend), std::cos(plunge) * std::cos(trend),
            std::sin(plunge)};
}

NetPosition NetPositionOf(const Direction& d) {
    // Equal area: a line at angle θ from the vertical lies √2 sin(θ/2) = √(1 − cos θ) from the
    // centre, which makes its horizontal part shrink by 1/√(1 + down).
    const Vector v = VectorOf(d);
    const double scale = 1 / std::sqrt(1 + v.down);
    return {float(v.east * scale), float(-v.north * scale)};
}

BMPole::Orientation PlaneOf(const Direction& d) {
    const NetPosition p = NetPositionOf(d);
    return BMPole::NetToOrientation(p.x, p.y);
}

Statistics Compute(const std::vector<Measurements::Measurement>& data) {
    Statistics s;
    s.poles = int64_t(data.size());
    if (data.empty())
        return s;
    const std::vector<WeightedPole> poles = DistinctPoles(data);

    Eigen::Matrix3d tensor = Eigen::Matrix3d::Zero();
    for (const WeightedPole& p : poles) {
        const Eigen::Vector3d v(p.v.east, p.v.north, p.v.down);
        tensor.noalias() += p.weight * v * v.transpose();
    }
    tensor /= double(s.poles);
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(tensor);
    // Ascending from the solver; S1 is the largest.
    for (int k = 0; k < 3; ++k) {
        const double value = solver.eigenvalues()(2 - k);
        s.eigenvalues[size_t(k)] = value <= kNoise ? 0 : value;
        s.eigenvectors[size_t(k)] = DirectionOf(FromEigen(solver.eigenvectors().col(2 - k)));
    }
    SetWoodcock(s);
    SetAxialMean(s, poles, FromEigen(solver.eigenvectors().col(2)));
    if (s.eigenvalues[1] - s.eigenvalues[2] > kNoise)
        s.girdleAxis = s.eigenvectors[2];
    return s;
}

} // namespace OrientationStatistics
