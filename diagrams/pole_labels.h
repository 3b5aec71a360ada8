// The maximum points as the contour diagram draws them, on screen and on paper: the leader
// line from the point to its label, the label's underline and its orientation text. (The
// marker image is a window control and appears on screen only.)
#pragma once

#include <QRectF>
#include <QString>
#include <vector>

class DrawingSurface;

namespace PoleLabels {

struct Marker {
    float x = 0; // the point divided by NetRadius
    float y = 0;
    QRectF label; // Left, Top, Width, Height in drawing units of the net
    QString caption;
};

// Draws every marker on a surface scaled to the net; lines 2 × penFactor wide, text in the
// labels' font at 9 points.
void Draw(DrawingSurface& surface, float penFactor, const std::vector<Marker>& markers);

} // namespace PoleLabels
