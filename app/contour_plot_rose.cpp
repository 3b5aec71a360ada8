// The projection plot and the rose diagram on their windows or on paper, and the rose's
// sector-width command.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/dialogs.h"
#include "core/rose.h"
#include "core/vb.h"
#include "diagrams/picture_box.h"
#include "diagrams/plot_drawing.h"
#include "diagrams/rose_drawing.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"

void Contour::DrawPlot(int flag) {
    if (!FormPlot)
        return;
    const std::vector<Measurements::Measurement>& data = ReadMeasurements();
    const bool grid = gridVisible_[0];
    // The statistics drawn over the plot are those of the poles it draws: the density run's
    // when it counted the same walk, else counted here (the grid may have changed since).
    std::optional<OrientationStatistics::Statistics> counted;
    const OrientationStatistics::Statistics* statistics = nullptr;
    if (plotStatistics_) {
        if (!statisticsOfWalk_)
            counted = OrientationStatistics::Compute(data);
        statistics = counted ? &*counted : &statistics_;
    }
    const PlotDrawing::PlotOptions options{plotMode_, statistics};
    const auto drawing = [&](DrawingSurface& surface, float penFactor) {
        return PlotDrawing::DrawPlot(surface, penFactor, data, grid, options);
    };
    if (flag != 0) {
        PrintDiagram(FormPlot->Title(), drawing);
        return;
    }
    DiagramPage::DrawDiagramPicture(FormPlot->picCont().Surface(), drawing);
    FormPlot->BringToFront();
}

void Contour::DrawRose(int flag) {
    if (!FormRose)
        return;
    const std::vector<Measurements::Measurement>& data = ReadMeasurements();
    const int divisions = roseDivisions_;
    const Rose::Counts counts = Rose::CountStrikes(data, divisions);
    const auto drawing = [&](DrawingSurface& surface, float penFactor) {
        return RoseDrawing::DrawRose(surface, penFactor, counts, divisions);
    };
    if (flag != 0) {
        PrintDiagram(FormRose->Title(), drawing);
        return;
    }
    DiagramPage::DrawDiagramPicture(FormRose->picCont().Surface(), drawing);
    FormRose->BringToFront();
    // With no data there is no dominant sector to name.
    FormMain->SetPanelText(
        3, data.empty() ? QString()
                        : Rose::DominantText(counts.largest, counts.dominantBin, divisions));
}

void Contour::ChangeRoseWidth() {
    const QString title = QStringLiteral("角幅の変更");
    const int current = roseDivisions_;
    const QString prompt =
        QStringLiteral(
            "ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑの角幅を360度の分割数で入力してください。\r\n\r\n現在の設定：入力 ") +
        QString::number(current) + QStringLiteral("　→　角幅 ") +
        vb::Format(360.0 / current, QStringLiteral("0.00")) + QStringLiteral(" 度");
    int v = 0;
    for (;;) {
        const std::optional<QString> answer =
            dialogs_.input(prompt, title, QString::number(current));
        // Saturating: an answer beyond the integer range is simply over 360.
        v = answer ? vb::CInt(vb::Val(*answer)) : 0;
        if (v == 0)
            return;
        if (v < 0)
            Notify(dialogs_, QStringLiteral("正の整数値を入力してください。"), MsgIcon::Exclamation,
                   title);
        else if (v > 360)
            Notify(dialogs_,
                   QStringLiteral("360より大きい値は入力できません。\r\n\r\n2～360の整数値を入力し"
                                  "てください。"),
                   MsgIcon::Exclamation, title);
        else
            break;
    }
    const auto wide = [](double degrees) {
        return vb::ToWide(vb::Format(degrees, QStringLiteral("0.00")));
    };
    const QString question = QStringLiteral("角幅を変更します。\r\n\r\n") + wide(360.0 / current) +
                             QStringLiteral("度　→　 ") + wide(360.0 / v) +
                             QStringLiteral("度\r\n\r\nよろしいですか？");
    if (dialogs_.message(question, MsgButtons::YesNo, MsgIcon::Exclamation, title) !=
        MsgResult::Yes)
        return;
    roseDivisions_ = v;
    BMMain::WriteIniString(QStringLiteral("解像度"), QStringLiteral("分割角度数"),
                           QString::number(v));
    DrawRose(0);
}
