// Orientation statistics of the poles the diagrams count: the orientation tensor with its
// eigenvalues and eigenvectors, Woodcock's shape and strength, the axial mean pole with
// Fisher's k and the 95 % confidence cone, and the girdle (fold) axis. Pure; the eigen solver
// stays inside the implementation.
//
// Each pole is the exact unit vector of its measurement, read as the net conversion reads it
// (only the first letters decide, angles outside 0..90 go through the same formulas), not the
// net position rounded to hundredths.
#pragma once

#include "core/bmpole.h"
#include "core/measurement.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace OrientationStatistics {

// A line, pointing down or horizontal: trend 0..360 degrees clockwise from north, plunge 0..90
// degrees down from the horizontal. A horizontal line is given with a trend below 180.
struct Direction {
    double trend = 0;
    double plunge = 0;
};

// A unit vector: east, north and down components.
struct Vector {
    double east = 0;
    double north = 0;
    double down = 0;
};

// The fabric by Woodcock's shape K and strength C.
enum class Fabric {
    Undetermined, // fewer than two poles
    Cluster,      // K > 1 (also identical poles)
    Girdle,       // K < 1 (also poles exactly on one great circle)
    Random,       // C < kRandomStrength: no preferred orientation to speak of
};

// Below this strength C the eigenvalues are too alike for a cluster or a girdle to mean much:
// uniform samples of a few dozen poles stay under it, a cluster with Fisher's k of 5 is above.
inline constexpr double kRandomStrength = 1.0;

struct Statistics {
    int64_t poles = 0; // N
    // The rest needs at least one pole.
    bool HasPoles() const { return poles > 0; }

    // Of T = Σ v vᵀ / N: S1 ≥ S2 ≥ S3, summing to 1, and their eigenvectors E1, E2, E3.
    std::array<double, 3> eigenvalues{};
    std::array<Direction, 3> eigenvectors{};
    // Woodcock: K = ln(S1/S2) / ln(S2/S3), C = ln(S1/S3); empty where a ratio is 0 or infinite.
    std::optional<double> woodcockK;
    std::optional<double> woodcockC;
    Fabric fabric = Fabric::Undetermined;

    // Axial mean: every pole turned into the hemisphere of E1, then summed; R̄ = R / N.
    Direction meanPole;
    double resultantLength = 0;
    // Fisher's k = (N − 1) / (N − R) and the 95 % cone α95 in degrees; empty with fewer than
    // two poles, when R = N, and (α95) when the cone would exceed the whole sphere.
    std::optional<double> fisherK;
    std::optional<double> alpha95;

    // E3, the axis of a cylindrical fold (β/π axis), whose plane is the best-fit girdle; empty
    // when S2 = S3, where no girdle stands out.
    std::optional<Direction> girdleAxis;
};

// The pole of a measurement as a unit vector (lower hemisphere for dips of 0..90).
Vector PoleVector(int strikeAngle, bool west, int dipAngle, bool north);
Vector PoleVector(const Measurements::Measurement& m);
// The distinct poles of a data set, each once with how many measurements share it (equal
// whole-degree orientations are tallied rather than converted one by one).
void ForEachDistinctPole(const std::vector<Measurements::Measurement>& data,
                         const std::function<void(const Vector&, double count)>& visit);

// A vector as a line; the opposite vector when it points upwards.
Direction DirectionOf(const Vector& v);
Vector VectorOf(const Direction& d);

// Net position of a line divided by NetRadius (equal area, y southwards), in single precision
// as NetToOrientation takes it.
struct NetPosition {
    float x = 0;
    float y = 0;
};
NetPosition NetPositionOf(const Direction& d);

// The plane whose pole is `d`, in whole degrees as the status bar writes the density maximum.
BMPole::Orientation PlaneOf(const Direction& d);

// Everything above for the data set. Measurements of the same orientation are taken together,
// so a million of them cost little more than the distinct orientations among them.
Statistics Compute(const std::vector<Measurements::Measurement>& data);

} // namespace OrientationStatistics
