#include "windows/frm_rank_set.h"

#include "core/legend_walk.h"
#include "core/vb.h"
#include "diagrams/picture_box.h"
#include "windows/bmcontour.h"
#include "windows/control_colours.h"
#include "windows/mdi_activation.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
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
    // Redrawn while its window is resized or arranged.
    d_->picture->SetRefreshAtOnce(false);
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
    if (label || swatch) {
        d_->levels[index] = {label, swatch};
        if (label)
            label->installEventFilter(this);
    } else {
        if (dragIndex_ == index)
            endDrag();
        d_->levels.erase(index);
    }
}

int frmRankSet::LabelUBound() const {
    return d_->levels.empty() ? 0 : d_->levels.rbegin()->first;
}

void frmRankSet::SelectLevel(int index, bool drag, double offset) {
    if (dragging_)
        return;
    SetLevelHighlight(labelIndex_, false);
    labelIndex_ = index;
    SetLevelHighlight(index, true);
    if (QLabel* label = lblRSet(index))
        label->raise();
    if (drag) {
        dragIndex_ = index;
        dragging_ = true;
        dragOffset_ = offset;
    }
}

void frmRankSet::endDrag() {
    dragIndex_ = 0;
    dragging_ = false;
}

void frmRankSet::StepSelection(bool up) {
    std::vector<LegendWalk::Level> levels;
    for (const auto& [index, level] : d_->levels)
        if (level.label)
            levels.push_back({index, vb::Val(level.label->text())});
    if (levels.empty())
        return;
    const int next = LegendWalk::Next(levels, labelIndex_, up);
    // As a left click on the label would: pressed, then released.
    SelectLevel(next, true, 0);
    endDrag();
}

namespace {

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

} // namespace

bool frmRankSet::levelLabelEvent(int index, QLabel* label, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    DrawingSurface& s = d_->picture->Surface();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const bool left = mouse->button() == Qt::LeftButton;
        // The keys of the legend work on the level just chosen.
        d_->picture->setFocus(Qt::MouseFocusReason);
        SelectLevel(index, left,
                    s.ScaleY(mouse->position().y(), DrawingSurface::Pixels, DrawingSurface::User));
        return true;
    }
    case QEvent::MouseMove:
        if (dragging_ && dragIndex_ == index) {
            const double top = s.DeviceToUser(label->x(), label->y()).y();
            const double value =
                s.ScaleY(mouse->position().y(), DrawingSurface::Pixels, DrawingSurface::User) +
                top - dragOffset_;
            Q_EMIT Move(dragIndex_, static_cast<float>(value));
        }
        return true;
    case QEvent::MouseButtonRelease:
        endDrag();
        if (mouse->button() == Qt::RightButton)
            Q_EMIT MenuButtonDown(4);
        return true;
    default:
        return false;
    }
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
    if (watched != d_->picture) {
        // Only mouse events concern the labels. Others also come while a label is being
        // destroyed, when it must not be looked at as a label any more.
        if (!IsMouseEvent(event->type()))
            return QWidget::eventFilter(watched, event);
        for (const auto& [index, level] : d_->levels)
            if (level.label == watched)
                return levelLabelEvent(index, level.label, event);
        return QWidget::eventFilter(watched, event);
    }
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
        const int k = key->key();
        if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Home || k == Qt::Key_End) {
            const bool shiftAlone = key->modifiers() == Qt::ShiftModifier;
            StepSelection((k == Qt::Key_Up || k == Qt::Key_Home) != shiftAlone);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
