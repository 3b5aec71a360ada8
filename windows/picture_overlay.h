// A see-through layer over a picture box that draws the line controls of a window (leader
// lines, drawn under the labels and images placed after it) and, while a control is dragged,
// the outline of where it would land.
#pragma once

#include <QLineF>
#include <QList>
#include <QRect>
#include <QWidget>
#include <functional>

class PictureOverlay : public QWidget {
  public:
    // `lines` gives the visible lines in pixels of the picture whenever the layer repaints.
    PictureOverlay(QWidget* picture, std::function<QList<QLineF>()> lines);

    // The drag outline in pixels of the picture; an empty rectangle hides it.
    void SetDragOutline(const QRect& outline);
    QRect DragOutline() const { return outline_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<QList<QLineF>()> lines_;
    QRect outline_;
};

// The maximum-point marker: a red ring with a cross and a dot at the point itself.
QPixmap PoleMarkerPixmap();
