#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/notation.h"

#include <QPointF>
#include <gtest/gtest.h>

#include <cmath>

using Notation::Kind;
using Notation::Refusal;

namespace {

QString Cells(const Document::Row& row) {
    return row[0] + u',' + row[1] + u',' + row[2] + u',' + row[3];
}

// The pole of a plane dipping `dip` towards `dipDirection`, projected on the lower hemisphere
// of an equal-area net of radius 100 (x east, y south), computed without the program's
// conversion.
QPointF TruePole(int dipDirection, int dip) {
    const double trend = (dipDirection + 180) * M_PI / 180.0;
    const double r = 100.0 * std::sqrt(2.0) * std::sin(dip * M_PI / 360.0);
    return {r * std::sin(trend), -r * std::cos(trend)};
}

// Where the program's projection puts the pole of the grid cells.
QPointF ProgramPole(const Document::Row& cells) {
    const BMPole::NetPoint p =
        BMPole::OrientationToNet(cells[0].toInt(), cells[1], cells[2].toInt(), cells[3]);
    return {p.X, p.Y};
}

// Hundredths of rounding, twice, and the program's single-precision constants.
constexpr double kTolerance = 0.011;

class NotationTest : public ::testing::Test {
  protected:
    void SetUp() override { BMMain::NetRadius = 100; }
};

} // namespace

TEST_F(NotationTest, MeasurementsBecomeCellsWhosePoleLiesWhereTheMeasurementsPoleIs) {
    struct Case {
        const char* text;
        Kind kind;
        const char* cells; // nullptr: refused
        int dipDirection;  // what the measurement means
        bool rounded;
        Refusal refusal;
    };
    const Case cases[] = {
        {"N30E 45SE", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        {"N30E/45SE", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        {"N 30 E, 45 SE", Kind::Quadrant, "30,E,45,SE", 120, false, Refusal::None},
        {"Ｎ３０Ｅ　４５ＳＥ", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        {"n30w 60sw", Kind::Auto, "30,W,60,SW", 240, false, Refusal::None},
        {"N30°E 45°SE", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        // Letters that already put the pole right are kept as written.
        {"N30E 45S", Kind::Auto, "30,E,45,S", 120, false, Refusal::None},
        {"N90E 30S", Kind::Auto, "90,E,30,S", 180, false, Refusal::None},
        {"N0W 45W", Kind::Auto, "0,W,45,W", 270, false, Refusal::None},
        {"NS 45E", Kind::Auto, "0,E,45,E", 90, false, Refusal::None},
        {"EW 30N", Kind::Auto, "90,E,30,N", 0, false, Refusal::None},
        // Letters the projection would read the other way are rewritten.
        {"N0E 45W", Kind::Auto, "0,W,45,W", 270, false, Refusal::None},
        {"N10E 45W", Kind::Auto, "10,E,45,NW", 280, false, Refusal::None},
        {"N80W 20E", Kind::Auto, "80,W,20,NE", 10, false, Refusal::None},
        {"N30.5E 45SE", Kind::Auto, "30,E,45,SE", 120, true, Refusal::None},
        {"N30E 89.5SE", Kind::Auto, "30,E,90,SE", 120, true, Refusal::None},
        {"120/45", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        {"120 45", Kind::DipDirection, "30,E,45,SE", 120, false, Refusal::None},
        {"１２０，４５", Kind::Auto, "30,E,45,SE", 120, false, Refusal::None},
        {"0/90", Kind::Auto, "90,E,90,N", 0, false, Refusal::None},
        {"360/45", Kind::Auto, "90,E,45,N", 0, false, Refusal::None},
        {"359.6/45", Kind::Auto, "90,E,45,N", 0, true, Refusal::None},
        {"270/45", Kind::Auto, "0,W,45,W", 270, false, Refusal::None},
        {"45/0", Kind::Auto, "45,W,0,NE", 45, false, Refusal::None},
        {"030/45", Kind::RightHandRule, "30,E,45,SE", 120, false, Refusal::None},
        {"360/45", Kind::RightHandRule, "0,E,45,E", 90, false, Refusal::None},
        {"300.5 12.5", Kind::RightHandRule, "60,W,12,NE", 30, true, Refusal::None},
        // Refused, with the reason.
        {"N0E 45N", Kind::Auto, nullptr, 0, false, Refusal::LettersAgainstStrike},
        {"N30E 45NE", Kind::Auto, nullptr, 0, false, Refusal::LettersAgainstStrike},
        {"N30E 90.5SE", Kind::Auto, nullptr, 0, false, Refusal::DipRange},
        {"120/90.5", Kind::Auto, nullptr, 0, false, Refusal::DipRange},
        {"45/120", Kind::Auto, nullptr, 0, false, Refusal::DipRange},
        {"120/-5", Kind::Auto, nullptr, 0, false, Refusal::DipRange},
        {"360.5/45", Kind::Auto, nullptr, 0, false, Refusal::AzimuthRange},
        {"N360E 45SE", Kind::Auto, nullptr, 0, false, Refusal::StrikeRange},
        {"N30S 45SE", Kind::Auto, nullptr, 0, false, Refusal::SideLetter},
        {"", Kind::Auto, nullptr, 0, false, Refusal::Empty},
        {" 　 / ", Kind::Auto, nullptr, 0, false, Refusal::Empty},
        {"abc", Kind::Auto, nullptr, 0, false, Refusal::Unreadable},
        {"120", Kind::Auto, nullptr, 0, false, Refusal::Unreadable},
        {"N30E 45SE 7", Kind::Auto, nullptr, 0, false, Refusal::Unreadable},
        {"N30E 45NNE", Kind::Auto, nullptr, 0, false, Refusal::Unreadable},
        {"N30E 45SE", Kind::DipDirection, nullptr, 0, false, Refusal::Unreadable},
        {"120/45", Kind::Quadrant, nullptr, 0, false, Refusal::Unreadable},
    };
    for (const Case& c : cases) {
        const Notation::Result r = Notation::Read(QString::fromUtf8(c.text), c.kind);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(r.refusal, c.refusal);
        if (!c.cells)
            continue;
        EXPECT_EQ(Cells(r.cells), QString(c.cells));
        EXPECT_EQ(r.rounded, c.rounded);
        const QPointF want = TruePole(c.dipDirection, r.cells[2].toInt());
        const QPointF got = ProgramPole(r.cells);
        EXPECT_NEAR(got.x(), want.x(), kTolerance);
        EXPECT_NEAR(got.y(), want.y(), kTolerance);
    }
}

TEST_F(NotationTest, EveryWholeDipDirectionAndDipProjectsWhereItsPoleIs) {
    for (int dd = 0; dd < 360; ++dd) {
        for (int dip = 0; dip <= 90; ++dip) {
            const auto r = Notation::Read(QStringLiteral("%1/%2").arg(dd).arg(dip), Kind::Auto);
            ASSERT_TRUE(r.ok()) << dd << "/" << dip;
            const QPointF want = TruePole(dd, dip);
            const QPointF got = ProgramPole(r.cells);
            ASSERT_NEAR(got.x(), want.x(), kTolerance) << dd << "/" << dip;
            ASSERT_NEAR(got.y(), want.y(), kTolerance) << dd << "/" << dip;
            // The quadrant text of the same cells reads back to the same cells.
            const QString quadrant =
                u'N' + r.cells[0] + r.cells[1] + u' ' + r.cells[2] + r.cells[3];
            ASSERT_EQ(Cells(Notation::Read(quadrant, Kind::Auto).cells), Cells(r.cells))
                << quadrant.toStdString();
        }
    }
}

TEST_F(NotationTest, TheGridsOwnFourCellsAreReadAsTheGridReadsThem) {
    struct Case {
        const char* strike;
        const char* side;
        const char* dip;
        const char* letters;
        const char* cells;
        Refusal refusal;
    };
    const Case cases[] = {
        // N10E 45W projects as dipping to 100, like a pasted row: kept.
        {"10", "E", "45", "W", "10,E,45,W", Refusal::None},
        {" 30 ", "e", "45.5", "ｓｅ", "30,e,46,SE", Refusal::None},
        {"30", "", "45", "", "30,,45,", Refusal::None},
        {"30", "X", "45", "SE", nullptr, Refusal::SideLetter},
        {"95", "E", "45", "SE", nullptr, Refusal::StrikeRange},
        {"30", "E", "91", "SE", nullptr, Refusal::DipRange},
        {"30", "E", "", "SE", nullptr, Refusal::Empty},
        {"", " ", "", "", nullptr, Refusal::Empty},
        {"30", "E", "45", "SEE", nullptr, Refusal::Unreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strike + std::string(",") + c.side + "," + c.dip + "," + c.letters);
        const auto r =
            Notation::ReadGridCells(QString::fromUtf8(c.strike), QString::fromUtf8(c.side),
                                    QString::fromUtf8(c.dip), QString::fromUtf8(c.letters));
        EXPECT_EQ(r.refusal, c.refusal);
        if (c.cells) {
            EXPECT_EQ(Cells(r.cells), QString(c.cells));
        }
    }
}
