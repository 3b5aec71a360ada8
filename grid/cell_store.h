// What the inner grid holds for its cells and rows, kept small for a million rows: a short
// text sits in its cell without a heap string, colours, heights and merge flags take room only
// once set, and rows past the last one written hold nothing at all.
#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tabula_detail {

// A cell's text in eight bytes: up to seven Latin-1 characters in place, a longer or wider text
// as a string of its own.
class CellText {
  public:
    CellText() = default;
    explicit CellText(QStringView text);
    explicit CellText(const QString& text);
    // The decimal digits of n (0 <= n < 10^7 fits in place).
    static CellText Number(int64_t n);
    CellText(const CellText& other);
    CellText(CellText&& other) noexcept : bits_(std::exchange(other.bits_, 0)) {}
    CellText& operator=(const CellText& other);
    CellText& operator=(CellText&& other) noexcept;
    ~CellText();

    bool isEmpty() const { return bits_ == 0; }
    bool inPlace() const { return (bits_ & 1) != 0; }
    // The packed form of a text in place; the same text always packs alike.
    uint64_t bits() const { return bits_; }
    QString toString() const;
    void appendTo(QString& out) const;
    friend bool operator==(const CellText& a, const CellText& b);

  private:
    static constexpr int kInPlace = 7;
    const QString* heap() const { return reinterpret_cast<const QString*>(bits_); }
    void release();
    // Low bit 1: length in bits 1-3, the characters in bytes 1-7. Otherwise a QString*
    // (null for the empty text).
    uint64_t bits_ = 0;
};

// Values by row; rows past the stored ones hold the default.
template <class T> class RowValues {
  public:
    explicit RowValues(T empty = T()) : empty_(std::move(empty)) {}
    const T& at(int r) const { return size_t(r) < values_.size() ? values_[size_t(r)] : empty_; }
    void set(int r, T value) {
        if (size_t(r) < values_.size()) {
            values_[size_t(r)] = std::move(value);
        } else if (!(value == empty_)) {
            values_.resize(size_t(r), empty_);
            values_.push_back(std::move(value)); // rows written in order just append
        }
    }
    void insert(int r) {
        if (size_t(r) < values_.size())
            values_.insert(values_.begin() + r, empty_);
    }
    void erase(int r) {
        if (size_t(r) < values_.size())
            values_.erase(values_.begin() + r);
    }
    void truncate(int rows) {
        if (size_t(rows) < values_.size())
            values_.resize(size_t(rows), empty_);
    }
    void clear() { std::vector<T>().swap(values_); }
    // Room for `rows` without moving what is stored; memory not yet written costs nothing.
    void reserve(int rows) {
        if (size_t(rows) > values_.capacity())
            values_.reserve(std::max(size_t(rows), 2 * values_.capacity()));
    }
    // Rows up to the last one written; those after it hold the default.
    int size() const { return int(values_.size()); }

  private:
    std::vector<T> values_;
    T empty_;
};

class CellStore {
  public:
    int Rows() const { return rows_; }
    void SetRows(int n);
    void SetCols(int n);
    // A row of empty cells before row `index` (index == Rows() appends).
    void InsertRow(int index);
    void RemoveRow(int index);
    // Every text and colour emptied; rows, heights and merge flags stay.
    void Clear();

    // Rows from this one on hold no text in any column (0 after Clear).
    int StoredRows() const;
    QString Text(int r, int c) const;
    const CellText& Cell(int r, int c) const { return texts_[size_t(c)].at(r); }
    void SetText(int r, int c, CellText text) { texts_[size_t(c)].set(r, std::move(text)); }
    uint32_t BackColor(int r, int c) const { return back_[size_t(c)].at(r); }
    uint32_t ForeColor(int r, int c) const { return fore_[size_t(c)].at(r); }
    void SetBackColor(int r, int c, uint32_t v) { back_[size_t(c)].set(r, v); }
    void SetForeColor(int r, int c, uint32_t v) { fore_[size_t(c)].set(r, v); }
    int RowHeight(int r) const { return heights_.at(r); } // -1 = default
    void SetRowHeight(int r, int twips) { heights_.set(r, twips); }
    bool MergeRow(int r) const { return merge_.at(r) != 0; }
    void SetMergeRow(int r, bool v) { merge_.set(r, v ? 1 : 0); }

  private:
    // Calls visit on every array that holds a value per row.
    template <class Visit> void EachRowArray(Visit visit) {
        for (auto* columns : {&back_, &fore_})
            for (RowValues<uint32_t>& column : *columns)
                visit(column);
        for (RowValues<CellText>& column : texts_)
            visit(column);
        visit(heights_);
        visit(merge_);
    }

    int rows_ = 0;
    std::vector<RowValues<CellText>> texts_; // by column
    std::vector<RowValues<uint32_t>> back_;  // 0 = the grid's default colour
    std::vector<RowValues<uint32_t>> fore_;
    RowValues<int> heights_{-1};
    RowValues<uint8_t> merge_;
    // The strings last handed out for texts in place: a data set repeats the same few angles
    // and letters, so reading its cells seldom makes a new string.
    mutable std::array<std::pair<uint64_t, QString>, 512> recent_;
};

} // namespace tabula_detail
