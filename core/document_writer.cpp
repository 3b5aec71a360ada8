#include "core/document_writer.h"

#include "core/cp932.h"
#include "core/field_reader.h"
#include "core/title_codec.h"
#include "core/vb.h"

#include <algorithm>
#include <cmath>

namespace DataFile {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// A text goes in quotes when reading would change it: a comma ends an unquoted field for the
// earlier versions, leading blanks are skipped and a leading quote starts a quoted field. Nothing
// else is quoted, so the files of the earlier versions are written back as they were. A row may
// begin with a TAB (an empty first cell) as every earlier version wrote it.
QString field(const QString& text, bool tabsAreCells) {
    QString out = text;
    out.remove(kQuoteStandIn);
    const bool leadingBlank =
        !out.isEmpty() && (out.front() == u' ' || (!tabsAreCells && out.front() == u'\t'));
    if (!leadingBlank && !out.startsWith(u'"') && !out.contains(u','))
        return out;
    out.replace(u'"', kQuoteStandIn);
    return u'"' + out + u'"';
}

// A title on one line: line breaks of any form become "\n".
QString titleLine(const QString& title) {
    QString encoded = BMMain::EncodeTitle(title);
    encoded.replace(u'\r', QStringLiteral("\\n")).replace(u'\n', QStringLiteral("\\n"));
    return field(encoded, false) + kLineEnd;
}

// A cell cannot hold the row and cell separators of the data block.
QString cellText(const QString& cell) {
    const auto separator = [](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n'; };
    if (std::none_of(cell.begin(), cell.end(), separator))
        return cell; // shared, not copied
    QString out = cell;
    for (QChar& c : out) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

QString numberLine(float v) {
    return vb::PrintNumber(std::isfinite(v) ? v : 0.0f) + kLineEnd;
}
QString integerLine(double v) {
    return vb::PrintNumber(v) + kLineEnd;
}

QString versionText(int version) {
    return QStringLiteral("%1.%2.%3")
        .arg(version / 10000)
        .arg(version / 100 % 100, 2, 10, QChar(u'0'))
        .arg(version % 100, 2, 10, QChar(u'0'));
}

void writePoles(QString& out, const std::vector<Document::Pole>& poles) {
    out += integerLine(static_cast<double>(poles.size()));
    for (const Document::Pole& p : poles) {
        out += numberLine(p.x);
        out += numberLine(p.y);
        out += numberLine(p.labelLeft);
        out += numberLine(p.labelTop);
    }
}

} // namespace

QByteArray Write(const Document& d) {
    // CP932 maps character by character, so the text is encoded piece by piece as it grows:
    // a long data set is never held as a whole in UTF-16 as well.
    constexpr qsizetype kPiece = 1 << 16;
    QByteArray bytes;
    bytes.reserve(256 + static_cast<qsizetype>(d.rows.size()) * 13);
    QString out;
    out += QStringLiteral("QuillStereoVersion") + versionText(kProgramVersion) + kLineEnd;
    out += titleLine(d.roseTitle.value_or(QString()));
    out += titleLine(d.contourTitle);
    out += titleLine(d.plotTitle);
    out += integerLine(static_cast<double>(d.rows.size()));
    out += integerLine(static_cast<double>(d.grades.size()));
    for (const Document::Grade& g : d.grades) {
        out += numberLine(g.value);
        // Colours are written as the signed 32-bit integers the earlier versions used.
        out += integerLine(static_cast<double>(static_cast<int32_t>(g.foreColor)));
        out += integerLine(g.fillStyle.value_or(0));
    }
    writePoles(out, d.contourPoles);
    writePoles(out, d.plotPoles);

    QString row;
    for (size_t k = 0; k < d.rows.size(); ++k) {
        if (k > 0)
            out += u'\r';
        // Most rows are joined straight from their packed form; a cell holding a separator
        // is written cell by cell with the separator blanked.
        row.clear();
        if (!d.rows[k].AppendClipRow(row) || row.contains(u'\n')) {
            row.clear();
            for (int c = 0; c < 4; ++c) {
                if (c > 0)
                    row += u'\t';
                row += cellText(d.rows[k][c]);
            }
        }
        out += field(row, true);
        if (out.size() >= kPiece) {
            bytes += cp932::encode(out);
            out.clear();
        }
    }
    out += kLineEnd;
    bytes += cp932::encode(out);
    return bytes;
}

} // namespace DataFile
