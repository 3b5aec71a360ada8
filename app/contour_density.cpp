// The density run over the data grid, its status texts, and the scan-count command.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/density_texts.h"
#include "core/dialogs.h"
#include "core/scan_count.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"

#include <QApplication>
#include <QPointer>

void Contour::ComputeDensity() {
    std::vector<Density::Measurement> data;
    if (FormMain) {
        // The data set: from the first data row down to the first row whose cells are blank.
        // Angle cells longer than four characters are rewritten with the angle read.
        Tabula& grid = FormMain->grdData();
        const int first = grid.FixedRows();
        for (int i = first; i < grid.Rows(); ++i) {
            const Document::Row row = {grid.TextMatrix(i, 1), grid.TextMatrix(i, 2),
                                       grid.TextMatrix(i, 3), grid.TextMatrix(i, 4)};
            std::optional<Density::Measurement> m = Density::MeasurementFromRow(row);
            if (!m)
                break;
            if (Density::AngleCellRewritten(row[0].trimmed()))
                grid.SetTextMatrix(i, 1, QString::number(m->strikeAngle));
            if (Density::AngleCellRewritten(row[2].trimmed()))
                grid.SetTextMatrix(i, 3, QString::number(m->dipAngle));
            data.push_back(std::move(*m));
        }
        grid.SetCol(1);
        grid.SetRow(first);
    }

    density_ = Density::ComputeDensity(data);
    dataNumbers_ = density_.dataNumbers;
    countMax_ = density_.countMax;
    countedNodes_ = density_.countedNodes;

    if (FormRank)
        FormRank->setWindowTitle(Density::RankCaption(density_));
    if (FormMain) {
        FormMain->SetPanelText(1, Density::DataCountText(density_));
        FormMain->SetPanelText(2, Density::MaximumText(density_));
    }
}

void Contour::ChangeScanCount() {
    const int radius = BMMain::NetRadius;
    const std::optional<QString> typed =
        dialogs_.input(ScanCount::Prompt(), ScanCount::Title(), QString::number(2 * radius));
    const ScanCount::Answer answer = ScanCount::Interpret(typed.value_or(QString()));
    if (answer.kind == ScanCount::Answer::TooMany) {
        Notify(dialogs_, ScanCount::TooManyText(), MsgIcon::Exclamation, ScanCount::Title());
        return;
    }
    if (answer.kind != ScanCount::Answer::NewRadius)
        return;
    if (dialogs_.message(ScanCount::Question(radius, answer.radius), MsgButtons::YesNo,
                         MsgIcon::Exclamation, ScanCount::Title()) != MsgResult::Yes)
        return;

    BMMain::NetRadius = static_cast<int16_t>(answer.radius);
    BMMain::WriteIniString(QStringLiteral("解像度"), QStringLiteral("走査線数"),
                           QString::number(answer.radius));

    Hourglass hourglass;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    SetChildWindowsEnabled(false);
    ComputeDensity();
    DrawRankLegend();
    DrawPlot(0);
    DrawRose(0);
    DrawRankDiagram(0);
    DrawContourDiagram(0);
    SetChildWindowsEnabled(true);
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus(Qt::OtherFocusReason);
}
