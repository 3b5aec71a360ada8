// The cells of one sheet of a workbook or of one text file, as read, with the line (or sheet
// row) number each row starts on. The cells lie one after another in one text, so a file of a
// million rows costs no text of its own per cell.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

class ImportTable {
  public:
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
    void addCell(QStringView text);
    // A cell at `column` of the current row, the ones it skips left empty (a sheet row whose
    // first cells are missing).
    void addCellAt(int column, QStringView text);
    // Drops the current row when it holds nothing but blanks.
    void dropRowIfBlank();
    void reserve(qsizetype characters, qsizetype cells);

  private:
    struct Row {
        int line = 0;
        int first = 0; // index of its first cell in starts_
        int count = 0;
    };
    QString text_;
    // Where each cell starts in text_; one more entry marks the end of the last.
    std::vector<qsizetype> starts_{0};
    std::vector<Row> rows_;
    int columns_ = 0;
};
