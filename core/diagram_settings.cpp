#include "core/diagram_settings.h"

#include "core/bmmain.h"

#include <QString>

namespace DiagramSettings {

namespace {

const QString kGridSection = QStringLiteral("ｸﾞﾘｯﾄﾞ");

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

} // namespace DiagramSettings
