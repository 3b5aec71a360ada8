// Analysis of the data set: maximum points placed at the density maxima, the statistics
// window, and what the plot draws for each plane.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/dialogs.h"
#include "core/statistics_texts.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_statistics.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <cmath>

namespace {

// Without contour levels, this many of the highest maxima are placed.
constexpr size_t kMaximaWithoutLevels = 5;

// Activates a child window and brings it to the front, as a click on it does.
void ShowChild(QWidget* form) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        frame->show();
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    }
    form->show();
}

} // namespace

std::vector<LocalMaxima::Maximum> Contour::MaximaToPlace() const {
    std::vector<LocalMaxima::Maximum> maxima = LocalMaxima::Find(density_);
    const std::vector<ContourLevels::Level> levels = LevelsForDrawing();
    if (levels.empty()) {
        maxima.resize(std::min(maxima.size(), kMaximaWithoutLevels));
    } else {
        // Those the lowest level encloses, as the diagram draws its area: counts above the
        // threshold.
        float lowest = levels.front().value;
        for (const ContourLevels::Level& level : levels)
            lowest = std::min(lowest, level.value);
        const float threshold = ContourLevels::Threshold(density_.dataNumbers, lowest);
        std::erase_if(maxima, [&](const LocalMaxima::Maximum& m) { return m.count <= threshold; });
    }
    // A second run places nothing twice.
    const double r = BMMain::NetRadius;
    std::erase_if(maxima, [&](const LocalMaxima::Maximum& m) {
        for (const Pole& pole : ContourPoles)
            if (std::fabs(pole.X * r - (m.i - r)) < 0.5 && std::fabs(pole.Y * r - (m.j - r)) < 0.5)
                return true;
        return false;
    });
    return maxima;
}

void Contour::PlaceAutomaticMaxima() {
    if (!FormCont || !density_.grid.Allocated())
        return;
    const std::vector<LocalMaxima::Maximum> maxima = MaximaToPlace();
    if (maxima.empty()) {
        Notify(dialogs_, QStringLiteral("新たに配置する極大点はありません。"), MsgIcon::Information,
               QStringLiteral("極大点の自動配置"));
        return;
    }
    const double r = BMMain::NetRadius;
    const double gap = r / 40;
    std::vector<QRectF> taken;
    for (const Pole& pole : ContourPoles)
        taken.push_back(pole.LabelRect());
    for (const LocalMaxima::Maximum& m : maxima) {
        Pole& pole = AddPole(FormCont);
        pole.X = float((m.i - r) / r);
        pole.Y = float((m.j - r) / r);
        pole.SetLabelCaption();
        // The label just right of its point, below it in the southern half and above it in
        // the northern, so the leader line stays short; moved further out while it would
        // cover another label, as maxima often lie close together.
        QRectF label = pole.LabelRect();
        label.moveTo(r * pole.X + 2 * gap,
                     pole.Y > 0 ? r * pole.Y + gap : r * pole.Y - gap - label.height());
        const double step = (label.height() + gap / 2) * (pole.Y > 0 ? 1 : -1);
        for (int tries = 0; tries < 50; ++tries) {
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const QRectF& other) { return other.intersects(label); }))
                break;
            label.translate(0, step);
        }
        taken.push_back(label);
        pole.MoveLabel(label.left(), label.top());
        pole.SetPosition();
    }
    ShowChild(FormCont);
}

void Contour::ShowStatisticsWindow() {
    if (!FormMain)
        return;
    if (!FormStat) {
        FormStat = new frmStatistics;
        // A table is not a diagram page: nothing to print while it is the active window.
        const auto enablePrint = [this](bool enabled) {
            FormMain->MenuItem(32)->setEnabled(enabled);
            FormMain->ToolButton(QStringLiteral("print"))->setEnabled(enabled);
        };
        connect(FormStat, &frmStatistics::Activate, this, [enablePrint] { enablePrint(false); });
        connect(FormStat, &frmStatistics::Deactivate, this, [enablePrint] { enablePrint(true); });
        // Closing the window hides it; the menu command shows it again.
        if (QMdiSubWindow* frame = FormMain->AddChild(FormStat))
            frame->setAttribute(Qt::WA_DeleteOnClose, false);
        Positions.SetWindowPosML2(FormStat, QStringLiteral("Statistics"));
        RefreshStatistics();
    }
    ShowChild(FormStat);
}

void Contour::RefreshStatistics() {
    if (FormStat)
        FormStat->SetRows(StatisticsTexts::Rows(statistics_));
}

void Contour::CheckPlotItems() {
    using DiagramSettings::PlotMode;
    FormMain->MenuItem(222)->setChecked(plotMode_ == PlotMode::Poles);
    FormMain->MenuItem(223)->setChecked(plotMode_ == PlotMode::Circles);
    FormMain->MenuItem(224)->setChecked(plotMode_ == PlotMode::Both);
    FormMain->MenuItem(225)->setChecked(plotStatistics_);
}

void Contour::SetPlotMode(DiagramSettings::PlotMode mode) {
    plotMode_ = mode;
    DiagramSettings::WritePlotMode(mode);
    CheckPlotItems();
    DrawPlot(0);
}

void Contour::TogglePlotStatistics() {
    plotStatistics_ = !plotStatistics_;
    DiagramSettings::WritePlotStatistics(plotStatistics_);
    CheckPlotItems();
    DrawPlot(0);
}
