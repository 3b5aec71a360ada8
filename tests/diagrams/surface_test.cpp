#include "diagrams/file_surface.h"
#include "diagrams/picture_box.h"
#include "diagrams/picture_surface.h"
#include "diagrams/printer_surface.h"
#include "pixels.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using pixels::DarkCount;
using pixels::DarkNear;
using pixels::IsDark;
using pixels::PrintToPdf;
using pixels::RenderPdf;

namespace {

constexpr double kPi = std::numbers::pi;

// A 400 × 300 picture at 96 dpi where one unit is one pixel and (0, 0) is pixel (170, 140),
// y downwards: the screen net frame at NetRadius 100.
std::unique_ptr<PictureSurface> NetPicture() {
    auto surface = std::make_unique<PictureSurface>(QSize(400, 300), 96);
    surface->Scale(-170, -140, 230, 160);
    return surface;
}

} // namespace

TEST(SurfaceScale, UserSystemWithEitherAxisReversed) {
    PictureSurface s(QSize(200, 100), 96);
    s.Scale(10, 0, 0, 10); // x grows leftwards, y downwards
    EXPECT_DOUBLE_EQ(s.ScaleLeft(), 10);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), -10);
    EXPECT_DOUBLE_EQ(s.ScaleHeight(), 10);
    EXPECT_EQ(s.UserToDevice(10, 0), QPointF(0, 0));
    EXPECT_EQ(s.UserToDevice(0, 10), QPointF(200, 100));
    EXPECT_DOUBLE_EQ(s.ScaleX(1, DrawingSurface::User, DrawingSurface::Pixels), -20);

    s.Scale(0, 5, 4, -5); // y grows upwards
    EXPECT_EQ(s.UserToDevice(2, 0), QPointF(100, 50));
    EXPECT_DOUBLE_EQ(s.ScaleY(1, DrawingSurface::User, DrawingSurface::Pixels), -10);
    const QPointF back = s.DeviceToUser(150, 25);
    EXPECT_DOUBLE_EQ(back.x(), 3);
    EXPECT_DOUBLE_EQ(back.y(), 2.5);

    EXPECT_LT(s.TextHeight(QStringLiteral("W")), 0); // text extents are signed like the scale

    s.Scale(0, 0, 0, 10); // empty extent: ignored
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 4);
}

TEST(SurfaceScale, UnitModesReportTheDrawableArea) {
    PictureSurface s(QSize(384, 192), 96);
    s.SetScaleMode(DrawingSurface::Inches);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 4);
    EXPECT_DOUBLE_EQ(s.ScaleHeight(), 2);
    s.SetScaleMode(DrawingSurface::Twips);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 5760);
    s.SetScaleMode(DrawingSurface::Millimeters);
    EXPECT_NEAR(s.ScaleWidth(), 101.6, 1e-9);
    s.SetScaleMode(DrawingSurface::Pixels);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 384);
    EXPECT_DOUBLE_EQ(s.ScaleX(1, DrawingSurface::Inches, DrawingSurface::Millimeters), 25.4);

    s.SetScaleMode(42); // not a mode: unchanged
    EXPECT_EQ(s.ScaleMode(), DrawingSurface::Pixels);

    // A unit scale follows a resized picture; a user scale keeps its numbers.
    s.Resize(QSize(768, 192));
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 768);
    s.Scale(0, 0, 1, 1);
    s.Resize(QSize(100, 100));
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 1);
    EXPECT_EQ(s.UserToDevice(1, 1), QPointF(100, 100));
}

TEST(SurfacePen, DrawWidthIsWholeDevicePixelsRoundedHalfToEven) {
    PictureSurface s(QSize(10, 10), 96);
    s.SetDrawWidth(2.4);
    EXPECT_EQ(s.DrawWidth(), 2);
    s.SetDrawWidth(2.5);
    EXPECT_EQ(s.DrawWidth(), 2);
    s.SetDrawWidth(3.5);
    EXPECT_EQ(s.DrawWidth(), 4);
    s.SetDrawWidth(0);
    EXPECT_EQ(s.DrawWidth(), 1);
}

TEST(SurfaceCircle, RadiusNetRadiusLandsOnThePrimitiveCircle) {
    auto s = NetPicture();
    s->Circle({0, 0}, 100);
    const QImage& image = s->Image();
    for (double degrees = 0; degrees < 360; degrees += 15) {
        const double a = degrees * kPi / 180;
        EXPECT_TRUE(DarkNear(image, {170 + 100 * std::cos(a), 140 - 100 * std::sin(a)})) << degrees;
        EXPECT_FALSE(DarkNear(image, {170 + 95 * std::cos(a), 140 - 95 * std::sin(a)}, 2))
            << degrees;
        EXPECT_FALSE(DarkNear(image, {170 + 105 * std::cos(a), 140 - 105 * std::sin(a)}, 2))
            << degrees;
    }
    EXPECT_EQ(s->CurrentX(), 0);
    EXPECT_EQ(s->CurrentY(), 0);
}

TEST(SurfaceCircle, RadiusIsMeasuredAcrossAndTheShapeStaysRound) {
    PictureSurface s(QSize(200, 200), 96);
    s.Scale(0, 0, 100, 50); // 2 pixels per unit across, 4 down
    s.Circle({50, 25}, 40);
    const QImage& image = s.Image();
    EXPECT_TRUE(DarkNear(image, {180, 100}));
    EXPECT_TRUE(DarkNear(image, {100, 20}));
    EXPECT_FALSE(DarkNear(image, {100, 3}, 2));
}

TEST(SurfaceCircle, ArcsRunCounterClockwiseAsSeenWhateverTheScale) {
    // The upper half from 0 to π on a y-down scale, on a y-up scale and with x reversed.
    for (int orientation = 0; orientation < 3; ++orientation) {
        PictureSurface s(QSize(400, 300), 96);
        if (orientation == 0)
            s.Scale(-170, -140, 230, 160);
        else if (orientation == 1)
            s.Scale(-170, 140, 230, -160);
        else
            s.Scale(170, -140, -230, 160);
        s.Circle({0, 0}, 100, std::nullopt, 0.0, kPi);
        const QImage& image = s.Image();
        EXPECT_TRUE(DarkNear(image, {170, 40})) << orientation;
        EXPECT_TRUE(DarkNear(image, {170 + 70.7, 140 - 70.7})) << orientation;
        EXPECT_TRUE(DarkNear(image, {170 - 70.7, 140 - 70.7})) << orientation;
        EXPECT_FALSE(DarkNear(image, {170, 240}, 3)) << orientation;
        EXPECT_FALSE(DarkNear(image, {170 + 70.7, 140 + 70.7}, 3)) << orientation;
    }
}

TEST(SurfaceCircle, ArcFromEndBackPastZeroAndPies) {
    auto s = NetPicture();
    // From 3π/2 (down) to π/2 (up) counter-clockwise: the right half.
    s->Circle({0, 0}, 100, std::nullopt, 1.5 * kPi, 0.5 * kPi);
    QImage image = s->Image();
    EXPECT_TRUE(DarkNear(image, {270, 140}));
    EXPECT_FALSE(DarkNear(image, {70, 140}, 3));

    // Negative angles join the ends to the centre; a closed pie takes the fill.
    auto pie = NetPicture();
    pie->SetFillStyle(DrawingSurface::SolidFill);
    pie->SetFillColor(RGB(0, 0, 0));
    pie->Circle({0, 0}, 100, std::nullopt, -0.0001, -0.5 * kPi);
    image = pie->Image();
    EXPECT_TRUE(IsDark(image, 170 + 40, 140 - 40));  // inside the quarter
    EXPECT_FALSE(IsDark(image, 170 - 40, 140 - 40)); // outside it
}

TEST(SurfaceCircle, ManyRingsAtOnceGiveThePixelsOfOneByOne) {
    // Stacked and overlapping rings, fractional centres, at two pen widths and scale directions.
    std::vector<QPointF> centres;
    for (int k = 0; k < 400; ++k)
        centres.emplace_back(std::fmod(k * 7.31, 97.0) - 48, std::fmod(k * 3.17, 61.0) - 30);
    centres.insert(centres.end(), centres.begin(), centres.begin() + 100);
    for (const int width : {1, 2})
        for (const double top : {50.0, -50.0}) {
            PictureSurface one(QSize(300, 300), 96);
            PictureSurface many(QSize(300, 300), 96);
            for (PictureSurface* s : {&one, &many}) {
                s->Scale(-60, top, 60, -top);
                s->SetDrawWidth(width);
                s->SetForeColor(RGB(0, 0, 255));
            }
            for (const QPointF& c : centres)
                one.Circle({c.x(), c.y()}, 2.0);
            many.Circles(centres, 2.0);
            EXPECT_EQ(one.Image(), many.Image()) << width << " " << top;
            EXPECT_EQ(many.CurrentX(), centres.back().x());
        }
}

TEST(SurfaceLine, FilledBoxesOnAPictureArePaintedAsTheirFilledAndStrokedOutline) {
    // The reference: each box as a path, filled, then outlined with the round-jointed pen.
    for (const int width : {1, 2, 3}) {
        PictureSurface s(QSize(240, 200), 96);
        s.Scale(-30.3, 25.1, 30.3, -25.1);
        s.SetDrawWidth(width);
        QImage reference(s.Image().size(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        QPainter painter(&reference);
        for (int k = 0; k < 300; ++k) {
            const double x = std::fmod(k * 3.37, 50.0) - 25;
            const double y = std::fmod(k * 1.91, 40.0) - 20;
            const double size = 0.4 + std::fmod(k * 0.13, 2.0);
            const Rgb color = RGB(k * 37, k * 91, k * 53);
            s.Line({x, y}, Step(size, size), color, DrawingSurface::LineForm::FilledBox);
            QPainterPath outline;
            outline.addRect(
                QRectF(s.UserToDevice(x, y), s.UserToDevice(x + size, y + size)).normalized());
            painter.fillPath(outline, ToQColor(color));
            QPen pen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            painter.strokePath(outline, pen);
        }
        painter.end();
        EXPECT_EQ(s.Image(), reference) << width;
    }
}

TEST(SurfaceLine, StepsBoxesAndTheCurrentPoint) {
    PictureSurface s(QSize(100, 100), 96);
    s.SetScaleMode(DrawingSurface::Pixels);
    s.SetCurrentX(10);
    s.SetCurrentY(10);
    s.Line(Step(5, 5), Step(20, 30), RGB(255, 0, 0), DrawingSurface::LineForm::Box);
    EXPECT_EQ(s.CurrentX(), 35);
    EXPECT_EQ(s.CurrentY(), 45);
    QImage image = s.Image();
    EXPECT_EQ(image.pixelColor(15, 30), QColor(255, 0, 0)); // red in the low byte
    EXPECT_EQ(image.pixelColor(35, 30), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(25, 30), QColor(255, 255, 255)); // FillStyle transparent

    s.LineTo({60, 45}); // from the current point, ForeColor black
    image = s.Image();
    EXPECT_TRUE(IsDark(image, 50, 45));
    EXPECT_EQ(s.CurrentX(), 60);

    s.Line({70, 70}, Step(10, 10), RGB(0, 0, 255), DrawingSurface::LineForm::FilledBox);
    image = s.Image();
    EXPECT_EQ(image.pixelColor(75, 75), QColor(0, 0, 255));
    EXPECT_EQ(s.CurrentX(), 80);
    EXPECT_EQ(s.CurrentY(), 80);
}

TEST(SurfaceLine, BoxInteriorTakesFillStyleAndFillColor) {
    PictureSurface s(QSize(100, 100), 96);
    s.SetScaleMode(DrawingSurface::Pixels);
    s.SetFillStyle(DrawingSurface::SolidFill);
    s.SetFillColor(RGB(0, 128, 0));
    s.Line({10, 10}, {50, 50}, RGB(0, 0, 0), DrawingSurface::LineForm::Box);
    const QImage& image = s.Image();
    EXPECT_EQ(image.pixelColor(30, 30), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(10, 30), QColor(0, 0, 0));
}

TEST(SurfaceLine, DottedAndInvisibleStyles) {
    PictureSurface s(QSize(200, 20), 96);
    s.SetScaleMode(DrawingSurface::Pixels);
    s.SetDrawStyle(DrawingSurface::DotLine);
    s.Line({0, 5}, {200, 5});
    s.SetDrawStyle(DrawingSurface::InvisibleLine);
    s.Line({0, 15}, {200, 15});
    const QImage& image = s.Image();
    const int dotted = DarkCount(image, QRect(0, 5, 200, 1));
    EXPECT_GT(dotted, 60);
    EXPECT_LT(dotted, 140);
    EXPECT_EQ(DarkCount(image, QRect(0, 15, 200, 1)), 0);
    EXPECT_EQ(s.CurrentX(), 200); // an invisible line still moves the current point
}

TEST(SurfaceFill, ScreenHatchesHaveTheirDirectionAndTransparentGaps) {
    struct Case {
        int style;
        bool rows, columns;
    };
    for (const Case& c : {Case{DrawingSurface::HorizontalLines, true, false},
                          Case{DrawingSurface::VerticalLines, false, true},
                          Case{DrawingSurface::CrossHatch, true, true}}) {
        PictureSurface s(QSize(64, 64), 96);
        s.SetScaleMode(DrawingSurface::Pixels);
        s.SetFillStyle(c.style);
        s.SetFillColor(0);
        s.SetDrawStyle(DrawingSurface::InvisibleLine);
        s.Polygon(QPolygon(QRect(8, 8, 48, 48)));
        const QImage& image = s.Image();
        int fullRows = 0, fullColumns = 0;
        for (int i = 10; i < 54; ++i) {
            fullRows += DarkCount(image, QRect(10, i, 44, 1)) == 44;
            fullColumns += DarkCount(image, QRect(i, 10, 1, 44)) == 44;
        }
        EXPECT_EQ(fullRows > 3, c.rows) << c.style;
        EXPECT_EQ(fullColumns > 3, c.columns) << c.style;
        EXPECT_LT(DarkCount(image, QRect(10, 10, 44, 44)), 44 * 44 / 2) << c.style;
        EXPECT_EQ(DarkCount(image, QRect(0, 0, 64, 7)), 0) << c.style; // nothing outside
    }
}

TEST(SurfaceFill, UpwardDiagonalRisesToTheRight) {
    PictureSurface s(QSize(64, 64), 96);
    s.SetScaleMode(DrawingSurface::Pixels);
    s.SetFillStyle(DrawingSurface::UpwardDiagonal);
    s.SetDrawStyle(DrawingSurface::InvisibleLine);
    s.Polygon(QPolygon(QRect(0, 0, 64, 64)));
    const QImage& image = s.Image();
    // Find a dark pixel and follow it up and to the right.
    int x = 20, y = 30;
    while (!IsDark(image, x, y))
        ++x;
    EXPECT_TRUE(IsDark(image, x + 3, y - 3));
    EXPECT_FALSE(IsDark(image, x + 3, y + 3));
}

TEST(SurfacePolygon, DevicePixelsFilledWithoutOutlineWhenInvisible) {
    auto s = NetPicture(); // the user scale must not matter
    s->SetFillStyle(DrawingSurface::SolidFill);
    s->SetFillColor(RGB(255, 0, 0));
    s->SetForeColor(RGB(0, 0, 255));
    s->SetDrawWidth(3);
    s->SetDrawStyle(DrawingSurface::InvisibleLine);
    s->Polygon(QPolygon({QPoint(10, 10), QPoint(50, 10), QPoint(10, 50)}));
    const QImage& image = s->Image();
    EXPECT_EQ(image.pixelColor(15, 15), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(11, 30), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(45, 45), QColor(255, 255, 255));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_NE(image.pixelColor(x, y), QColor(0, 0, 255));
}

TEST(SurfaceText, PrintPlacesTheTopLeftAndMovesTheCursor) {
    auto s = NetPicture();
    s->SetFontName(QStringLiteral("ＭＳ 明朝"));
    s->SetFontSize(14);
    const double width = s->TextWidth(QStringLiteral("ＮＮ"));
    const double height = s->TextHeight(QStringLiteral("ＮＮ"));
    EXPECT_GT(width, 20); // 14 pt full-width letters at 96 dpi: about 19 pixels each
    EXPECT_GT(height, 15);
    EXPECT_NEAR(s->TextHeight(QStringLiteral("A\r\nB")), 2 * height, 1e-9);

    s->SetCurrentX(-50);
    s->SetCurrentY(-50);
    s->Print(QStringLiteral("ＮＮ"), false);
    EXPECT_NEAR(s->CurrentX(), -50 + width, 1e-9);
    EXPECT_EQ(s->CurrentY(), -50);
    const QImage image = s->Image();
    const QRect ink = pixels::DarkBounds(image, QRect(0, 0, 400, 300));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 120);
    EXPECT_GE(ink.top(), 90);
    EXPECT_LE(ink.right(), 120 + width + 1);
    EXPECT_LE(ink.bottom(), 90 + height + 1);

    s->Print(QStringLiteral("x")); // with a line end: back to the left edge, one line down
    EXPECT_EQ(s->CurrentX(), -170);
    EXPECT_NEAR(s->CurrentY(), -50 + height, 1e-9);
    s->Print(QStringLiteral("a\r\nb"), false);
    EXPECT_NEAR(s->CurrentY(), -50 + 2 * height, 1e-9);
}

TEST(SurfaceText, FontChangesTakeEffectAtOnceAlsoOnAPainterBegunAfresh) {
    auto s = NetPicture();
    const double small = s->TextWidth(QStringLiteral("WW"));
    s->SetFontSize(18);
    const double large = s->TextWidth(QStringLiteral("WW"));
    EXPECT_GT(large, 1.8 * small);
    s->SetFontName(QStringLiteral("ＭＳ 明朝"));
    const double other = s->TextWidth(QStringLiteral("WW"));
    EXPECT_NE(other, large);
    for (int round = 0; round < 2; ++round) { // Image() ends the painter of the first round
        s->Cls();
        s->SetCurrentX(-170);
        s->SetCurrentY(-140);
        s->Print(QStringLiteral("WW"));
        const QImage image = s->Image();
        EXPECT_NEAR(pixels::DarkBounds(image, image.rect()).width(), other, 6) << round;
    }
}

TEST(SurfacePicture, ClsClearsAndResizeKeepsTheDrawing) {
    PictureSurface s(QSize(50, 50), 96);
    s.SetScaleMode(DrawingSurface::Pixels);
    s.Line({0, 0}, {49, 49});
    s.Resize(QSize(80, 80));
    EXPECT_TRUE(IsDark(s.Image(), 25, 25));
    EXPECT_EQ(s.Image().size(), QSize(80, 80));
    s.SetCurrentX(12);
    s.Cls();
    EXPECT_EQ(DarkCount(s.Image(), QRect(0, 0, 80, 80)), 0);
    EXPECT_EQ(s.CurrentX(), 0);
}

TEST(SurfacePicture, PictureBoxShowsTheDrawingAfterRefresh) {
    PictureBox box;
    box.SetPictureSize(QSize(120, 90));
    box.Surface().Scale(0, 0, 120, 90);
    box.Surface().Line({0, 45}, {120, 45});
    box.Surface().Refresh();
    const QImage shown = box.grab().toImage();
    EXPECT_TRUE(IsDark(shown, 60, 45));
    EXPECT_FALSE(IsDark(shown, 60, 30));
}

TEST(SurfacePrinter, PrintableAreaAndPages) {
    QTemporaryDir dir;
    PrinterSurface printer;
    const QString path = dir.filePath(QStringLiteral("pages.pdf"));
    PrintToPdf(printer, path);
    EXPECT_TRUE(printer.IsPrinter());
    printer.SetScaleMode(DrawingSurface::Millimeters);
    EXPECT_NEAR(printer.ScaleWidth(), 200, 0.3); // A4 as whole points
    EXPECT_NEAR(printer.ScaleHeight(), 287, 0.3);
    EXPECT_NEAR(printer.Width(), 210 * 56.7, 20); // paper width in twips
    printer.SetScaleMode(DrawingSurface::Inches);
    const double inches = printer.ScaleWidth();
    printer.SetScaleMode(DrawingSurface::Pixels);
    EXPECT_NEAR(printer.ScaleWidth() / inches, 1200, 1e-6);

    printer.NewPage(); // no document yet: no blank page
    EXPECT_FALSE(printer.DocumentOpen());
    printer.SetScaleMode(DrawingSurface::Millimeters);
    printer.Print(QStringLiteral("one"));
    EXPECT_TRUE(printer.DocumentOpen());
    printer.NewPage();
    EXPECT_EQ(printer.CurrentY(), 0);
    printer.Print(QStringLiteral("two"));
    EXPECT_TRUE(printer.EndDoc());
    EXPECT_FALSE(printer.DocumentOpen());

    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n") + 0, 2);
}

TEST(SurfacePrinter, AFailingPrinterIsReportedNotIgnored) {
    PrinterSurface printer;
    PrintToPdf(printer, QStringLiteral("/nonexistent-directory/out.pdf"));
    printer.SetScaleMode(DrawingSurface::Millimeters);
    printer.Print(QStringLiteral("x"));
    printer.Circle({50, 50}, 10);
    EXPECT_TRUE(printer.Failed());
    EXPECT_FALSE(printer.EndDoc());
    EXPECT_FALSE(printer.Failed()); // the next document tries again
}

TEST(SurfacePrinter, HatchLinesAreVisibleOnPaper) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hatch.pdf"));
    {
        PrinterSurface printer;
        PrintToPdf(printer, path);
        printer.SetScaleMode(DrawingSurface::Millimeters);
        printer.SetFillColor(0);
        printer.SetFillStyle(DrawingSurface::HorizontalLines);
        printer.Line({20, 20}, {80, 80}, 0, DrawingSurface::LineForm::Box);
        printer.SetFillStyle(DrawingSurface::DiagonalCrossHatch);
        printer.Circle({140, 50}, 30);
        // Polygon in printer dots.
        const double dot = printer.ScaleX(1, DrawingSurface::Millimeters, DrawingSurface::Pixels);
        printer.SetFillStyle(DrawingSurface::VerticalLines);
        printer.Polygon(QPolygon(
            QRect(QPoint(int(20 * dot), int(120 * dot)), QPoint(int(80 * dot), int(180 * dot)))));
        ASSERT_TRUE(printer.EndDoc());
    }
    const QImage page = RenderPdf(path, 100);
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    const double px = 100 / 25.4; // rendered pixels per millimetre
    const auto at = [&](double mm) { return int((mm + 5) * px); };

    // Horizontal hatch: walking down the middle of the box meets several separate lines.
    const int runs = pixels::DarkRunsDown(page, at(50), at(25), at(75));
    EXPECT_GE(runs, 15);
    EXPECT_LE(runs, 35);
    EXPECT_LT(DarkCount(page, QRect(at(25), at(25), at(75) - at(25), at(75) - at(25))),
              (at(75) - at(25)) * (at(75) - at(25)) / 2);
    // Diagonal cross inside the circle, nothing between the shapes.
    EXPECT_GT(DarkCount(page, QRect(at(130), at(40), at(150) - at(130), at(60) - at(40))), 20);
    EXPECT_EQ(DarkCount(page, QRect(at(90), at(40), at(105) - at(90), at(60) - at(40))), 0);
    // Vertical hatch in the polygon: a row crosses several lines.
    int columns = 0;
    bool inRun = false;
    for (int x = at(25); x <= at(75); ++x) {
        const bool dark = IsDark(page, x, at(150));
        columns += dark && !inRun;
        inRun = dark;
    }
    EXPECT_GE(columns, 15);
}

TEST(SurfaceFile, WritesPngSvgAndPdf) {
    QTemporaryDir dir;
    for (const char* name : {"out.png", "out.svg", "out.pdf"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        {
            FileSurface file(path, QSize(200, 150), 96);
            file.Scale(-85, -70, 115, 80);
            file.Cls();
            file.Circle({0, 0}, 50);
            file.SetFillStyle(DrawingSurface::CrossHatch);
            file.Line({60, 20}, {100, 60}, 0, DrawingSurface::LineForm::Box);
            EXPECT_TRUE(file.EndDoc()) << name;
        }
        EXPECT_GT(QFileInfo(path).size(), 100) << name;
    }
    const QImage png(dir.filePath(QStringLiteral("out.png")));
    EXPECT_TRUE(DarkNear(png, {85 + 50, 70}));
    EXPECT_FALSE(DarkNear(png, {85, 70}, 3));

    // Vector hatches are cut to their shape.
    QSvgRenderer svgRenderer(dir.filePath(QStringLiteral("out.svg")));
    QImage svg(200, 150, QImage::Format_RGB32);
    svg.fill(Qt::white);
    QPainter painter(&svg);
    svgRenderer.render(&painter);
    painter.end();
    EXPECT_TRUE(DarkNear(svg, {85 + 50, 70}));
    EXPECT_GT(DarkCount(svg, QRect(150, 95, 30, 30)), 30);
    EXPECT_EQ(DarkCount(svg, QRect(150, 10, 30, 30)), 0);
    EXPECT_EQ(DarkCount(svg, QRect(188, 95, 12, 30)), 0);

    const QImage pdf = RenderPdf(dir.filePath(QStringLiteral("out.pdf")), 96);
    if (!pdf.isNull()) {
        EXPECT_TRUE(DarkNear(pdf, {85 + 50, 70}, 2));
    }
}

TEST(SurfaceText, PrintOnAScaleRunningLeftAndUpStillWritesRightAndDown) {
    // The legend's scale: x grows to the left, y upwards; x = 0 lies 1/7 from the right edge.
    PictureSurface s(QSize(350, 240), 96);
    s.Scale(120, 12, -20, -2);
    const QPointF origin = s.UserToDevice(0, 5);
    EXPECT_DOUBLE_EQ(origin.x(), 300);
    EXPECT_DOUBLE_EQ(origin.y(), 120);
    const double width = s.TextWidth(QStringLiteral("12.50"));
    const double height = s.TextHeight(QStringLiteral("12.50"));
    EXPECT_LT(width, 0);
    EXPECT_LT(height, 0);
    EXPECT_NEAR(s.ScaleX(width, DrawingSurface::User, DrawingSurface::Pixels),
                -s.ScaleX(-width, DrawingSurface::User, DrawingSurface::Pixels), 1e-9);

    s.SetCurrentX(0);
    s.SetCurrentY(5);
    s.Print(QStringLiteral("12.50"), false);
    EXPECT_NEAR(s.CurrentX(), width, 1e-9); // moved right on the picture
    EXPECT_EQ(s.CurrentY(), 5);
    const QRect ink = pixels::DarkBounds(s.Image(), QRect(0, 0, 350, 240));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 300);
    EXPECT_GE(ink.top(), 120);
    EXPECT_LE(ink.bottom(),
              120 + s.ScaleY(height, DrawingSurface::User, DrawingSurface::Pixels) + 1);

    s.Print(QString()); // a line end: back to the left edge (x = 120), one line lower
    EXPECT_EQ(s.CurrentX(), 120);
    EXPECT_NEAR(s.CurrentY(), 5 + height, 1e-9);
}

TEST(SurfacePrinter, ColourModeAndPaperInTwips) {
    PrinterSurface printer;
    printer.SetColorMode(DrawingSurface::Monochrome);
    EXPECT_EQ(printer.ColorMode(), DrawingSurface::Monochrome);
    printer.SetColorMode(DrawingSurface::Color);
    EXPECT_EQ(printer.ColorMode(), DrawingSurface::Color);
    printer.SetScaleMode(DrawingSurface::Twips);
    // The unprintable margin is what the paper has beyond the drawable area.
    EXPECT_GT(printer.Width(), printer.ScaleWidth());
}

TEST(SurfaceFile, AFileThatCannotBeWrittenIsReportedEvenWithSomethingInItsPlace) {
    QTemporaryDir dir;
    for (const char* name : {"taken.pdf", "taken.svg", "taken.png"}) {
        // A folder of that name: it exists, but no file can be written there.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(name)));
        FileSurface file(dir.filePath(QString::fromLatin1(name)), QSize(100, 100), 96);
        file.Circle({50, 50}, 20);
        EXPECT_FALSE(file.EndDoc()) << name;
    }
}

TEST(SurfacePrinter, HatchOfAShapeFarBeyondThePageStaysWithinIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.pdf"));
    {
        PrinterSurface printer;
        PrintToPdf(printer, path);
        printer.SetScaleMode(DrawingSurface::Millimeters);
        printer.SetFillStyle(DrawingSurface::DiagonalCrossHatch);
        printer.Line({-1e6, -1e6}, {1e6, 1e6}, 0, DrawingSurface::LineForm::Box);
        ASSERT_TRUE(printer.EndDoc());
    }
    // A page's worth of lines, not the million-millimetre square's.
    EXPECT_LT(QFileInfo(path).size(), 200000);
    const QImage page = RenderPdf(path, 50);
    if (!page.isNull()) {
        EXPECT_GT(DarkCount(page, QRect(40, 40, 100, 100)), 200);
    }
}
