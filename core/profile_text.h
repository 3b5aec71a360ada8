// The text of a private-profile ("ini") file: bracketed sections and key=value lines in CP932.
#pragma once

#include <QByteArray>
#include <QString>

namespace ProfileText {

// The value of `key` in `section` (both found ignoring letter case), cut at 254 bytes; the
// default when the section or key is missing or the value is empty.
QString Lookup(const QByteArray& data, const QString& section, const QString& key,
               const QString& defaultValue);
// The file with the value set, the section or key added as needed; every other line is kept
// byte for byte.
QByteArray WithValue(const QByteArray& data, const QString& section, const QString& key,
                     const QString& value);

} // namespace ProfileText
