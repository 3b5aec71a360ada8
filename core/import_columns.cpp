#include "core/import_columns.h"

#include "core/vb.h"

#include <QHash>

namespace ImportColumns {

namespace {

// Rows looked at for a header and for the columns of a file without one.
constexpr int kRowsLookedAt = 20;

// Lower case, half-width, without blanks, punctuation and units in brackets: "Dip Direction
// (deg)" and "dip_dir" compare as "dipdirection" and "dipdir".
QString Normalised(QStringView name) {
    const QString narrow = vb::ToNarrow(name.toString()).toLower();
    QString out;
    int depth = 0;
    for (const QChar c : narrow) {
        if (c == u'(' || c == u'[' || c == u'（')
            ++depth;
        else if ((c == u')' || c == u']' || c == u'）') && depth > 0)
            --depth;
        else if (depth == 0 && !c.isSpace() && !QStringView(u"_-./・&|:").contains(c))
            out += c;
    }
    return out;
}

bool HasDigit(QStringView text) {
    for (const QChar c : text)
        if ((c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'))
            return true;
    return false;
}

struct Found {
    int column[int(Role::DipLetters) + 1];
    Found() { std::fill(std::begin(column), std::end(column), -1); }
    int& operator[](Role r) { return column[int(r)]; }
};

// The data rows looked at for the columns: the first ones after the header that hold anything.
std::vector<int> SampleRows(const ImportTable& table, int headerRow) {
    std::vector<int> rows;
    for (int r = headerRow + 1; r < table.rowCount() && int(rows.size()) < kRowsLookedAt; ++r)
        if (!table.isBlank(r))
            rows.push_back(r);
    return rows;
}

bool ReadsAs(const ImportTable& table, int row, const std::vector<int>& columns,
             Notation::Kind kind) {
    QString buffer;
    return ReadCells(table, row, columns, kind, buffer).ok();
}

// Without a header: the first sample row that some choice of columns reads decides. One cell,
// then two neighbouring cells of quadrant text, then the grid's four cells, then two numbers.
std::optional<Mapping> FromContent(const ImportTable& table, int headerRow,
                                   std::optional<Notation::Kind> forced) {
    using Notation::Kind;
    const Kind single = forced.value_or(Kind::Auto);
    const bool numbers = !forced || *forced != Kind::Quadrant;
    const bool quadrant = !forced || *forced == Kind::Quadrant || *forced == Kind::Auto;
    for (const int row : SampleRows(table, headerRow)) {
        const int cells = table.cellCount(row);
        for (int c = 0; c < cells; ++c)
            if (ReadsAs(table, row, {c}, single))
                return Mapping{{c}, single, headerRow};
        for (int c = 0; quadrant && c + 1 < cells; ++c)
            if (ReadsAs(table, row, {c, c + 1}, Kind::Quadrant))
                return Mapping{{c, c + 1}, forced.value_or(Kind::Quadrant), headerRow};
        for (int c = 0; c + 3 < cells; ++c)
            if (ReadsAs(table, row, {c, c + 1, c + 2, c + 3}, Kind::Quadrant))
                return Mapping{{c, c + 1, c + 2, c + 3}, Kind::Quadrant, headerRow};
        const Kind pair = forced && *forced != Kind::Auto ? *forced : Kind::DipDirection;
        for (int c = 0; numbers && c + 1 < cells; ++c)
            if (ReadsAs(table, row, {c, c + 1}, pair))
                return Mapping{{c, c + 1}, pair, headerRow};
    }
    return std::nullopt;
}

// A strike column holds quadrant text ("N30E") or right-hand-rule azimuths ("030").
Notation::Kind StrikeNotation(const ImportTable& table, int headerRow, int column) {
    for (const int row : SampleRows(table, headerRow)) {
        const QString cell = vb::ToNarrow(table.cell(row, column).toString()).toUpper();
        for (const QChar c : cell)
            if (c == u'N' || c == u'S' || c == u'E' || c == u'W')
                return Notation::Kind::Quadrant;
    }
    return Notation::Kind::RightHandRule;
}

// The header row: among the first rows, the first with a known column name; else the first
// row when none of its cells holds a digit; else none.
int FindHeaderRow(const ImportTable& table) {
    const int rows = std::min(table.rowCount(), kRowsLookedAt);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < table.cellCount(r); ++c)
            if (RoleOf(table.cell(r, c)) != Role::None)
                return r;
    if (table.rowCount() == 0)
        return -1;
    for (int c = 0; c < table.cellCount(0); ++c)
        if (HasDigit(table.cell(0, c)))
            return -1;
    return 0;
}

} // namespace

Role RoleOf(QStringView headerName) {
    static const QHash<QString, Role> names = [] {
        QHash<QString, Role> n;
        for (const char16_t* name :
             {u"dipdirection", u"dipdir", u"dipazimuth", u"dipaz", u"dipazi", u"azimuth", u"azi",
              u"dd", u"ddir", u"傾斜方向", u"傾斜方位角", u"傾斜方向角"})
            n.insert(QString::fromUtf16(name), Role::DipDirection);
        for (const char16_t* name : {u"dip", u"dipangle", u"傾斜", u"傾斜角"})
            n.insert(QString::fromUtf16(name), Role::Dip);
        for (const char16_t* name : {u"strike", u"strikeazimuth", u"strikeaz", u"走向"})
            n.insert(QString::fromUtf16(name), Role::Strike);
        for (const char16_t* name : {u"quadrant", u"attitude", u"strikedip", u"走向傾斜", u"姿勢"})
            n.insert(QString::fromUtf16(name), Role::Quadrant);
        n.insert(QStringLiteral("走向角度"), Role::StrikeAngle);
        n.insert(QStringLiteral("走向方位"), Role::StrikeSide);
        n.insert(QStringLiteral("傾斜角度"), Role::DipAngle);
        n.insert(QStringLiteral("傾斜方位"), Role::DipLetters);
        return n;
    }();
    return names.value(Normalised(headerName), Role::None);
}

Mapping Detect(const ImportTable& table, std::optional<Notation::Kind> forced) {
    using Notation::Kind;
    const int header = FindHeaderRow(table);
    Found found;
    if (header >= 0) {
        for (int c = table.cellCount(header) - 1; c >= 0; --c)
            if (const Role role = RoleOf(table.cell(header, c)); role != Role::None)
                found[role] = c;
    }
    auto with = [&](std::vector<int> columns, Kind kind) {
        return Mapping{std::move(columns), forced.value_or(kind), header};
    };
    if (found[Role::StrikeAngle] >= 0 && found[Role::StrikeSide] >= 0 &&
        found[Role::DipAngle] >= 0 && found[Role::DipLetters] >= 0)
        return Mapping{{found[Role::StrikeAngle], found[Role::StrikeSide], found[Role::DipAngle],
                        found[Role::DipLetters]},
                       Kind::Quadrant,
                       header};
    const int dip = found[Role::Dip] >= 0 ? found[Role::Dip] : found[Role::DipAngle];
    if (found[Role::DipDirection] >= 0 && dip >= 0)
        return with({found[Role::DipDirection], dip}, Kind::DipDirection);
    if (found[Role::Strike] >= 0 && dip >= 0)
        return with({found[Role::Strike], dip}, StrikeNotation(table, header, found[Role::Strike]));
    if (found[Role::Quadrant] >= 0)
        return with({found[Role::Quadrant]}, Kind::Auto);
    if (auto mapping = FromContent(table, header, forced))
        return *mapping;
    return with({0}, Kind::Auto);
}

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

Notation::Result ReadCells(const ImportTable& table, int row, const std::vector<int>& columns,
                           Notation::Kind kind, QString& buffer) {
    if (columns.size() == 4)
        return Notation::ReadGridCells(table.cell(row, columns[0]), table.cell(row, columns[1]),
                                       table.cell(row, columns[2]), table.cell(row, columns[3]));
    return Notation::Read(Joined(table, row, columns, buffer), kind);
}

QString ColumnName(const ImportTable& table, const Mapping& mapping, int column) {
    if (mapping.headerRow >= 0) {
        const QStringView name = table.cell(mapping.headerRow, column).trimmed();
        if (!name.isEmpty())
            return name.toString();
    }
    return QStringLiteral("列%1").arg(column + 1);
}

} // namespace ImportColumns
