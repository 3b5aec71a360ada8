#include "core/measurement.h"

#include "core/vb.h"

namespace Measurements {

bool IsBlankRow(const RowCells& cells) {
    for (const QString& cell : cells)
        if (!QStringView(cell).trimmed().isEmpty())
            return false;
    return true;
}

// Blanks around the number do not count, so every diagram reads a cell alike.
int AngleFromCell(const QString& cell) {
    // A view: trimming a long data set's cells would otherwise copy every one of them.
    const QStringView text = QStringView(cell).trimmed();
    // Plain digits, as typed angles nearly always are, read without the general number reader.
    if (!text.isEmpty() && text.size() <= 4) {
        int angle = 0;
        for (const QChar c : text) {
            if (c < u'0' || c > u'9')
                return vb::CInt(vb::Val(text.toString()));
            angle = angle * 10 + (c.unicode() - u'0');
        }
        return angle;
    }
    return vb::CInt(vb::Val(text.left(4).toString()));
}

std::optional<QString> RewrittenAngleCell(const QString& text) {
    if (QStringView(text).trimmed().size() <= 4)
        return std::nullopt;
    return QString::number(AngleFromCell(text));
}

Measurement FromCells(const RowCells& cells) {
    return {AngleFromCell(cells[0]), cells[1].trimmed(), AngleFromCell(cells[2]),
            cells[3].trimmed()};
}

std::vector<Measurement> FromRows(const std::vector<Document::Row>& rows) {
    std::vector<Measurement> data;
    data.reserve(rows.size());
    for (const Document::Row& documentRow : rows) {
        const RowCells row{documentRow[0], documentRow[1], documentRow[2], documentRow[3]};
        if (IsBlankRow(row))
            break;
        data.push_back(FromCells(row));
    }
    if (data.size() < data.capacity() / 2)
        data.shrink_to_fit();
    return data;
}

} // namespace Measurements
