#include "windows/pole.h"

#include "core/bmmain.h"
#include "core/bmpole.h"
#include "windows/frm_map.h"

#include <QLabel>

Pole::Pole(frmMap& form, int index) : form_(&form), index_(index) {}

Pole::~Pole() {
    if (form_)
        form_->UnloadPoleControls(index_);
}

void Pole::SetPosition() {
    if (!form_)
        return;
    QLabel* image = form_->imgPole(index_);
    QLabel* label = form_->lblPole(index_);
    if (!image || !label)
        return;
    const double r = BMMain::NetRadius;
    const QRectF marker = form_->ControlRect(image);
    const double left = r * X - marker.width() / 2;
    const double top = r * Y - marker.height() / 2;
    form_->MoveControl(image, left, top);
    const QRectF text = form_->ControlRect(label);
    const QPointF centre(left + marker.width() / 2, top + marker.height() / 2);
    // The edge nearer to the east-west line, as a dragged label's line and the printed
    // diagram have it; never across the label.
    const double y = text.top() > 0 ? text.top() : text.top() + text.height();
    form_->setLinePole(index_, QLineF(centre, QPointF(text.left(), y)));
    image->show();
    label->show();
    form_->setLinePoleVisible(index_, true);
}

void Pole::SetLabelCaption() {
    if (QLabel* label = form_ ? form_->lblPole(index_) : nullptr)
        label->setText(BMPole::OrientationCaption(X, Y));
}

QRectF Pole::LabelRect() const {
    return form_ ? form_->ControlRect(form_->lblPole(index_)) : QRectF();
}

void Pole::MoveLabel(double left, double top) {
    if (form_)
        form_->MoveControl(form_->lblPole(index_), left, top);
}

QString Pole::Caption() const {
    QLabel* label = form_ ? form_->lblPole(index_) : nullptr;
    return label ? label->text() : QString();
}
