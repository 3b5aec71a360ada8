#include "windows/mdi_activation.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace {

constexpr const char* kHubName = "_qstereo_activation_hub";

// One per MDI area: on a change of the active child, the old child hears of its deactivation
// before the new one of its activation, so that what one enables the other cannot disable.
class ActivationHub : public QObject {
  public:
    explicit ActivationHub(QMdiArea* area) : QObject(area) {
        setObjectName(QLatin1String(kHubName));
        connect(area, &QMdiArea::subWindowActivated, this, &ActivationHub::onActivated);
    }
    static ActivationHub* of(QMdiArea* area) {
        auto* hub =
            area->findChild<ActivationHub*>(QLatin1String(kHubName), Qt::FindDirectChildrenOnly);
        return hub ? hub : new ActivationHub(area);
    }
    void add(MdiActivation* tracker) {
        trackers_.removeAll(nullptr);
        if (!trackers_.contains(tracker))
            trackers_.append(tracker);
    }
    void remove(MdiActivation* tracker) { trackers_.removeAll(tracker); }

  private:
    void onActivated(QMdiSubWindow* window) {
        // Nothing active means the frame itself lost the focus (a dialog, another program):
        // its active child stays the active one.
        if (!window)
            return;
        const auto trackers = trackers_;
        for (const auto& t : trackers)
            if (t && !t->IsSubWindow(window))
                t->SetActive(false);
        for (const auto& t : trackers)
            if (t && t->IsSubWindow(window))
                t->SetActive(true);
    }

    QList<QPointer<MdiActivation>> trackers_;
};

} // namespace

MdiActivation::MdiActivation(QWidget* form) : QObject(form), form_(form) {
    form->installEventFilter(this);
    attach();
}

bool MdiActivation::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ParentChange:
        // The form goes into its sub-window, or the sub-window into its area, after the form
        // has been built.
        attach();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (watched == form_ && !sub_ && form_->isWindow())
            SetActive(event->type() == QEvent::WindowActivate);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void MdiActivation::attach() {
    auto* sub = form_ ? qobject_cast<QMdiSubWindow*>(form_->parentWidget()) : nullptr;
    if (sub != sub_) {
        if (sub_)
            sub_->removeEventFilter(this);
        sub_ = sub;
        if (sub_)
            sub_->installEventFilter(this);
    }
    QMdiArea* area = sub_ ? sub_->mdiArea() : nullptr;
    if (area == area_)
        return;
    if (area_)
        ActivationHub::of(area_)->remove(this);
    area_ = area;
    if (area_) {
        ActivationHub::of(area_)->add(this);
        if (area_->activeSubWindow() == sub_)
            SetActive(true);
    } else if (!sub_) {
        SetActive(form_ && form_->isActiveWindow());
    } else {
        SetActive(false);
    }
}

bool MdiActivation::IsSubWindow(const QMdiSubWindow* window) const {
    return sub_ && window == sub_;
}

void MdiActivation::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active)
        Q_EMIT Activated();
    else
        Q_EMIT Deactivated();
}

void MdiActivation::MakeActive() {
    if (area_ && sub_)
        area_->setActiveSubWindow(sub_);
}
