// The drawing sequence of the diagrams: the full redraw and the legend.
#include "app/contour.h"
#include "diagrams/picture_box.h"
#include "diagrams/rank_legend.h"
#include "platform/desktop.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"

#include <QApplication>
#include <QPointer>

void Contour::RedrawAll() {
    // Clicks must not reach the windows while they are being drawn. Disabling moves the focus
    // away from a window; it goes back where it was afterwards.
    Hourglass hourglass;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    SetChildWindowsEnabled(false);
    const SingleGridWalk walk(*this);
    ComputeDensity();
    DrawRankLegend();
    DrawPlot(0);
    DrawRose(0);
    DrawRankDiagram(0);
    DrawContourDiagram(0);
    SetChildWindowsEnabled(true);
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus(Qt::OtherFocusReason);
}

void Contour::DrawRankLegend() {
    if (!FormRSet)
        return;
    FormRSet->setRankMax(countMax_);
    FormRSet->setCountMax(countedNodes_);
    FormRSet->setDataNums(dataNumbers_);
    // Also without counted data, so that no bars of an earlier document stay.
    RankLegend::Draw(FormRSet->picRSet().Surface(),
                     {density_.countMax, density_.countedNodes, density_.dataNumbers,
                      density_.histogram, density_.rankColors});
    // The percent scale follows the data: the levels move to their values in it.
    for (Grade& level : Grades)
        level.Reposition();
}

std::vector<PoleLabels::Marker> Contour::ContourMarkers() const {
    std::vector<PoleLabels::Marker> markers;
    for (const Pole& pole : ContourPoles)
        markers.push_back({pole.X, pole.Y, pole.LabelRect(), pole.Caption()});
    return markers;
}
