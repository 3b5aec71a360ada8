#include "core/import_table.h"

QStringView ImportTable::cell(int row, int column) const {
    const Row& r = rows_[size_t(row)];
    if (column < 0 || column >= r.count)
        return {};
    const Span s = cells_[size_t(r.first + column)];
    return QStringView(text_).sliced(s.start, s.length);
}

bool ImportTable::isBlank(int row) const {
    for (int c = 0; c < cellCount(row); ++c)
        if (!cell(row, c).trimmed().isEmpty())
            return false;
    return true;
}

void ImportTable::startRow(int line) {
    rows_.push_back({line, int(cells_.size()), 0});
}

void ImportTable::addSpan(qsizetype start, qsizetype length) {
    cells_.push_back({uint32_t(start), uint32_t(length)});
    Row& r = rows_.back();
    ++r.count;
    columns_ = std::max(columns_, r.count);
}

bool ImportTable::addCell(QStringView text) {
    const qsizetype start = text_.size();
    if (text.size() > kMaxText - start)
        return false;
    text_.append(text);
    addSpan(start, text.size());
    return true;
}

bool ImportTable::addCellAt(int column, QStringView text) {
    while (rows_.back().count < column)
        addSpan(0, 0);
    return addCell(text);
}

void ImportTable::dropRowIfBlank() {
    if (rows_.empty() || !isBlank(rowCount() - 1))
        return;
    cells_.resize(size_t(rows_.back().first));
    rows_.pop_back();
}
