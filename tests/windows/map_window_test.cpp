#include "core/bmmain.h"
#include "core/cp932.h"
#include "core/title_codec.h"
#include "diagrams/picture_box.h"
#include "platform/desktop.h"
#include "platform/window_position.h"
#include "scripted_dialogs.h"
#include "sliver.h"
#include "windows/frm_map.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString kPrompt = QStringLiteral("新しい表題を入力して下さい。\r\n\r\n"
                                       "改行　　→「￥ｎ」\r\n"
                                       "全空白　→「￥ｚ」");
const QString kTitleCaption = QStringLiteral("図のﾀｲﾄﾙ");

double pxPerMmX() {
    return 1440.0 / desktop::TwipsPerPixelX() / 25.4;
}
double pxPerMmY() {
    return 1440.0 / desktop::TwipsPerPixelY() / 25.4;
}

// Resizes the window so that its inner area is `widthMm` × `heightMm` without scroll bars.
void resizeInner(frmMap& w, double widthMm, double heightMm) {
    const int frame = 2 * w.frameWidth();
    w.resize(int(std::lround(widthMm * pxPerMmX())) + frame,
             int(std::lround(heightMm * pxPerMmY())) + frame);
}

void sendMouse(QWidget* w, QEvent::Type type, QPointF local, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Drags `control` from `grab` (its own pixels) to `target` (pixels of the picture).
void drag(QWidget* control, QPointF grab, QWidget* picture, QPointF target) {
    sendMouse(control, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    const QPointF over = control->mapFromGlobal(picture->mapToGlobal(target));
    sendMouse(control, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    sendMouse(control, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
}

// Pixel of the picture where a point in picture units lies.
QPointF pixelOf(const frmMap& w, QPointF units) {
    const double r = BMMain::NetRadius;
    return {(85 + units.x() * 50 / r) * w.picCont().width() / 200.0,
            (70 + units.y() * 50 / r) * w.picCont().height() / 150.0};
}

struct Moved {
    int index;
    float x;
    float y;
};

class MapWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        BMMain::NetRadius = 100;
        window = std::make_unique<frmMap>(dialogs);
        QObject::connect(window.get(), &frmMap::MovePole, [this](int i, float x, float y) {
            moved.push_back({i, x, y});
        });
        QObject::connect(window.get(), &frmMap::MenuButtonDown,
                         [this](int index) { menus.push_back(index); });
    }
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswered()); }

    // A marker at the net's centre with its label at (-R, R), as a new maximum point has.
    void addMarker(int index) {
        window->LoadPoleControls(index);
        window->MoveControl(window->lblPole(index), -100, 100);
        const QRectF image = window->ControlRect(window->imgPole(index));
        window->MoveControl(window->imgPole(index), -image.width() / 2, -image.height() / 2);
        window->imgPole(index)->show();
        window->lblPole(index)->show();
        window->setLinePole(
            index, QLineF(0, 0, -100, 100 + window->ControlRect(window->lblPole(index)).height()));
        window->setLinePoleVisible(index, true);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<frmMap> window;
    std::vector<Moved> moved;
    std::vector<int> menus;
};

} // namespace

TEST_F(MapWindow, PictureIsTwoHundredByOneHundredFiftyMillimetresOnTheNetScale) {
    EXPECT_NEAR(window->picCont().width(), 200 * pxPerMmX(), 1);
    EXPECT_NEAR(window->picCont().height(), 150 * pxPerMmY(), 1);
    PictureSurface& s = window->picCont().Surface();
    EXPECT_DOUBLE_EQ(s.ScaleLeft(), -170);
    EXPECT_DOUBLE_EQ(s.ScaleTop(), -140);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 400);
    EXPECT_DOUBLE_EQ(s.ScaleHeight(), 300);
}

TEST_F(MapWindow, TitleStaysCentredUnderTheNetAndCanBeMovedUp) {
    EXPECT_EQ(window->Title(), "タイトル");
    window->setTitle(QStringLiteral("\r\n（シュミットネット下半球投影）"));
    EXPECT_EQ(window->Title(), "\r\n（シュミットネット下半球投影）");
    EXPECT_EQ(window->lblTitle().text(), "\n（シュミットネット下半球投影）");
    QRectF r = window->ControlRect(&window->lblTitle());
    // Centred on x = 0 to within a pixel (half a unit at 96 dpi).
    EXPECT_NEAR(r.left() + r.width() / 2, 0, 0.6);
    EXPECT_NEAR(r.top(), 120, 1e-4);
    EXPECT_GT(r.height(), window->ControlRect(window->lblPole(1)).height()); // two lines

    window->SetTitleTop(25);
    EXPECT_NEAR(window->TitleTop(), 25, 1e-4);
    window->setTitle(QStringLiteral("ローズダイアグラム"));
    r = window->ControlRect(&window->lblTitle());
    EXPECT_NEAR(r.left() + r.width() / 2, 0, 0.6);
    EXPECT_NEAR(r.top(), 25, 1e-4);
}

TEST_F(MapWindow, NarrowWindowScrollsAndWideWindowPutsThePictureBack) {
    resizeInner(*window, 150, 180);
    window->show();
    Sliver& bars = window->sliver();
    ASSERT_TRUE(bars.HVisible());
    EXPECT_EQ(bars.HMax(), 200);
    EXPECT_EQ(bars.HMin(), 0);
    EXPECT_EQ(bars.HPage(), std::lround(window->viewport()->width() / pxPerMmX()));
    EXPECT_NEAR(bars.HPage(), 150, 1);
    // Tall enough even with the horizontal bar.
    EXPECT_FALSE(bars.VVisible());

    window->setPictureLeft(-30);
    EXPECT_EQ(bars.HValue(), 30);
    EXPECT_FLOAT_EQ(window->PictureLeft(), -30);
    EXPECT_EQ(window->picCont().x(), std::lround(-30 * pxPerMmX()));

    resizeInner(*window, 230, 180);
    EXPECT_FALSE(bars.HVisible());
    EXPECT_FLOAT_EQ(window->PictureLeft(), 0);
    EXPECT_EQ(window->picCont().x(), 0);
    // Narrowed again, the bar starts from the left end, not from the old position.
    resizeInner(*window, 150, 180);
    EXPECT_TRUE(bars.HVisible());
    EXPECT_EQ(bars.HValue(), 0);
    EXPECT_EQ(window->picCont().x(), 0);
}

TEST_F(MapWindow, LowWindowScrollsVerticallyAndUserScrollingMovesThePicture) {
    resizeInner(*window, 250, 100);
    window->show();
    Sliver& bars = window->sliver();
    EXPECT_FALSE(bars.HVisible());
    ASSERT_TRUE(bars.VVisible());
    EXPECT_EQ(bars.VMax(), 150);
    EXPECT_EQ(bars.VPage(), std::lround(window->viewport()->height() / pxPerMmY()));

    // A page down goes to the end: the last position shows the picture's bottom edge.
    window->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bars.VValue(), 150 - bars.VPage() + 1);
    EXPECT_FLOAT_EQ(window->PictureTop(), -bars.VValue());
    EXPECT_EQ(window->picCont().y(), std::lround(-bars.VValue() * pxPerMmY()));

    // Scrolled to the end, a taller window keeps bar and picture together.
    window->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    resizeInner(*window, 250, 130);
    EXPECT_TRUE(bars.VVisible());
    EXPECT_EQ(bars.VValue(), 150 - bars.VPage() + 1);
    EXPECT_FLOAT_EQ(window->PictureTop(), -bars.VValue());
}

TEST_F(MapWindow, BothBarsWhenOneBarTakesTheLastRoom) {
    // Wide enough for the picture only while there is no vertical bar.
    const int barWidth = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resizeInner(*window, 200 + 0.5 * barWidth / pxPerMmX(), 100);
    window->show();
    EXPECT_TRUE(window->sliver().VVisible());
    EXPECT_TRUE(window->sliver().HVisible());
    EXPECT_LT(window->viewport()->width(), window->picCont().width());
}

TEST_F(MapWindow, RestoredPositionWaitsForTheWindowSize) {
    resizeInner(*window, 120, 100);
    window->setPictureLeft(-30);
    window->setPictureTop(-20);
    window->show();
    EXPECT_EQ(window->sliver().HValue(), 30);
    EXPECT_EQ(window->sliver().VValue(), 20);
    EXPECT_FLOAT_EQ(window->PictureLeft(), -30);
    EXPECT_FLOAT_EQ(window->PictureTop(), -20);
    EXPECT_FLOAT_EQ(window->property("PictureLeft").toFloat(), -30);

    // A window that has room for the whole picture cannot stand scrolled.
    frmMap wide(dialogs);
    resizeInner(wide, 260, 200);
    wide.setPictureLeft(-30);
    wide.show();
    EXPECT_FLOAT_EQ(wide.PictureLeft(), 0);
    wide.setPictureTop(-40);
    EXPECT_FLOAT_EQ(wide.PictureTop(), 0);
    EXPECT_EQ(wide.picCont().pos(), QPoint(0, 0));
}

TEST_F(MapWindow, YenSignInATitleIsTheBackslashTheFileHolds) {
    window->setTitle(QStringLiteral("A"));
    dialogs.expectInput(kPrompt, kTitleCaption, QStringLiteral("A"),
                        QStringLiteral("Yen¥nLine2 ¥5"));
    window->EditTitle();
    EXPECT_EQ(window->Title(), "Yen\r\nLine2 \\5");
    // What shows is what a saved file opens as.
    const QByteArray saved = cp932::encode(BMMain::EncodeTitle(window->Title()));
    EXPECT_EQ(BMMain::DecodeTitle(cp932::decode(saved)), window->Title());
    // Marks that a file's title holds as text stay text when it is confirmed unchanged.
    window->setTitle(QStringLiteral("A＼nB\\ｎC"));
    dialogs.expectInput(kPrompt, kTitleCaption, window->Title(), window->Title());
    window->EditTitle();
    EXPECT_EQ(window->Title(), QStringLiteral("A＼nB\\ｎC"));
}

TEST_F(MapWindow, TitleEditorTakesTheOneLineForm) {
    window->setTitle(QStringLiteral("\r\n（シュミットネット下半球投影）"));
    const QString encoded = QStringLiteral("\\n（シュミットネット下半球投影）");
    dialogs.expectInput(kPrompt, kTitleCaption, encoded, QString())
        .expectInput(kPrompt, kTitleCaption, encoded, std::nullopt)
        .expectInput(kPrompt, kTitleCaption, encoded, QStringLiteral("   "))
        .expectInput(kPrompt, kTitleCaption, encoded, QStringLiteral("  北部\\n断層群  "))
        .expectInput(kPrompt, kTitleCaption, QStringLiteral("北部\\n断層群"),
                     QStringLiteral("北部￥Ｎ断層群"))
        .expectInput(kPrompt, kTitleCaption, QStringLiteral("北部\\n断層群"),
                     QStringLiteral("x\\Z"));
    for (int i = 0; i < 3; ++i) {
        window->EditTitle();
        EXPECT_EQ(window->Title(), "\r\n（シュミットネット下半球投影）");
    }
    window->EditTitle();
    EXPECT_EQ(window->Title(), "北部\r\n断層群");
    // Typed in full width, as the prompt shows it, it is a line break too.
    window->EditTitle();
    EXPECT_EQ(window->Title(), "北部\r\n断層群");
    window->setTitle(QStringLiteral("北部\r\n断層群"));
    window->EditTitle();
    EXPECT_EQ(window->Title(), "");
    // The blank title keeps a place to double-click, centred where the title was.
    const QRectF blank = window->ControlRect(&window->lblTitle());
    EXPECT_GT(blank.width(), 20);
    EXPECT_GT(blank.height(), 5);
    EXPECT_NEAR(blank.left() + blank.width() / 2, 0, 0.6);
}

TEST_F(MapWindow, DoubleClickOrRightPressOnTheTitleOpensTheEditor) {
    window->setTitle(QStringLiteral("A"));
    dialogs.expectInput(kPrompt, kTitleCaption, "A", QStringLiteral("B"))
        .expectInput(kPrompt, kTitleCaption, "B", QStringLiteral("C"));
    QLabel& title = window->lblTitle();
    sendMouse(&title, QEvent::MouseButtonDblClick, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(window->Title(), "B");
    sendMouse(&title, QEvent::MouseButtonPress, QPointF(2, 2), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(window->Title(), "C");
    // A plain click does nothing, and a right click on the title is not the picture's menu.
    sendMouse(&title, QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton);
    sendMouse(&title, QEvent::MouseButtonRelease, QPointF(2, 2), Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(menus.empty());
}

TEST_F(MapWindow, RightClickOnThePictureAsksForTheDrawMenu) {
    resizeInner(*window, 210, 160);
    window->show();
    sendMouse(&window->picCont(), QEvent::MouseButtonPress, QPointF(50, 50), Qt::RightButton,
              Qt::RightButton);
    EXPECT_TRUE(menus.empty());
    sendMouse(&window->picCont(), QEvent::MouseButtonRelease, QPointF(50, 50), Qt::RightButton,
              Qt::NoButton);
    EXPECT_EQ(menus, std::vector<int>{2});
    EXPECT_TRUE(window->picCont().hasFocus() || QApplication::focusWidget() == nullptr);
    sendMouse(&window->picCont(), QEvent::MouseButtonRelease, QPointF(50, 50), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_EQ(menus.size(), 1u);
}

TEST_F(MapWindow, MarkerControlsLoadAndUnloadTogether) {
    EXPECT_EQ(window->PoleUBound(), 0);
    window->LoadPoleControls(1);
    window->LoadPoleControls(3);
    EXPECT_EQ(window->PoleUBound(), 3);
    ASSERT_NE(window->lblPole(1), nullptr);
    EXPECT_EQ(window->lblPole(1)->text(), "Ｎ２８゜Ｗ８２゜ＮＥ");
    EXPECT_FALSE(window->lblPole(1)->isVisibleTo(&window->picCont()));
    EXPECT_FALSE(window->LinePoleVisible(1));
    EXPECT_EQ(window->imgPole(2), nullptr);

    QPointer<QLabel> image = window->imgPole(3);
    window->UnloadPoleControls(3);
    EXPECT_FALSE(window->HasPoleControls(3));
    EXPECT_EQ(window->imgPole(3), nullptr);
    EXPECT_EQ(window->PoleUBound(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(image.isNull());

    // Positions are kept exactly as given, as the data file stores them.
    window->MoveControl(window->lblPole(1), -100 * 0.123457f, 100 * 0.654321f);
    const QRectF r = window->ControlRect(window->lblPole(1));
    EXPECT_EQ(float(r.left()) / 100, float(-100 * 0.123457f) / 100);
    EXPECT_EQ(float(r.top()), 100 * 0.654321f);
}

TEST_F(MapWindow, MarkerLabelTakesTheSizeOfANewCaption) {
    resizeInner(*window, 210, 160);
    window->show();
    addMarker(1);
    QLabel* label = window->lblPole(1);
    const int before = label->width();
    label->setText(QStringLiteral("Ｎ１２３゜Ｗ８２゜ＮＥ"));
    QCoreApplication::processEvents();
    EXPECT_GT(label->width(), before);
    EXPECT_EQ(label->size(), label->sizeHint());
}

TEST_F(MapWindow, MarkerDroppedOnTheEastRimReportsOneZero) {
    resizeInner(*window, 210, 160);
    window->show();
    addMarker(1);
    QLabel* image = window->imgPole(1);
    drag(image, QPointF(image->width() / 2.0, image->height() / 2.0), &window->picCont(),
         pixelOf(*window, QPointF(100, 0)));
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].index, 1);
    // Within a pixel of the rim: half a unit in a hundred.
    EXPECT_NEAR(moved[0].x, 1, 0.006);
    EXPECT_NEAR(moved[0].y, 0, 0.006);
    const QRectF r = window->ControlRect(image);
    EXPECT_NEAR(float(r.center().x()) / 100, moved[0].x, 1e-6);
    // The leader line starts at the marker's new centre and still ends at the label.
    const QLineF line = window->linePole(1);
    EXPECT_NEAR(line.x1(), r.center().x(), 1e-4);
    EXPECT_NEAR(line.y1(), r.center().y(), 1e-4);
    EXPECT_NEAR(line.x2(), -100, 1e-4);
}

TEST_F(MapWindow, MarkerGrabbedOffCentreIsStillHeldAtItsCentre) {
    resizeInner(*window, 210, 160);
    window->show();
    addMarker(2);
    QLabel* image = window->imgPole(2);
    const QPointF target = pixelOf(*window, QPointF(-50, 30));
    drag(image, QPointF(1, 1), &window->picCont(), target);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].index, 2);
    const double unitsPerPx = 400.0 / window->picCont().width();
    EXPECT_NEAR(moved[0].x * 100, -50, unitsPerPx);
    EXPECT_NEAR(moved[0].y * 100, 30, unitsPerPx);
}

TEST_F(MapWindow, LabelDropMovesTheLabelOnlyAndTheLineFollowsItsNearerEdge) {
    resizeInner(*window, 210, 160);
    window->show();
    addMarker(1);
    QLabel* label = window->lblPole(1);
    const QRectF before = window->ControlRect(label);
    // Taken 5 px into the label, dropped so that its left edge lands at (60, 40) below the line.
    const QPointF grab(5, 4);
    const double unitsPerPx = 400.0 / window->picCont().width();
    int dropped = 0;
    QObject::connect(window.get(), &frmMap::MovePoleLabel, [&] { ++dropped; });
    drag(label, grab, &window->picCont(), pixelOf(*window, QPointF(60, 40)) + grab);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(window->PoleNo(), 0);
    QRectF after = window->ControlRect(label);
    EXPECT_NEAR(after.left(), 60, unitsPerPx);
    EXPECT_NEAR(after.top(), 40, unitsPerPx);
    EXPECT_DOUBLE_EQ(after.width(), before.width());
    QLineF line = window->linePole(1);
    EXPECT_NEAR(line.x2(), after.left(), 1e-4);
    EXPECT_NEAR(line.y2(), after.top(), 1e-4); // below the centre line: the top edge
    EXPECT_NEAR(line.x1(), 0, 1e-4);           // the marker end stays

    // Above the centre line the line meets the bottom edge.
    drag(label, grab, &window->picCont(), pixelOf(*window, QPointF(60, -60)) + grab);
    after = window->ControlRect(label);
    line = window->linePole(1);
    EXPECT_NEAR(line.y2(), after.top() + after.height(), 1e-4);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(dropped, 2);
}

TEST_F(MapWindow, DropOutsideThePictureMovesNothing) {
    resizeInner(*window, 260, 200); // the picture leaves a margin of window around it
    window->show();
    addMarker(1);
    QLabel* image = window->imgPole(1);
    const QRectF before = window->ControlRect(image);
    const QLineF lineBefore = window->linePole(1);
    const QPointF outside(window->picCont().width() + 20, 30);
    sendMouse(image, QEvent::MouseButtonPress, QPointF(7, 7), Qt::LeftButton, Qt::LeftButton);
    // Over the picture first: the line follows ...
    QPointF over = image->mapFromGlobal(window->picCont().mapToGlobal(pixelOf(*window, {50, 50})));
    sendMouse(image, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(window->linePole(1).x1(), 50, 1);
    // ... then out of it: the line returns to the marker where it stands.
    over = image->mapFromGlobal(window->picCont().mapToGlobal(outside));
    sendMouse(image, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(window->linePole(1).x1(), lineBefore.x1(), 1e-4);
    sendMouse(image, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(window->ControlRect(image), before);
    EXPECT_NEAR(window->linePole(1).y1(), lineBefore.y1(), 1e-4);
}

TEST_F(MapWindow, DragWhoseEndWentElsewhereDoesNotBlockTheNextOne) {
    resizeInner(*window, 210, 160);
    window->show();
    addMarker(1);
    QLabel* image = window->imgPole(1);
    QLabel* label = window->lblPole(1);
    sendMouse(image, QEvent::MouseButtonPress, QPointF(7, 7), Qt::LeftButton, Qt::LeftButton);
    // No release: the focus went to another program. The next drag works, the first is undone.
    const QRectF imageBefore = window->ControlRect(image);
    drag(label, QPointF(2, 2), &window->picCont(), pixelOf(*window, QPointF(60, 40)));
    EXPECT_NEAR(window->ControlRect(label).left(), 60 - 2 * 400.0 / window->picCont().width(), 1);
    EXPECT_EQ(window->ControlRect(image), imageBefore);
    EXPECT_TRUE(moved.empty());
}

TEST_F(MapWindow, RightPressOnAMarkerLabelAsksForThePopupWithTheLabelHighlighted) {
    addMarker(1);
    addMarker(2);
    QLabel* label = window->lblPole(2);
    const QPalette base = window->picCont().palette();
    QColor during;
    QObject::connect(window.get(), &frmMap::MenuButtonDown,
                     [&](int) { during = label->palette().color(QPalette::Window); });
    sendMouse(label, QEvent::MouseButtonPress, QPointF(3, 3), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(menus, std::vector<int>{6});
    EXPECT_EQ(window->PoleNo(), 2);
    EXPECT_EQ(during, base.color(QPalette::Highlight));
    EXPECT_EQ(label->palette().color(QPalette::Window), base.color(QPalette::Base));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), base.color(QPalette::Text));

    // A left press forgets the pressed marker.
    sendMouse(label, QEvent::MouseButtonPress, QPointF(3, 3), Qt::LeftButton, Qt::LeftButton);
    sendMouse(label, QEvent::MouseButtonRelease, QPointF(3, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window->PoleNo(), 0);
}

TEST_F(MapWindow, MarkerDeletedFromItsOwnPopupDoesNotTakeTheWindowDown) {
    addMarker(1);
    QObject::connect(window.get(), &frmMap::MenuButtonDown, [this](int index) {
        if (index == 6)
            window->UnloadPoleControls(window->PoleNo());
    });
    sendMouse(window->lblPole(1), QEvent::MouseButtonPress, QPointF(3, 3), Qt::RightButton,
              Qt::RightButton);
    EXPECT_FALSE(window->HasPoleControls(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->PoleUBound(), 0);
}

TEST_F(MapWindow, CloseDoesNothingInsideAnMdiArea) {
    QMdiArea area;
    area.resize(900, 700);
    auto* form = new frmMap(dialogs);
    QMdiSubWindow* sub = area.addSubWindow(form);
    area.show();
    sub->show();
    EXPECT_FALSE(sub->close());
    EXPECT_TRUE(sub->isVisible());
    EXPECT_TRUE(form->isVisible());
    QAction* closeItem = nullptr;
    for (QAction* a : sub->systemMenu()->actions())
        if (a->shortcuts() == QKeySequence::keyBindings(QKeySequence::Close))
            closeItem = a;
    ASSERT_NE(closeItem, nullptr);
    EXPECT_FALSE(closeItem->isEnabled());
    // Still grey after the window has been maximised and restored.
    sub->showMaximized();
    sub->showNormal();
    Q_EMIT sub->systemMenu()->aboutToShow();
    EXPECT_FALSE(closeItem->isEnabled());
    closeItem->trigger();
    EXPECT_TRUE(sub->isVisible());
}

TEST_F(MapWindow, CloseDoesNothingOnItsOwn) {
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MapWindow, PlacementRestoresAndSavesTheScrollPosition) {
    QTemporaryDir dir;
    const QString savedPath = BMMain::AppPath;
    BMMain::SetAppPath(dir.path());
    {
        QFile ini(BMMain::SettingsPath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Plot]\r\nLeft=0\r\nTop=0\r\nWidth=6000\r\nHeight=5000\r\nStatus=0\r\n"
                  "PictureLeft=-30\r\nPictureTop=-10\r\n");
    }
    QMdiArea area;
    area.resize(900, 700);
    auto* form = new frmMap(dialogs);
    area.addSubWindow(form);
    WindowPosition positions;
    positions.SetWindowPosML2(form, QStringLiteral("Plot"));
    area.show();
    form->parentWidget()->show();
    EXPECT_FLOAT_EQ(form->PictureLeft(), -30);
    EXPECT_FLOAT_EQ(form->PictureTop(), -10);
    EXPECT_EQ(form->sliver().HValue(), 30);
    EXPECT_EQ(form->sliver().VValue(), 10);

    form->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const int scrolled = form->sliver().HValue();
    EXPECT_GT(scrolled, 30);
    ASSERT_TRUE(positions.SaveWindowPosML2(form, QStringLiteral("Plot")));
    EXPECT_EQ(WindowPosition::Read(QStringLiteral("Plot"), 0).pictureLeft, -scrolled);
    EXPECT_EQ(WindowPosition::Read(QStringLiteral("Plot"), 0).pictureTop, -10);
    BMMain::AppPath = savedPath;
}
