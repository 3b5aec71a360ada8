#include "diagrams/picture_surface.h"
#include "diagrams/rank_legend.h"
#include "pixels.h"

#include <QColor>
#include <gtest/gtest.h>

TEST(RankLegend, BarsGrowFromTheLargestCountDownAndLabelsArePercent) {
    PictureSurface s(QSize(700, 600));
    const Rgb one = RGB(64, 128, 64), two = RGB(192, 192, 64), three = RGB(128, 64, 64);
    const RankLegend::Counts counts{3, 54, 50, {40, 12, 2}, {one, two, three}};
    ASSERT_TRUE(RankLegend::Draw(s, counts));
    // Afterwards the vertical axis is in percent: 6 % at the top count's bar.
    EXPECT_DOUBLE_EQ(s.ScaleTop(), 7.2);
    EXPECT_DOUBLE_EQ(s.ScaleHeight(), -8.4);

    s.Scale(1.2 * 54, 1.2 * 3, -0.2 * 54, -0.2 * 3);
    const QImage& image = s.Image();
    auto colourAt = [&](double x, double y) {
        const QPointF p = s.UserToDevice(x, y);
        return FromQColor(image.pixelColor(int(p.x()), int(p.y())));
    };
    // Lengths 2, 14 and 54 from the top.
    struct Bar {
        double y;
        double length;
        Rgb colour;
    };
    for (const Bar& bar : {Bar{2.5, 2, three}, Bar{1.5, 14, two}, Bar{0.5, 54, one}}) {
        EXPECT_EQ(colourAt(bar.length - 0.5, bar.y), bar.colour) << bar.length;
        EXPECT_EQ(colourAt(bar.length + 0.7, bar.y), RGB(255, 255, 255)) << bar.length;
    }
    EXPECT_EQ(RankLegend::LabelText(3, 50), "6.00");
    EXPECT_EQ(RankLegend::LabelText(2, 50), "4.00");
    EXPECT_EQ(RankLegend::LabelText(1, 50), "2.00");
}

TEST(RankLegend, NothingCountedClearsThePicture) {
    PictureSurface s(QSize(200, 200));
    s.Line({0, 0}, {100, 100}, RGB(255, 0, 0));
    const QImage before = s.Image().copy();
    EXPECT_FALSE(RankLegend::Draw(s, {0, 0, 10, {}, {}}));
    EXPECT_FALSE(RankLegend::Draw(s, {2, 0, 10, {}, {}}));
    EXPECT_NE(s.Image(), before);
}

TEST(RankLegend, CrowdedLabelsLeaveOutThoseThatWouldOverlapAndNoWindowIsTooLarge) {
    PictureSurface s(QSize(30000, 320));
    EXPECT_EQ(s.Size(), QSize(8192, 320));
    RankLegend::Draw(s, {3000, 3000, 10, std::vector<int32_t>(3000, 1), std::vector<Rgb>(3000)});
    // Down the label margin: text, gap, text ... not one stripe.
    EXPECT_GT(pixels::DarkRunsDown(s.Image(), 7030, 0, 319), 10);
}
