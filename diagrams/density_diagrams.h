// The two diagrams of the density grid, each drawn by one routine on any drawing surface: the
// window picture (paper = false), or a page laid out like the printed one (paper = true) on
// the printer or on a file surface. On paper the surface must be ready for drawing (page
// prepared); the caller ends the document.
//
//   Density::DensityResult density = Density::ComputeDensity(measurements);
//   auto levels = ContourLevels::Prepare(levelsInCollectionOrder).ordered;
//   FileSurface page(path, pageSizeInPixels, 300);
//   DrawContourDiagram(page, true, density, levels, {.grid = false, .title = title});
//   page.EndDoc();
#pragma once

#include "core/contour_levels.h"
#include "diagrams/contour_tracing.h"
#include "diagrams/pole_labels.h"

#include <QString>
#include <vector>

class DrawingSurface;
namespace Density {
struct DensityResult;
}

struct ContourDiagramOptions {
    // The polar grid under the levels.
    bool grid = false;
    // Printed centred under the net on paper (lines separated by CR LF).
    QString title;
    ContourTracing::DataErrorHandler dataError;
    // The maximum points: leader lines, underlines and captions, last.
    std::vector<PoleLabels::Marker> markers;
};

// The contour diagram: the filled level areas with their legend, the level lines, the
// masking ring just outside the rim, the net frame and the data count. `ordered` as
// ContourLevels::Prepare leaves it (highest value first); empty draws no levels.
void DrawContourDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                        const std::vector<ContourLevels::Level>& ordered,
                        const ContourDiagramOptions& options);

struct RankDiagramOptions {
    // The polar grid under the cells.
    bool grid = false;
    // Shift of the cells and the grid in drawing units (0, 0 on screen and on paper).
    float ox = 0;
    float oy = 0;
    ContourTracing::DataErrorHandler dataError;
};

// The graded-shading diagram: every node with a positive count as a unit square in its rank
// colour, the net frame over it and, when `overlay` holds levels (ordered as above), their
// contour lines.
void DrawRankDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                     const std::vector<ContourLevels::Level>& overlay,
                     const RankDiagramOptions& options);
