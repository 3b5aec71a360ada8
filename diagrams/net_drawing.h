// What every diagram draws first: the surface scaled to the net frame, the primitive circle
// with its cross and the north mark, and the optional equal-area polar grid.
#pragma once

class DrawingSurface;

namespace NetDrawing {

// Line-width multiplier: 1 on a window picture; on paper from the printer's resolution,
// measured as its width in dots over its width in inches (leaves the surface in pixels).
float PenFactor(DrawingSurface& surface, bool toPrinter);

// Scales the surface so that the net's centre is (0, 0), y grows southwards and the primitive
// circle has radius NetRadius: a picture spans 4 × NetRadius across and 3 × NetRadius down with
// the centre 85/200 of the width from the left and 70/150 of the height from the top; on paper
// the centre lies 85 mm from the left and 70 mm from the top of the printable area and the
// circle is 50 mm in radius. Returns the PenFactor.
float ScaleForNet(DrawingSurface& surface, bool toPrinter);

// The primitive circle and the east-west and north-south diameters, black, 2 × penFactor wide;
// leaves DrawWidth at penFactor.
void DrawCircleAndCross(DrawingSurface& surface, float penFactor);

// The rose's half frame: the upper semicircle from east over north to west, the east-west
// diameter and the radius to north, black, 2 × penFactor wide.
void DrawHalfFrame(DrawingSurface& surface, float penFactor);

// "Ｎ" in 14 points, centred just above the top of the primitive circle.
void DrawNorthMark(DrawingSurface& surface);

// The net frame: circle and cross, the polar grid when `grid` is on, the north mark.
void DrawNetFrame(DrawingSurface& surface, float penFactor, bool grid);

// The polar grid centred at (ox, oy) on an already scaled surface: circles of dip 10..80 and
// radii of strike 10..80 from the circle of dip 10 to the rim, every point projected like a
// measurement; the 30 and 60 lines twice as wide. DrawWidth is left as it was.
void DrawNetGrid(DrawingSurface& surface, float ox, float oy);

} // namespace NetDrawing
