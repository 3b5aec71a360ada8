#include "core/measurement.h"

#include "core/vb.h"

namespace Measurements {

bool IsBlankRow(const RowCells& cells) {
    for (const QString& cell : cells)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

int AngleFromCell(const QString& text) {
    return vb::CInt(vb::Val(text.left(4)));
}

std::optional<QString> RewrittenAngleCell(const QString& text) {
    if (text.size() <= 4)
        return std::nullopt;
    return QString::number(AngleFromCell(text));
}

Measurement FromCells(const RowCells& cells) {
    return {AngleFromCell(cells[0]), cells[1].trimmed(), AngleFromCell(cells[2]),
            cells[3].trimmed()};
}

} // namespace Measurements
