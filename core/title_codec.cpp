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
    // The title editor asks for "￥ｎ": a full-width n or backslash counts like a half-width one.
    QString decoded;
    decoded.reserve(out.size());
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool backslash = out[i] == u'\\' || out[i] == QChar(0xFF3C);
        if (backslash && i + 1 < out.size() && vb::ToNarrow(out.mid(i + 1, 1)).toUpper() == u"N") {
            decoded += QStringLiteral("\r\n");
            ++i;
        } else {
            decoded += out[i];
        }
    }
    return decoded;
}

} // namespace BMMain
