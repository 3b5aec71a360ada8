// Contour levels as the density diagrams use them: the level list cleaned of duplicate values
// and ordered from the highest value down, each level's threshold in counts and its legend
// row.
#pragma once

#include "core/document.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace ContourLevels {

// What the diagrams read of a contour level.
struct Level {
    int index = 0;      // the level's number, unique among the levels
    float value = 0;    // threshold in percent of the data count, two decimals
    uint32_t color = 0; // line and pattern colour, 0x00BBGGRR
    int fillStyle = 0;  // pattern 0-7 of the drawing surface
};

struct Prepared {
    // Indices of the levels to remove for good: a later level whose value an earlier one
    // already has (the first in collection order survives).
    std::vector<int> removed;
    // The remaining levels from the highest value (position 0) down.
    std::vector<Level> ordered;
};

// Levels in collection order.
Prepared Prepare(const std::vector<Level>& levels);

// The document's levels as the diagrams read them: a level's number is its place in the
// collection, from 1; a level stored without pattern has the pattern of a new level.
std::vector<Level> FromGrades(const std::vector<Document::Grade>& grades);

// Threshold in counts: dataNumbers × value / 100 in single precision. A node belongs to the
// level's area when its count is strictly greater.
float Threshold(int32_t dataNumbers, float value);

// The legend row of the level at `position` of `ordered`: " " + value in five places + "～" +
// the next higher level's value, or for the highest level the maximum density in whole
// percent (0 when nothing was counted), in five places + "％".
QString LegendText(const std::vector<Level>& ordered, size_t position, int32_t countMax,
                   int32_t dataNumbers);

} // namespace ContourLevels
