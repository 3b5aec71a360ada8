#include "core/measurement_import.h"

namespace MeasurementImport {

namespace {

// The chosen cells of a row with a blank between them, in a buffer kept from row to row.
QStringView Joined(const ImportTable& table, int row, const std::vector<int>& columns,
                   QString& buffer) {
    if (columns.size() == 1)
        return table.cell(row, columns[0]);
    buffer.resize(0); // keeps its capacity for the next row
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            buffer += u' ';
        buffer += table.cell(row, columns[i]);
    }
    return buffer;
}

Notation::Result ReadRow(const ImportTable& table, int row, const ImportColumns::Mapping& m,
                         QString& buffer) {
    if (m.columns.size() == 4)
        return Notation::ReadGridCells(table.cell(row, m.columns[0]), table.cell(row, m.columns[1]),
                                       table.cell(row, m.columns[2]),
                                       table.cell(row, m.columns[3]));
    Notation::Result result = Notation::Read(Joined(table, row, m.columns, buffer), m.notation);
    // "120" and an empty dip cell: what is missing says more than what cannot be read.
    if (result.refusal == Notation::Refusal::Unreadable) {
        for (const int column : m.columns)
            if (table.cell(row, column).trimmed().isEmpty())
                result.refusal = Notation::Refusal::Empty;
    }
    return result;
}

} // namespace

Outcome Read(const ImportTable& table, const ImportColumns::Mapping& mapping) {
    Outcome outcome;
    if (!mapping.usable())
        return outcome;
    outcome.rows.reserve(size_t(std::max(0, table.rowCount() - mapping.headerRow - 1)));
    QString buffer;
    for (int r = mapping.headerRow + 1; r < table.rowCount(); ++r) {
        if (table.isBlank(r))
            continue;
        Notation::Result result = ReadRow(table, r, mapping, buffer);
        if (!result.ok()) {
            outcome.refused.push_back({r, table.line(r), result.refusal});
            continue;
        }
        if (result.rounded)
            ++outcome.rounded;
        outcome.rows.push_back(std::move(result.cells));
    }
    return outcome;
}

QString RefusalLine(const ImportTable& table, const ImportColumns::Mapping& mapping,
                    const RefusedRow& refused) {
    QString buffer;
    const QString shown = Joined(table, refused.row, mapping.columns, buffer).trimmed().toString();
    QString text =
        QStringLiteral("%1行目: ").arg(refused.line) +
        Notation::RefusalText(refused.refusal, mapping.columns.size() == 4 ? Notation::Kind::Auto
                                                                           : mapping.notation);
    if (!shown.isEmpty())
        text += QStringLiteral("（%1）").arg(shown);
    return text;
}

} // namespace MeasurementImport
