#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <QColor>
#include <QImage>
#include <optional>
#include <utility>
#include <vector>

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
    const auto color = [&](int i, int j) -> std::optional<Rgb> {
        const int32_t count = grid.At(i, j);
        if (count <= 0 || size_t(count) > density.rankColors.size())
            return std::nullopt;
        return density.rankColors[size_t(count - 1)];
    };
    const auto box = [&](int i, int j, Rgb c) {
        surface.SetForeColor(c);
        surface.Line({options.ox + i - r - 0.5, options.oy + j - r - 0.5}, Step(1, 1), std::nullopt,
                     DrawingSurface::LineForm::FilledBox);
    };
    if (surface.Crisp()) {
        for (int i = 0; i <= 2 * r; ++i)
            for (int j = 0; j <= 2 * r; ++j)
                if (const std::optional<Rgb> c = color(i, j))
                    box(i, j, *c);
    } else {
        // Paper and files take the squares as one image instead of tens of thousands of boxes,
        // which made pages of megabytes that took longer to compress than to draw. A square
        // beside an empty node stays a box as well: its outline reaches half a line width into
        // the empty one. A viewer may show an image's edge a little off its place, so the image
        // holds two pixels a node and keeps a half node away from empty ones: its edges then
        // fall under boxes. Between two squares an outline is lost under the next anyway.
        const int n = 2 * r + 1;
        const auto coloured = [&](int i, int j) {
            return i >= 0 && j >= 0 && i < n && j < n && color(i, j).has_value();
        };
        QImage cells(2 * n, 2 * n, QImage::Format_ARGB32_Premultiplied);
        cells.fill(Qt::transparent);
        std::vector<std::pair<int, int>> boxes;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const std::optional<Rgb> c = color(i, j);
                if (!c)
                    continue;
                bool besideEmpty = false;
                for (const int di : {-1, 1})
                    for (const int dj : {-1, 1}) {
                        // The quarter of the square towards (di, dj).
                        if (coloured(i + di, j) && coloured(i, j + dj) && coloured(i + di, j + dj))
                            cells.setPixel(2 * i + (di + 1) / 2, 2 * j + (dj + 1) / 2,
                                           ToQColor(*c).rgb());
                        else
                            besideEmpty = true;
                    }
                if (besideEmpty)
                    boxes.emplace_back(i, j);
            }
        surface.DrawImage(cells, options.ox - r - 0.5, options.oy - r - 0.5, options.ox + r + 0.5,
                          options.oy + r + 0.5);
        for (const auto& [i, j] : boxes)
            box(i, j, *color(i, j));
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
