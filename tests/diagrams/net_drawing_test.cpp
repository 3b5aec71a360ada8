#include "core/bmmain.h"
#include "core/bmpole.h"
#include "diagrams/net_drawing.h"
#include "diagrams/picture_surface.h"
#include "diagrams/printer_surface.h"
#include "pixels.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using pixels::DarkNear;
using pixels::IsDark;

namespace {

class NetDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override { BMMain::NetRadius = 100; }
    void TearDown() override { BMMain::NetRadius = 100; }
};

// Dark pixels in row y between x0 and x1.
int RowInk(const QImage& image, int y, int x0, int x1) {
    return pixels::DarkCount(image, QRect(x0, y, x1 - x0 + 1, 1));
}

// The printed net on an A4 PDF with 5 mm margins, rendered at `dpi`; null without pdftoppm.
QImage PrintedNet(const QString& pdfPath, int dpi) {
    {
        PrinterSurface printer;
        pixels::PrintToPdf(printer, pdfPath);
        printer.SetFontName(QStringLiteral("ＭＳ 明朝"));
        const float penFactor = NetDrawing::ScaleForNet(printer, true);
        NetDrawing::DrawNetFrame(printer, penFactor, true);
        if (!printer.EndDoc())
            return {};
    }
    return pixels::RenderPdf(pdfPath, dpi);
}

} // namespace

TEST_F(NetDrawingTest, ScreenScaleSpansFourRadiiAcrossAndThreeDown) {
    PictureSurface picture(QSize(756, 567), 96);
    EXPECT_EQ(NetDrawing::ScaleForNet(picture, false), 1.0f);
    EXPECT_DOUBLE_EQ(picture.ScaleLeft(), -170);
    EXPECT_DOUBLE_EQ(picture.ScaleLeft() + picture.ScaleWidth(), 230);
    EXPECT_DOUBLE_EQ(picture.ScaleTop(), -140);
    EXPECT_DOUBLE_EQ(picture.ScaleTop() + picture.ScaleHeight(), 160);

    // A large radius must not overflow on the way.
    BMMain::NetRadius = 1000;
    NetDrawing::ScaleForNet(picture, false);
    EXPECT_DOUBLE_EQ(picture.ScaleLeft(), -1700);
    EXPECT_DOUBLE_EQ(picture.ScaleLeft() + picture.ScaleWidth(), 2300);
    EXPECT_DOUBLE_EQ(picture.ScaleTop() + picture.ScaleHeight(), 1600);
}

TEST_F(NetDrawingTest, PrinterScaleIsFiftyMillimetresToTheRadius) {
    for (int radius : {100, 37}) {
        BMMain::NetRadius = int16_t(radius);
        QTemporaryDir dir;
        PrinterSurface printer;
        pixels::PrintToPdf(printer, dir.filePath(QStringLiteral("scale.pdf")));
        EXPECT_FLOAT_EQ(NetDrawing::ScaleForNet(printer, true), 4.0f); // 1200 dpi
        const double dotsPerMm = 1200 / 25.4;
        const QPointF centre = printer.UserToDevice(0, 0);
        EXPECT_NEAR(centre.x(), 85 * dotsPerMm, 1e-6);
        EXPECT_NEAR(centre.y(), 70 * dotsPerMm, 1e-6);
        EXPECT_NEAR(printer.ScaleX(radius, DrawingSurface::User, DrawingSurface::Millimeters), 50,
                    1e-9);
        EXPECT_NEAR(printer.ScaleY(radius, DrawingSurface::User, DrawingSurface::Millimeters), 50,
                    1e-9);
        EXPECT_NEAR(printer.ScaleLeft() + printer.ScaleWidth(), (200 - 85) * radius / 50.0, 0.2);
    }
}

TEST_F(NetDrawingTest, FrameHasCircleCrossAndCentredNorthMark) {
    PictureSurface picture(QSize(400, 300), 96);
    const float penFactor = NetDrawing::ScaleForNet(picture, false);
    NetDrawing::DrawNetFrame(picture, penFactor, false);
    EXPECT_EQ(picture.DrawWidth(), 1);
    const QImage& image = picture.Image();
    // Circle, both diameters, nothing of a grid.
    EXPECT_TRUE(DarkNear(image, {170 + 70.7, 140 + 70.7}));
    EXPECT_TRUE(IsDark(image, 120, 140));
    EXPECT_TRUE(IsDark(image, 170, 190));
    EXPECT_FALSE(DarkNear(image, {170 + 30, 140 + 30}, 3));
    // The frame lines are two pixels wide.
    EXPECT_EQ(pixels::DarkCount(image, QRect(120, 130, 1, 20)), 2);

    // "Ｎ" stands centred above the top of the circle.
    const QRect mark = pixels::DarkBounds(image, QRect(100, 0, 140, 38));
    ASSERT_FALSE(mark.isNull());
    EXPECT_NEAR((mark.left() + mark.right()) / 2.0, 170, 1.5);
    EXPECT_LE(mark.bottom(), 39);
    EXPECT_GE(mark.bottom(), 25);
    EXPECT_GE(mark.height(), 8);
}

TEST_F(NetDrawingTest, GridCirclesAndRadiiComeFromTheProjection) {
    PictureSurface picture(QSize(800, 600), 96); // two pixels to the unit
    const float penFactor = NetDrawing::ScaleForNet(picture, false);
    picture.SetDrawWidth(penFactor);
    NetDrawing::DrawNetGrid(picture, 0, 0);
    EXPECT_EQ(picture.DrawWidth(), 1);
    const QImage& image = picture.Image();
    const auto pixel = [&](const BMPole::NetPoint& p) { return picture.UserToDevice(p.X, p.Y); };
    for (int h = 10; h <= 80; h += 10) {
        // A circle point between two radii, and a radius point between two circles.
        EXPECT_TRUE(DarkNear(image, pixel(BMPole::OrientationToNet(45, "W", h, "S")))) << h;
        EXPECT_TRUE(DarkNear(image, pixel(BMPole::OrientationToNet(h, "E", 85, "N")))) << h;
        EXPECT_FALSE(DarkNear(image, pixel(BMPole::OrientationToNet(45, "E", h + 5, "N")), 0)) << h;
    }
    // No radius inside the circle of dip 10, none along the cross.
    EXPECT_FALSE(DarkNear(image, pixel(BMPole::OrientationToNet(30, "E", 6, "N")), 1));
    EXPECT_FALSE(DarkNear(image, pixel(BMPole::OrientationToNet(0, "E", 45, "N")), 1));

    // The circles of dip 30 and 60 are drawn twice as wide: along rows just above the
    // east-west line (below the first radius), a heavy circle leaves about twice the ink.
    const QPointF centre = picture.UserToDevice(0, 0);
    const auto ink = [&](int dip) {
        const double r = 2 * 100 * 1.4142135 * std::sin(dip * 3.141592 / 360);
        int total = 0;
        for (int dy = 2; dy <= 6; ++dy) {
            const int x = int(centre.x() + std::sqrt(r * r - dy * dy));
            total += RowInk(image, int(centre.y()) - dy, x - 4, x + 4);
        }
        return total;
    };
    EXPECT_GT(ink(30), 1.5 * ink(20));
    EXPECT_GT(ink(60), 1.5 * ink(50));
    EXPECT_GE(ink(20), 5);
}

TEST_F(NetDrawingTest, GridFollowsItsCentre) {
    PictureSurface picture(QSize(400, 300), 96);
    NetDrawing::ScaleForNet(picture, false);
    NetDrawing::DrawNetGrid(picture, 30, -20);
    const BMPole::NetPoint p = BMPole::OrientationToNet(45, "E", 30, "S");
    EXPECT_TRUE(DarkNear(picture.Image(), picture.UserToDevice(30 + p.X, -20 + p.Y)));
    EXPECT_FALSE(DarkNear(picture.Image(), picture.UserToDevice(p.X, p.Y + 3), 0));
}

TEST_F(NetDrawingTest, PrintedNetLandsEightyFiveMillimetresIn) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("net.pdf"));
    const QImage page = PrintedNet(pdf, 300);
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    // Kept for a look when asked to.
    const QString keep = qEnvironmentVariable("QSTEREO_TEST_OUTPUT");
    if (!keep.isEmpty()) {
        QFile::remove(QDir(keep).filePath(QStringLiteral("printed_net.pdf")));
        QFile::copy(pdf, QDir(keep).filePath(QStringLiteral("printed_net.pdf")));
    }

    const double px = 300 / 25.4;
    const QPointF centre((85 + 5) * px, (70 + 5) * px);
    const double r = 50 * px;
    for (double degrees = 5; degrees < 360; degrees += 20) {
        const double a = degrees * 3.14159265 / 180;
        EXPECT_TRUE(DarkNear(page, centre + QPointF(r * std::cos(a), -r * std::sin(a)), 2))
            << degrees;
    }
    EXPECT_FALSE(DarkNear(page, centre + QPointF(r + 20, 0), 4));
    // North mark above the circle, centred.
    const QRect mark =
        pixels::DarkBounds(page, QRect(int(centre.x() - 120), int(centre.y() - r - 120), 240, 112));
    ASSERT_FALSE(mark.isNull());
    EXPECT_NEAR((mark.left() + mark.right()) / 2.0, centre.x(), 4);
    EXPECT_GE(mark.height(), 30); // a 14-point capital is over 3 mm high
}
