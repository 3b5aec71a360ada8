#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/contour_cells.h"
#include "core/density.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/file_surface.h"
#include "diagrams/net_drawing.h"
#include "diagrams/picture_surface.h"
#include "pixels.h"

#include <QPolygon>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DensityDiagrams : public ::testing::Test {
  protected:
    void SetUp() override {
        BMMain::NetRadius = 100;
        // A cluster around N30E 45SE and a few planes near vertical (counted at both rims).
        std::vector<Measurements::Measurement> data;
        for (int s = 20; s <= 40; s += 2)
            for (int d = 35; d <= 55; d += 5)
                data.push_back({s, "E", d, "SE"});
        for (int s = 0; s <= 10; s += 5)
            data.push_back({s, "W", 88, "E"});
        density = Density::ComputeDensity(data);
    }
    void TearDown() override { BMMain::NetRadius = 100; }

    // The picture's pixel at net position (x, y).
    static QRgb At(PictureSurface& picture, double x, double y) {
        const QPointF p = picture.UserToDevice(x, y);
        return picture.Image().pixel(int(p.x()), int(p.y()));
    }

    Density::DensityResult density;
};

} // namespace

TEST_F(DensityDiagrams, OneFillPerLevelPaintsWhatOneFillPerCellPaints) {
    ContourTracing::DeviceMapping device;
    device.sx = device.sy = 3.3;
    device.ox = device.oy = 5;
    for (const float percent : {0.5f, 2.0f, 7.0f}) {
        const float t = ContourLevels::Threshold(density.dataNumbers, percent);
        std::vector<QPolygon> cells;
        const auto& g = density.grid;
        for (int j = 0; j < 200; ++j)
            for (int k = 0; k < 200; ++k) {
                const auto band = ContourCells::BandPolygon(
                    t, j, k, {g(j, k), g(j, k + 1), g(j + 1, k + 1), g(j + 1, k)});
                QPolygon polygon;
                for (int v = 0; v < band.count; ++v)
                    polygon << device(band.points[size_t(v)].x, band.points[size_t(v)].y);
                if (!polygon.isEmpty())
                    cells.push_back(polygon);
            }
        const std::vector<QPolygon> area = ContourTracing::BandArea(g, t, device);
        ASSERT_GT(cells.size(), 50u);
        EXPECT_LT(area.size(), cells.size());
        for (int pattern : {0, 6}) {
            PictureSurface perCell(QSize(680, 680), 96);
            PictureSurface perLevel(QSize(680, 680), 96);
            for (PictureSurface* s : {&perCell, &perLevel}) {
                s->SetDrawStyle(DrawingSurface::InvisibleLine);
                s->SetFillStyle(pattern);
                s->SetFillColor(RGB(0, 0, 255));
            }
            for (const QPolygon& polygon : cells)
                perCell.Polygon(polygon);
            perLevel.PolyPolygon(area);
            EXPECT_EQ(perCell.Image(), perLevel.Image()) << percent << "%, pattern " << pattern;
        }
    }
}

TEST_F(DensityDiagrams, ContourDiagramFillsAboveTheLevelAndMasksBeyondTheRim) {
    PictureSurface picture(QSize(756, 567), 96);
    const Rgb blue = RGB(0, 0, 255);
    const std::vector<ContourLevels::Level> levels = {{1, 0.5f, blue, 0}};
    DrawContourDiagram(picture, false, density, levels, {});
    // Inside the cluster the level's colour; away from the data white.
    const BMPole::NetPoint cluster = BMPole::OrientationToNet(30, "E", 45, "SE");
    EXPECT_EQ(At(picture, cluster.X, cluster.Y), qRgb(0, 0, 255));
    EXPECT_EQ(At(picture, -cluster.X, -cluster.Y), qRgb(255, 255, 255));
    // The near-vertical planes fill at both rims, but nothing shows beyond the circle.
    EXPECT_EQ(At(picture, 96, -3), qRgb(0, 0, 255));
    EXPECT_EQ(At(picture, -96, -3), qRgb(0, 0, 255));
    EXPECT_EQ(At(picture, 106, -3), qRgb(255, 255, 255));
    EXPECT_EQ(At(picture, -106, -3), qRgb(255, 255, 255));
    // The legend box of the only level, filled in its colour.
    EXPECT_EQ(At(picture, 130, 95), qRgb(0, 0, 255));
}

TEST_F(DensityDiagrams, RankDiagramPaintsEachNodeInItsRankColour) {
    PictureSurface picture(QSize(756, 567), 96);
    DrawRankDiagram(picture, false, density, {}, {});
    const int i = density.maximumI;
    const int j = density.maximumJ;
    const uint32_t top = density.rankColors.back();
    EXPECT_EQ(At(picture, i - 100, j - 100),
              qRgb(int(top & 0xFF), int((top >> 8) & 0xFF), int((top >> 16) & 0xFF)));
    EXPECT_EQ(At(picture, 20, 60), qRgb(255, 255, 255)); // no data there
}

TEST_F(DensityDiagrams, RankPageShowsTheCellsItShowedAsBoxes) {
    // The page as it was drawn before its cells became an image: a box for every node.
    const auto boxes = [&](DrawingSurface& s, float penFactor) {
        s.SetDrawWidth(penFactor);
        NetDrawing::DrawNorthMark(s);
        for (int i = 0; i <= 200; ++i)
            for (int j = 0; j <= 200; ++j)
                if (const int32_t count = density.grid.At(i, j); count > 0) {
                    s.SetForeColor(density.rankColors[size_t(count - 1)]);
                    s.Line({i - 100.5, j - 100.5}, Step(1, 1), std::nullopt,
                           DrawingSurface::LineForm::FilledBox);
                }
        NetDrawing::DrawCircleAndCross(s, penFactor);
        return std::optional<double>();
    };
    QTemporaryDir dir;
    const QString image = dir.filePath("image.pdf"), box = dir.filePath("boxes.pdf");
    FileSurface imagePage(image, QSize(2480, 3508), 300);
    FileSurface boxPage(box, QSize(2480, 3508), 300);
    ASSERT_TRUE(DrawRankDiagram(imagePage, true, density, {}, {}));
    ASSERT_TRUE(DiagramPage::PrintDiagramPage(boxPage, QString(), boxes));
    EXPECT_LT(QFileInfo(image).size(), QFileInfo(box).size() / 2);
    // A square is six dots across at 300 dpi: edges may move by a dot or two, squares not.
    const QRect net(380, 200, 1260, 1260);
    const QImage a = pixels::RenderPdf(image, 300).copy(net);
    const QImage b = pixels::RenderPdf(box, 300).copy(net);
    if (a.isNull())
        GTEST_SKIP() << "pdftoppm is missing";
    EXPECT_TRUE(pixels::AlikeWithin(a, b, 2, 8));
    EXPECT_TRUE(pixels::AlikeWithin(b, a, 2, 8));
}
