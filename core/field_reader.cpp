#include "core/field_reader.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == QChar(0x1A);
}

} // namespace

FieldReader::FieldReader(QStringView text) : text_(text), contentEnd_(text.size()) {
    while (contentEnd_ > 0 && isBlank(text_[contentEnd_ - 1]))
        --contentEnd_;
}

bool FieldReader::endsLine(qsizetype at) const {
    return text_[at] == u'\n' ||
           (text_[at] == u'\r' && (at + 1 >= text_.size() || text_[at + 1] != u'\n'));
}

void FieldReader::skipSpaces() {
    while (pos_ < text_.size() && text_[pos_] == u' ')
        ++pos_;
}

qsizetype FieldReader::lineEndFrom(qsizetype at) const {
    while (at < text_.size() && !isLineEnd(at))
        ++at;
    return at;
}

void FieldReader::consumeLineEnd() {
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == u'\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == u'\n')
            ++pos_;
        ++currentLine_;
    } else if (text_[pos_] == u'\n') {
        ++pos_;
        ++currentLine_;
    }
}

// The text of a quoted field starting at pos_ when it closes right at `end` (spaces may
// follow); nothing when the line is not such a field, so it is taken as it stands. The stand-in
// for a double quote inside the field is turned back into one.
std::optional<QString> FieldReader::quoted(qsizetype end) const {
    const qsizetype close = text_.mid(0, end).indexOf(u'"', pos_ + 1);
    if (close < 0)
        return std::nullopt;
    for (qsizetype j = close + 1; j < end; ++j) {
        if (text_[j] != u' ')
            return std::nullopt;
    }
    QString out = text_.mid(pos_ + 1, close - pos_ - 1).toString();
    out.replace(kQuoteStandIn, u'"');
    return out;
}

std::optional<QString> FieldReader::text() {
    skipSpaces();
    fieldLine_ = currentLine_;
    if (pos_ >= text_.size())
        return std::nullopt;
    const qsizetype end = lineEndFrom(pos_);
    std::optional<QString> field;
    if (text_[pos_] == u'"')
        field = quoted(end);
    if (!field)
        field = text_.mid(pos_, end - pos_).toString().remove(kQuoteStandIn);
    pos_ = end;
    consumeLineEnd();
    return field;
}

std::optional<QStringView> FieldReader::plainText() {
    qsizetype start = pos_;
    while (start < text_.size() && text_[start] == u' ')
        ++start;
    if (start >= text_.size() || text_[start] == u'"')
        return std::nullopt;
    const qsizetype end = lineEndFrom(start);
    const QStringView field = text_.sliced(start, end - start);
    if (field.contains(kQuoteStandIn))
        return std::nullopt;
    fieldLine_ = currentLine_;
    pos_ = end;
    consumeLineEnd();
    return field;
}

std::optional<QString> FieldReader::numberField() {
    skipSpaces();
    fieldLine_ = currentLine_;
    if (pos_ >= text_.size())
        return std::nullopt;
    qsizetype end = pos_;
    while (end < text_.size() && !isLineEnd(end) && text_[end] != u',')
        ++end;
    const QString field = text_.mid(pos_, end - pos_).toString().trimmed();
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == u',')
        ++pos_;
    else
        consumeLineEnd();
    return field;
}

std::optional<int> FieldReader::lineOfAnythingLeft() const {
    int line = currentLine_;
    for (qsizetype i = pos_; i < text_.size(); ++i) {
        const QChar c = text_[i];
        if (endsLine(i))
            ++line;
        else if (!isBlank(c))
            return line;
    }
    return std::nullopt;
}

qsizetype FieldReader::linesLeft() const {
    qsizetype lines = 0;
    for (qsizetype i = pos_; i < text_.size(); ++i) {
        if (endsLine(i))
            ++lines;
    }
    return lines + 1;
}
