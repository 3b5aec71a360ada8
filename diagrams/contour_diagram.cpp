#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <optional>

namespace {

std::optional<double> Draw(DrawingSurface& surface, float penFactor, bool paper,
                           const Density::DensityResult& density,
                           const std::vector<ContourLevels::Level>& ordered,
                           const ContourDiagramOptions& options) {
    const double r = density.grid.Radius();
    // Drawing units per typographic point, and the width of the masking pen.
    double perPoint =
        surface.ScaleWidth() /
        surface.ScaleX(surface.ScaleWidth(), DrawingSurface::User, DrawingSurface::Points);
    if (paper)
        perPoint /= penFactor;
    const double maskWidth = paper ? 25.0 * penFactor : 20.0;

    surface.SetForeColor(0);
    surface.SetDrawWidth(penFactor);
    if (options.grid)
        NetDrawing::DrawNetGrid(surface, 0, 0);

    if (!ordered.empty()) {
        surface.SetFontName(QStringLiteral("ＭＳ ゴシック"));
        surface.SetDrawWidth(2 * penFactor);
        ContourTracing::FillContourBands(surface, density, ordered);
        surface.SetDrawWidth(penFactor);
        ContourTracing::DrawContourLines(surface, density, ordered, options.dataError);
    }

    // Two white rings wipe what the fills and lines put just outside the primitive circle
    // (mirror counts fill the margin there).
    surface.SetDrawStyle(DrawingSurface::SolidLine);
    surface.SetDrawWidth(maskWidth * penFactor);
    surface.SetFillColor(0);
    surface.SetFillStyle(DrawingSurface::TransparentFill);
    const Rgb white = RGB(255, 255, 255);
    surface.Circle({0, 0}, r + 1.5 * (perPoint / penFactor * maskWidth / 2), white);
    surface.Circle({0, 0}, r + perPoint / penFactor * (maskWidth / 2 - 3), white);

    NetDrawing::DrawCircleAndCross(surface, penFactor);
    NetDrawing::DrawNorthMark(surface);

    surface.SetFontSize(12);
    surface.SetCurrentX(1.2 * r);
    surface.SetCurrentY(1.1 * r);
    surface.Print(QStringLiteral("データ総数　%1").arg(density.dataNumbers));

    PoleLabels::Draw(surface, penFactor, options.markers);
    surface.SetDrawWidth(penFactor);
    return 1.5 * r;
}

} // namespace

DiagramPage::DiagramDrawing ContourDiagram(bool paper, const Density::DensityResult& density,
                                           const std::vector<ContourLevels::Level>& ordered,
                                           const ContourDiagramOptions& options) {
    return [paper, &density, &ordered, &options](DrawingSurface& surface, float penFactor) {
        return Draw(surface, penFactor, paper, density, ordered, options);
    };
}

bool DrawContourDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                        const std::vector<ContourLevels::Level>& ordered,
                        const ContourDiagramOptions& options) {
    const DiagramPage::DiagramDrawing drawing = ContourDiagram(paper, density, ordered, options);
    if (paper)
        return DiagramPage::PrintDiagramPage(surface, options.title, drawing);
    DiagramPage::DrawDiagramPicture(surface, drawing);
    return true;
}
