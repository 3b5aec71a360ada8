#include "core/scan_count.h"

#include "core/vb.h"

#include <cmath>

namespace ScanCount {

Answer Interpret(const QString& answer) {
    // Typed with the input method on, the digits come in full width ("３００").
    const double entered = vb::RoundHalfEven(vb::Val(vb::ToNarrow(answer)));
    if (std::isnan(entered))
        return {};
    // Reduced in magnitude to a multiple of 20, in floating point so that no size overflows.
    const double lines = std::trunc(entered / 20) * 20;
    if (lines > kMaxLines)
        return {Answer::TooMany, 0};
    if (lines <= 0)
        return {};
    return {Answer::NewRadius, int(lines) / 2};
}

QString Prompt() {
    return QStringLiteral("走査数を20の倍数で入力して下さい。");
}

QString Title() {
    return QStringLiteral("走査数の変更");
}

QString Question(int oldRadius, int newRadius) {
    return QStringLiteral("走査数を変更します。\r\n") + vb::ToWide(QString::number(2 * oldRadius)) +
           QStringLiteral("本 → ") + vb::ToWide(QString::number(2 * newRadius)) +
           QStringLiteral("本\r\nよろしいですか？");
}

QString TooManyText() {
    return QStringLiteral("走査数は%1本以下で入力して下さい。").arg(kMaxLines);
}

} // namespace ScanCount
