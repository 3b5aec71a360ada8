#include "core/import_table.h"

QStringView ImportTable::cell(int row, int column) const {
    const Row& r = rows_[size_t(row)];
    if (column < 0 || column >= r.count)
        return {};
    const size_t at = size_t(r.first + column);
    return QStringView(text_).sliced(starts_[at], starts_[at + 1] - starts_[at]);
}

bool ImportTable::isBlank(int row) const {
    for (int c = 0; c < cellCount(row); ++c)
        if (!cell(row, c).trimmed().isEmpty())
            return false;
    return true;
}

void ImportTable::startRow(int line) {
    rows_.push_back({line, int(starts_.size()) - 1, 0});
}

void ImportTable::addCell(QStringView text) {
    text_.append(text);
    starts_.push_back(text_.size());
    Row& r = rows_.back();
    ++r.count;
    columns_ = std::max(columns_, r.count);
}

void ImportTable::addCellAt(int column, QStringView text) {
    while (rows_.back().count < column)
        addCell({});
    addCell(text);
}

void ImportTable::dropRowIfBlank() {
    if (rows_.empty() || !isBlank(rowCount() - 1))
        return;
    const Row r = rows_.back();
    rows_.pop_back();
    starts_.resize(size_t(r.first) + 1);
    text_.truncate(starts_.back());
}

void ImportTable::reserve(qsizetype characters, qsizetype cells) {
    text_.reserve(characters);
    starts_.reserve(size_t(cells) + 1);
}
