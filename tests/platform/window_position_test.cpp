#include "platform/window_position.h"

#include "core/bmmain.h"
#include "core/cp932.h"
#include "platform/desktop.h"

#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace {

// A form with a picture scroll position, as the diagram and legend windows have.
class Form : public QWidget {
    Q_OBJECT
    Q_PROPERTY(float PictureLeft MEMBER pictureLeft)
    Q_PROPERTY(float PictureTop MEMBER pictureTop)

  public:
    float pictureLeft = 5;
    float pictureTop = 5;
};

class WindowPositionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = BMMain::AppPath;
        BMMain::SetAppPath(dir.path());
    }
    void TearDown() override { BMMain::AppPath = saved; }

    void spit(const QString& text) {
        QFile f(BMMain::SettingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cp932::encode(text));
    }
    // A placement section whose rectangle is given in screen pixels.
    void storePixels(const QString& section, QRect r, int status) {
        const double tx = desktop::TwipsPerPixelX(), ty = desktop::TwipsPerPixelY();
        spit(QStringLiteral("[%1]\r\nLeft=%2\r\nTop=%3\r\nWidth=%4\r\nHeight=%5\r\nStatus=%6\r\n")
                 .arg(section)
                 .arg(r.x() * tx)
                 .arg(r.y() * ty)
                 .arg(r.width() * tx)
                 .arg(r.height() * ty)
                 .arg(status));
    }
    QByteArray slurp() const {
        QFile f(BMMain::SettingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString saved;
};

// An MDI area with one diagram-like child window, shown offscreen.
struct Desk {
    Desk() {
        area.resize(900, 700);
        form = new Form;
        sub = area.addSubWindow(form);
        area.show();
        sub->show();
    }
    QMdiArea area;
    Form* form;
    QMdiSubWindow* sub;
};

int twipsToPixelsX(double twips) {
    return static_cast<int>(std::lround(twips / desktop::TwipsPerPixelX()));
}
int twipsToPixelsY(double twips) {
    return static_cast<int>(std::lround(twips / desktop::TwipsPerPixelY()));
}

} // namespace

void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

TEST(WindowPositionTextTest, SinglesAreWrittenAsDecimalText) {
    EXPECT_EQ(WindowPosition::SingleText(1234.5f), "1234.5");
    EXPECT_EQ(WindowPosition::SingleText(0.0f), "0");
    EXPECT_EQ(WindowPosition::SingleText(-0.0f), "0");
    EXPECT_EQ(WindowPosition::SingleText(0.5f), "0.5");
    EXPECT_EQ(WindowPosition::SingleText(-0.25f), "-0.25");
    EXPECT_EQ(WindowPosition::SingleText(0.1f), "0.1");
    EXPECT_EQ(WindowPosition::SingleText(-30.0f), "-30");
    EXPECT_EQ(WindowPosition::SingleText(16777217.0f), "1.677722E+07");
}

TEST_F(WindowPositionTest, AMissingSectionReadsAsNoStoredPlacement) {
    const StoredPlacement p = WindowPosition::Read("Plot", 9600);
    EXPECT_EQ(p.status, -1);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.width, 9600);
    EXPECT_EQ(p.height, 9600);
    EXPECT_EQ(p.pictureLeft, 0);
    EXPECT_EQ(p.pictureTop, 0);
}

TEST_F(WindowPositionTest, ValuesThatAreNotNumbersReadAsTheirDefaults) {
    spit("[plot]\r\nLEFT=abc\r\nTop=12x\r\nWidth=1E+50\r\nHeight=-450.5\r\nStatus=maximised\r\n"
         "PictureLeft=-30.25\r\nPictureTop=\r\n[Rose]\r\nStatus=1.5\r\n[Rank]\r\nStatus=99999\r\n");
    const StoredPlacement p = WindowPosition::Read("Plot", 9600);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.width, 9600);
    EXPECT_EQ(p.height, -450.5f);
    EXPECT_EQ(p.status, -1);
    EXPECT_EQ(p.pictureLeft, -30.25f);
    EXPECT_EQ(p.pictureTop, 0);
    // The state converts as an integer, halves to even; out of range means nothing stored.
    EXPECT_EQ(WindowPosition::Read("Rose", 9600).status, 2);
    EXPECT_EQ(WindowPosition::Read("Rank", 9600).status, -1);
}

TEST_F(WindowPositionTest, WritesEveryKeyOfANormalWindow) {
    StoredPlacement p;
    p.left = 1234.5f;
    p.top = 0;
    p.width = 0.5f;
    p.height = 6000;
    p.status = 0;
    p.pictureLeft = -30;
    p.pictureTop = -0.25f;
    ASSERT_TRUE(WindowPosition::Write("Contour", p, true));
    EXPECT_EQ(slurp(),
              QByteArray("[Contour]\r\nLeft=1234.5\r\nTop=0\r\nWidth=0.5\r\nHeight=6000\r\n"
                         "PictureLeft=-30\r\nPictureTop=-0.25\r\nStatus=0\r\n"));
}

TEST_F(WindowPositionTest, AMinimisedOrMaximisedWindowKeepsItsNormalRectangleInTheFile) {
    spit("[Rose]\r\nLeft=150\r\nTop=300\r\nWidth=4500\r\nHeight=3000\r\nStatus=0\r\n");
    StoredPlacement p;
    p.left = p.top = p.width = p.height = 1;
    p.status = 2;
    p.pictureTop = 12;
    ASSERT_TRUE(WindowPosition::Write("Rose", p, false));
    EXPECT_EQ(slurp(), QByteArray("[Rose]\r\nLeft=150\r\nTop=300\r\nWidth=4500\r\nHeight=3000\r\n"
                                  "Status=2\r\nPictureLeft=0\r\nPictureTop=12\r\n"));
}

TEST_F(WindowPositionTest, FirstRunKeepsTheCreatedPlacementAndZeroesThePicture) {
    Desk desk;
    desk.sub->setGeometry(40, 50, 300, 200);
    WindowPosition().SetWindowPosML2(desk.form, "Plot");
    EXPECT_EQ(desk.sub->geometry(), QRect(40, 50, 300, 200));
    EXPECT_EQ(desk.form->pictureLeft, 0);
    EXPECT_EQ(desk.form->pictureTop, 0);
}

TEST_F(WindowPositionTest, AStoredNormalStateAloneGivesHalfTheScreenWidthBothWays) {
    spit("[Plot]\r\nStatus=0\r\n");
    Desk desk;
    WindowPosition().SetWindowPosML2(desk.form, "Plot");
    const double halfTwips =
        QGuiApplication::primaryScreen()->geometry().width() * desktop::TwipsPerPixelX() / 2;
    EXPECT_EQ(desk.sub->geometry(),
              QRect(0, 0, twipsToPixelsX(halfTwips), twipsToPixelsY(halfTwips)));
}

TEST_F(WindowPositionTest, PlacementRoundTripsThroughTheFile) {
    {
        Desk desk;
        desk.sub->setGeometry(10, 20, 330, 210);
        desk.form->pictureLeft = -30;
        desk.form->pictureTop = -12.5f;
        ASSERT_TRUE(WindowPosition().SaveWindowPosML2(desk.form, "Contour"));
    }
    const StoredPlacement p = WindowPosition::Read("Contour", 1);
    EXPECT_EQ(p.status, 0);
    EXPECT_FLOAT_EQ(p.left, 10 * desktop::TwipsPerPixelX());
    EXPECT_FLOAT_EQ(p.height, 210 * desktop::TwipsPerPixelY());

    Desk desk;
    WindowPosition().SetWindowPosML2(desk.form, "Contour");
    EXPECT_EQ(desk.sub->geometry(), QRect(10, 20, 330, 210));
    EXPECT_EQ(desk.form->pictureLeft, -30);
    EXPECT_EQ(desk.form->pictureTop, -12.5f);
}

TEST_F(WindowPositionTest, AStoredMinimisedOrMaximisedWindowRestoresToItsNormalRectangle) {
    const QRect normal(30, 40, 320, 240);
    for (const int status : {1, 2}) {
        storePixels("Rank", normal, status);
        const QByteArray before = slurp();
        Desk desk;
        WindowPosition().SetWindowPosML2(desk.form, "Rank");
        EXPECT_EQ(desk.sub->isMinimized(), status == 1);
        EXPECT_EQ(desk.sub->isMaximized(), status == 2);
        // Saving in that state leaves the normal rectangle in the file.
        ASSERT_TRUE(WindowPosition().SaveWindowPosML2(desk.form, "Rank"));
        EXPECT_TRUE(slurp().startsWith(before.left(before.indexOf("Status"))));
        EXPECT_EQ(WindowPosition::Read("Rank", 1).status, status);
        desk.sub->showNormal();
        EXPECT_EQ(desk.sub->geometry(), normal) << "status " << status;
    }
}

TEST_F(WindowPositionTest, AWindowPlacedBeforeItsAreaIsShownKeepsItsStateAndRectangle) {
    storePixels("Plot", QRect(5, 6, 310, 220), 2);
    QMdiArea area;
    area.resize(900, 700);
    auto* form = new Form;
    QMdiSubWindow* sub = area.addSubWindow(form);
    WindowPosition().SetWindowPosML2(form, "Plot");
    area.show();
    sub->show();
    EXPECT_TRUE(sub->isMaximized());
    sub->showNormal();
    EXPECT_EQ(sub->geometry(), QRect(5, 6, 310, 220));
}

#include "window_position_test.moc"
