// The child windows live as long as the program: their Close command and title-bar close
// button are greyed and a close request from the user does nothing. Closing through the
// program's end is not affected (windows are deleted with the frame, not closed).
#include "windows/bmcontour.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace {

constexpr const char* kGuardName = "_qstereo_close_guard";

// The close action of a sub-window's system menu, found by what it does (its shortcut is the
// platform's Close key), not by its place in the menu.
QAction* closeAction(QMdiSubWindow* sub) {
    QMenu* menu = sub->systemMenu();
    if (!menu)
        return nullptr;
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && !closeKeys.isEmpty() && action->shortcuts() == closeKeys)
            return action;
    }
    return nullptr;
}

// Draws a sub-window's title-bar close button greyed, as its Close item is: the title bar
// itself knows no disabled button.
class GreyCloseButtonStyle : public QProxyStyle {
  public:
    explicit GreyCloseButtonStyle(QObject* owner) { setParent(owner); }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
        if (control != CC_TitleBar || !bar || !(bar->subControls & SC_TitleBarCloseButton)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionTitleBar rest(*bar);
        rest.subControls &= ~SC_TitleBarCloseButton;
        QProxyStyle::drawComplexControl(control, &rest, painter, widget);
        if (!(bar->titleBarFlags & Qt::WindowSystemMenuHint))
            return;
        const QRect button = subControlRect(control, bar, SC_TitleBarCloseButton, widget);
        if (button.isValid())
            standardIcon(SP_TitleBarCloseButton, bar, widget)
                .paint(painter, button, Qt::AlignCenter, QIcon::Disabled);
    }
};

class CloseGuard : public QObject {
  public:
    explicit CloseGuard(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(kGuardName));
        window->installEventFilter(this);
        attach();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Close:
            static_cast<QCloseEvent*>(event)->ignore();
            return true;
        case QEvent::ParentChange:
            if (watched == window_)
                attach();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QMdiSubWindow* subWindow() const {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window_.data()))
            return sub;
        return window_ ? qobject_cast<QMdiSubWindow*>(window_->parentWidget()) : nullptr;
    }

    // The form may be put into its sub-window after it has loaded: follow it there.
    void attach() {
        QMdiSubWindow* sub = subWindow();
        if (!sub || sub == sub_)
            return;
        if (sub_)
            sub_->removeEventFilter(this);
        sub_ = sub;
        if (sub != window_)
            sub->installEventFilter(this);
        sub->setStyle(new GreyCloseButtonStyle(sub));
        greyClose();
        // The sub-window updates its menu on state changes; grey the item again each time the
        // menu opens.
        if (QMenu* menu = sub->systemMenu())
            connect(menu, &QMenu::aboutToShow, this, [this] { greyClose(); });
    }

    void greyClose() {
        if (sub_)
            if (QAction* action = closeAction(sub_))
                action->setEnabled(false);
    }

    QPointer<QWidget> window_;
    QPointer<QMdiSubWindow> sub_;
};

} // namespace

namespace BMContour {

void DisableCloseCommand(QWidget* window) {
    if (!window ||
        window->findChild<QObject*>(QLatin1String(kGuardName), Qt::FindDirectChildrenOnly))
        return;
    new CloseGuard(window);
}

} // namespace BMContour
