#include "core/document.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kInPlace = 15;

bool Latin1(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// Cell texts as the rows hand them out: a data set repeats the same few angles and letters,
// so the strings last made are handed out again instead of new ones.
QString SharedLatin1(const unsigned char* text, qsizetype length) {
    if (length == 0)
        return QString();
    uint32_t hash = 2166136261u;
    for (qsizetype i = 0; i < length; ++i)
        hash = (hash ^ text[i]) * 16777619u;
    thread_local std::array<QString, 256> recent;
    QString& slot = recent[hash & 0xFF];
    const QLatin1StringView wanted(reinterpret_cast<const char*>(text), length);
    if (slot != wanted)
        slot = wanted;
    return slot;
}

} // namespace

Document::Row::Row(QStringView joined) : bytes_{} {
    bytes_[kTag] = static_cast<unsigned char>(joined.size());
    for (qsizetype i = 0; i < joined.size(); ++i)
        bytes_[size_t(i)] = static_cast<unsigned char>(joined[i].unicode());
}

Document::Row::Row(const QString& strike, const QString& side, const QString& dip,
                   const QString& direction)
    : bytes_{} {
    const Cells cells{strike, side, dip, direction};
    qsizetype length = 3;
    bool inPlace = true;
    for (const QString& cell : cells) {
        length += cell.size();
        inPlace = inPlace && !cell.contains(u'\t') && Latin1(cell);
    }
    if (inPlace && length <= kInPlace) {
        size_t at = 0;
        for (size_t c = 0; c < 4; ++c) {
            if (c > 0)
                bytes_[at++] = '\t';
            for (const QChar ch : cells[c])
                bytes_[at++] = static_cast<unsigned char>(ch.unicode());
        }
        bytes_[kTag] = static_cast<unsigned char>(at);
        return;
    }
    const Cells* heap = new Cells(cells);
    std::memcpy(bytes_.data(), &heap, sizeof heap);
    bytes_[kTag] = kHeapTag;
}

Document::Row Document::Row::FromLine(QStringView line) {
    // Up to the fourth TAB: anything past it has no cell to go to.
    qsizetype end = 0;
    int tabs = 0;
    for (; end < line.size(); ++end) {
        if (line[end] == u'\t' && ++tabs == 4)
            break;
    }
    tabs = std::min(tabs, 3);
    const QStringView used = line.first(end);
    if (used.size() + (3 - tabs) <= kInPlace && Latin1(used)) {
        Row row(used);
        for (int t = tabs; t < 3; ++t)
            row.bytes_[row.bytes_[kTag]++] = '\t';
        return row;
    }
    Cells cells;
    qsizetype from = 0;
    for (QString& cell : cells) {
        const qsizetype tab = used.indexOf(u'\t', from);
        cell = used.mid(from, tab < 0 ? -1 : tab - from).toString();
        if (tab < 0)
            break;
        from = tab + 1;
    }
    return Row(cells[0], cells[1], cells[2], cells[3]);
}

Document::Row::Row(const Row& other) : bytes_(other.bytes_) {
    if (const Cells* heap = other.bytes_[kTag] == kHeapTag ? other.cells() : nullptr) {
        const Cells* copy = new Cells(*heap);
        std::memcpy(bytes_.data(), &copy, sizeof copy);
    }
}

Document::Row& Document::Row::operator=(const Row& other) {
    if (this != &other)
        *this = Row(other);
    return *this;
}

Document::Row& Document::Row::operator=(Row&& other) noexcept {
    if (this != &other) {
        release();
        bytes_ = other.bytes_;
        other.bytes_[kTag] = kEmptyTag;
    }
    return *this;
}

Document::Row::~Row() {
    release();
}

void Document::Row::release() {
    if (bytes_[kTag] == kHeapTag)
        delete cells();
    bytes_[kTag] = kEmptyTag;
}

const Document::Row::Cells* Document::Row::cells() const {
    const Cells* heap = nullptr;
    std::memcpy(&heap, bytes_.data(), sizeof heap);
    return heap;
}

const QString Document::Row::operator[](size_t cell) const {
    const unsigned char tag = bytes_[kTag];
    if (tag == kHeapTag)
        return (*cells())[cell];
    if (tag == kEmptyTag)
        return QString();
    size_t from = 0;
    for (size_t c = 0; c < cell; ++c)
        while (bytes_[from++] != '\t') {
        }
    size_t to = from;
    while (to < tag && bytes_[to] != '\t')
        ++to;
    return SharedLatin1(bytes_.data() + from, qsizetype(to - from));
}

bool Document::Row::AppendClipRow(QString& out) const {
    const unsigned char tag = bytes_[kTag];
    if (tag < kEmptyTag) {
        const auto* text = reinterpret_cast<const char*>(bytes_.data());
        if (std::memchr(text, '\r', tag))
            return false;
        out += QLatin1StringView(text, tag);
        return true;
    }
    for (size_t c = 0; c < 4; ++c)
        if ((*this)[c].contains(u'\t') || (*this)[c].contains(u'\r'))
            return false;
    for (size_t c = 0; c < 4; ++c) {
        if (c > 0)
            out += u'\t';
        out += (*this)[c];
    }
    return true;
}

bool operator==(const Document::Row& a, const Document::Row& b) {
    using Row = Document::Row;
    const unsigned char tag = a.bytes_[Row::kTag];
    // Rows in place are joined one way only; compared cell by cell otherwise.
    if (tag < Row::kEmptyTag && tag == b.bytes_[Row::kTag])
        return std::equal(a.bytes_.begin(), a.bytes_.begin() + tag, b.bytes_.begin());
    for (size_t c = 0; c < 4; ++c) {
        if (a[c] != b[c])
            return false;
    }
    return true;
}
