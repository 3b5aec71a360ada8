#include "core/diagram_settings.h"

#include "core/bmmain.h"

#include <QString>

namespace DiagramSettings {

namespace {

const QString kGridSection = QStringLiteral("ｸﾞﾘｯﾄﾞ");
const QString kPlotSection = QStringLiteral("投影図");
const QString kPlotModeKey = QStringLiteral("描画");
const QString kPlotStatisticsKey = QStringLiteral("ｶﾞｰﾄﾞﾙと平均極");

const std::array<QString, 3>& GridKeys() {
    static const std::array<QString, 3> keys = {QStringLiteral("投影図"), QStringLiteral("段彩図"),
                                                QStringLiteral("ｺﾝﾀｰ図")};
    return keys;
}

} // namespace

GridFlags ReadGridVisible() {
    GridFlags flags{};
    for (size_t i = 0; i < flags.size(); ++i)
        flags[i] = BMMain::GetIniBoolean(kGridSection, GridKeys()[i], false);
    return flags;
}

void WriteGridVisible(const GridFlags& flags) {
    for (size_t i = 0; i < flags.size(); ++i)
        BMMain::WriteIniString(kGridSection, GridKeys()[i],
                               flags[i] ? QStringLiteral("True") : QStringLiteral("False"));
}

int16_t ReadRoseDivisions() {
    return BMMain::GetIniInteger(QStringLiteral("解像度"), QStringLiteral("分割角度数"),
                                 kDefaultRoseDivisions, 1, kMaxRoseDivisions);
}

QString PlotModeText(PlotMode mode) {
    switch (mode) {
    case PlotMode::Circles:
        return QStringLiteral("circles");
    case PlotMode::Both:
        return QStringLiteral("both");
    case PlotMode::Poles:
        break;
    }
    return QStringLiteral("poles");
}

std::optional<PlotMode> PlotModeFromText(const QString& text) {
    for (const PlotMode mode : {PlotMode::Poles, PlotMode::Circles, PlotMode::Both})
        if (text.trimmed().compare(PlotModeText(mode), Qt::CaseInsensitive) == 0)
            return mode;
    return std::nullopt;
}

PlotMode ReadPlotMode() {
    return PlotModeFromText(BMMain::GetIniString(kPlotSection, kPlotModeKey, QString()))
        .value_or(PlotMode::Poles);
}

void WritePlotMode(PlotMode mode) {
    BMMain::WriteIniString(kPlotSection, kPlotModeKey, PlotModeText(mode));
}

bool ReadPlotStatistics() {
    return BMMain::GetIniBoolean(kPlotSection, kPlotStatisticsKey, false);
}

void WritePlotStatistics(bool on) {
    BMMain::WriteIniString(kPlotSection, kPlotStatisticsKey,
                           on ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace DiagramSettings
