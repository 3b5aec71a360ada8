#include "app/title_codec.h"

#include "platform/vb.h"

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
    out.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return out;
}

} // namespace BMMain
