// The two diagrams of the density grid, each written once as a drawing routine for the shared
// page frame (diagrams/diagram_page.h), so the window picture, the printed page and a page on a
// file surface (PDF, SVG, PNG) all come from it.
//
//   Density::DensityResult density = Density::ComputeDensity(measurements);
//   auto levels = ContourLevels::Prepare(levelsInCollectionOrder).ordered;
//   FileSurface page(path, pageSizeInPixels, 300);
//   bool written = DrawContourDiagram(page, true, density, levels, {.title = title});
//
// With paper = true the page is prepared, drawn with the title and ended (EndDoc), exactly as
// the print command prints it; the result is false when the printer or file failed. With
// paper = false the surface is a window picture: cleared, drawn and refreshed.
#pragma once

#include "core/contour_levels.h"
#include "diagrams/contour_tracing.h"
#include "diagrams/diagram_page.h"
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
// masking ring just outside the rim, the net frame and the data count; on paper the title at
// 1.5 R under the centre. `ordered` as ContourLevels::Prepare leaves it (highest value first);
// empty draws no levels.
bool DrawContourDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                        const std::vector<ContourLevels::Level>& ordered,
                        const ContourDiagramOptions& options);
// Its drawing routine for the page frame; the arguments must outlive it.
DiagramPage::DiagramDrawing ContourDiagram(const Density::DensityResult& density,
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
// contour lines. It prints no title.
bool DrawRankDiagram(DrawingSurface& surface, bool paper, const Density::DensityResult& density,
                     const std::vector<ContourLevels::Level>& overlay,
                     const RankDiagramOptions& options);
// Its drawing routine for the page frame; the arguments must outlive it.
DiagramPage::DiagramDrawing RankDiagram(const Density::DensityResult& density,
                                        const std::vector<ContourLevels::Level>& overlay,
                                        const RankDiagramOptions& options);
