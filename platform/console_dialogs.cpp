#include "platform/console_dialogs.h"

#include <QByteArray>

MsgResult ConsoleDialogs::message(const QString& text, MsgButtons buttons, MsgIcon, const QString&,
                                  int) {
    print(text);
    switch (buttons) {
    case MsgButtons::OK:
        return MsgResult::OK;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    default:
        return MsgResult::Cancel;
    }
}

void ConsoleDialogs::print(const QString& text) const {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    const QByteArray bytes = (QStringLiteral("qstereo: ") + lines + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream_);
    std::fflush(stream_);
}
