#include "diagrams/data_list_printing.h"

#include "core/vb.h"
#include "diagrams/drawing_surface.h"

#include <algorithm>

namespace DataListPrinting {

namespace {

// The table is 150 mm wide and 257 mm high, 30 mm from the left and 20 mm from the top edge.
constexpr double kTableWidthMm = 150;
constexpr double kTableHeightMm = 257;
constexpr double kLeftMm = 30;
constexpr double kTopMm = 20;

// Right-aligned in `width` characters; a longer text is printed whole.
QString RightAligned(const QString& text, int width) {
    return vb::Format(text, QString(width, u'@'));
}

// Shrinks the font a point at a time until `sample` fits `width`, stopping below 3 points.
void FitFont(DrawingSurface& s, const QString& sample, double width) {
    s.SetFontSize(12);
    while (s.TextWidth(sample) > width) {
        s.SetFontSize(s.FontSize() - 1);
        if (s.FontSize() < 3)
            break;
    }
}

void PrintAt(DrawingSurface& s, double x, double y, const QString& text) {
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(text);
}

void DrawRulingAndHeader(DrawingSurface& s, int C, int R, double f) {
    const auto black = RGB(0, 0, 0);
    s.SetDrawWidth(2 * f);
    s.Line({0, 0}, {double(C), double(R)}, black, DrawingSurface::LineForm::Box);
    s.Line({0, 2}, {double(C), 2}, black);
    for (int j = 0; j < C; ++j)
        s.Line({double(j), 0}, {double(j), double(R)}, black);

    s.SetFontName(QStringLiteral("ＭＳ 明朝"));
    s.SetFontSize(12);
    s.SetDrawWidth(vb::Int(f + 0.5));
    FitFont(s, QStringLiteral("方位"), 0.2);
    const double half = s.TextWidth(QStringLiteral("走向")) / 2;
    const double textHalf = s.TextHeight(QStringLiteral("H")) / 2;
    struct Heading {
        double centre;
        int row;
        const char16_t* text;
    };
    const Heading headings[] = {{0.34, 0, u"走向"}, {0.78, 0, u"傾斜"}, {0.06, 1, u" No."},
                                {0.24, 1, u"角度"}, {0.46, 1, u"方位"}, {0.68, 1, u"角度"},
                                {0.90, 1, u"方位"}};
    for (int K = 0; K < C; ++K) {
        s.Line({K + 0.12, 0}, {K + 0.12, double(R)}, black);
        s.Line({K + 0.36, 1}, {K + 0.36, double(R)}, black);
        s.Line({K + 0.56, 0}, {K + 0.56, double(R)}, black);
        s.Line({K + 0.80, 1}, {K + 0.80, double(R)}, black);
        for (const Heading& h : headings)
            PrintAt(s, K + h.centre - half, h.row + 0.5 - textHalf, QString::fromUtf16(h.text));
    }
    s.Line({0, 1}, {double(C), 1}, black);
}

} // namespace

bool Print(DrawingSurface& s, const PreparePage& preparePage, const std::vector<Row>& rows,
           const DataListLayout::Layout& layout) {
    std::vector<QString> strikeAngles;
    strikeAngles.reserve(rows.size());
    for (const Row& row : rows)
        strikeAngles.push_back(row[0]);
    const int length = DataListLayout::ListLength(strikeAngles);
    const int pages = DataListLayout::Pages(length, layout);
    const int C = layout.columns;
    const int R = layout.rows;
    const auto black = RGB(0, 0, 0);
    // Every row of the last page is numbered: the number column is sized for the number of
    // its last row, so that no number runs into the strike column.
    const int digits = std::max<int>(
        3,
        QString::number(DataListLayout::FirstEntry(pages, layout) + layout.PerPage() - 1).size());
    const QString widestNumber(digits, u'8');

    for (int p = 1; p <= pages; ++p) {
        const double m = preparePage(p != 1);
        const double f = std::max(1.0, s.DpiX() / 300);
        const double across = (kLeftMm - m) / (kTableWidthMm / C);
        const double down = (kTopMm - m) / (kTableHeightMm / R);
        s.Scale(-across, -down, C + across, R + down);
        s.SetForeColor(black);
        DrawRulingAndHeader(s, C, R, f);

        FitFont(s, widestNumber, 0.12);
        const double numberSize = s.FontSize();
        const double wn = s.TextWidth(widestNumber) / 2;
        const double hn = s.TextHeight(QStringLiteral("0")) / 2;
        FitFont(s, QStringLiteral("888"), 0.12);
        const double cellSize = s.FontSize();
        const double w = s.TextWidth(QStringLiteral("888")) / 2;
        const double h = s.TextHeight(QStringLiteral("0")) / 2;
        // Every row of the page is numbered, also beyond the end of the list.
        const int first = DataListLayout::FirstEntry(p, layout);
        s.SetFontSize(numberSize);
        for (int r = 2; r <= R - 1; ++r) {
            s.Line({0, double(r)}, {double(C), double(r)}, black);
            for (int U = 1; U <= C; ++U)
                PrintAt(s, (U - 1) + 0.06 - wn, r + 0.5 - hn,
                        RightAligned(QString::number(first + layout.PerBlock() * (U - 1) + (r - 2)),
                                     digits));
        }
        s.SetFontSize(cellSize);
        const int last = DataListLayout::LastEntry(p, length, layout);
        for (int n = first; n <= last && n <= int(rows.size()); ++n) {
            const DataListLayout::Place place = DataListLayout::PlaceOf(n, layout);
            const double y = place.row + 0.5 - h;
            const double columns[] = {0.24, 0.46, 0.68, 0.90};
            for (int c = 0; c < 4; ++c)
                PrintAt(s, place.block - w + columns[c], y, RightAligned(rows[n - 1][c], 3));
        }
        const QString number = QString::number(p);
        PrintAt(s, C / 2.0 - s.TextWidth(QStringLiteral("-  -") + number) / 2, R + h,
                QStringLiteral("- ") + number + QStringLiteral(" -"));
    }
    return s.EndDoc();
}

} // namespace DataListPrinting
