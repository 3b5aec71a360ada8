#include "core/data_cells.h"

#include "core/cp932.h"
#include "core/vb.h"

#include <algorithm>

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

// ASCII is one byte a character in CP932, and such a text is kept as it is.
bool Ascii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
}

// What Stored keeps of a text that is not all ASCII, given its narrow form.
QString StoredOf(const QString& text, const QString& narrow) {
    if (cp932::byteLength(text) == text.size())
        return text;
    return vb::UCase(TrimSpaces(narrow));
}

// Judged as the text it becomes: full-width digits are stored as half-width ones. Text that is
// not a number counts as 0 and passes.
QString DipRefusal(const QString& narrow) {
    const int v = vb::CInt(vb::Val(narrow));
    if (v < 0)
        return QStringLiteral("正の整数を入力してください。");
    if (v > 90)
        return QStringLiteral("0～90の整数を入力してください。");
    return QString();
}

} // namespace

QString Stored(const QString& text) {
    return Ascii(text) ? text : StoredOf(text, vb::ToNarrow(text));
}

QString EntryRefusal(int col, const QString& text) {
    return col == DipAngle ? DipRefusal(vb::ToNarrow(text)) : QString();
}

QString Refusal(int col, const QString& text) {
    if (col < StrikeAngle || col > DipDirection)
        return QString();
    const QString narrow = vb::ToNarrow(text);
    if (NumeralOnly(col)) {
        // The characters the keyboard lets into an angle cell.
        for (QChar ch : narrow)
            if (!QStringLiteral("+-/.0123456789").contains(ch))
                return QStringLiteral("数値を入力してください。");
    }
    if (col == DipAngle)
        if (const QString refusal = DipRefusal(narrow); !refusal.isEmpty())
            return refusal;
    const QString stored = Ascii(text) ? text : StoredOf(text, narrow);
    if (stored.size() > MaxLength(col))
        return QStringLiteral("%1文字以内で入力してください。").arg(MaxLength(col));
    return QString();
}

} // namespace DataCells
