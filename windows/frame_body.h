// The frame's client area: the data pane `picBase` on the left (the data grid and the
// splitter handle at its right edge) and the area of the child windows filling the rest.
// Dragging the handle shows a thin bar that follows the mouse; releasing it sets the pane's
// width, kept at least 500 twips from either edge of the frame.
#pragma once

#include <QWidget>

class QMdiArea;
class Tabula;

class FrameBody : public QWidget {
    Q_OBJECT
  public:
    explicit FrameBody(QWidget* parent = nullptr);

    Tabula& grid() const { return *grdData_; }
    QMdiArea& mdiArea() const { return *mdiArea_; }
    QWidget& pane() const { return *picBase_; }
    QWidget& handle() const { return *imgSplitter_; }
    QWidget& bar() const { return *picSplitter_; }

    // Width of the splitter handle and the closest the bar comes to either edge, in pixels.
    static int HandleWidth();
    static int EdgeLimit();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void layoutChildren();
    void startDrag();
    void followMouse(int x);
    void endDrag();

    QWidget* picBase_ = nullptr;
    Tabula* grdData_ = nullptr;
    QWidget* imgSplitter_ = nullptr;
    QWidget* picSplitter_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    bool moving_ = false;
    // The bar has followed the mouse since the press.
    bool dragged_ = false;
};
