// The undo history of the Tabula control: steps of cell texts and row changes, kept in the
// control's own terms (row, column, text) and bounded in steps and in bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace tabula_detail {

// What the history needs of the grid to take a step back or do it again.
class UndoTarget {
  public:
    virtual ~UndoTarget() = default;
    virtual void setText(int row, int col, const QString& text) = 0;
    virtual void insertRow(int index, const QStringList& texts) = 0; // texts by column
    virtual void removeRow(int index) = 0;
    virtual void setRowCount(int rows) = 0;
};

// Where a step took effect: the cells it wrote and the rows it inserted or removed (whole rows
// when `wholeRows`), and the first row whose position or existence changed (-1: none).
struct UndoSpan {
    int row1 = -1, col1 = -1, row2 = -1, col2 = -1;
    bool wholeRows = false;
    int firstMovedRow = -1;
    bool empty() const { return row1 < 0; }
};

// Reads the text of a cell while a change is recorded.
using CellReader = std::function<QString(int row, int col)>;

class UndoHistory {
  public:
    static constexpr int kDefaultSteps = 100;
    static constexpr qint64 kDefaultBytes = 64LL * 1024 * 1024;

    // Steps nest: what is recorded until the outermost end() is one step.
    void begin();
    void end();
    bool open() const { return depth_ > 0; }

    // Changes while a step is open. Writes that change nothing are not kept.
    void recordText(int row, int col, const QString& before, QStringView after);
    void recordInsertRow(int index, const QStringList& texts);
    void recordRemoveRow(int index, int cols, const CellReader& text);
    // Rows oldRows..newRows - 1 appear, or newRows..oldRows - 1 (read through `text`) go.
    // Rows from `textRows` on are known to be empty and are not read.
    void recordRowCount(int oldRows, int newRows, int cols, int textRows, const CellReader& text);

    // The recorded positions no longer describe the grid: everything is dropped, an open step
    // included, and the clean point cannot be reached again.
    void invalidate();
    // Drops every step; the clean point stays only when it is where the contents are now.
    void clear();

    bool canUndo() const { return position_ > 0 && !open(); }
    bool canRedo() const { return position_ < steps_.size() && !open(); }
    UndoSpan undo(UndoTarget& target);
    UndoSpan redo(UndoTarget& target);

    void setCleanPoint() { clean_ = static_cast<qint64>(position_); }
    bool atCleanPoint() const { return clean_ == static_cast<qint64>(position_); }

    int stepLimit() const { return stepLimit_; }
    void setStepLimit(int steps);
    qint64 byteLimit() const { return byteLimit_; }
    void setByteLimit(qint64 bytes);
    // Bytes the kept steps hold.
    qint64 bytes() const { return bytes_; }

  private:
    struct Entry {
        enum Kind : uint8_t { Cells, InsertRows, RemoveRows, RowCount };
        Kind kind = Cells;
        // Cells: the block's first cell, its shape and the cells of its last row, filled row
        // by row. InsertRows / RemoveRows: `rows` rows of `cols` cells at `row`, in the order
        // they were inserted or removed. RowCount: `row` rows before, `rows` after, the texts
        // of the rows before `filled` kept (the rows after it were empty).
        int row = 0, col = 0, rows = 0, cols = 0, filled = 0;
        // Where the entry's texts start in the step's two pools.
        qsizetype before = 0, after = 0;
    };
    struct Step {
        std::vector<Entry> entries;
        QByteArray before, after; // texts, each as its UTF-8 length and bytes
        UndoSpan span;
        qint64 bytes() const;
    };

    bool keeping();
    static bool extends(const Entry& e, int row, int col);
    Entry& newEntry(Entry::Kind kind);
    Entry& rowEntry(Entry::Kind kind, int index, int cols);
    void widen(int row1, int col1, int row2, int col2, bool wholeRows, int movedRow);
    void checkSize();
    void enforceLimits();
    void dropOldest();
    void dropNewest();

    std::deque<Step> steps_;
    size_t position_ = 0; // steps done; steps_[position_..] can be redone
    qint64 clean_ = 0;    // the position of the clean contents, -1 when out of reach
    qint64 bytes_ = 0;
    int stepLimit_ = kDefaultSteps;
    qint64 byteLimit_ = kDefaultBytes;

    int depth_ = 0;
    Step current_;
    bool changed_ = false;  // the open step changed something
    bool dropping_ = false; // the open step is not kept (too large, or invalidated)
};

} // namespace tabula_detail
