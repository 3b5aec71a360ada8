#include "diagrams/diagram_page.h"

#include "diagrams/drawing_surface.h"
#include "diagrams/net_drawing.h"
#include "diagrams/printer_surface.h"

#include <QStringList>

namespace DiagramPage {

namespace {

constexpr double kTwipsPerMillimetre = 56.7;

} // namespace

double PrepareDiagramPrinter(DrawingSurface& surface, int newPage) {
    if (newPage != 0)
        surface.NewPage();
    else if (surface.DocumentOpen())
        surface.EndDoc();
    // The layout (85 mm across, 70 mm down) is made for an upright page.
    if (auto* printer = dynamic_cast<PrinterSurface*>(&surface))
        printer->Printer().setPageOrientation(QPageLayout::Portrait);
    surface.SetCurrentX(0);
    surface.SetCurrentY(0);
    surface.SetForeColor(0);
    // A blank opens the page; text printed afterwards never blanks out the lines under it.
    surface.Print(QStringLiteral(" "));
    surface.SetFontTransparent(true);
    surface.Print(QStringLiteral(" "));
    surface.SetScaleMode(DrawingSurface::Twips);
    const double margin = (surface.Width() - surface.ScaleWidth()) / kTwipsPerMillimetre / 2;
    surface.SetScaleMode(DrawingSurface::Millimeters);
    surface.SetDrawStyle(DrawingSurface::SolidLine);
    surface.SetDrawMode(13);
    surface.SetDrawWidth(1);
    surface.SetFillStyle(DrawingSurface::TransparentFill);
    surface.SetFillColor(0);
    surface.SetFontName(QStringLiteral("ＭＳ 明朝"));
    surface.SetFontSize(10);
    return margin;
}

void DrawDiagramTitle(DrawingSurface& surface, double top, const QString& title) {
    surface.SetFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    surface.SetFontSize(12);
    surface.SetCurrentY(top);
    for (const QString& line : title.split(QStringLiteral("\r\n"))) {
        surface.SetCurrentX(-surface.TextWidth(line) / 2);
        surface.Print(line);
    }
}

bool PrintDiagramPage(DrawingSurface& surface, const QString& title, const DiagramDrawing& draw) {
    PrepareDiagramPrinter(surface, 0);
    const float penFactor = NetDrawing::ScaleForNet(surface, true);
    if (const std::optional<double> titleTop = draw(surface, penFactor))
        DrawDiagramTitle(surface, *titleTop, title);
    return surface.EndDoc();
}

void DrawDiagramPicture(DrawingSurface& surface, const DiagramDrawing& draw) {
    surface.Cls();
    const float penFactor = NetDrawing::ScaleForNet(surface, false);
    draw(surface, penFactor);
    surface.Refresh();
}

} // namespace DiagramPage
