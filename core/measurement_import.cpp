#include "core/measurement_import.h"

namespace MeasurementImport {

namespace {

Notation::Result ReadRow(const ImportTable& table, int row, const ImportColumns::Mapping& m,
                         QString& buffer) {
    Notation::Result result = ImportColumns::ReadCells(table, row, m.columns, m.notation, buffer);
    // "120" and an empty dip cell: what is missing says more than what cannot be read. (The
    // grid's four cells give reasons of their own.)
    if (result.refusal == Notation::Refusal::Unreadable && m.columns.size() != 4) {
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
    const QString shown =
        ImportColumns::Joined(table, refused.row, mapping.columns, buffer).trimmed().toString();
    QString text =
        QStringLiteral("%1行目: ").arg(refused.line) +
        Notation::RefusalText(refused.refusal, mapping.columns.size() == 4 ? Notation::Kind::Auto
                                                                           : mapping.notation);
    if (!shown.isEmpty())
        text += QStringLiteral("（%1）").arg(shown);
    return text;
}

} // namespace MeasurementImport
