#include "windows/frm_rank_set.h"

#include "diagrams/picture_box.h"
#include "windows/bmcontour.h"
#include "windows/control_colours.h"
#include "windows/mdi_activation.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <map>

struct frmRankSet::Private {
    PictureBox* picture = nullptr;
    MdiActivation* activation = nullptr;
    struct Level {
        QPointer<QLabel> label;
        QPointer<QWidget> swatch;
    };
    std::map<int, Level> levels;
};

frmRankSet::frmRankSet(QWidget* parent) : QWidget(parent), d_(new Private) {
    BMContour::DisableCloseCommand(this);
    setWindowTitle(QStringLiteral("ﾗﾝｸ分け"));
    d_->picture = new PictureBox(this);
    d_->picture->setFocusPolicy(Qt::ClickFocus);
    d_->picture->setGeometry(rect());
    d_->picture->installEventFilter(this);
    connect(d_->picture, &PictureBox::MouseUp, this, [this](int button, int, double, double) {
        if (button != 2)
            return;
        // The menu's commands act on the active window: the clicked one becomes it first.
        d_->activation->MakeActive();
        Q_EMIT MenuButtonDown(2);
    });

    d_->activation = new MdiActivation(this);
    connect(d_->activation, &MdiActivation::Activated, this, &frmRankSet::Activate);
    connect(d_->activation, &MdiActivation::Deactivated, this, &frmRankSet::Deactivate);
}

frmRankSet::~frmRankSet() {
    // The tracker reports the window's last deactivation: not to a window half gone.
    delete d_->activation;
    delete d_;
}

PictureBox& frmRankSet::picRSet() const {
    return *d_->picture;
}

QLabel* frmRankSet::lblRSet(int index) const {
    const auto it = d_->levels.find(index);
    return it != d_->levels.end() ? it->second.label.data() : nullptr;
}

QWidget* frmRankSet::shpRSet(int index) const {
    const auto it = d_->levels.find(index);
    return it != d_->levels.end() ? it->second.swatch.data() : nullptr;
}

void frmRankSet::RegisterLevelControls(int index, QLabel* label, QWidget* swatch) {
    if (index < 1)
        return;
    if (label || swatch)
        d_->levels[index] = {label, swatch};
    else
        d_->levels.erase(index);
}

void frmRankSet::SetLevelHighlight(int index, bool highlighted) {
    const auto it = d_->levels.find(index);
    if (it == d_->levels.end())
        return;
    for (QWidget* control :
         {static_cast<QWidget*>(it->second.label.data()), it->second.swatch.data()}) {
        if (!control)
            continue;
        if (highlighted)
            ControlColours::SetHighlightColours(control);
        else
            ControlColours::SetWindowColours(control);
    }
}

void frmRankSet::setLabelIndex(int value) {
    SetLevelHighlight(labelIndex_, false);
    labelIndex_ = value;
}

QSize frmRankSet::sizeHint() const {
    return {240, 320};
}

void frmRankSet::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d_->picture->setGeometry(rect());
    Q_EMIT Resize();
}

bool frmRankSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == d_->picture && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            Q_EMIT DeleteButtonClick(labelIndex_);
            return true;
        }
        if (key->key() == Qt::Key_Menu) {
            Q_EMIT MenuButtonDown(4);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
