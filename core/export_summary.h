// The batch export's numbers: the density run, the contour levels as drawn and the rose, as
// summary.json; the whole density grid as density.csv.
#pragma once

#include "core/contour_levels.h"
#include "core/density.h"
#include "core/local_maxima.h"
#include "core/orientation_statistics.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace ExportSummary {

// What the rose diagram counted and how it is scaled.
struct RoseFigures {
    int divisions = 0;
    std::vector<int32_t> bins; // after the pairs are joined
    int32_t largest = 0;
    int dominantBin = 0; // from 1
    int32_t scaleMax = 0;
    QString dominantText; // the status bar's panel 3
};

// "#rrggbb" of a 0x00BBGGRR colour.
QString ColorText(uint32_t color);

// summary.json. `ordered` as the level preparation leaves it (highest first); the file lists
// the levels in drawing order, lowest first. With the orientation statistics of the data set
// and the local maxima of the density grid.
QByteArray SummaryJson(const Density::DensityResult& density,
                       const std::vector<ContourLevels::Level>& ordered, const RoseFigures& rose,
                       const OrientationStatistics::Statistics& statistics,
                       const std::vector<LocalMaxima::Maximum>& maxima);

// density.csv: one line per first index from Low() to High(), the counts of the second index
// over the same range separated by commas.
QByteArray DensityCsv(const Density::DensityGrid& grid);

} // namespace ExportSummary
