#include "core/data_export.h"

#include "core/notation.h"
#include "core/orientation_tally.h"

namespace DataExport {

namespace {

// A cell as CSV holds it: in double quotes when it holds a separator, a quote or a line end.
QString CsvCell(const QString& text) {
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') {
            QString quoted = text;
            quoted.replace(u'"', QStringLiteral("\"\""));
            return u'"' + quoted + u'"';
        }
    }
    return text;
}

} // namespace

QByteArray Csv(const std::vector<Measurements::Measurement>& data) {
    // The grid's captions for its four cells, then names the import knows again.
    QString text = QStringLiteral("No.,走向角度,走向方位,傾斜角度,傾斜方位,傾斜方向,傾斜,"
                                  "極のﾄﾚﾝﾄﾞ,極のﾌﾟﾗﾝｼﾞ\r\n");
    text.reserve(text.size() + qsizetype(data.size()) * 40);
    // Each piece goes straight into the text: no row text of its own.
    const auto field = [&text](const QString& cell) {
        text += cell;
        text += u',';
    };
    int number = 0;
    for (const Measurements::Measurement& m : data) {
        // Where the projection puts the pole, whatever the letters say beyond their first.
        const char16_t letter = Measurements::FirstLetter(m.direction);
        const int dipDirection = Notation::DipDirectionOf(
            m.strike, Measurements::FirstLetter(m.side) == u'W', letter == u' ' || letter == u'N');
        field(QString::number(++number));
        field(QString::number(m.strike));
        field(CsvCell(m.side));
        field(QString::number(m.dip));
        field(CsvCell(m.direction));
        field(QString::number(dipDirection));
        field(QString::number(m.dip));
        field(QString::number((dipDirection + 180) % 360));
        text += QString::number(90 - m.dip);
        text += QStringLiteral("\r\n");
    }
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += text.toUtf8();
    return bytes;
}

} // namespace DataExport
