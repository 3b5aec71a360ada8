#include "sliver.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A host that counts its own resize handling, as a diagram window's would run.
class Host : public QAbstractScrollArea {
  public:
    int resizes = 0;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        ++resizes;
        QAbstractScrollArea::resizeEvent(event);
    }
};

QRect partOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QScrollBar* bar, QStyle::SubControl part) {
    const QPoint at = partOf(bar, part).center();
    mouse(bar, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(bar, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void key(QWidget* w, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

class SliverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host = std::make_unique<Host>();
        host->resize(400, 300);
        sliver = new Sliver(host.get());
        host->show();
        QObject::connect(sliver, &Sliver::HScroll, [this] { hSeen.push_back(sliver->HValue()); });
        QObject::connect(sliver, &Sliver::VScroll, [this] { vSeen.push_back(sliver->VValue()); });
    }
    QScrollBar* hbar() const { return host->horizontalScrollBar(); }
    QScrollBar* vbar() const { return host->verticalScrollBar(); }

    std::unique_ptr<Host> host;
    Sliver* sliver = nullptr;
    // Positions read inside each event handler.
    std::vector<int> hSeen, vSeen;
};

} // namespace

TEST_F(SliverTest, StartsWithTheDefaultsMappedOntoTheHostsBars) {
    EXPECT_EQ(sliver->HMin(), 0);
    EXPECT_EQ(sliver->HMax(), 3000);
    EXPECT_EQ(sliver->HPage(), 100);
    EXPECT_EQ(sliver->HValue(), 0);
    EXPECT_TRUE(sliver->HVisible());
    EXPECT_FALSE(sliver->VVisible());
    // The largest position is max - page + 1.
    EXPECT_EQ(hbar()->minimum(), 0);
    EXPECT_EQ(hbar()->maximum(), 2901);
    EXPECT_EQ(hbar()->pageStep(), 100);
    EXPECT_TRUE(hbar()->isVisible());
    EXPECT_FALSE(vbar()->isVisible());
}

TEST_F(SliverTest, PositionsStayInsideTheRange) {
    sliver->setHValue(5000);
    EXPECT_EQ(sliver->HValue(), 2901);
    sliver->setHValue(-7);
    EXPECT_EQ(sliver->HValue(), 0);
    // Shrinking the range pulls the position in; a page of 0 allows the maximum itself.
    sliver->setHValue(2500);
    sliver->setHMax(1000);
    EXPECT_EQ(sliver->HValue(), 901);
    sliver->setHPage(0);
    sliver->setHValue(1000);
    EXPECT_EQ(sliver->HValue(), 1000);
    // A range that does not start at 0.
    sliver->setVMin(-50);
    sliver->setVMax(50);
    sliver->setVPage(20);
    sliver->setVValue(-80);
    EXPECT_EQ(sliver->VValue(), -50);
    sliver->setVValue(80);
    EXPECT_EQ(sliver->VValue(), 31);
}

TEST_F(SliverTest, PageIsClampedToTheRange) {
    sliver->setHPage(-5);
    EXPECT_EQ(sliver->HPage(), 0);
    sliver->setHPage(5000);
    EXPECT_EQ(sliver->HPage(), 3001);
    EXPECT_EQ(hbar()->maximum(), 0); // the whole range is one page: nothing to scroll
    // A reversed range clamps into the negative interval.
    sliver->setVMin(10);
    sliver->setVMax(0);
    sliver->setVPage(5);
    EXPECT_EQ(sliver->VPage(), 0);
    sliver->setVPage(-20);
    EXPECT_EQ(sliver->VPage(), -9);
    // Extreme values do not overflow.
    sliver->setHMin(INT_MIN);
    sliver->setHMax(INT_MAX);
    sliver->setHPage(INT_MAX);
    EXPECT_EQ(sliver->HPage(), INT_MAX);
    sliver->setHValue(INT_MAX);
    EXPECT_EQ(sliver->HValue(), 1);
}

TEST_F(SliverTest, SettingPropertiesFromCodeRaisesNoEvent) {
    sliver->setHValue(30);
    sliver->setHMax(500);
    sliver->setHPage(50);
    sliver->setHMin(10);
    sliver->setHValue(5000); // clamped
    sliver->setVVisible(true);
    sliver->setVValue(200);
    sliver->setVMax(100); // pulls the position in
    sliver->setHVisible(false);
    EXPECT_TRUE(hSeen.empty());
    EXPECT_TRUE(vSeen.empty());
}

TEST_F(SliverTest, ArrowClickMovesByAFifthOfThePageAndRaisesOneEvent) {
    click(hbar(), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(hSeen, std::vector<int>{20}); // the handler already sees the new position
    click(hbar(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(hSeen, (std::vector<int>{20, 0}));
    EXPECT_TRUE(vSeen.empty());

    // Page 13: a fifth is 2.6, taken as 3; the arrow at the start still reports.
    sliver->setVVisible(true);
    sliver->setVPage(13);
    click(vbar(), QStyle::SC_ScrollBarAddLine);
    click(vbar(), QStyle::SC_ScrollBarSubLine);
    click(vbar(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(vSeen, (std::vector<int>{3, 0, 0}));
}

TEST_F(SliverTest, PageRequestsMoveByAPageAndStopAtTheLastPosition) {
    sliver->setVVisible(true);
    click(vbar(), QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(vSeen, std::vector<int>{100});

    sliver->setVValue(2850);
    key(host.get(), Qt::Key_PageDown);
    key(host.get(), Qt::Key_PageDown);
    EXPECT_EQ(vSeen, (std::vector<int>{100, 2901, 2901}));
    key(host.get(), Qt::Key_PageUp);
    EXPECT_EQ(vSeen.back(), 2801);
}

TEST_F(SliverTest, AHiddenBarDoesNotScroll) {
    ASSERT_FALSE(sliver->VVisible());
    key(host.get(), Qt::Key_Down);
    key(host.get(), Qt::Key_PageDown);
    QWheelEvent wheel(QPointF(50, 50), host->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(host->viewport(), &wheel);
    EXPECT_EQ(sliver->VValue(), 0);
    EXPECT_TRUE(vSeen.empty());
    // Once shown, the same wheel turn scrolls and reports.
    sliver->setVVisible(true);
    QApplication::sendEvent(host->viewport(), &wheel);
    EXPECT_GT(sliver->VValue(), 0);
    EXPECT_EQ(vSeen.size(), 1u);
}

TEST_F(SliverTest, EndsGoToTheFirstAndLastPositions) {
    sliver->setHMin(10);
    sliver->setHMax(100);
    sliver->setHPage(10);
    hbar()->triggerAction(QAbstractSlider::SliderToMaximum);
    hbar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(hSeen, (std::vector<int>{91, 10}));
}

TEST_F(SliverTest, DraggingTheThumbReportsEveryStepAndTheRelease) {
    const QPoint start = partOf(hbar(), QStyle::SC_ScrollBarSlider).center();
    mouse(hbar(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    mouse(hbar(), QEvent::MouseMove, start + QPoint(30, 0), Qt::LeftButton);
    mouse(hbar(), QEvent::MouseMove, start + QPoint(60, 0), Qt::LeftButton);
    mouse(hbar(), QEvent::MouseButtonRelease, start + QPoint(60, 0), Qt::NoButton);
    ASSERT_EQ(hSeen.size(), 3u);
    EXPECT_GT(hSeen[0], 0);
    EXPECT_GT(hSeen[1], hSeen[0]);
    EXPECT_EQ(hSeen[2], hSeen[1]); // the release reports the final position once more
    EXPECT_EQ(hbar()->value(), hSeen[2]);
}

TEST_F(SliverTest, SettingTheValueAfterTheUserScrolledMovesTheBarBack) {
    sliver->setHValue(0);
    click(hbar(), QStyle::SC_ScrollBarAddLine);
    ASSERT_EQ(sliver->HValue(), 20);
    sliver->setHValue(0);
    EXPECT_EQ(sliver->HValue(), 0);
    EXPECT_EQ(hSeen.size(), 1u);
}

TEST_F(SliverTest, ShowingOrHidingABarDoesNotRunTheHostsResizeHandling) {
    const int before = host->resizes;
    const QSize viewport = host->viewport()->size();
    sliver->setVVisible(true);
    EXPECT_LT(host->viewport()->width(), viewport.width());
    sliver->setVVisible(false);
    sliver->setHVisible(false);
    EXPECT_GT(host->viewport()->height(), viewport.height());
    EXPECT_EQ(host->resizes, before);
    // The host's own resizing still reaches it.
    host->resize(380, 280);
    EXPECT_GT(host->resizes, before);
}

TEST_F(SliverTest, EndingTheControlHidesTheBarsAndStopsTheEvents) {
    sliver->setVVisible(true);
    delete sliver;
    EXPECT_FALSE(hbar()->isVisible());
    EXPECT_FALSE(vbar()->isVisible());
    hbar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(hSeen.empty());
}

TEST_F(SliverTest, ASecondControlOnTheSameHostTakesTheEventsOver) {
    Sliver second(host.get());
    int secondEvents = 0;
    QObject::connect(&second, &Sliver::HScroll, [&] { ++secondEvents; });
    click(hbar(), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(secondEvents, 1);
    EXPECT_TRUE(hSeen.empty());
    EXPECT_EQ(hbar()->value(), 20);
    // Ending the superseded control leaves the bars alone.
    delete sliver;
    EXPECT_TRUE(hbar()->isVisible());
    click(hbar(), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(secondEvents, 2);
}

TEST(SliverHostTest, DestroyingTheHostTakesTheControlAlong) {
    QPointer<Sliver> sliver;
    {
        Host host;
        sliver = new Sliver(&host);
        sliver->setVVisible(true);
        host.show();
    }
    EXPECT_TRUE(sliver.isNull());
}

TEST(SliverPropertiesTest, NamesIgnoreCaseAndDefaultsAreNotStored) {
    Sliver::PropertyBag bag;
    bag.WriteProperty("HPage", 100, 100);
    EXPECT_FALSE(bag.contains("hpage"));
    bag.WriteProperty("HPage", 40, 100);
    EXPECT_EQ(bag.ReadProperty("HPAGE", 100).toInt(), 40);
    bag.WriteProperty("hpage", 60, 100);
    EXPECT_EQ(bag.names(), QStringList{"HPage"});
    EXPECT_EQ(bag.ReadProperty("HPage", 100).toInt(), 60);
    bag.WriteProperty("HPAGE", 100, 100);
    EXPECT_FALSE(bag.contains("HPage"));
    EXPECT_EQ(bag.ReadProperty("HPage", 100).toInt(), 100);
}

TEST(SliverPropertiesTest, SavedPropertiesReadBack) {
    Host first;
    Sliver a(&first);
    a.setHMax(200);
    a.setHPage(100);
    a.setHValue(40);
    a.setVVisible(true);
    a.setVMin(-10);
    a.setVValue(7);
    // A user scroll is not what gets saved: the value last set by code is.
    first.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(a.HValue(), 60);
    Sliver::PropertyBag bag;
    a.WriteProperties(bag);

    Host second;
    Sliver b(&second);
    b.ReadProperties(bag);
    EXPECT_EQ(b.HMax(), 200);
    EXPECT_EQ(b.HPage(), 100);
    EXPECT_EQ(b.HValue(), 40);
    EXPECT_EQ(second.horizontalScrollBar()->maximum(), 101);
    EXPECT_TRUE(b.VVisible());
    EXPECT_TRUE(b.HVisible());
    EXPECT_EQ(b.VMin(), -10);
    EXPECT_EQ(b.VValue(), 7);
}

TEST(SliverPropertiesTest, UnreadableValuesGiveTheDefaults) {
    Sliver::PropertyBag bag;
    bag.WriteProperty("hmax", QStringLiteral("lots"));
    bag.WriteProperty("HPage", 1e12);
    bag.WriteProperty("VVisible", QStringLiteral("TRUE"));
    bag.WriteProperty("HVisible", QStringLiteral("maybe"));
    bag.WriteProperty("VMax", QStringLiteral("250"));
    Host host;
    Sliver s(&host);
    s.ReadProperties(bag);
    EXPECT_EQ(s.HMax(), 3000);
    EXPECT_EQ(s.HPage(), 100);
    EXPECT_TRUE(s.VVisible());
    EXPECT_TRUE(s.HVisible());
    EXPECT_EQ(s.VMax(), 250);
}
