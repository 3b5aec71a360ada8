// One maximum point (極大点) of a diagram window: the marker image at the point, the label with
// the point's orientation and the leader line joining them. The object owns the three controls
// of its number on the window and unloads them when it goes.
#pragma once

#include <QPointer>
#include <QRectF>
#include <QString>

class frmMap;

class Pole {
  public:
    // Takes the controls numbered `index` of `form`, which must be loaded.
    Pole(frmMap& form, int index);
    ~Pole();
    Pole(const Pole&) = delete;
    Pole& operator=(const Pole&) = delete;

    // The point divided by NetRadius (the primitive circle has radius 1), y southwards.
    float X = 0;
    float Y = 0;

    int Index() const { return index_; }
    // Centres the marker on the point and runs the leader line from it to the label's left
    // edge (its top when the label lies south of the east-west line, else its bottom); shows
    // all three.
    void SetPosition();
    // The label shows the orientation of the point.
    void SetLabelCaption();

    // The label in picture units (net scale): Left, Top, Width, Height.
    QRectF LabelRect() const;
    void MoveLabel(double left, double top);
    QString Caption() const;

  private:
    QPointer<frmMap> form_;
    int index_;
};
