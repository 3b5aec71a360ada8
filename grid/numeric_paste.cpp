#include "numeric_paste.h"

namespace tabula_detail {

QString ToHalfWidth(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        const char16_t u = ch.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            ch = QChar(static_cast<char16_t>(u - 0xFEE0));
        else if (u == 0x3000)
            ch = QLatin1Char(' ');
    }
    return out;
}

QString CleanNumericPaste(const QString& text, bool allowDecimal) {
    const QString half = ToHalfWidth(text);
    QString out;
    out.reserve(half.size());
    bool valid = true, skipping = false, atCellStart = true;
    for (QChar ch : half) {
        if (ch == QLatin1Char('.')) {
            if (allowDecimal)
                out += ch;
            else if (valid)
                skipping = true;
            atCellStart = false;
        } else if (ch == QLatin1Char('-') || ch == QLatin1Char('/')) {
            if (atCellStart && !skipping) {
                out += ch;
                valid = true;
                atCellStart = false;
            } else {
                skipping = true;
                valid = false;
            }
        } else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            if (!skipping) {
                out += ch;
                valid = true;
            }
            atCellStart = false;
        } else if (ch == QLatin1Char('\t') || ch == QLatin1Char('\r')) {
            out += ch;
            valid = true;
            skipping = false;
            atCellStart = true;
        } else if (valid) {
            skipping = true;
            atCellStart = false;
        }
    }
    return out;
}

QString CleanNumericPasteByColumn(const QString& text, int c0, const std::vector<bool>& numeric,
                                  bool allowDecimal) {
    QString out;
    out.reserve(text.size());
    int c = c0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char('\t') && text[i] != QLatin1Char('\r'))
            continue;
        const QString cell = text.mid(start, i - start);
        const bool clean = c >= 0 && c < static_cast<int>(numeric.size()) && numeric[c];
        out += clean ? CleanNumericPaste(cell, allowDecimal) : cell;
        if (i < text.size()) {
            out += text[i];
            c = text[i] == QLatin1Char('\t') ? c + 1 : c0;
        }
        start = i + 1;
    }
    return out;
}

} // namespace tabula_detail
