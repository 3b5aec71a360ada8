#include "windows/title_codec_bridge.h"

#include "platform/vb.h"

namespace TitleCodec {

QString Encode(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    return out;
}

QString Decode(const QString& text) {
    QString out = text;
    out.replace(QChar(0xFFE5), u'\\');
    if (vb::InStrText(vb::ToNarrow(out), QStringLiteral("\\z")) > 0)
        return QString();
    out.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return out;
}

} // namespace TitleCodec
