// The 8-bit text of the settings and data files: Windows code page 932.
#pragma once

#include <QByteArray>
#include <QString>

namespace cp932 {

// Characters without a CP932 form become "?". The single bytes 0x80, 0xA0 and 0xFD to 0xFF
// read and write as Windows maps them (U+0080, U+F8F0 to U+F8F3), so they survive a round trip.
QByteArray encode(const QString& text);
// Bytes that are not CP932 become U+FFFD.
QString decode(const QByteArray& bytes);
// The length of a text in CP932 bytes (its "ANSI length").
int byteLength(const QString& text);

} // namespace cp932
