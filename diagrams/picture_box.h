// The widget that shows a window picture (PictureSurface) and keeps it the widget's size.
// Diagram and legend windows embed it and place their labels and markers on it as children.
#pragma once

#include "diagrams/picture_surface.h"

#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    PictureSurface& Surface() { return surface_; }
    // Resizes widget and picture at once, so that drawing may start before the widget is shown.
    void SetPictureSize(QSize pixels);
    // The same in millimetres at the picture's resolution (a diagram picture is 200 × 150).
    void SetPictureSizeMillimetres(double width, double height);
    QSize sizeHint() const override { return surface_.Size(); }
    // Whether a Refresh of the surface shows the picture at once (a diagram growing level by
    // level), or when the window next paints (a picture redrawn while its window is resized
    // or arranged, when painting at once would paint over the windows being moved).
    void SetRefreshAtOnce(bool atOnce) { refreshAtOnce_ = atOnce; }

  Q_SIGNALS:
    // Mouse events in the picture's current scale. button: 1 left, 2 right, 4 middle (for
    // MouseMove the buttons held); shift: 1 Shift, 2 Ctrl, 4 Alt.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PictureSurface surface_;
    bool refreshAtOnce_ = true;
};
