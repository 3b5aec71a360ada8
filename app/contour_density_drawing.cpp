// The two density diagrams in their windows and on paper. The windows keep their place in the
// stacking order: a redraw does not bring them forward.
#include "app/contour.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/picture_box.h"
#include "windows/frm_map.h"

void Contour::DrawContourDiagram(int flag) {
    if (!FormCont || !density_.grid.Allocated())
        return;
    ContourDiagramOptions options;
    options.grid = gridVisible_[2];
    options.dataError = [this] { ShowDataError(); };
    options.markers = ContourMarkers();
    const std::vector<ContourLevels::Level> levels = PrepareLevels();
    const bool paper = flag != 0;
    const DiagramPage::DiagramDrawing drawing = ContourDiagram(density_, levels, options);
    if (paper)
        PrintDiagram(FormCont->Title(), drawing);
    else
        DiagramPage::DrawDiagramPicture(FormCont->picCont().Surface(), drawing);
}

void Contour::DrawRankDiagram(int flag) {
    if (!FormRank)
        return;
    if (!density_.grid.Allocated())
        ComputeDensity();
    RankDiagramOptions options;
    options.grid = gridVisible_[1];
    options.dataError = [this] { ShowDataError(); };
    const std::vector<ContourLevels::Level> overlay =
        showContourOnRank_ ? PrepareLevels() : std::vector<ContourLevels::Level>{};
    const DiagramPage::DiagramDrawing drawing = RankDiagram(density_, overlay, options);
    if (flag != 0)
        PrintDiagram(QString(), drawing);
    else
        DiagramPage::DrawDiagramPicture(FormRank->picCont().Surface(), drawing);
}
