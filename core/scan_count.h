// The scan-count command's arithmetic and texts: the answer of its input box (scan lines
// across the diameter, a multiple of 20) turned into a new net radius.
#pragma once

#include <QString>

namespace ScanCount {

// Most scan lines an answer may give: twice the largest radius the settings file accepts.
constexpr int kMaxLines = 2000;

struct Answer {
    enum Kind {
        Unchanged, // no positive radius (blank, Cancel, non-numeric, too small, negative)
        TooMany,   // more than kMaxLines: refused with TooManyText
        NewRadius, // `radius` is the radius to ask about
    };
    Kind kind = Unchanged;
    int radius = 0;
};

// The answer (full-width digits read as digits) rounded half to even, cut towards zero to a
// multiple of 20 and halved ("250" -> radius 120, "30.5" -> 10). Any size of number is taken,
// none overflows.
Answer Interpret(const QString& answer);

QString Prompt(); // "走査数を20の倍数で入力して下さい。"
QString Title();  // "走査数の変更"
// The confirmation: "走査数を変更します。" / "２００本 → ３００本" / "よろしいですか？".
QString Question(int oldRadius, int newRadius);
// The refusal of an answer above kMaxLines lines.
QString TooManyText();

} // namespace ScanCount
