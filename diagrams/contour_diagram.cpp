#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <optional>

namespace {

// The white band that wipes what the fills and lines put just outside the primitive circle
// (mirror counts fill the margin there), in points: as wide on the screen as on a printer of
// any resolution.
constexpr double kMaskPoints = 22.5;

// The band runs outwards from the circle and never inside it; the frame is drawn over its
// inner edge afterwards.
void MaskOutsideTheCircle(DrawingSurface& surface, double r) {
    const double perPoint =
        surface.ScaleWidth() /
        surface.ScaleX(surface.ScaleWidth(), DrawingSurface::User, DrawingSurface::Points);
    surface.SetDrawStyle(DrawingSurface::SolidLine);
    surface.SetDrawWidth(
        surface.ScaleX(kMaskPoints * perPoint, DrawingSurface::User, DrawingSurface::Pixels));
    const double pen =
        surface.ScaleX(surface.DrawWidth(), DrawingSurface::Pixels, DrawingSurface::User);
    surface.SetFillColor(0);
    surface.SetFillStyle(DrawingSurface::TransparentFill);
    surface.Circle({0, 0}, r + pen / 2, RGB(255, 255, 255));
}

std::optional<double> Draw(DrawingSurface& surface, float penFactor,
                           const Density::DensityResult& density,
                           const std::vector<ContourLevels::Level>& ordered,
                           const ContourDiagramOptions& options) {
    const double r = density.grid.Radius();
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

    MaskOutsideTheCircle(surface, r);
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

DiagramPage::DiagramDrawing ContourDiagram(const Density::DensityResult& density,
                                           const std::vector<ContourLevels::Level>& ordered,
                                           const ContourDiagramOptions& options) {
    return [&density, &ordered, &options](DrawingSurface& surface, float penFactor) {
        return Draw(surface, penFactor, density, ordered, options);
    };
}

bool DrawContourDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                        const std::vector<ContourLevels::Level>& ordered,
                        const ContourDiagramOptions& options) {
    const DiagramPage::DiagramDrawing drawing = ContourDiagram(density, ordered, options);
    if (paper)
        return DiagramPage::PrintDiagramPage(surface, options.title, drawing);
    DiagramPage::DrawDiagramPicture(surface, drawing);
    return true;
}
