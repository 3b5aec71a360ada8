// Arrangements of the child windows of a multiple-document area beyond the area's own tiling
// and cascading: stacked one above the other, side by side, and the minimised windows lined
// up along the bottom edge.
#pragma once

class QMdiArea;

namespace MdiArrange {

// Every shown, non-minimised child spans the full width, one above the other.
void StackVertically(QMdiArea& area);
// Every shown, non-minimised child spans the full height, side by side.
void StackHorizontally(QMdiArea& area);
// Minimised children in rows from the bottom-left corner, wrapping upwards.
void ArrangeIcons(QMdiArea& area);

} // namespace MdiArrange
