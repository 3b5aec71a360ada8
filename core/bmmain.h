// The program's start: its directory, the settings file and the global settings every
// drawing routine relies on.
#pragma once

#include <QString>
#include <cstdint>

namespace BMMain {

// The program directory, always ending in "/".
extern QString AppPath;
// Net radius in drawing units and half-width of the density grid ("走査線数").
extern int16_t NetRadius;
// Column blocks and rows per block of a printed data list ("印刷段数", "印刷行数").
extern int16_t PrintColumns;
extern int16_t PrintRows;

constexpr int16_t kMinNetRadius = 10;
constexpr int16_t kMaxNetRadius = 1000;

// The settings file: AppPath + "QStereo.ini" when the program folder takes it, else the
// same name in the user's configuration folder. Every reader and writer of a setting goes
// through it, so all of them use the same file.
QString SettingsPath();
// One value of the settings file; the default when the value is missing or empty.
QString GetIniString(const QString& section, const QString& key, const QString& defaultValue);
// Writes one value of the settings file; false when it could not be written.
bool WriteIniString(const QString& section, const QString& key, const QString& value);

// A 16-bit integer setting; the default when the text does not convert or lies outside
// [minimum, maximum].
int16_t GetIniInteger(const QString& section, const QString& key, int16_t defaultValue,
                      int16_t minimum = INT16_MIN, int16_t maximum = INT16_MAX);
// A Boolean setting ("True"/"False" or a number); the default when it does not convert.
bool GetIniBoolean(const QString& section, const QString& key, bool defaultValue);

// Sets AppPath from a directory (appending "/" unless there is one).
void SetAppPath(const QString& directory);
// Reads NetRadius, PrintColumns and PrintRows from the settings file.
void LoadGlobalSettings();

} // namespace BMMain
