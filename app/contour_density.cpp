// The density run over the data grid, its status texts, and the scan-count command.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/density_texts.h"
#include "core/dialogs.h"
#include "core/scan_count.h"
#include "tabula.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"

void Contour::ComputeDensity() {
    const std::vector<Measurements::Measurement>& data = ReadMeasurements();
    density_ = Density::ComputeDensity(data);
    statistics_ = OrientationStatistics::Compute(data);
    statisticsOfWalk_ = walkShared_;
    RefreshStatistics();
    // The count leaves the grid at the first data row, column 1.
    if (FormMain) {
        FormMain->grdData().SetCol(1);
        FormMain->grdData().SetRow(FormMain->grdData().FixedRows());
    }
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

    // Everything is counted and drawn again at the new resolution.
    RedrawAll();
}
