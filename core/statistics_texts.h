// The orientation statistics as the statistics window shows them and the clipboard takes
// them: one row per value, its name and its value in Japanese with units; "－" where a value is
// not defined. Every row is always there, so pasted tables line up.
#pragma once

#include "core/orientation_statistics.h"

#include <QString>
#include <vector>

namespace StatisticsTexts {

struct Row {
    QString item;
    QString value;
};

std::vector<Row> Rows(const OrientationStatistics::Statistics& s);

// One line per row, item and value separated by a TAB, lines ended by CR LF.
QString ClipboardText(const std::vector<Row>& rows);

// "144.2°／57.2°": trend and plunge to a tenth of a degree.
QString DirectionText(const OrientationStatistics::Direction& d);
// The plane whose pole the direction is, as the status bar writes the density maximum.
QString PlaneText(const OrientationStatistics::Direction& d);

} // namespace StatisticsTexts
