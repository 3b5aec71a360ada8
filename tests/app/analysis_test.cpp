// The analysis commands through the controller: automatic maxima, the plot's choice and the
// statistics window.
#include "core/local_maxima.h"
#include "started_contour.h"
#include "windows/frm_statistics.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace {

class Analysis : public StartedContour {
  protected:
    Contour& c() { return *contour; }
    void OpenSample() {
        ASSERT_TRUE(c().OpenDataFile(QStringLiteral(QSTEREO_SAMPLES "/sample.QST")));
    }
};

} // namespace

TEST_F(Analysis, AutomaticMaximaArePlacedOnceAsOrdinaryMaximumPoints) {
    const QString none = QStringLiteral("新たに配置する極大点はありません。");
    const QString title = QStringLiteral("極大点の自動配置");
    dialogs.expectMessage(none, MsgButtons::OK, MsgIcon::Information, title);
    c().FormMain_MenuClick(121); // no data, no maxima

    OpenSample();
    c().FormMain_MenuClick(121);
    // The sample's lowest level, 4 % of 50 measurements, encloses the counts above 2.
    std::vector<std::pair<float, float>> expected;
    for (const LocalMaxima::Maximum& m : LocalMaxima::Find(c().DensityResults()))
        if (m.count > 2)
            expected.emplace_back(float((m.i - 100) / 100.0), float((m.j - 100) / 100.0));
    std::vector<std::pair<float, float>> placed;
    std::vector<QRectF> labels;
    for (const Pole& p : c().ContourPoleList()) {
        placed.emplace_back(p.X, p.Y);
        for (const QRectF& other : labels)
            EXPECT_FALSE(other.intersects(p.LabelRect())) << p.Caption().toStdString();
        labels.push_back(p.LabelRect());
    }
    EXPECT_GE(placed.size(), 2u);
    EXPECT_EQ(placed, expected);
    EXPECT_TRUE(c().Modified());
    EXPECT_EQ(c().CurrentDocument().contourPoles.size(), placed.size());

    dialogs.expectMessage(none, MsgButtons::OK, MsgIcon::Information, title);
    c().FormMain_MenuClick(121);
    EXPECT_EQ(size_t(c().ContourPoleList().Count()), placed.size());
}

TEST_F(Analysis, PlotChoiceIsKeptAndTheStatisticsWindowCopiesItsTable) {
    c().FormMain_MenuClick(223);
    c().FormMain_MenuClick(225);
    for (const auto& [item, checked] :
         {std::pair{222, false}, {223, true}, {224, false}, {225, true}})
        EXPECT_EQ(c().FormMain->MenuItem(item)->isChecked(), checked) << item;
    const QString section = QStringLiteral("投影図");
    EXPECT_EQ(BMMain::GetIniString(section, QStringLiteral("描画"), {}), "circles");
    EXPECT_EQ(BMMain::GetIniString(section, QStringLiteral("ｶﾞｰﾄﾞﾙと平均極"), {}), "True");

    OpenSample();
    c().FormMain_MenuClick(122);
    frmStatistics* window = c().FormStat;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Rows().front().value, "50個");
    // Closing only hides it; the command brings the same window back, refreshed by a redraw.
    window->parentWidget()->close();
    c().FormMain_MenuClick(122);
    EXPECT_EQ(c().FormStat, window);
    EXPECT_TRUE(window->isVisible());
    Activate(window);
    EXPECT_FALSE(c().FormMain->MenuItem(32)->isEnabled()); // a table is no page to print
    c().FormMain_MenuClick(102);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), StatisticsTexts::ClipboardText(window->Rows()));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("ﾃﾞｰﾀ数\t50個\r\n固有値 S1\t0."));
}
