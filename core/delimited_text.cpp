#include "core/delimited_text.h"

#include "core/import_columns.h"

namespace DelimitedText {

namespace {

bool IsLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

// Past the line end at `i`: CR LF, LF or CR.
qsizetype SkipLineEnd(QStringView text, qsizetype i) {
    if (i < text.size() && text[i] == u'\r')
        ++i;
    else if (i < text.size() && text[i] == u'\n')
        return i + 1;
    if (i < text.size() && text[i] == u'\n')
        ++i;
    return i;
}

// Calls visit(line number, from, to) for each line of the text, its line end left out, while
// visit returns true.
template <class Visit> void ForEachLine(QStringView text, Visit visit) {
    qsizetype i = 0;
    for (int line = 1; i < text.size(); ++line) {
        qsizetype end = i;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        if (!visit(line, i, end))
            return;
        i = SkipLineEnd(text, end);
    }
}

// The first line that holds anything but blanks.
QStringView FirstLine(QStringView text) {
    QStringView first;
    ForEachLine(text, [&](int, qsizetype from, qsizetype to) {
        first = text.sliced(from, to - from);
        return first.trimmed().isEmpty();
    });
    return first.trimmed().isEmpty() ? QStringView() : first;
}

// Where the blank-separated words of text[from, to) lie.
template <class Add> void ForEachWord(QStringView text, qsizetype from, qsizetype to, Add add) {
    qsizetype i = from;
    while (i < to) {
        while (i < to && IsBlank(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < to && !IsBlank(text[i]))
            ++i;
        if (i > start)
            add(start, i - start);
    }
}

// One line per row: the whole line as one cell, or its words.
ImportTable ParseLines(QString source, bool words) {
    ImportTable table(source);
    const QStringView text(source);
    table.reserveCells(text.size() / 8);
    ForEachLine(text, [&](int line, qsizetype from, qsizetype to) {
        if (!text.sliced(from, to - from).trimmed().isEmpty()) {
            table.startRow(line);
            if (words)
                ForEachWord(text, from, to,
                            [&](qsizetype at, qsizetype n) { table.addSpan(at, n); });
            else
                table.addSpan(from, to - from);
        }
        return true;
    });
    return table;
}

} // namespace

Separator Detect(QStringView text) {
    const QStringView line = FirstLine(text);
    bool quoted = false;
    bool comma = false, semicolon = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\t')
            return Separator::Tab;
        else if (c == u',')
            comma = true;
        else if (c == u';')
            semicolon = true;
    }
    if (comma)
        return Separator::Comma;
    if (semicolon)
        return Separator::Semicolon;
    int count = 0;
    bool known = false;
    ForEachWord(line, 0, line.size(), [&](qsizetype at, qsizetype n) {
        ++count;
        known = known || ImportColumns::RoleOf(line.sliced(at, n)) != ImportColumns::Role::None;
    });
    return count > 1 && known ? Separator::Blanks : Separator::None;
}

ImportTable Parse(QString source, Separator separator) {
    if (separator == Separator::None || separator == Separator::Blanks)
        return ParseLines(std::move(source), separator == Separator::Blanks);
    const QChar split = separator == Separator::Tab     ? QChar(u'\t')
                        : separator == Separator::Comma ? QChar(u',')
                                                        : QChar(u';');
    // The table shares the text; quoted cells, rewritten, are added to its end.
    ImportTable table(source);
    const QStringView text(source);
    table.reserveCells(text.size() / 4);
    QString quoted;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        table.startRow(line);
        for (;;) {
            if (i < n && text[i] == u'"') {
                // A quoted cell: separators and line ends inside are its own, "" is a quote.
                quoted.clear();
                for (++i; i < n; ++i) {
                    const QChar c = text[i];
                    if (c == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            quoted += c;
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n')))
                        ++line;
                    quoted += c;
                }
                // Whatever follows the closing quote up to the separator belongs to the cell.
                const qsizetype start = i;
                while (i < n && text[i] != split && !IsLineEnd(text[i]))
                    ++i;
                quoted += text.sliced(start, i - start);
                // Fits: the quoted cells together are no longer than the text.
                table.addCell(quoted);
            } else {
                const qsizetype start = i;
                while (i < n && text[i] != split && !IsLineEnd(text[i]))
                    ++i;
                table.addSpan(start, i - start);
            }
            if (i < n && text[i] == split) {
                ++i;
                continue;
            }
            break;
        }
        i = SkipLineEnd(text, i);
        ++line;
        table.dropRowIfBlank();
    }
    return table;
}

} // namespace DelimitedText
