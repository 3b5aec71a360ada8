#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A file takes the squares as one image instead of tens of thousands of boxes, which made pages
// of megabytes that took longer to compress than to draw. (A printer keeps the boxes: an image
// as fine as its dots would outweigh them.) A viewer smooths an image it enlarges, so the image
// is nearly as fine as the page and a square keeps its edges. A square beside an empty node
// stays a box as well, for its outline reaches half a line width into the empty one, and the
// image keeps half a node away from empty ones so that its edges fall under those boxes; the
// image's clear pixels there have the square's colour too, for a viewer that smooths colour
// and clearness apart. Between two squares an outline is lost under the next square anyway.
template <class Color, class Box>
void DrawCellsAsImage(DrawingSurface& surface, int r, const RankDiagramOptions& options,
                      const Color& color, const Box& box) {
    const int n = 2 * r + 1;
    const auto coloured = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < n && j < n && color(i, j).has_value();
    };
    // The quarters of the squares, in half nodes from the grid's corner: shown, or clear over
    // a box.
    struct Quarter {
        int x, y;
        QRgb rgba;
    };
    std::vector<Quarter> quarters;
    QRect bounds;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const std::optional<Rgb> c = color(i, j);
            if (!c)
                continue;
            bool besideEmpty = false;
            for (const int di : {0, 1})
                for (const int dj : {0, 1}) {
                    const int a = i + 2 * di - 1;
                    const int b = j + 2 * dj - 1;
                    const bool shown = coloured(a, j) && coloured(i, b) && coloured(a, b);
                    const QColor rgb = ToQColor(*c);
                    quarters.push_back(
                        {2 * i + di, 2 * j + dj,
                         qRgba(rgb.red(), rgb.green(), rgb.blue(), shown ? 255 : 0)});
                    if (shown)
                        bounds |= QRect(quarters.back().x, quarters.back().y, 1, 1);
                    besideEmpty = besideEmpty || !shown;
                }
            if (besideEmpty)
                box(i, j, *c);
        }
    if (bounds.isEmpty())
        return;
    const double dots = std::fabs(surface.UserToDevice(1, 0).x() - surface.UserToDevice(0, 0).x());
    const int k = std::clamp(int(std::ceil(dots / 3)), 1, 4); // pixels a half node
    QImage cells(bounds.size() * k, QImage::Format_ARGB32);
    cells.fill(Qt::transparent);
    for (const Quarter& q : quarters) {
        if (!bounds.contains(q.x, q.y))
            continue;
        const int x0 = (q.x - bounds.left()) * k;
        const int y0 = (q.y - bounds.top()) * k;
        for (int y = y0; y < y0 + k; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(cells.scanLine(y)) + x0, k, q.rgba);
    }
    const double left = options.ox - r - 0.5 + bounds.left() / 2.0;
    const double top = options.oy - r - 0.5 + bounds.top() / 2.0;
    surface.DrawImage(cells, left, top, left + bounds.width() / 2.0, top + bounds.height() / 2.0);
}

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
    if (surface.Crisp() || surface.IsPrinter()) {
        for (int i = 0; i <= 2 * r; ++i)
            for (int j = 0; j <= 2 * r; ++j)
                if (const std::optional<Rgb> c = color(i, j))
                    box(i, j, *c);
    } else {
        DrawCellsAsImage(surface, r, options, color, box);
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
