#include "cell_store.h"

namespace tabula_detail {

namespace {

bool FitsInPlace(QStringView text, int limit) {
    if (text.size() > limit)
        return false;
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

} // namespace

CellText::CellText(QStringView text) {
    if (text.isEmpty())
        return;
    if (FitsInPlace(text, kInPlace)) {
        bits_ = 1 | uint64_t(text.size()) << 1;
        for (qsizetype i = 0; i < text.size(); ++i)
            bits_ |= uint64_t(text[i].unicode()) << (8 * (i + 1));
    } else {
        bits_ = reinterpret_cast<uint64_t>(new QString(text.toString()));
    }
}

CellText::CellText(const QString& text) {
    if (text.isEmpty())
        return;
    if (FitsInPlace(text, kInPlace))
        *this = CellText(QStringView(text));
    else
        bits_ = reinterpret_cast<uint64_t>(new QString(text)); // shares the caller's string
}

CellText CellText::Number(int64_t n) {
    char digits[24];
    int length = 0;
    const bool negative = n < 0;
    uint64_t v = negative ? uint64_t(0) - uint64_t(n) : uint64_t(n);
    do {
        digits[length++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        digits[length++] = '-';
    char16_t text[24];
    for (int i = 0; i < length; ++i)
        text[i] = char16_t(digits[length - 1 - i]);
    return CellText(QStringView(text, length));
}

CellText::CellText(const CellText& other) : bits_(other.bits_) {
    if (bits_ != 0 && !inPlace())
        bits_ = reinterpret_cast<uint64_t>(new QString(*other.heap()));
}

CellText& CellText::operator=(const CellText& other) {
    if (this != &other)
        *this = CellText(other);
    return *this;
}

CellText& CellText::operator=(CellText&& other) noexcept {
    if (this != &other) {
        release();
        bits_ = std::exchange(other.bits_, 0);
    }
    return *this;
}

CellText::~CellText() {
    release();
}

void CellText::release() {
    if (bits_ != 0 && !inPlace())
        delete heap();
    bits_ = 0;
}

QString CellText::toString() const {
    if (bits_ == 0)
        return QString();
    if (!inPlace())
        return *heap();
    QString out;
    appendTo(out);
    return out;
}

void CellText::appendTo(QString& out) const {
    if (bits_ == 0)
        return;
    if (!inPlace()) {
        out += *heap();
        return;
    }
    char chars[kInPlace];
    const int length = int(bits_ >> 1) & 7;
    for (int i = 0; i < length; ++i)
        chars[i] = char((bits_ >> (8 * (i + 1))) & 0xFF);
    out += QLatin1StringView(chars, length);
}

bool operator==(const CellText& a, const CellText& b) {
    if (a.bits_ == b.bits_)
        return true;
    // Texts in place are packed one way only; a string of its own never holds such a text.
    if (a.isEmpty() || b.isEmpty() || a.inPlace() || b.inPlace())
        return false;
    return *a.heap() == *b.heap();
}

// ---- the store ---------------------------------------------------------------------------

void CellStore::SetRows(int n) {
    // A grid made longer is usually filled next, row by row in every column.
    if (n > rows_)
        for (RowValues<CellText>& column : texts_)
            column.reserve(n);
    rows_ = n;
    EachRowArray([n](auto& values) { values.truncate(n); });
}

void CellStore::SetCols(int n) {
    texts_.resize(size_t(n));
    back_.resize(size_t(n));
    fore_.resize(size_t(n));
}

void CellStore::InsertRow(int index) {
    ++rows_;
    EachRowArray([index](auto& values) { values.insert(index); });
}

void CellStore::RemoveRow(int index) {
    --rows_;
    EachRowArray([index](auto& values) { values.erase(index); });
}

void CellStore::Clear() {
    for (auto* columns : {&back_, &fore_})
        for (RowValues<uint32_t>& column : *columns)
            column.clear();
    for (RowValues<CellText>& column : texts_)
        column.clear();
}

int CellStore::StoredRows() const {
    int rows = 0;
    for (const RowValues<CellText>& column : texts_)
        rows = std::max(rows, column.size());
    return rows;
}

QString CellStore::Text(int r, int c) const {
    const CellText& cell = Cell(r, c);
    if (!cell.inPlace())
        return cell.toString();
    const uint64_t bits = cell.bits();
    auto& [key, text] = recent_[size_t((bits * 0x9E3779B97F4A7C15ull) >> 55)];
    if (key != bits) {
        key = bits;
        text = cell.toString();
    }
    return text;
}

} // namespace tabula_detail
