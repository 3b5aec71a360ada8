#include "core/data_cells.h"

#include "core/cp932.h"
#include "core/vb.h"

namespace DataCells {

bool NumeralOnly(int col) {
    return col == StrikeAngle || col == DipAngle;
}

int MaxLength(int col) {
    return col == StrikeAngle ? 4 : 2;
}

namespace {

// The runtime's Trim: spaces only.
QString TrimSpaces(const QString& s) {
    qsizetype from = 0, to = s.size();
    while (from < to && s[from] == u' ')
        ++from;
    while (to > from && s[to - 1] == u' ')
        --to;
    return s.mid(from, to - from);
}

} // namespace

QString Stored(const QString& text) {
    if (cp932::byteLength(text) == text.size())
        return text;
    return vb::UCase(TrimSpaces(vb::ToNarrow(text)));
}

QString EntryRefusal(int col, const QString& text) {
    if (col != DipAngle)
        return QString();
    // Judged as the text it becomes: full-width digits are stored as half-width ones. Text that
    // is not a number counts as 0 and passes.
    const int v = vb::CInt(vb::Val(vb::ToNarrow(text)));
    if (v < 0)
        return QStringLiteral("正の整数を入力してください。");
    if (v > 90)
        return QStringLiteral("0～90の整数を入力してください。");
    return QString();
}

QString Refusal(int col, const QString& text) {
    if (col < StrikeAngle || col > DipDirection)
        return QString();
    if (NumeralOnly(col)) {
        // The characters the keyboard lets into an angle cell.
        for (QChar ch : vb::ToNarrow(text))
            if (!QStringLiteral("+-/.0123456789").contains(ch))
                return QStringLiteral("数値を入力してください。");
    }
    const QString refusal = EntryRefusal(col, text);
    if (!refusal.isEmpty())
        return refusal;
    if (Stored(text).size() > MaxLength(col))
        return QStringLiteral("%1文字以内で入力してください。").arg(MaxLength(col));
    return QString();
}

} // namespace DataCells
