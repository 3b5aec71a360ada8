#include "core/local_maxima.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Node {
    int i, j, count;
};

// A density result at R = 10 holding only the given counts.
Density::DensityResult Grid(std::initializer_list<Node> nodes, int dataNumbers = 50) {
    Density::DensityResult d;
    d.grid = Density::DensityGrid(10);
    for (const Node& n : nodes)
        d.grid(n.i, n.j) = n.count;
    d.dataNumbers = dataNumbers;
    return d;
}

using Nodes = std::vector<std::tuple<int, int, int>>;

// (i, j, count) of every maximum found, in the order given.
Nodes Found(const Density::DensityResult& d) {
    Nodes found;
    for (const LocalMaxima::Maximum& m : LocalMaxima::Find(d))
        found.emplace_back(m.i, m.j, m.count);
    return found;
}

} // namespace

TEST(LocalMaxima, PeaksPlateausAndTheirOrder) {
    // Two peaks of 4 (first index first) above one of 6, each over a shoulder of 2.
    EXPECT_EQ(Found(Grid({{12, 5, 4}, {12, 6, 2}, {3, 10, 4}, {10, 10, 6}, {11, 10, 2}})),
              (Nodes{{10, 10, 6}, {3, 10, 4}, {12, 5, 4}}));
    // A plateau of three equal nodes is one maximum, at its middle node.
    EXPECT_EQ(Found(Grid({{8, 8, 3}, {9, 9, 3}, {10, 10, 3}})), (Nodes{{9, 9, 3}}));
    // A plateau that touches a higher node is a shoulder, not a maximum.
    EXPECT_EQ(Found(Grid({{8, 8, 3}, {9, 9, 3}, {10, 10, 3}, {11, 10, 5}})), (Nodes{{11, 10, 5}}));
    // Outside the primitive circle nothing is a maximum, but a higher count there is still a
    // neighbour of the rim node.
    EXPECT_EQ(Found(Grid({{0, 0, 9}, {10, 0, 3}, {10, -1, 4}})), Nodes{});
    EXPECT_EQ(Found(Grid({})), Nodes{});
    EXPECT_EQ(Found(Density::DensityResult{}), Nodes{});
}

TEST(LocalMaxima, PercentAndOrientationOfANode) {
    const std::vector<LocalMaxima::Maximum> m = LocalMaxima::Find(Grid({{15, 10, 7}}, 40));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_DOUBLE_EQ(m[0].percent, 17.5);
    // Half-way to the east rim: dip 41 (twice the arc sine of 0.5 / √2), strike 0.
    EXPECT_EQ(std::tuple(m[0].orientation.StrikeAngle, m[0].orientation.StrikeSide,
                         m[0].orientation.DipAngle, m[0].orientation.DipDirection),
              std::tuple(0, QString("W"), 41, QString("W")));
}
