#include "core/profile_text.h"

#include "core/cp932.h"

#include <QList>

namespace {

constexpr int kMaxValueBytes = 254;

// Lines without their terminators, so that untouched lines are written back unchanged.
struct Line {
    QByteArray bytes;  // without the line end
    QByteArray ending; // "\r\n", "\n" or "" for the last line
};

QList<Line> splitLines(const QByteArray& data) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype nl = data.indexOf('\n', start);
        if (nl < 0) {
            lines.append({data.mid(start), {}});
            break;
        }
        qsizetype end = nl;
        QByteArray ending("\n");
        if (end > start && data[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines.append({data.mid(start, end - start), ending});
        start = nl + 1;
    }
    return lines;
}

QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    return close < 0 ? t.mid(1).trimmed() : t.mid(1, close - 1).trimmed();
}

bool isSection(const QString& line) {
    return line.trimmed().startsWith(u'[');
}

// Key and value of a "key=value" line; false for other lines.
bool keyValue(const QString& line, QString& key, QString& value) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return !key.isEmpty();
}

QString cutToBytes(const QString& value) {
    QString out;
    int bytes = 0;
    for (const QChar c : value) {
        const int n = cp932::byteLength(QString(c));
        if (bytes + n > kMaxValueBytes)
            break;
        bytes += n;
        out += c;
    }
    return out;
}

} // namespace

namespace ProfileText {

QString Lookup(const QByteArray& data, const QString& section, const QString& key,
               const QString& defaultValue) {
    bool inSection = false;
    for (const Line& line : splitLines(data)) {
        const QString text = cp932::decode(line.bytes);
        if (isSection(text)) {
            inSection = sectionName(text).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString k, v;
        if (inSection && keyValue(text, k, v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return v.isEmpty() ? defaultValue : cutToBytes(v);
    }
    return defaultValue;
}

QByteArray WithValue(const QByteArray& data, const QString& section, const QString& key,
                     const QString& value) {
    QList<Line> lines = splitLines(data);
    const QByteArray newLine = cp932::encode(key + u'=' + value);

    qsizetype sectionAt = -1, lastInSection = -1, keyAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = cp932::decode(lines[i].bytes);
        if (isSection(text)) {
            if (sectionAt >= 0)
                break;
            if (sectionName(text).compare(section, Qt::CaseInsensitive) == 0)
                sectionAt = lastInSection = i;
            continue;
        }
        if (sectionAt < 0)
            continue;
        QString k, v;
        if (keyValue(text, k, v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            keyAt = i;
            break;
        }
        if (!text.trimmed().isEmpty())
            lastInSection = i;
    }

    // A line added after a last line without its line end gives that line one; every other
    // line stays as it was.
    const auto endLastLine = [&lines] {
        if (!lines.isEmpty() && lines.back().ending.isEmpty())
            lines.back().ending = "\r\n";
    };
    if (keyAt >= 0) {
        lines[keyAt].bytes = newLine;
    } else if (sectionAt >= 0) {
        if (lastInSection + 1 == lines.size())
            endLastLine();
        lines.insert(lastInSection + 1, {newLine, "\r\n"});
    } else {
        endLastLine();
        lines.append({cp932::encode(u'[' + section + u']'), "\r\n"});
        lines.append({newLine, "\r\n"});
    }

    QByteArray out;
    for (const Line& line : lines)
        out += line.bytes + line.ending;
    return out;
}

} // namespace ProfileText
