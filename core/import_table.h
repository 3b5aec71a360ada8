// The cells of one sheet of a workbook or of one text file, as read, with the line (or sheet
// row) number each row starts on. Cells are spans of one text: a text file's cells are spans of
// the file's own text, so a file of a million rows is not copied cell by cell. A table holds no
// blank rows: whoever fills it drops them (dropRowIfBlank) as each row ends.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

class ImportTable {
  public:
    // The text the cells added with addSpan are parts of (a text file's whole text).
    explicit ImportTable(QString text = {}) : text_(std::move(text)) {}

    int rowCount() const { return int(rows_.size()); }
    // Cells in the widest row.
    int columnCount() const { return columns_; }
    // The file's line number (first line 1) or the sheet's row number.
    int line(int row) const { return rows_[size_t(row)].line; }
    int cellCount(int row) const { return rows_[size_t(row)].count; }
    // Empty beyond the cells the row has.
    QStringView cell(int row, int column) const;
    // Every cell of the row is blank.
    bool isBlank(int row) const;

    void startRow(int line);
    // A cell of the text given at construction.
    void addSpan(qsizetype start, qsizetype length);
    // A cell of its own text; false, adding nothing, when the table's text would grow beyond
    // kMaxText.
    bool addCell(QStringView text);
    // A cell at `column` of the current row, the ones it skips left empty (a sheet row whose
    // first cells are missing); false as addCell.
    bool addCellAt(int column, QStringView text);
    // Drops the current row when it holds nothing but blanks.
    void dropRowIfBlank();
    void reserveCells(qsizetype cells) { cells_.reserve(size_t(cells)); }

    // The longest text a table holds: its spans are 32-bit.
    static constexpr qsizetype kMaxText = 0x7FFFFFFF;

  private:
    struct Span {
        uint32_t start = 0;
        uint32_t length = 0;
    };
    struct Row {
        int line = 0;
        int first = 0; // index of its first cell in cells_
        int count = 0;
    };
    QString text_;
    std::vector<Span> cells_;
    std::vector<Row> rows_;
    int columns_ = 0;
};
