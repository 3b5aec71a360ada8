#include "diagrams/contour_tracing.h"

#include "core/contour_cells.h"
#include "core/density.h"
#include "core/vb.h"
#include "diagrams/drawing_surface.h"

#include <QPolygon>

namespace ContourTracing {

namespace {

using ContourCells::Corners;
using ContourLevels::Level;

Rgb LevelColor(const DrawingSurface& surface, const Level& level) {
    return surface.ColorMode() == DrawingSurface::Color ? Rgb(level.color) : Rgb(0);
}

// Calls visit(j, k, corners) for every cell of the net's square, j outer and k inner.
template <class Visit> void ForEachCell(const Density::DensityGrid& grid, Visit visit) {
    const int cells = 2 * grid.Radius();
    for (int j = 0; j < cells; ++j)
        for (int k = 0; k < cells; ++k)
            visit(j, k, Corners{grid(j, k), grid(j, k + 1), grid(j + 1, k + 1), grid(j + 1, k)});
}

} // namespace

DeviceMapping DeviceMapping::For(const DrawingSurface& surface, double radius) {
    DeviceMapping m;
    m.sx = surface.ScaleX(radius, DrawingSurface::User, DrawingSurface::Pixels) / radius;
    m.sy = surface.ScaleY(radius, DrawingSurface::User, DrawingSurface::Pixels) / radius;
    m.ox = (-radius - surface.ScaleLeft()) * m.sx;
    m.oy = (-radius - surface.ScaleTop()) * m.sy;
    return m;
}

QPoint DeviceMapping::operator()(float u, float v) const {
    return QPoint(vb::CLng(u * sx + ox), vb::CLng(v * sy + oy));
}

std::vector<QPolygon> BandArea(const Density::DensityGrid& grid, float t,
                               const DeviceMapping& device) {
    std::vector<QPolygon> area;
    const int cells = 2 * grid.Radius();
    for (int j = 0; j < cells; ++j) {
        // Whole cells of this column wait in a run until a cell that is not whole ends it.
        int runStart = -1;
        const auto endRun = [&](int k) {
            if (runStart < 0)
                return;
            area.push_back(
                QPolygon({device(float(j), float(runStart)), device(float(j), float(k)),
                          device(float(j + 1), float(k)), device(float(j + 1), float(runStart))}));
            runStart = -1;
        };
        for (int k = 0; k < cells; ++k) {
            const Corners c{grid(j, k), grid(j, k + 1), grid(j + 1, k + 1), grid(j + 1, k)};
            const auto above = [t](int32_t count) { return float(count) > t; };
            if (above(c.c00) && above(c.c01) && above(c.c11) && above(c.c10)) {
                if (runStart < 0)
                    runStart = k;
                continue;
            }
            endRun(k);
            const ContourCells::Polygon cell = ContourCells::BandPolygon(t, j, k, c);
            if (cell.count == 0)
                continue;
            QPolygon polygon(cell.count);
            for (int v = 0; v < cell.count; ++v)
                polygon[v] = device(cell.points[size_t(v)].x, cell.points[size_t(v)].y);
            area.push_back(std::move(polygon));
        }
        endRun(cells);
    }
    return area;
}

void DrawContourLines(DrawingSurface& surface, const Density::DensityResult& density,
                      const std::vector<Level>& ordered, const DataErrorHandler& dataError) {
    if (ordered.empty() || !density.grid.Allocated())
        return;
    surface.SetFontSize(9);
    const double r = density.grid.Radius();
    for (auto level = ordered.rbegin(); level != ordered.rend(); ++level) {
        const float t = ContourLevels::Threshold(density.dataNumbers, level->value);
        const Rgb color = LevelColor(surface, *level);
        surface.SetDrawStyle(DrawingSurface::SolidLine);
        ForEachCell(density.grid, [&](int j, int k, const Corners& c) {
            const ContourCells::Segments segments =
                ContourCells::CellSegments(t, ContourCells::CrossingPoints(t, j, k, c), c.c00);
            if (segments.dataError && dataError)
                dataError();
            for (int s = 0; s < segments.count; ++s) {
                const auto& [a, b] = segments.lines[size_t(s)];
                // Both ways round, so the pixels do not depend on the direction of the trace.
                surface.Line({a.x - r, a.y - r}, {b.x - r, b.y - r}, color);
                surface.Line({b.x - r, b.y - r}, {a.x - r, a.y - r}, color);
            }
        });
        surface.Refresh();
    }
}

void FillContourBands(DrawingSurface& surface, const Density::DensityResult& density,
                      const std::vector<Level>& ordered) {
    if (ordered.empty() || !density.grid.Allocated())
        return;
    const double r = density.grid.Radius();
    surface.SetFontSize(10);
    const double h = (r / 10 - surface.TextHeight(QStringLiteral("H"))) / 2;

    const DeviceMapping device = DeviceMapping::For(surface, r);
    surface.SetForeColor(0);
    for (size_t d = ordered.size(); d-- > 0;) {
        const Level& level = ordered[d];
        const float t = ContourLevels::Threshold(density.dataNumbers, level.value);
        const Rgb color = LevelColor(surface, level);
        surface.SetDrawStyle(DrawingSurface::InvisibleLine);

        const std::vector<QPolygon> area = BandArea(density.grid, t, device);
        if (!area.empty()) {
            // White first, so lower levels and the grid do not show through the hatch gaps.
            surface.SetFillStyle(DrawingSurface::SolidFill);
            surface.SetFillColor(RGB(255, 255, 255));
            surface.PolyPolygon(area);
            surface.SetFillStyle(level.fillStyle);
            surface.SetFillColor(color);
            surface.PolyPolygon(area);
        }

        // The legend row: a box in the level's fill, the band's range beside it. The highest
        // level's row is the lowest.
        const double top = r - (2.0 * double(d) + 1) * r / 10;
        surface.SetDrawStyle(DrawingSurface::SolidLine);
        surface.Line({1.2 * r, top}, Step(r / 5, r / 10), color, DrawingSurface::LineForm::Box);
        surface.SetCurrentY(top + h);
        surface.Print(ContourLevels::LegendText(ordered, d, density.countMax, density.dataNumbers),
                      false);

        surface.SetFillStyle(DrawingSurface::TransparentFill);
        surface.SetFillColor(0);
        surface.Refresh();
    }
}

} // namespace ContourTracing
