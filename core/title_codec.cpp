#include "core/title_codec.h"

#include "core/vb.h"

namespace BMMain {

QString EncodeTitle(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    return out;
}

QString DecodeTitle(const QString& text) {
    QString out = text;
    out.replace(QChar(0xFFE5), u'\\');
    if (vb::InStrText(vb::ToNarrow(out), QStringLiteral("\\z")) > 0)
        return QString();
    // Only the half-width mark breaks the line: a stored "＼n" or "\ｎ" is text the user typed.
    out.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return out;
}

QString NarrowTypedLineBreaks(const QString& typed) {
    // A shown title holds no yen sign (it reads as a backslash), so only typing puts one there.
    const auto isYen = [](QChar c) { return c == QChar(0xFFE5) || c == QChar(0x00A5); };
    QString out;
    out.reserve(typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (isYen(typed[i]) && i + 1 < typed.size() &&
            vb::ToNarrow(typed.mid(i + 1, 1)).toUpper() == u"N") {
            out += QStringLiteral("\\n");
            ++i;
        } else {
            out += typed[i];
        }
    }
    return out;
}

} // namespace BMMain
