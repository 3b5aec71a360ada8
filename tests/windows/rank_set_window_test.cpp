#include "diagrams/picture_box.h"
#include "scripted_dialogs.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <gtest/gtest.h>
#include <vector>

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Records the activation events of the windows of an MDI area, in order.
struct ActivationLog {
    std::vector<QString> events;
    template <typename Form> void watch(Form* form, const QString& name) {
        QObject::connect(form, &Form::Activate, [this, name] { events.push_back(name + "+"); });
        QObject::connect(form, &Form::Deactivate, [this, name] { events.push_back(name + "-"); });
    }
    std::vector<QString> take() { return std::exchange(events, {}); }
};

void pressKey(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(RankSetWindow, StartsEmptyWithItsCaption) {
    frmRankSet legend;
    EXPECT_EQ(legend.windowTitle(), "ﾗﾝｸ分け");
    EXPECT_EQ(legend.RankMax(), 1);
    EXPECT_EQ(legend.CountMax(), 1);
    EXPECT_EQ(legend.LabelIndex(), 0);
    legend.setPictureLeft(-30);
    legend.setProperty("PictureTop", -12.5f);
    EXPECT_EQ(legend.property("PictureLeft").toFloat(), 0);
    EXPECT_EQ(legend.PictureTop(), 0);
}

TEST(RankSetWindow, PictureFillsTheWindowBeforeResizeIsRaised) {
    frmRankSet legend;
    std::vector<QRect> seen;
    QObject::connect(&legend, &frmRankSet::Resize,
                     [&] { seen.push_back(legend.picRSet().geometry()); });
    legend.resize(300, 420);
    legend.show();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), QRect(0, 0, 300, 420));
    seen.clear();
    legend.resize(260, 380);
    EXPECT_EQ(seen, std::vector<QRect>{QRect(0, 0, 260, 380)});
    EXPECT_EQ(legend.picRSet().Surface().Size(), QSize(260, 380));
}

TEST(RankSetWindow, ClearingTheSelectionUnhighlightsTheOldLabel) {
    frmRankSet legend;
    auto* one = new QLabel("10", &legend.picRSet());
    auto* two = new QLabel("20", &legend.picRSet());
    auto* swatch = new QWidget(&legend.picRSet());
    one->setAutoFillBackground(true);
    legend.RegisterLevelControls(1, one);
    legend.RegisterLevelControls(2, two, swatch);
    const QPalette base = legend.picRSet().palette();
    legend.SetLevelHighlight(2, true);
    legend.setLabelIndex(2);
    EXPECT_EQ(two->palette().color(QPalette::Window), base.color(QPalette::Highlight));
    EXPECT_EQ(swatch->palette().color(QPalette::Window), base.color(QPalette::Highlight));
    legend.setLabelIndex(1);
    EXPECT_EQ(legend.LabelIndex(), 1);
    EXPECT_EQ(two->palette().color(QPalette::Window), base.color(QPalette::Base));
    EXPECT_EQ(two->palette().color(QPalette::WindowText), base.color(QPalette::Text));
    EXPECT_EQ(swatch->palette().color(QPalette::Window), base.color(QPalette::Base));
    // The new selection is not highlighted by the controller's setting.
    EXPECT_NE(one->palette().color(QPalette::Window), base.color(QPalette::Highlight));
    // A level that has gone away is passed over.
    delete one;
    legend.setLabelIndex(0);
    EXPECT_EQ(legend.LabelIndex(), 0);
    EXPECT_EQ(legend.lblRSet(1), nullptr);
    legend.RegisterLevelControls(2, nullptr);
    EXPECT_EQ(legend.shpRSet(2), nullptr);
}

TEST(RankSetWindow, DeleteKeyAndMenuKeyAndRightClickAreReported) {
    frmRankSet legend;
    std::vector<int> deleted;
    std::vector<int> menus;
    QObject::connect(&legend, &frmRankSet::DeleteButtonClick, [&](int i) { deleted.push_back(i); });
    QObject::connect(&legend, &frmRankSet::MenuButtonDown, [&](int m) { menus.push_back(m); });
    legend.setLabelIndex(3);
    pressKey(&legend.picRSet(), Qt::Key_Delete);
    pressKey(&legend.picRSet(), Qt::Key_Menu);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&legend.picRSet(), &up);
    EXPECT_EQ(deleted, std::vector<int>{3});
    EXPECT_EQ(menus, (std::vector<int>{4, 2}));
}

TEST(RankSetWindow, CloseDoesNothing) {
    QMdiArea area;
    auto* legend = new frmRankSet;
    QMdiSubWindow* sub = area.addSubWindow(legend);
    area.show();
    sub->show();
    EXPECT_FALSE(sub->close());
    EXPECT_TRUE(legend->isVisible());
    bool greyed = false;
    for (QAction* a : sub->systemMenu()->actions())
        if (a->shortcuts() == QKeySequence::keyBindings(QKeySequence::Close))
            greyed = !a->isEnabled();
    EXPECT_TRUE(greyed);
}

TEST(ChildWindowActivation, FollowsTheActiveSubWindowOfTheArea) {
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(1000, 800);
    auto* plot = new frmMap(dialogs);
    auto* contour = new frmMap(dialogs);
    auto* legend = new frmRankSet;
    ActivationLog log;
    log.watch(plot, "plot");
    log.watch(contour, "contour");
    log.watch(legend, "legend");
    QMdiSubWindow* plotSub = area.addSubWindow(plot);
    QMdiSubWindow* contourSub = area.addSubWindow(contour);
    QMdiSubWindow* legendSub = area.addSubWindow(legend);
    area.show();
    area.activateWindow();
    for (QMdiSubWindow* sub : {plotSub, contourSub, legendSub})
        sub->show();
    QApplication::processEvents();
    log.take();

    area.setActiveSubWindow(plotSub);
    EXPECT_EQ(area.activeSubWindow(), plotSub);
    area.setActiveSubWindow(contourSub);
    area.setActiveSubWindow(legendSub);
    area.setActiveSubWindow(legendSub);
    // The child losing the activation hears of it first.
    EXPECT_EQ(log.take(), (std::vector<QString>{"legend-", "plot+", "plot-", "contour+", "contour-",
                                                "legend+"}));

    // The frame losing the focus (a dialog, another program) is not a change of child.
    Q_EMIT area.subWindowActivated(nullptr);
    area.setActiveSubWindow(legendSub);
    EXPECT_TRUE(log.take().empty());

    area.activateNextSubWindow();
    const std::vector<QString> next = log.take();
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[0], "legend-");
}
