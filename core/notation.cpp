#include "core/notation.h"

#include "core/vb.h"

#include <array>
#include <charconv>
#include <cmath>

namespace Notation {

namespace {

// Cell texts for whole angles, made once: a row packs its short texts anyway, so sharing them
// spares only a QString::number per cell.
const QString& AngleText(int degrees) {
    static const std::array<QString, 91> texts = [] {
        std::array<QString, 91> t;
        for (int i = 0; i <= 90; ++i)
            t[size_t(i)] = QString::number(i);
        return t;
    }();
    return texts[size_t(degrees)];
}

// Shared texts of the compass letters a cell can get ("N" ... "SW").
const QString& Letters(const char* letters) {
    static const std::array<QString, 8> texts = {
        QStringLiteral("N"),  QStringLiteral("S"),  QStringLiteral("E"),  QStringLiteral("W"),
        QStringLiteral("NE"), QStringLiteral("NW"), QStringLiteral("SE"), QStringLiteral("SW")};
    const int first = letters[0] == 'N' ? 0 : letters[0] == 'S' ? 1 : letters[0] == 'E' ? 2 : 3;
    if (letters[1] == 0)
        return texts[size_t(first)];
    return texts[size_t(4 + (first == 0 ? 0 : 2) + (letters[1] == 'W' ? 1 : 0))];
}

int Normalised(int degrees) {
    return ((degrees % 360) + 360) % 360;
}

// The smaller angle between two azimuths.
int Separation(int a, int b) {
    const int d = Normalised(a - b);
    return d > 180 ? 360 - d : d;
}

// ---- tokens ---------------------------------------------------------------------------------

struct Token {
    enum Type { Number, Word } type = Number;
    double value = 0;
    bool fraction = false;
    char word[3] = {}; // up to two capital letters
    int length = 0;
};

// At most: "N", strike, side, dip, letters.
constexpr int kMaxTokens = 6;

struct Tokens {
    std::array<Token, kMaxTokens> list;
    int count = 0;
    bool ok = true;
};

// Half-width capitals for full-width and lower-case forms; degree marks and blanks read as a
// separator (0); anything unknown as itself.
char16_t Plain(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        c = char16_t(c - 0xFEE0);
    else if (c == 0x3000 || c == 0x00B0 || c == 0x309C || c == 0x00BA || c == 0x02DA || c == u'度')
        return 0;
    else if (c == 0x2212)
        c = u'-';
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - 32);
    if (c == u' ' || c == u'\t' || c == u',' || c == u'/' || c == u';' || c == u':' || c == u'\\' ||
        c == u'_' || c == u'|')
        return 0;
    return c;
}

Tokens Tokenise(QStringView text) {
    Tokens t;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto add = [&t]() -> Token* {
        if (t.count == kMaxTokens) {
            t.ok = false;
            return nullptr;
        }
        return &t.list[size_t(t.count++)];
    };
    while (i < n && t.ok) {
        const char16_t c = Plain(text[i].unicode());
        if (c == 0) {
            ++i;
            continue;
        }
        const bool sign =
            (c == u'-' || c == u'+') && i + 1 < n &&
            ((Plain(text[i + 1].unicode()) >= u'0' && Plain(text[i + 1].unicode()) <= u'9') ||
             Plain(text[i + 1].unicode()) == u'.');
        if ((c >= u'0' && c <= u'9') || c == u'.' || sign) {
            char buffer[32];
            int length = 0;
            bool point = false, digits = false;
            if (sign) {
                buffer[length++] = char(c);
                ++i;
            }
            for (; i < n && length < 31; ++i) {
                const char16_t d = Plain(text[i].unicode());
                if (d >= u'0' && d <= u'9') {
                    digits = true;
                } else if (d == u'.' && !point) {
                    point = true;
                } else {
                    break;
                }
                buffer[length++] = char(d);
            }
            Token* token = add();
            if (!token || !digits || length == 31) {
                t.ok = false;
                break;
            }
            token->type = Token::Number;
            token->fraction = point;
            if (std::from_chars(buffer + (buffer[0] == '+'), buffer + length, token->value).ec !=
                std::errc())
                t.ok = false;
            continue;
        }
        if (c == u'N' || c == u'S' || c == u'E' || c == u'W') {
            Token* token = add();
            if (!token)
                break;
            token->type = Token::Word;
            for (; i < n; ++i) {
                const char16_t l = Plain(text[i].unicode());
                if (l != u'N' && l != u'S' && l != u'E' && l != u'W')
                    break;
                if (token->length == 2) {
                    t.ok = false;
                    break;
                }
                token->word[token->length++] = char(l);
            }
            continue;
        }
        t.ok = false;
    }
    return t;
}

bool IsWord(const Token& t, const char* word) {
    return t.type == Token::Word && QLatin1StringView(t.word) == QLatin1StringView(word);
}

// ---- angles ---------------------------------------------------------------------------------

// A value within [0, limit], rounded half to even; nothing when outside.
std::optional<int> Whole(const Token& t, int limit, bool& rounded) {
    if (!(t.value >= 0 && t.value <= limit))
        return std::nullopt;
    const int whole = int(vb::RoundHalfEven(t.value));
    if (whole != t.value)
        rounded = true;
    return whole;
}

// Azimuth of compass letters ("N" 0, "NE" 45, ...), or nothing for a pair that names no
// quadrant.
std::optional<int> LetterAzimuth(const Token& t) {
    static constexpr struct {
        const char* letters;
        int azimuth;
    } kPoints[] = {{"N", 0},   {"NE", 45},  {"E", 90},  {"SE", 135},
                   {"S", 180}, {"SW", 225}, {"W", 270}, {"NW", 315}};
    for (const auto& p : kPoints)
        if (IsWord(t, p.letters))
            return p.azimuth;
    return std::nullopt;
}

Result Refused(Refusal refusal) {
    Result r;
    r.refusal = refusal;
    return r;
}

// The canonical cells of a plane dipping `dip` degrees (0-90) towards `dd` (0-359).
Document::Row CellsFor(int dd, int dip) {
    const QString& d = AngleText(dip);
    if (dd == 0)
        return {AngleText(90), Letters("E"), d, Letters("N")};
    if (dd < 90)
        return {AngleText(90 - dd), Letters("W"), d, Letters("NE")};
    if (dd == 90)
        return {AngleText(0), Letters("E"), d, Letters("E")};
    if (dd < 180)
        return {AngleText(dd - 90), Letters("E"), d, Letters("SE")};
    if (dd == 180)
        return {AngleText(90), Letters("E"), d, Letters("S")};
    if (dd < 270)
        return {AngleText(270 - dd), Letters("W"), d, Letters("SW")};
    if (dd == 270)
        return {AngleText(0), Letters("W"), d, Letters("W")};
    return {AngleText(dd - 270), Letters("E"), d, Letters("NW")};
}

Result FromDipDirection(int dipDirection, int dip, bool rounded) {
    Result r;
    r.cells = CellsFor(Normalised(dipDirection), dip);
    r.rounded = rounded;
    return r;
}

// "N30E 45SE", "30E 45SE", "NS 45E", "EW 30S": strike from north, its side, dip, letters.
Result ReadQuadrant(const Tokens& t) {
    int at = 0;
    int strike = 0;
    bool west = false;
    bool rounded = false;
    const Token* tok = t.list.data();
    if (t.count == 3 && (IsWord(tok[0], "NS") || IsWord(tok[0], "EW"))) {
        strike = IsWord(tok[0], "NS") ? 0 : 90;
        at = 1;
    } else {
        if (t.count == 5 && IsWord(tok[0], "N"))
            at = 1;
        else if (t.count != 4)
            return Refused(Refusal::Unreadable);
        if (tok[at].type != Token::Number || tok[at + 1].type != Token::Word)
            return Refused(Refusal::Unreadable);
        if (!IsWord(tok[at + 1], "E") && !IsWord(tok[at + 1], "W"))
            return Refused(Refusal::SideLetter);
        const auto angle = Whole(tok[at], 90, rounded);
        if (!angle)
            return Refused(Refusal::StrikeRange);
        strike = *angle;
        west = IsWord(tok[at + 1], "W");
        at += 2;
    }
    if (tok[at].type != Token::Number || tok[at + 1].type != Token::Word)
        return Refused(Refusal::Unreadable);
    const auto dip = Whole(tok[at], 90, rounded);
    if (!dip)
        return Refused(Refusal::DipRange);
    const auto toward = LetterAzimuth(tok[at + 1]);
    if (!toward)
        return Refused(Refusal::Unreadable);

    // The plane dips to one of two sides of its strike line; the letters must pick one.
    const int tolerance = tok[at + 1].length == 1 ? 89 : 45;
    int chosen = -1;
    for (const bool north : {true, false}) {
        const int option = DipDirectionOf(strike, west, north);
        if (Separation(option, *toward) <= tolerance) {
            if (chosen >= 0)
                return Refused(Refusal::LettersAgainstStrike);
            chosen = option;
        }
    }
    if (chosen < 0)
        return Refused(Refusal::LettersAgainstStrike);

    // Written as the projection reads it: kept, so the grid shows what was measured.
    const char* letters = tok[at + 1].word;
    if (DipDirectionOf(strike, west, letters[0] == 'N') == chosen) {
        Result r;
        r.cells = Document::Row(AngleText(strike), west ? Letters("W") : Letters("E"),
                                AngleText(*dip), Letters(letters));
        r.rounded = rounded;
        return r;
    }
    return FromDipDirection(chosen, *dip, rounded);
}

// Two plain numbers: an azimuth (dip direction, or strike with the dip to its right) and a
// dip.
Result ReadNumbers(const Tokens& t, bool strike) {
    if (t.count != 2 || t.list[0].type != Token::Number || t.list[1].type != Token::Number)
        return Refused(Refusal::Unreadable);
    bool rounded = false;
    const auto azimuth = Whole(t.list[0], 360, rounded);
    if (!azimuth)
        return Refused(Refusal::AzimuthRange);
    const auto dip = Whole(t.list[1], 90, rounded);
    if (!dip)
        return Refused(Refusal::DipRange);
    return FromDipDirection(strike ? *azimuth + 90 : *azimuth, *dip, rounded);
}

bool HasWord(const Tokens& t) {
    for (int i = 0; i < t.count; ++i)
        if (t.list[size_t(i)].type == Token::Word)
            return true;
    return false;
}

bool IsBlank(QStringView text) {
    for (const QChar c : text)
        if (Plain(c.unicode()) != 0)
            return false;
    return true;
}

} // namespace

QString RefusalText(Refusal refusal, Kind kind) {
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::Empty:
        return QStringLiteral("値がありません");
    case Refusal::DipRange:
        return QStringLiteral("傾斜が0～90の範囲にありません");
    case Refusal::AzimuthRange:
        return QStringLiteral("方位角が0～360の範囲にありません");
    case Refusal::StrikeRange:
        return QStringLiteral("走向が0～90の範囲にありません");
    case Refusal::LettersAgainstStrike:
        return QStringLiteral("傾斜の方位が走向と合いません");
    case Refusal::SideLetter:
        return QStringLiteral("走向の方位はEかWです");
    case Refusal::Unreadable:
        break;
    }
    switch (kind) {
    case Kind::Quadrant:
        return QStringLiteral("N30E 45SE の形で読めません");
    case Kind::DipDirection:
        return QStringLiteral("傾斜方向/傾斜（120/45）の形で読めません");
    case Kind::RightHandRule:
        return QStringLiteral("走向/傾斜（右手則 030/45）の形で読めません");
    case Kind::Auto:
        break;
    }
    return QStringLiteral("読み取れません");
}

Result Read(QStringView text, Kind kind) {
    if (IsBlank(text))
        return Refused(Refusal::Empty);
    const Tokens t = Tokenise(text);
    if (!t.ok)
        return Refused(Refusal::Unreadable);
    const bool quadrant = HasWord(t);
    switch (kind) {
    case Kind::Auto:
        return quadrant ? ReadQuadrant(t) : ReadNumbers(t, false);
    case Kind::Quadrant:
        return quadrant ? ReadQuadrant(t) : Refused(Refusal::Unreadable);
    case Kind::DipDirection:
    case Kind::RightHandRule:
        return quadrant ? Refused(Refusal::Unreadable)
                        : ReadNumbers(t, kind == Kind::RightHandRule);
    }
    return Refused(Refusal::Unreadable);
}

Result ReadGridCells(QStringView strike, QStringView side, QStringView dip, QStringView letters) {
    if (IsBlank(strike) && IsBlank(side) && IsBlank(dip) && IsBlank(letters))
        return Refused(Refusal::Empty);
    const Tokens angleOfStrike = Tokenise(strike);
    const Tokens angleOfDip = Tokenise(dip);
    const Tokens sideWord = Tokenise(side);
    const Tokens letterWord = Tokenise(letters);
    auto single = [](const Tokens& t, Token::Type type) {
        return t.ok && t.count == 1 && t.list[0].type == type;
    };
    if (!single(angleOfStrike, Token::Number) || !single(angleOfDip, Token::Number))
        return Refused(IsBlank(strike) || IsBlank(dip) ? Refusal::Empty : Refusal::Unreadable);
    if (!(sideWord.ok && sideWord.count == 0) &&
        !(single(sideWord, Token::Word) &&
          (IsWord(sideWord.list[0], "E") || IsWord(sideWord.list[0], "W"))))
        return Refused(Refusal::SideLetter);
    if (!(letterWord.ok && letterWord.count == 0) &&
        !(single(letterWord, Token::Word) && LetterAzimuth(letterWord.list[0])))
        return Refused(Refusal::Unreadable);

    Result r;
    const auto strikeAngle = Whole(angleOfStrike.list[0], 90, r.rounded);
    if (!strikeAngle)
        return Refused(Refusal::StrikeRange);
    const auto dipAngle = Whole(angleOfDip.list[0], 90, r.rounded);
    if (!dipAngle)
        return Refused(Refusal::DipRange);
    // The grid turns typed full-width text into half-width capitals and leaves the rest.
    auto asTyped = [](QStringView cell) {
        const QString text = cell.trimmed().toString();
        for (const QChar c : text)
            if (c.unicode() > 0x7F)
                return vb::ToNarrow(vb::UCase(text));
        return text;
    };
    r.cells = Document::Row(AngleText(*strikeAngle), asTyped(side), AngleText(*dipAngle),
                            asTyped(letters));
    return r;
}

int DipDirectionOf(int strike, bool west, bool north) {
    if (north)
        return Normalised(west ? 90 - strike : 270 + strike);
    return Normalised(west ? 270 - strike : 90 + strike);
}

std::optional<Kind> KindFromName(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == u"auto")
        return Kind::Auto;
    if (n == u"quadrant")
        return Kind::Quadrant;
    if (n == u"dipdir")
        return Kind::DipDirection;
    if (n == u"rhr")
        return Kind::RightHandRule;
    return std::nullopt;
}

} // namespace Notation
