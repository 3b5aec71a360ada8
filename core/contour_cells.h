// Tracing a contour level through one cell of the density grid: the square between nodes
// (j, k), (j, k + 1), (j + 1, k + 1) and (j + 1, k). Positions are in grid index space.
#pragma once

#include <array>
#include <cstdint>

namespace ContourCells {

struct Point {
    float x = 0;
    float y = 0;
};

// Whether the level T passes between two nodes with counts a and b (Sgn(T - a) differs from
// Sgn(T - b), so a node equal to T counts as a crossing at the node), and how far from a
// towards b: |(T - a) / (a - b)|, 0 when it does not cross.
struct Crossing {
    bool crosses = false;
    float fraction = 0;
};
Crossing EdgeCrossing(float t, float a, float b);

// The counts of a cell's corners.
struct Corners {
    int32_t c00; // node (j, k)
    int32_t c01; // node (j, k + 1)
    int32_t c11; // node (j + 1, k + 1)
    int32_t c10; // node (j + 1, k)
};

// Up to four crossing points, in edge order: (j, k)->(j, k + 1), (j, k + 1)->(j + 1, k + 1),
// (j + 1, k + 1)->(j + 1, k), (j + 1, k)->(j, k).
struct CellPoints {
    std::array<Point, 4> points{};
    int count = 0;
};
CellPoints CrossingPoints(float t, int j, int k, const Corners& c);

// The segments a cell's crossing points make: 2 points one segment; 3 points the triangle;
// 4 points (a saddle) P1-P2 and P3-P4 when node (j, k) lies above T, otherwise P1-P4 and
// P3-P2. One point cannot come from consistent counts: `dataError` is set.
struct Segments {
    std::array<std::array<Point, 2>, 3> lines{};
    int count = 0;
    bool dataError = false;
};
Segments CellSegments(float t, const CellPoints& points, int32_t c00);

// The part of the cell above T, walked round the cell: each corner above T and each crossing
// in edge order. Empty when no corner lies above T and no edge crosses.
struct Polygon {
    std::array<Point, 8> points{};
    int count = 0;
};
Polygon BandPolygon(float t, int j, int k, const Corners& c);

} // namespace ContourCells
