// The maximum points of the contour diagram and the plot: adding, deleting one from the pop-up
// menu and several through the list dialog.
#include "app/contour.h"
#include "core/bmmain.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_pedit.h"

#include <QLabel>

namespace {

QString PoleKey(int index) {
    return QStringLiteral("P_%1").arg(index);
}

} // namespace

frmMap* Contour::PoleWindow() const {
    return FormMain && FormMain->ActiveChild() == FormCont ? FormCont : FormPlot;
}

KeyedCollection<Pole>& Contour::PolesOf(const frmMap* form) {
    return form == FormCont ? ContourPoles : PlotPoles;
}

Pole& Contour::AddPole(frmMap* form) {
    const int n = form->PoleUBound() + 1;
    form->LoadPoleControls(n);
    // Left of the net, level with its bottom.
    const double r = BMMain::NetRadius;
    form->MoveControl(form->lblPole(n), -r, r);
    auto created = std::make_unique<Pole>(*form, n);
    Pole& pole = *created;
    // Named after where it stands, like every moved one.
    pole.SetLabelCaption();
    pole.SetPosition();
    PolesOf(form).Add(PoleKey(n), std::move(created));
    modified_ = true;
    return pole;
}

void Contour::AddPoleCommand() {
    frmMap* form = PoleWindow();
    AddPole(form);
    PolesEdited(form);
}

void Contour::PolesEdited(const frmMap* form) {
    modified_ = true;
    // The contour diagram draws its markers into its picture: none may stay where it was.
    if (form == FormCont)
        DrawContourMarkers();
}

void Contour::DeletePopupPole() {
    frmMap* form = PoleWindow();
    const int index = form->PoleNo();
    if (index >= 1) {
        PolesOf(form).Remove(PoleKey(index));
        form->setPoleNo(0);
    }
    PolesEdited(form);
}

void Contour::OpenPoleList() {
    frmMap* form = PoleWindow();
    frmPEdit dialog(FormMain);
    FormPE = &dialog;
    dialog.hide();
    dialog.setOnContour(form == FormCont);
    dialog.setPoles(PolesOf(form));
    connect(&dialog, &frmPEdit::Remove, this, &Contour::FormPE_Remove);
    dialog.exec();
    FormPE = nullptr;
}

void Contour::FormPE_Remove() {
    if (!FormPE)
        return;
    frmMap* form = FormPE->OnContour() ? FormCont : FormPlot;
    form->setPoleNo(0);
    PolesEdited(form);
}
