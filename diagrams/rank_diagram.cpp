#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <optional>

namespace {

void Draw(DrawingSurface& surface, float penFactor, const Density::DensityResult& density,
          const std::vector<ContourLevels::Level>& overlay, const RankDiagramOptions& options) {
    const Density::DensityGrid& grid = density.grid;
    const int r = grid.Radius();

    surface.SetDrawWidth(penFactor);
    if (options.grid)
        NetDrawing::DrawNetGrid(surface, options.ox, options.oy);
    NetDrawing::DrawNorthMark(surface);

    // Each node with a count becomes a unit square centred on it, in its rank's colour.
    surface.SetDrawWidth(penFactor);
    for (int i = 0; i <= 2 * r; ++i)
        for (int j = 0; j <= 2 * r; ++j) {
            const int32_t count = grid.At(i, j);
            if (count <= 0 || size_t(count) > density.rankColors.size())
                continue;
            surface.SetForeColor(density.rankColors[size_t(count - 1)]);
            surface.Line({options.ox + i - r - 0.5, options.oy + j - r - 0.5}, Step(1, 1),
                         std::nullopt, DrawingSurface::LineForm::FilledBox);
        }

    NetDrawing::DrawCircleAndCross(surface, penFactor);
    ContourTracing::DrawContourLines(surface, density, overlay, options.dataError);
}

} // namespace

DiagramPage::DiagramDrawing RankDiagram(const Density::DensityResult& density,
                                        const std::vector<ContourLevels::Level>& overlay,
                                        const RankDiagramOptions& options) {
    return [&density, &overlay, &options](DrawingSurface& surface, float penFactor) {
        Draw(surface, penFactor, density, overlay, options);
        return std::optional<double>();
    };
}

bool DrawRankDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                     const std::vector<ContourLevels::Level>& overlay,
                     const RankDiagramOptions& options) {
    const DiagramPage::DiagramDrawing drawing = RankDiagram(density, overlay, options);
    if (paper)
        return DiagramPage::PrintDiagramPage(surface, QString(), drawing);
    DiagramPage::DrawDiagramPicture(surface, drawing);
    return true;
}
