// Placement of the child windows across runs: each window's rectangle (in twips of the frame),
// its normal / minimised / maximised state and the scroll position of its picture, one
// section of the settings file per window.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// What the settings file holds for one window, as read with the defaults applied.
struct StoredPlacement {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    // 0 normal, 1 minimised, 2 maximised; negative when nothing is stored.
    int status = -1;
    float pictureLeft = 0;
    float pictureTop = 0;
};

class WindowPosition {
  public:
    // Restores the window from `section`. The window is the form's sub-window frame when it
    // sits in an MDI area, else the form itself. With no stored state the window keeps the
    // place it was created with; a stored rectangle is kept in view of the area (KeptInView,
    // with the area as large as a maximised frame makes it). The form's properties
    // "PictureLeft" and "PictureTop" (Qt properties, when it has them) are set in every case.
    void SetWindowPosML2(QWidget* frm, const QString& section) const;
    // Saves the window to `section`: the rectangle only while the window is in the normal
    // state, so a minimised or maximised window keeps its last normal rectangle in the file.
    // False when the settings file could not be written.
    bool SaveWindowPosML2(QWidget* frm, const QString& section) const;

    // The stored placement of `section`; `defaultSize` (twips) stands in for a missing width
    // and height. A missing value, or one that is not a number, reads as its default.
    static StoredPlacement Read(const QString& section, float defaultSize);
    // Writes the placement; the four rectangle values only when `normal` is true.
    static bool Write(const QString& section, const StoredPlacement& placement, bool normal);
    // A single-precision value as the settings file holds it: "1234.5", "0", "0.5", "-30".
    static QString SingleText(float value);
    // A window rectangle (pixels of its area) made usable in an area of `area`: no larger than
    // the area, and moved into it when its title bar cannot be taken hold of there.
    static QRect KeptInView(QRect window, QSize area);
};
