#include "core/contour_cells.h"
#include "core/contour_levels.h"

#include <gtest/gtest.h>

using ContourCells::Corners;
using ContourCells::Point;
using ContourLevels::Level;

namespace {

bool Same(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}

// A segment as its two end points, either way round.
bool Joins(const std::array<Point, 2>& line, Point a, Point b) {
    return (Same(line[0], a) && Same(line[1], b)) || (Same(line[0], b) && Same(line[1], a));
}

ContourCells::Segments Trace(float t, const Corners& c) {
    return ContourCells::CellSegments(t, ContourCells::CrossingPoints(t, 4, 7, c), c.c00);
}

} // namespace

TEST(ContourLevelPreparation, DropsLaterDuplicatesAndOrdersFromTheTop) {
    const std::vector<Level> levels = {
        {1, 5, 0, 6}, {2, 2.5f, 0, 5}, {3, 10, 0, 4}, {4, 5, 0, 3}, {5, 2.5f, 0, 2}};
    const ContourLevels::Prepared p = ContourLevels::Prepare(levels);
    EXPECT_EQ(p.removed, (std::vector<int>{4, 5}));
    ASSERT_EQ(p.ordered.size(), 3u);
    EXPECT_EQ(p.ordered[0].index, 3);
    EXPECT_EQ(p.ordered[1].index, 1);
    EXPECT_EQ(p.ordered[2].index, 2);
    EXPECT_TRUE(ContourLevels::Prepare({}).ordered.empty());
}

TEST(ContourLevelLegend, RowsRunToTheNextLevelAndTheTopRowToTheMaximumInWholePercent) {
    const std::vector<Level> ordered = {{1, 10, 0, 0}, {2, 2.5f, 0, 0}};
    // Largest count 7 of 40 measurements: 17.5 goes up to 18.
    EXPECT_EQ(ContourLevels::LegendText(ordered, 0, 7, 40), "    10～   18％");
    EXPECT_EQ(ContourLevels::LegendText(ordered, 1, 7, 40), "   2.5～   10％");
    // A level above the maximum density still runs to it.
    EXPECT_EQ(ContourLevels::LegendText({{1, 50, 0, 0}}, 0, 1, 40), "    50～    3％");
}

TEST(ContourThreshold, IsStrictlyGreater) {
    // Data count 10, levels 10 % and 20 %: thresholds of 1 and 2 counts.
    EXPECT_EQ(ContourLevels::Threshold(10, 10), 1.0f);
    EXPECT_EQ(ContourLevels::Threshold(10, 20), 2.0f);
    const Corners twos{2, 2, 2, 2};
    EXPECT_EQ(ContourCells::BandPolygon(1, 0, 0, twos).count, 4);
    EXPECT_EQ(ContourCells::BandPolygon(2, 0, 0, twos).count, 0);
    EXPECT_EQ(ContourCells::CrossingPoints(2, 0, 0, twos).count, 0);
}

TEST(ContourEdges, CrossWhereTheSignsDifferAndMeasureFromTheFirstNode) {
    EXPECT_FALSE(ContourCells::EdgeCrossing(1, 2, 3).crosses);
    EXPECT_FALSE(ContourCells::EdgeCrossing(1, 1, 1).crosses); // both on the level: none
    EXPECT_EQ(ContourCells::EdgeCrossing(1, 0, 4).fraction, 0.25f);
    EXPECT_EQ(ContourCells::EdgeCrossing(1, 4, 0).fraction, 0.75f);
    EXPECT_EQ(ContourCells::EdgeCrossing(1, 1, 4).fraction, 0.0f); // at the node itself
    EXPECT_TRUE(ContourCells::EdgeCrossing(1, 1, 4).crosses);
}

TEST(ContourCell, CrossingsAndBandFollowTheEdgesRoundTheCell) {
    // Only node (j + 1, k + 1) above the level: a corner cut off.
    const Corners c{0, 0, 4, 0};
    const ContourCells::CellPoints points = ContourCells::CrossingPoints(1, 4, 7, c);
    ASSERT_EQ(points.count, 2);
    EXPECT_TRUE(Same(points.points[0], {4.25f, 8}));
    EXPECT_TRUE(Same(points.points[1], {5, 7.25f}));
    const ContourCells::Polygon band = ContourCells::BandPolygon(1, 4, 7, c);
    ASSERT_EQ(band.count, 3);
    EXPECT_TRUE(Same(band.points[0], {4.25f, 8}));
    EXPECT_TRUE(Same(band.points[1], {5, 8}));
    EXPECT_TRUE(Same(band.points[2], {5, 7.25f}));
}

TEST(ContourCell, SaddlesPairTheirPointsByTheFirstCorner) {
    // (j, k) and (j + 1, k + 1) above: the low corners are cut off.
    const auto high = Trace(1, {2, 0, 2, 0});
    ASSERT_EQ(high.count, 2);
    EXPECT_TRUE(Joins(high.lines[0], {4, 7.5f}, {4.5f, 8}));
    EXPECT_TRUE(Joins(high.lines[1], {5, 7.5f}, {4.5f, 7}));
    // (j, k) below: P1-P4 and P3-P2, the high corners cut off.
    const auto low = Trace(1, {0, 2, 0, 2});
    ASSERT_EQ(low.count, 2);
    EXPECT_TRUE(Joins(low.lines[0], {4, 7.5f}, {4.5f, 7}));
    EXPECT_TRUE(Joins(low.lines[1], {5, 7.5f}, {4.5f, 8}));

    // (j, k + 1) and (j + 1, k) equal to T, the others below: both lines on that diagonal.
    const auto diagonal = Trace(1, {0, 1, 0, 1});
    ASSERT_EQ(diagonal.count, 2);
    EXPECT_TRUE(Joins(diagonal.lines[0], {4, 8}, {5, 7}));
    EXPECT_TRUE(Joins(diagonal.lines[1], {4, 8}, {5, 7}));
    // (j, k) and (j + 1, k + 1) equal to T: each point joins its twin, nothing shows.
    const auto twins = Trace(1, {1, 0, 1, 0});
    ASSERT_EQ(twins.count, 2);
    for (int s = 0; s < twins.count; ++s)
        EXPECT_TRUE(Same(twins.lines[size_t(s)][0], twins.lines[size_t(s)][1]));

    // Three points make a triangle; one point is a data error.
    const auto three = Trace(1, {0, 1, 2, 2});
    EXPECT_EQ(three.count, 3);
    ContourCells::CellPoints one;
    one.count = 1;
    EXPECT_TRUE(ContourCells::CellSegments(1, one, 0).dataError);
}
