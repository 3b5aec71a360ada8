// Writes what the batch export produces for one document into a folder: the four diagram
// pages (plot, rose, contour, rank) and the density results with the orientation statistics
// (summary.json, density.csv).
#pragma once

#include "core/diagram_settings.h"
#include "core/document.h"

#include <QDir>
#include <QString>

class ConsoleDialogs;

namespace BatchExport {

// What the run takes from the settings file besides NetRadius (which BMMain holds).
struct Settings {
    DiagramSettings::GridFlags gridVisible{};
    int16_t roseDivisions = DiagramSettings::kDefaultRoseDivisions;
    DiagramSettings::PlotMode plotMode = DiagramSettings::PlotMode::Poles;
    // The girdle and the mean pole over the plot.
    bool plotStatistics = false;
};

// format is "pdf", "svg" or "png" (the pages' extension); the pages are drawn at
// `dotsPerInch` as a printer of that resolution draws them. False after a message when a file
// could not be written.
bool WriteExport(const Document& document, const Settings& settings, const QDir& folder,
                 const QString& format, int dotsPerInch, ConsoleDialogs& console);

} // namespace BatchExport
