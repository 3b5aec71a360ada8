// One planar measurement read from the notations field tools and spreadsheets write: quadrant
// text ("N30E 45SE"), dip direction and dip ("120/45") or right-hand-rule strike and dip
// ("030/45"), half- or full-width. The result is the data grid's four cells, chosen so that the
// net projection (only the first letter of each letter cell decides) puts the pole where the
// measurement's pole is.
#pragma once

#include "core/document.h"

#include <QString>
#include <QStringView>

namespace Notation {

enum class Kind {
    Auto,          // compass letters: quadrant; two plain numbers: dip direction and dip
    Quadrant,      // N30E 45SE
    DipDirection,  // 120/45
    RightHandRule, // 030/45: the plane dips to the right of the strike
};

// Why a measurement was not read.
enum class Refusal {
    None,
    Empty,
    Unreadable,
    DipRange,
    AzimuthRange,
    StrikeRange,
    LettersAgainstStrike,
    SideLetter,
};

// The reason as the user reads it; `kind` says which form was expected of unreadable text.
QString RefusalText(Refusal refusal, Kind kind);

struct Result {
    Document::Row cells;  // strike angle, strike side, dip angle, dip direction letters
    bool rounded = false; // a decimal angle was rounded to whole degrees
    Refusal refusal = Refusal::None;
    bool ok() const { return refusal == Refusal::None; }
};

// One measurement from one text. Decimal degrees are rounded half to even, as the program
// rounds angle cells; a value is checked against its range before it is rounded, so a dip of
// 90.5 is refused. Azimuths run from 0 to 360 (360 is north). In quadrant text the dip letters
// say to which side of the strike line the plane dips: one letter within less than 90 degrees
// of the dip direction, two letters within 45; quadrant cells that already put the pole right
// are kept as written ("N30E 45S"), others are rewritten ("N0E 45W" becomes N0W 45W).
Result Read(QStringView text, Kind kind);

// The grid's own four cells from four spreadsheet cells, read as the grid reads them (first
// letters decide): angles 0 to 90, a strike side E or W, up to two compass letters. What the
// grid would show is kept; full-width letters become half-width capitals as typing them does.
Result ReadGridCells(QStringView strike, QStringView side, QStringView dip, QStringView letters);

// The dip direction (0-359) of the plane whose pole the projection puts where it puts the
// pole of these grid values: the strike angle, whether the side is W, the dip direction
// letters start with N (or are empty).
int DipDirectionOf(int strike, bool west, bool north);

// The notation named on the command line ("auto", "quadrant", "dipdir", "rhr"), or nothing.
std::optional<Kind> KindFromName(const QString& name);

} // namespace Notation
