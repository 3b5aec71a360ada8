// The text of a file a spreadsheet or a field tool wrote: UTF-8 with or without a byte-order
// mark, UTF-16 with one, or the Windows Japanese code page (CP932), told apart by the bytes.
#pragma once

#include <QByteArray>
#include <QString>

namespace TextDecoding {

enum class Encoding { Utf8, Utf16, Cp932 };

struct Decoded {
    QString text; // without the byte-order mark
    Encoding encoding = Encoding::Utf8;
};

// Bytes that are valid UTF-8 (plain ASCII included) read as UTF-8; a UTF-16 byte-order mark
// selects UTF-16; anything else is CP932, as Japanese spreadsheets save CSV.
Decoded Decode(const QByteArray& bytes);

// "UTF-8", "UTF-16", "Shift_JIS": what the import preview shows.
QString EncodingName(Encoding encoding);

} // namespace TextDecoding
