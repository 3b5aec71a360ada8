#include "core/text_decoding.h"

#include "core/cp932.h"

#include <QStringDecoder>

namespace TextDecoding {

Decoded Decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return {utf16(bytes.sliced(2)), Encoding::Utf16};
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return {text, Encoding::Utf8};
    }
    return {cp932::decode(bytes), Encoding::Cp932};
}

QString EncodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf16:
        return QStringLiteral("UTF-16");
    case Encoding::Cp932:
        break;
    }
    return QStringLiteral("Shift_JIS");
}

} // namespace TextDecoding
