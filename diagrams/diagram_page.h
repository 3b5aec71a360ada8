// The paper steps every diagram shares, and the frame that puts one diagram on a window
// picture or on one page. A diagram writes a single drawing routine (a DiagramDrawing) and
// hands it to DrawDiagramPicture for the screen or to PrintDiagramPage for paper; the printer
// and a file (FileSurface: PDF, SVG, PNG) take the same page, so an export is exactly what
// the print command prints.
//
// Entry points:
//   PrepareDiagramPrinter(surface, newPage)  readies a printer or file page, returns the margin
//   DrawDiagramTitle(surface, top, title)    a title of CR LF separated lines, centred on x = 0
//   PrintDiagramPage(surface, title, draw)   prepare, PenFactor, mm net scale, draw, title,
//                                            EndDoc; false when the page could not be sent
//   DrawDiagramPicture(surface, draw)        Cls, net scale, draw, Refresh (PenFactor 1)
#pragma once

#include <QString>
#include <functional>
#include <optional>

class DrawingSurface;

namespace DiagramPage {

// Draws one diagram on a surface already scaled to the net frame (centre (0, 0), y southwards,
// primitive radius NetRadius; 50 mm on paper). penFactor multiplies every line width. Returns
// where the title's first line goes, in the surface's system as the routine leaves it (a
// diagram may rescale), or nothing for a diagram that prints no title.
using DiagramDrawing = std::function<std::optional<double>(DrawingSurface&, float penFactor)>;

// Readies the page for a drawing: a new page when newPage is non-zero, otherwise any document
// still open is ended so the diagram begins one of its own. Portrait, current point (0, 0),
// black, transparent text background, millimetres, default pen and fill, "ＭＳ 明朝" 10 pt.
// Returns half the unprintable width of the paper in millimetres.
double PrepareDiagramPrinter(DrawingSurface& surface, int newPage);

// Prints `title` in "ＭＳ Ｐ明朝" 12 pt from y = top, one line per CR LF separated piece
// (empty pieces too), each centred on x = 0.
void DrawDiagramTitle(DrawingSurface& surface, double top, const QString& title);

// One diagram on one page of a printer or file surface: PrepareDiagramPrinter(0), the
// PenFactor and the millimetre net scale, the drawing, the title where the drawing says, and
// EndDoc. False when the printer or file reported a failure.
bool PrintDiagramPage(DrawingSurface& surface, const QString& title, const DiagramDrawing& draw);

// The same drawing on a window picture: cleared, scaled to the net, drawn and refreshed.
void DrawDiagramPicture(DrawingSurface& surface, const DiagramDrawing& draw);

} // namespace DiagramPage
