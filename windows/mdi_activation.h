// Tells a form when it becomes, and stops being, the active child window. Inside an MDI area
// that is the area's active sub-window: a form is deactivated when another child takes over,
// not when the whole frame loses the focus to another program or a dialog. A form that is a
// window of its own follows its window's activation.
#pragma once

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

class MdiActivation : public QObject {
    Q_OBJECT
  public:
    explicit MdiActivation(QWidget* form);

    bool IsActive() const { return active_; }
    bool IsSubWindow(const QMdiSubWindow* window) const;
    void SetActive(bool active);
    // Makes the form's window the active child, as a click on it does.
    void MakeActive();

  Q_SIGNALS:
    void Activated();
    void Deactivated();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void attach();

    QPointer<QWidget> form_;
    QPointer<QMdiSubWindow> sub_;
    QPointer<QMdiArea> area_;
    bool active_ = false;
};
