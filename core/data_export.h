// The data set written for other programs: CSV in UTF-8 with a byte-order mark (so spreadsheets
// take it as UTF-8), one row per measurement: No., the grid's four cells as the diagrams read
// them, the dip direction and dip, and the pole's trend and plunge, all in whole degrees.
#pragma once

#include "core/measurement.h"

#include <QByteArray>
#include <vector>

namespace DataExport {

QByteArray Csv(const std::vector<Measurements::Measurement>& data);

} // namespace DataExport
