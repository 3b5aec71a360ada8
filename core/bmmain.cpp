#include "core/bmmain.h"

#include "core/profile.h"
#include "core/vb.h"

namespace BMMain {

QString AppPath;
int16_t NetRadius = 100;
int16_t PrintColumns = 3;
int16_t PrintRows = 30;

QString SettingsPath() {
    return ProfileFile::Resolve(AppPath + QStringLiteral("QStereo.ini"));
}

QString GetIniString(const QString& section, const QString& key, const QString& defaultValue) {
    return ProfileFile(SettingsPath()).read(section, key, defaultValue);
}

bool WriteIniString(const QString& section, const QString& key, const QString& value) {
    return ProfileFile(SettingsPath()).write(section, key, value);
}

int16_t GetIniInteger(const QString& section, const QString& key, int16_t defaultValue,
                      int16_t minimum, int16_t maximum) {
    const auto number = vb::ParseNumber(GetIniString(section, key, QString::number(defaultValue)));
    if (!number)
        return defaultValue;
    const auto value = vb::CIntChecked(*number);
    if (!value || *value < minimum || *value > maximum)
        return defaultValue;
    return *value;
}

bool GetIniBoolean(const QString& section, const QString& key, bool defaultValue) {
    const auto value = vb::ParseBoolean(GetIniString(
        section, key, defaultValue ? QStringLiteral("True") : QStringLiteral("False")));
    return value.value_or(defaultValue);
}

void SetAppPath(const QString& directory) {
    AppPath = directory;
    if (!AppPath.endsWith(u'/'))
        AppPath += u'/';
}

void LoadGlobalSettings() {
    const QString section = QStringLiteral("解像度");
    NetRadius =
        GetIniInteger(section, QStringLiteral("走査線数"), 100, kMinNetRadius, kMaxNetRadius);
    PrintColumns = GetIniInteger(section, QStringLiteral("印刷段数"), 3, 1);
    // A page needs its two header rows and at least one row of data.
    PrintRows = GetIniInteger(section, QStringLiteral("印刷行数"), 30, 3);
}

} // namespace BMMain
