#include "diagrams/rank_legend.h"

#include "core/vb.h"

#include <cmath>
#include <optional>

namespace RankLegend {

QString LabelText(int k, int dataNumbers) {
    return vb::Format(double(k) / dataNumbers * 100, QStringLiteral("0.00"));
}

bool Draw(DrawingSurface& s, const Counts& c) {
    const bool counted = c.countedNodes > 0 && c.countMax > 0 && c.dataNumbers > 0;
    if (!counted) {
        // No bars, but no bars of an earlier document either; levels are placed on 0 to 100 %.
        s.Scale(1.2, 120, -0.2, -20);
        s.Cls();
        s.Refresh();
        return false;
    }
    const double nodes = double(c.countedNodes);
    // x grows to the left, so the labels stand in the margin right of x = 0.
    s.Scale(1.2 * nodes, 1.2 * c.countMax, -0.2 * nodes, -0.2 * c.countMax);
    s.Cls();
    // With many counts the bars are thinner than a line of text: a label that would run into
    // the one above it is left out.
    const double textHeight = std::fabs(s.TextHeight(QStringLiteral("0")));
    std::optional<double> lastLabel;
    int64_t cumulative = 0;
    for (int k = c.countMax; k >= 1; --k) {
        const Rgb color = k <= int(c.colors.size()) ? c.colors[k - 1] : RGB(0, 0, 0);
        s.SetForeColor(color);
        cumulative += k <= int(c.histogram.size()) ? c.histogram[k - 1] : 0;
        s.Line({0, double(k - 1)}, Step(double(cumulative), 1), color,
               DrawingSurface::LineForm::FilledBox);
        if (lastLabel && std::fabs(*lastLabel - k) < textHeight)
            continue;
        lastLabel = k;
        s.SetCurrentX(0);
        s.SetCurrentY(k);
        s.Print(LabelText(k, c.dataNumbers));
    }
    const double percent = double(c.countMax) / c.dataNumbers;
    s.Scale(1.2 * nodes, 120 * percent, -0.2 * nodes, -20 * percent);
    s.Refresh();
    return true;
}

} // namespace RankLegend
