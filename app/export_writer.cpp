#include "app/export_writer.h"

#include "core/bmmain.h"
#include "core/contour_levels.h"
#include "core/density.h"
#include "core/export_summary.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/diagram_page.h"
#include "diagrams/file_surface.h"
#include "diagrams/net_drawing.h"
#include "platform/console_dialogs.h"

#include <QFile>
#include <QPageSize>
#include <QSaveFile>

namespace BatchExport {

namespace {

// The printed page: A4 portrait, its raster at 300 dpi (PenFactor 1, so lines are as wide as
// on a 300 dpi printer). PDF and SVG keep the drawing as vectors on the same page.
constexpr double kDotsPerInch = 300;

QSize PagePixels() {
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return {int(mm.width() / 25.4 * kDotsPerInch + 0.5),
            int(mm.height() / 25.4 * kDotsPerInch + 0.5)};
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
bool WritePage(const QString& path, const QString& title, const DiagramPage::DiagramDrawing& draw,
               ConsoleDialogs& console) {
    FileSurface page(path, PagePixels(), kDotsPerInch);
    return DiagramPage::PrintDiagramPage(page, title, draw) || CannotWrite(console, path);
}

DiagramPage::DiagramDrawing NetFrameOnly(bool grid) {
    return [grid](DrawingSurface& page, float penFactor) {
        NetDrawing::DrawNetFrame(page, penFactor, grid);
        return std::optional<double>(1.5 * BMMain::NetRadius);
    };
}

} // namespace

bool WriteExport(const Document& document, const Settings& settings, const QDir& folder,
                 const QString& format, ConsoleDialogs& console) {
    const Density::DensityResult density =
        Density::ComputeDensity(Density::MeasurementsFromRows(document.rows));
    // The contour diagram's preparation drops duplicate levels, as the program does on its
    // first drawing.
    std::vector<Document::Grade> grades = document.grades;
    const std::vector<ContourLevels::Level> levels = ContourLevels::PrepareGrades(grades).ordered;
    // Cells that cannot arise from consistent counts: the program asks the user to close a
    // message for each; here one line says it once, and the pages are still written.
    bool dataErrorShown = false;
    const auto dataError = [&] {
        if (!std::exchange(dataErrorShown, true))
            console.print(QStringLiteral("ﾃﾞｰﾀｴﾗｰの可能性があります。"));
    };

    ExportSummary::RoseFigures rose;
    rose.divisions = settings.roseDivisions;

    const auto pagePath = [&](const char* name) {
        return folder.filePath(QString::fromLatin1(name) + u'.' + format);
    };
    const double r = BMMain::NetRadius;
    return WritePage(pagePath("plot"), document.plotTitle, NetFrameOnly(settings.gridVisible[0]),
                     console) &&
           WritePage(pagePath("rose"),
                     document.roseTitle.value_or(QStringLiteral("ローズダイアグラム")),
                     NetFrameOnly(false), console) &&
           WritePage(
               pagePath("contour"), document.contourTitle,
               [&](DrawingSurface& page, float) {
                   ContourDiagramOptions options;
                   options.grid = settings.gridVisible[2];
                   options.dataError = dataError;
                   DrawContourDiagram(page, true, density, levels, options);
                   return std::optional<double>(1.5 * r);
               },
               console) &&
           // The graded-shading page has no title; its contour overlay is on at every start.
           WritePage(
               pagePath("rank"), QString(),
               [&](DrawingSurface& page, float) {
                   RankDiagramOptions options;
                   options.grid = settings.gridVisible[1];
                   options.dataError = dataError;
                   DrawRankDiagram(page, true, density, levels, options);
                   return std::optional<double>();
               },
               console) &&
           WriteFile(folder.filePath(QStringLiteral("summary.json")),
                     ExportSummary::SummaryJson(density, levels, rose), console) &&
           WriteFile(folder.filePath(QStringLiteral("density.csv")),
                     ExportSummary::DensityCsv(density.grid), console);
}

} // namespace BatchExport
