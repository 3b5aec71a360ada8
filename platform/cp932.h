// The 8-bit text of the settings and data files: Windows code page 932.
#pragma once

#include <QByteArray>
#include <QString>

namespace cp932 {

// Characters without a CP932 form become "?".
QByteArray encode(const QString& text);
// Bytes that are not CP932 become U+FFFD.
QString decode(const QByteArray& bytes);
// The length of a text in CP932 bytes (its "ANSI length").
int byteLength(const QString& text);

} // namespace cp932
