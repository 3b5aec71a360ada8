#include "diagrams/pole_labels.h"

#include "core/bmmain.h"
#include "diagrams/drawing_surface.h"

#include <cmath>

namespace PoleLabels {

void Draw(DrawingSurface& s, float penFactor, const std::vector<Marker>& markers) {
    if (markers.empty())
        return;
    s.SetDrawWidth(2 * penFactor);
    // The labels' own font, so the printed caption is the one the window shows.
    s.SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    s.SetFontSize(9);
    const double h = s.TextHeight(QStringLiteral("H"));
    const double r = BMMain::NetRadius;
    const Rgb black = RGB(0, 0, 0);
    for (const Marker& m : markers) {
        const QRectF& l = m.label;
        const SurfacePoint point{r * m.x, r * m.y};
        // The line meets the label edge nearer to the east-west line, then runs along the
        // label's left edge down to its bottom.
        if (l.top() > 0) {
            s.Line(point, {l.left(), l.top()}, black);
            s.LineTo(Step(0, l.height()), black);
        } else {
            s.Line(point, {l.left(), l.top() + l.height()}, black);
        }
        s.LineTo(Step(l.width(), 0), black);
        s.SetForeColor(black);
        s.SetCurrentX(l.left());
        s.SetCurrentY(std::fabs(l.height()) + l.top() - 1.1 * h);
        s.Print(m.caption);
    }
}

} // namespace PoleLabels
