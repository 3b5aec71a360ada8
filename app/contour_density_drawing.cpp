// The two density diagrams in their windows (and, through the page step, on paper). The
// windows keep their place in the stacking order: a redraw does not bring them forward.
#include "app/contour.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/picture_box.h"
#include "windows/frm_map.h"

void Contour::DrawContourDiagram(int flag) {
    if (!FormCont || flag != 0)
        return;
    if (!density_.grid.Allocated())
        return;
    ContourDiagramOptions options;
    options.grid = gridVisible_[2];
    options.dataError = [this] { ShowDataError(); };
    options.markers = ContourMarkers();
    ::DrawContourDiagram(FormCont->picCont().Surface(), false, density_, PrepareLevels(), options);
}

void Contour::DrawRankDiagram(int flag) {
    if (!FormRank || flag != 0)
        return;
    if (!density_.grid.Allocated())
        ComputeDensity();
    RankDiagramOptions options;
    options.grid = gridVisible_[1];
    options.dataError = [this] { ShowDataError(); };
    const std::vector<ContourLevels::Level> overlay =
        showContourOnRank_ ? PrepareLevels() : std::vector<ContourLevels::Level>{};
    ::DrawRankDiagram(FormRank->picCont().Surface(), false, density_, overlay, options);
}
