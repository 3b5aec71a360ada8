// The drawing sequence of the diagrams. Each diagram window shows the net frame (with its
// polar grid when the window's grid option is on); the density run, the legend bars and the
// diagrams' own contents build on it.
#include "app/contour.h"
#include "core/bmmain.h"
#include "diagrams/net_drawing.h"
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
    if (!FormRSet || countedNodes_ <= 0 || countMax_ <= 0)
        return;
    FormRSet->setRankMax(countMax_);
    FormRSet->setCountMax(countedNodes_);
    FormRSet->setDataNums(dataNumbers_);
    RankLegend::Draw(FormRSet->picRSet().Surface(),
                     {density_.countMax, density_.countedNodes, density_.dataNumbers,
                      density_.histogram, density_.rankColors});
}

void Contour::RefitLegend() {
    if (Grades.empty())
        return;
    DrawRankLegend();
    for (Grade& level : Grades)
        level.Reposition();
}

void Contour::DrawNetDiagram(frmMap* form, bool grid, int flag) {
    if (!form)
        return;
    const auto drawing = [grid](DrawingSurface& surface, float penFactor) {
        NetDrawing::DrawNetFrame(surface, penFactor, grid);
        return std::optional<double>(1.5 * BMMain::NetRadius);
    };
    if (flag != 0)
        PrintDiagram(form->Title(), drawing);
    else
        DiagramPage::DrawDiagramPicture(form->picCont().Surface(), drawing);
}

std::vector<PoleLabels::Marker> Contour::ContourMarkers() const {
    std::vector<PoleLabels::Marker> markers;
    for (const Pole& pole : ContourPoles)
        markers.push_back({pole.X, pole.Y, pole.LabelRect(), pole.Caption()});
    return markers;
}

void Contour::DrawPlot(int flag) {
    DrawNetDiagram(FormPlot, gridVisible_[0], flag);
}
void Contour::DrawRose(int flag) {
    DrawNetDiagram(FormRose, false, flag);
}
