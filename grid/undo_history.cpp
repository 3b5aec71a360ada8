#include "undo_history.h"

#include <algorithm>

namespace tabula_detail {

namespace {

// A text goes into a pool as its UTF-8 length (seven bits a byte, low first) and its bytes:
// cell texts are mostly short ASCII, so most cost one byte more than their characters.
void PutLength(QByteArray& pool, quint64 n) {
    do {
        char b = static_cast<char>(n & 0x7F);
        n >>= 7;
        if (n)
            b = static_cast<char>(b | 0x80);
        pool.append(b);
    } while (n);
}

void Put(QByteArray& pool, QStringView text) {
    // ASCII, the usual case, goes in without converting.
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
    if (ascii) {
        PutLength(pool, static_cast<quint64>(text.size()));
        for (QChar ch : text)
            pool.append(static_cast<char>(ch.unicode()));
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    PutLength(pool, static_cast<quint64>(utf8.size()));
    pool.append(utf8);
}

class PoolReader {
  public:
    PoolReader(const QByteArray& pool, qsizetype at) : pool_(pool), at_(at) {}
    QString next() {
        quint64 n = 0;
        int shift = 0;
        uchar b = 0;
        do {
            b = static_cast<uchar>(pool_[at_++]);
            n |= quint64(b & 0x7F) << shift;
            shift += 7;
        } while (b & 0x80);
        const QString text = QString::fromUtf8(pool_.constData() + at_, qsizetype(n));
        at_ += qsizetype(n);
        return text;
    }

  private:
    const QByteArray& pool_;
    qsizetype at_;
};

} // namespace

qint64 UndoHistory::Step::bytes() const {
    return qint64(sizeof(Step)) + before.size() + after.size() +
           qint64(entries.size() * sizeof(Entry));
}

// ---- recording ---------------------------------------------------------------------------

void UndoHistory::begin() {
    ++depth_;
}

void UndoHistory::end() {
    if (depth_ == 0 || --depth_ > 0)
        return;
    Step step = std::move(current_);
    current_ = Step{};
    const bool changed = changed_, dropped = dropping_;
    changed_ = dropping_ = false;
    if (!changed)
        return;
    // A new change leaves the undone steps behind.
    while (steps_.size() > position_)
        dropNewest();
    if (dropped || stepLimit_ == 0) {
        // What was not kept cannot be stepped over: nothing before it can be reached either.
        invalidate();
        return;
    }
    step.before.squeeze();
    step.after.squeeze();
    step.entries.shrink_to_fit();
    bytes_ += step.bytes();
    steps_.push_back(std::move(step));
    ++position_;
    enforceLimits();
}

UndoHistory::Entry& UndoHistory::newEntry(Entry::Kind kind) {
    Entry e;
    e.kind = kind;
    e.before = current_.before.size();
    e.after = current_.after.size();
    current_.entries.push_back(e);
    return current_.entries.back();
}

// True when the change is to be kept in the open step.
bool UndoHistory::keeping() {
    if (!open())
        return false;
    changed_ = true;
    return !dropping_ && stepLimit_ > 0;
}

// Writes that go on row by row through a block extend it.
bool UndoHistory::extends(const Entry& e, int row, int col) {
    if (e.kind != Entry::Cells)
        return false;
    if (e.filled < e.cols)
        return row == e.row + e.rows - 1 && col == e.col + e.filled;
    return (e.rows == 1 && row == e.row && col == e.col + e.cols) ||
           (row == e.row + e.rows && col == e.col);
}

void UndoHistory::recordText(int row, int col, const QString& before, QStringView after) {
    // A write that changes nothing is kept only inside a block, where it costs less than
    // starting a new block after it.
    Entry* e = current_.entries.empty() || dropping_ ? nullptr : &current_.entries.back();
    if (before == after && !(e && extends(*e, row, col)))
        return;
    if (!keeping())
        return;
    if (e && extends(*e, row, col)) {
        if (e->filled < e->cols) {
            ++e->filled;
        } else if (row == e->row) {
            ++e->cols;
            ++e->filled;
        } else {
            ++e->rows;
            e->filled = 1;
        }
    } else {
        Entry& n = newEntry(Entry::Cells);
        n.row = row;
        n.col = col;
        n.rows = n.cols = n.filled = 1;
    }
    Put(current_.before, before);
    Put(current_.after, after);
    widen(row, col, row, col, false, -1);
    checkSize();
}

// Rows inserted (or removed) one after another at the same place make one entry.
UndoHistory::Entry& UndoHistory::rowEntry(Entry::Kind kind, int index, int cols) {
    Entry* e = current_.entries.empty() ? nullptr : &current_.entries.back();
    if (!(e && e->kind == kind && e->row == index && e->cols == cols)) {
        e = &newEntry(kind);
        e->row = index;
        e->cols = cols;
    }
    ++e->rows;
    widen(index, 0, index + e->rows - 1, 0, true, index);
    return *e;
}

void UndoHistory::recordInsertRow(int index, const QStringList& texts) {
    if (!keeping())
        return;
    rowEntry(Entry::InsertRows, index, static_cast<int>(texts.size()));
    for (const QString& text : texts)
        Put(current_.after, text);
    checkSize();
}

void UndoHistory::recordRemoveRow(int index, int cols, const CellReader& text) {
    if (!keeping())
        return;
    rowEntry(Entry::RemoveRows, index, cols);
    for (int c = 0; c < cols; ++c)
        Put(current_.before, text(index, c));
    checkSize();
}

void UndoHistory::recordRowCount(int oldRows, int newRows, int cols, int textRows,
                                 const CellReader& text) {
    if (oldRows == newRows || !keeping())
        return;
    Entry& e = newEntry(Entry::RowCount);
    e.row = oldRows;
    e.rows = newRows;
    e.cols = cols;
    e.filled = std::max(newRows, std::min(oldRows, textRows));
    for (int r = newRows; r < e.filled; ++r)
        for (int c = 0; c < cols; ++c)
            Put(current_.before, text(r, c));
    // Rows added or dropped at the end are no place to show: they only renumber.
    widen(-1, -1, -1, -1, false, std::min(oldRows, newRows));
    checkSize();
}

void UndoHistory::widen(int row1, int col1, int row2, int col2, bool wholeRows, int movedRow) {
    UndoSpan& s = current_.span;
    if (row1 >= 0) {
        if (s.empty()) {
            s.row1 = row1;
            s.col1 = col1;
            s.row2 = row2;
            s.col2 = col2;
        } else {
            s.row1 = std::min(s.row1, row1);
            s.col1 = std::min(s.col1, col1);
            s.row2 = std::max(s.row2, row2);
            s.col2 = std::max(s.col2, col2);
        }
        s.wholeRows = s.wholeRows || wholeRows;
    }
    if (movedRow >= 0)
        s.firstMovedRow = s.firstMovedRow < 0 ? movedRow : std::min(s.firstMovedRow, movedRow);
}

// A step larger than all the history may hold is not kept at all, and stops costing memory
// as soon as it is known to be too large.
void UndoHistory::checkSize() {
    if (current_.bytes() <= byteLimit_)
        return;
    dropping_ = true;
    current_ = Step{};
}

void UndoHistory::invalidate() {
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    clean_ = -1;
    if (open()) {
        changed_ = true;
        dropping_ = true;
        current_ = Step{};
    }
}

void UndoHistory::clear() {
    const bool clean = atCleanPoint();
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    clean_ = clean ? 0 : -1;
    if (open() && changed_) {
        dropping_ = true;
        current_ = Step{};
    }
}

// ---- limits ------------------------------------------------------------------------------

void UndoHistory::setStepLimit(int steps) {
    stepLimit_ = std::max(0, steps);
    enforceLimits();
}

void UndoHistory::setByteLimit(qint64 bytes) {
    byteLimit_ = std::max<qint64>(0, bytes);
    enforceLimits();
}

// The oldest steps go first; undone steps waiting to be redone go only when nothing older is
// left, the farthest first.
void UndoHistory::enforceLimits() {
    while (!steps_.empty() &&
           (steps_.size() > static_cast<size_t>(stepLimit_) || bytes_ > byteLimit_)) {
        if (position_ > 0)
            dropOldest();
        else
            dropNewest();
    }
}

void UndoHistory::dropOldest() {
    bytes_ -= steps_.front().bytes();
    steps_.pop_front();
    --position_;
    if (clean_ >= 0)
        clean_ = clean_ == 0 ? -1 : clean_ - 1;
}

void UndoHistory::dropNewest() {
    bytes_ -= steps_.back().bytes();
    steps_.pop_back();
    if (clean_ > static_cast<qint64>(steps_.size()))
        clean_ = -1;
}

// ---- applying ----------------------------------------------------------------------------

UndoSpan UndoHistory::undo(UndoTarget& target) {
    if (!canUndo())
        return {};
    const Step& s = steps_[--position_];
    for (auto e = s.entries.rbegin(); e != s.entries.rend(); ++e) {
        PoolReader before(s.before, e->before);
        switch (e->kind) {
        case Entry::Cells:
            for (int i = 0, n = (e->rows - 1) * e->cols + e->filled; i < n; ++i)
                target.setText(e->row + i / e->cols, e->col + i % e->cols, before.next());
            break;
        case Entry::InsertRows:
            for (int k = 0; k < e->rows; ++k)
                target.removeRow(e->row);
            break;
        case Entry::RemoveRows:
            // The k-th row removed at `row` stood k rows below it.
            for (int k = 0; k < e->rows; ++k) {
                QStringList texts;
                for (int c = 0; c < e->cols; ++c)
                    texts << before.next();
                target.insertRow(e->row + k, texts);
            }
            break;
        case Entry::RowCount:
            target.setRowCount(e->row);
            for (int r = e->rows; r < e->filled; ++r)
                for (int c = 0; c < e->cols; ++c)
                    if (const QString text = before.next(); !text.isEmpty())
                        target.setText(r, c, text);
            break;
        }
    }
    return s.span;
}

UndoSpan UndoHistory::redo(UndoTarget& target) {
    if (!canRedo())
        return {};
    const Step& s = steps_[position_++];
    for (const Entry& e : s.entries) {
        PoolReader after(s.after, e.after);
        switch (e.kind) {
        case Entry::Cells:
            for (int i = 0, n = (e.rows - 1) * e.cols + e.filled; i < n; ++i)
                target.setText(e.row + i / e.cols, e.col + i % e.cols, after.next());
            break;
        case Entry::InsertRows:
            for (int k = 0; k < e.rows; ++k) {
                QStringList texts;
                for (int c = 0; c < e.cols; ++c)
                    texts << after.next();
                target.insertRow(e.row, texts);
            }
            break;
        case Entry::RemoveRows:
            for (int k = 0; k < e.rows; ++k)
                target.removeRow(e.row);
            break;
        case Entry::RowCount:
            target.setRowCount(e.rows);
            break;
        }
    }
    return s.span;
}

} // namespace tabula_detail
