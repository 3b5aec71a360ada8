#include "windows/grade.h"

#include "core/hundredths.h"
#include "core/vb.h"
#include "diagrams/picture_box.h"
#include "windows/control_colours.h"
#include "windows/frm_rank_set.h"
#include "windows/level_swatch.h"

#include <QLabel>
#include <cmath>

namespace {

const QString kLabelFont = QStringLiteral("ＭＳ Ｐゴシック");

void Unload(QWidget* control) {
    // The control may be inside its own mouse event (the delete item of its pop-up menu).
    if (!control)
        return;
    control->hide();
    control->deleteLater();
}

} // namespace

Grade::Grade(frmRankSet& legend, int element) : legend_(&legend), element_(element) {
    PictureBox& picture = legend.picRSet();
    line_ = new QWidget(&picture);
    line_->setAutoFillBackground(true);
    line_->setAttribute(Qt::WA_TransparentForMouseEvents);
    line_->hide();

    swatch_ = new LevelSwatch(&picture);
    ControlColours::SetWindowColours(swatch_);
    swatch_->hide();

    label_ = new QLabel(QStringLiteral("0.00"), &picture);
    label_->setFont(QFont(kLabelFont, 9));
    // The swatch's pattern shows through.
    label_->setAutoFillBackground(false);
    ControlColours::SetWindowColours(label_);
    label_->hide();
    swatch_->resize(swatch_->width(), label_->sizeHint().height());

    SetForeColor(0);
    legend.RegisterLevelControls(element_, label_, swatch_);
}

Grade::~Grade() {
    if (legend_)
        legend_->RegisterLevelControls(element_, nullptr);
    Unload(swatch_);
    Unload(label_);
    Unload(line_);
}

void Grade::SetValue(float v) {
    value_ = SingleHundredths(v);
    Reposition();
}

void Grade::SetForeColor(uint32_t color) {
    foreColor_ = color;
    if (line_) {
        QPalette p = line_->palette();
        p.setColor(QPalette::Window, ToQColor(color));
        line_->setPalette(p);
    }
    if (swatch_)
        swatch_->SetFillColor(color);
}

void Grade::SetFillStyle(int style) {
    fillStyle_ = static_cast<int16_t>(style);
    if (swatch_)
        swatch_->SetFillStyle(fillStyle_);
}

void Grade::Reposition() {
    if (!legend_ || !label_ || !line_ || !swatch_)
        return;
    const DrawingSurface& s = legend_->picRSet().Surface();
    const QPointF edge = s.UserToDevice(s.ScaleLeft(), value_);
    const QPointF zero = s.UserToDevice(0, value_);
    const int y = int(std::lround(edge.y()));
    const int x1 = int(std::lround(std::min(edge.x(), zero.x())));
    const int x2 = int(std::lround(std::max(edge.x(), zero.x())));
    line_->setGeometry(x1, y, std::max(1, x2 - x1), 1);
    line_->show();

    label_->setText(vb::Format(value_, QStringLiteral("0.00")));
    const double width = std::fabs(
        s.ScaleX(std::fabs(s.ScaleWidth()) / 7, DrawingSurface::User, DrawingSurface::Pixels));
    const int left = int(std::lround(edge.x()));
    const int height = label_->sizeHint().height();
    label_->setGeometry(left, y, std::max(1, int(std::lround(width))), height);
    swatch_->setGeometry(label_->geometry());
    swatch_->show();
    label_->show();
    label_->raise();
}

QLabel* Grade::Label() const {
    return label_;
}

QWidget* Grade::Line() const {
    return line_;
}

LevelSwatch* Grade::Shape() const {
    return swatch_;
}
