#include "app/export_writer.h"

#include "core/contour_levels.h"
#include "core/density.h"
#include "core/export_summary.h"
#include "core/local_maxima.h"
#include "core/measurement.h"
#include "core/rose.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/diagram_page.h"
#include "diagrams/file_surface.h"
#include "diagrams/plot_drawing.h"
#include "diagrams/rose_drawing.h"
#include "platform/console_dialogs.h"

#include <QFile>
#include <QPageSize>
#include <QSaveFile>

namespace BatchExport {

namespace {

// The printed page: A4 portrait at the resolution asked for (lines as wide as a printer of
// that resolution prints them). PDF and SVG keep the drawing as vectors on the same page.
QSize PagePixels(int dotsPerInch) {
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return {int(mm.width() / 25.4 * dotsPerInch + 0.5),
            int(mm.height() / 25.4 * dotsPerInch + 0.5)};
}

bool CannotWrite(ConsoleDialogs& console, const QString& path) {
    console.print(QStringLiteral("ﾌｧｲﾙを書き込めません。\r\n") + path);
    return false;
}

bool WriteFile(const QString& path, const QByteArray& bytes, ConsoleDialogs& console) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    return CannotWrite(console, path);
}

// One diagram on one page of a file, through the print command's page frame.
bool WritePage(const QString& path, int dotsPerInch, const QString& title,
               const DiagramPage::DiagramDrawing& draw, ConsoleDialogs& console) {
    FileSurface page(path, PagePixels(dotsPerInch), dotsPerInch);
    if (!page.PageAllocated()) {
        console.print(QStringLiteral("%1 dpi の図を描くﾒﾓﾘが足りません。--dpi を小さくして下さい。")
                          .arg(dotsPerInch) +
                      QStringLiteral("\r\n") + path);
        return false;
    }
    return DiagramPage::PrintDiagramPage(page, title, draw) || CannotWrite(console, path);
}

} // namespace

bool WriteExport(const Document& document, const Settings& settings, const QDir& folder,
                 const QString& format, int dotsPerInch, ConsoleDialogs& console) {
    const std::vector<Measurements::Measurement> data = Measurements::FromRows(document.rows);
    const Density::DensityResult density = Density::ComputeDensity(data);
    const OrientationStatistics::Statistics statistics = OrientationStatistics::Compute(data);
    // Levels of equal value are drawn once and all keep their numbers, as in the program.
    const std::vector<ContourLevels::Level> levels =
        ContourLevels::Prepare(ContourLevels::FromGrades(document.grades)).ordered;
    // Cells that cannot arise from consistent counts: the program asks the user to close a
    // message for each; here one line says it once, and the pages are still written.
    bool dataErrorShown = false;
    const auto dataError = [&] {
        if (!std::exchange(dataErrorShown, true))
            console.print(QStringLiteral("ﾃﾞｰﾀｴﾗｰの可能性があります。"));
    };

    const int divisions = settings.roseDivisions;
    const Rose::Counts counts = Rose::CountStrikes(data, divisions);
    ExportSummary::RoseFigures rose;
    rose.divisions = divisions;
    rose.bins.assign(counts.bins.begin() + 1, counts.bins.end());
    rose.largest = counts.largest;
    rose.dominantBin = counts.dominantBin;
    rose.scaleMax = Rose::ScaleFor(counts.largest).scaleMax;
    // As the status bar: no data, no dominant sector to name.
    if (!data.empty())
        rose.dominantText = Rose::DominantText(counts.largest, counts.dominantBin, divisions);

    const auto pagePath = [&](const char* name) {
        return folder.filePath(QString::fromLatin1(name) + u'.' + format);
    };
    ContourDiagramOptions contourOptions;
    contourOptions.grid = settings.gridVisible[2];
    contourOptions.dataError = dataError;
    RankDiagramOptions rankOptions;
    rankOptions.grid = settings.gridVisible[1];
    rankOptions.dataError = dataError;
    const bool plotGrid = settings.gridVisible[0];
    const PlotDrawing::PlotOptions plotOptions{settings.plotMode,
                                               settings.plotStatistics ? &statistics : nullptr};
    return WritePage(
               pagePath("plot"), dotsPerInch, document.plotTitle,
               [&](DrawingSurface& page, float penFactor) {
                   return PlotDrawing::DrawPlot(page, penFactor, data, plotGrid, plotOptions);
               },
               console) &&
           WritePage(
               pagePath("rose"), dotsPerInch,
               document.roseTitle.value_or(QStringLiteral("ローズダイアグラム")),
               [&](DrawingSurface& page, float penFactor) {
                   return RoseDrawing::DrawRose(page, penFactor, counts, divisions);
               },
               console) &&
           WritePage(pagePath("contour"), dotsPerInch, document.contourTitle,
                     ContourDiagram(density, levels, contourOptions), console) &&
           // The graded-shading page has no title; its contour overlay is on at every start.
           WritePage(pagePath("rank"), dotsPerInch, QString(),
                     RankDiagram(density, levels, rankOptions), console) &&
           WriteFile(folder.filePath(QStringLiteral("summary.json")),
                     ExportSummary::SummaryJson(density, levels, rose, statistics,
                                                LocalMaxima::Find(density)),
                     console) &&
           WriteFile(folder.filePath(QStringLiteral("density.csv")),
                     ExportSummary::DensityCsv(density.grid), console);
}

} // namespace BatchExport
