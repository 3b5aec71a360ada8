// The two density diagrams in their windows and on paper.
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
    const bool paper = flag != 0;
    // On screen the markers go on last, over a picture kept without them.
    if (paper)
        options.markers = ContourMarkers();
    const std::vector<ContourLevels::Level> levels = PrepareLevels();
    const DiagramPage::DiagramDrawing drawing = ContourDiagram(density_, levels, options);
    if (paper) {
        PrintDiagram(FormCont->Title(), drawing);
        return;
    }
    PictureSurface& picture = FormCont->picCont().Surface();
    DiagramPage::DrawDiagramPicture(picture, drawing);
    contourUnderMarkers_ = picture.Image();
    DrawContourMarkers();
    FormCont->BringToFront();
}

void Contour::DrawContourMarkers() {
    if (!FormCont || contourUnderMarkers_.isNull())
        return;
    PictureSurface& picture = FormCont->picCont().Surface();
    if (!picture.Restore(contourUnderMarkers_))
        return;
    PoleLabels::Draw(picture, 1, ContourMarkers());
    picture.Refresh();
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
    else {
        DiagramPage::DrawDiagramPicture(FormRank->picCont().Surface(), drawing);
        FormRank->BringToFront();
    }
}
