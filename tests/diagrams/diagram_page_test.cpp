#include "core/bmmain.h"
#include "diagrams/diagram_page.h"
#include "diagrams/file_surface.h"
#include "diagrams/net_drawing.h"
#include "diagrams/picture_surface.h"
#include "diagrams/plot_drawing.h"
#include "pixels.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Length of the first dark run met walking from `from` in steps of `step` (at most 40 steps
// to reach it).
int RunLength(const QImage& image, QPoint from, QPoint step) {
    QPoint p = from;
    for (int i = 0; i < 40 && !pixels::IsDark(image, p.x(), p.y()); ++i)
        p += step;
    int n = 0;
    for (; pixels::IsDark(image, p.x(), p.y()); p += step)
        ++n;
    return n;
}

// The plot of one measurement, N45E 45SE, with its polar grid, printed on a 140 × 125 mm
// page as PNG at `dpi`.
QImage PrintedPlot(const QString& path, int dpi) {
    const double px = dpi / 25.4;
    FileSurface page(path, QSize(int(140 * px), int(125 * px)), dpi);
    const std::vector<Measurements::Measurement> data{{45, "E", 45, "SE"}};
    EXPECT_TRUE(DiagramPage::PrintDiagramPage(
        page, QString(), [&](DrawingSurface& surface, float penFactor) {
            return PlotDrawing::DrawPlot(surface, penFactor, data, true);
        }));
    return QImage(path);
}

} // namespace

TEST(DiagramPage, PrintedLinesKeepTheirThicknessAtAnyResolution) {
    BMMain::NetRadius = 100;
    QTemporaryDir dir;
    struct Case {
        int dpi;
        int frame; // 2 × PenFactor
        int thin;  // PenFactor: the rings and the grid (its 30° and 60° lines twice that)
    };
    for (const Case c : {Case{600, 4, 2}, Case{300, 2, 1}}) {
        const QImage page = PrintedPlot(dir.filePath(QStringLiteral("plot.png")), c.dpi);
        ASSERT_FALSE(page.isNull());
        const double px = c.dpi / 25.4;
        const int centreY = int(70 * px);
        // The east-west diameter, 40 mm left of the centre and 10 mm right of it.
        EXPECT_EQ(RunLength(page, QPoint(int(45 * px), centreY - 20), {0, 1}), c.frame) << c.dpi;
        // The grid's circle of dip 20 (a thin one), 3 mm right of the north radius.
        const double r20 = 50 * 1.4142135 * std::sin(10 * 3.141592 / 180);
        const int y20 = int((70 - std::sqrt(r20 * r20 - 9)) * px);
        EXPECT_EQ(RunLength(page, QPoint(int(88 * px), y20 - 20), {0, 1}), c.thin) << c.dpi;
        // The ring, 1 mm in radius, 27.06 mm out towards the north-west: its left side.
        const QPointF ring(85 - 27.06 * std::sqrt(0.5), 70 - 27.06 * std::sqrt(0.5));
        EXPECT_EQ(RunLength(page, QPoint(int((ring.x() - 1.4) * px), int(ring.y() * px)), {1, 0}),
                  c.thin)
            << c.dpi;
    }
}

TEST(DiagramPage, TitleLinesAreCentredOneUnderTheOther) {
    PictureSurface picture(QSize(400, 300), 96);
    picture.Scale(-200, 0, 200, 300);
    DiagramPage::DrawDiagramTitle(picture, 100, QStringLiteral("A\r\nBBBBBBBB"));
    const double lineHeight = picture.TextHeight(QStringLiteral("A"));
    EXPECT_EQ(picture.FontName(), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(picture.FontSize(), 12);
    EXPECT_NEAR(picture.CurrentY(), 100 + 2 * lineHeight, 0.01);
    const QImage& image = picture.Image();
    const QRect first = pixels::DarkBounds(image, QRect(0, 100, 400, int(lineHeight)));
    const QRect second = pixels::DarkBounds(image, QRect(0, 100 + int(lineHeight), 400, 30));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_NEAR((first.left() + first.right()) / 2.0, 200, 2);
    EXPECT_NEAR((second.left() + second.right()) / 2.0, 200, 2);
    EXPECT_GT(second.width(), 4 * first.width());

    // A title opening with CR LF leaves its first line empty.
    PictureSurface blankFirst(QSize(400, 300), 96);
    blankFirst.Scale(-200, 0, 200, 300);
    DiagramPage::DrawDiagramTitle(blankFirst, 100, QStringLiteral("\r\nA"));
    EXPECT_TRUE(
        pixels::DarkBounds(blankFirst.Image(), QRect(0, 100, 400, int(lineHeight))).isNull());
    EXPECT_FALSE(
        pixels::DarkBounds(blankFirst.Image(), QRect(0, 100 + int(lineHeight), 400, 30)).isNull());
}

TEST(DiagramPage, PreparationLeavesMillimetresDefaultsAndTheMargin) {
    QTemporaryDir dir;
    PrinterSurface printer;
    pixels::PrintToPdf(printer, dir.filePath(QStringLiteral("p.pdf")));
    printer.SetDrawWidth(7);
    printer.SetFillStyle(DrawingSurface::SolidFill);
    printer.SetForeColor(RGB(255, 0, 0));
    const double margin = DiagramPage::PrepareDiagramPrinter(printer, 0);
    EXPECT_NEAR(margin, 5, 0.1); // (210 − 200) ÷ 2
    EXPECT_EQ(printer.ScaleMode(), DrawingSurface::Millimeters);
    EXPECT_NEAR(printer.ScaleWidth(), 200, 0.1);
    EXPECT_EQ(printer.DrawWidth(), 1);
    EXPECT_EQ(printer.FillStyle(), DrawingSurface::TransparentFill);
    EXPECT_EQ(printer.ForeColor(), 0u);
    EXPECT_TRUE(printer.FontTransparent());
    EXPECT_EQ(printer.FontName(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(printer.FontSize(), 10);
    EXPECT_TRUE(printer.DocumentOpen());
    EXPECT_TRUE(printer.EndDoc());
}
