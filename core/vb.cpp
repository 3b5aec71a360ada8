#include "core/vb.h"

#include <QStringView>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

namespace vb {

double RoundHalfEven(double v) {
    // nearbyint rounds ties to even in the default rounding mode.
    return std::nearbyint(v);
}

std::optional<int16_t> CIntChecked(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> CLngChecked(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(r);
}

int16_t CInt(double v) {
    if (auto r = CIntChecked(v))
        return *r;
    if (std::isnan(v))
        return 0;
    return v < 0 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
}

int32_t CLng(double v) {
    if (auto r = CLngChecked(v))
        return *r;
    if (std::isnan(v))
        return 0;
    return v < 0 ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
}

double Int(double v) {
    return std::floor(v);
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Val of "&H1F" / "&O17": the prefix digits in that radix.
std::optional<double> radixValue(const QString& s, qsizetype at) {
    if (at + 1 >= s.size() || s[at] != u'&')
        return std::nullopt;
    const QChar kind = s[at + 1].toUpper();
    int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (radix == 0)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = at + 2; i < s.size(); ++i) {
        bool ok = false;
        const int d = QStringView(s).mid(i, 1).toInt(&ok, radix);
        if (!ok)
            break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFLL)
            break;
    }
    // Hex literals are 16- or 32-bit signed, as the runtime reads them.
    if (value <= 0xFFFF && value >= 0x8000)
        return static_cast<double>(static_cast<int16_t>(value));
    if (value > 0xFFFF)
        return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
    return static_cast<double>(value);
}

} // namespace

double Val(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (auto r = radixValue(text, i))
        return *r;
    // Collect the characters of a number, passing over blanks as the runtime does.
    std::string num;
    bool digits = false, point = false, exponent = false, expDigits = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isBlank(c))
            continue;
        if (c >= u'0' && c <= u'9') {
            num += static_cast<char>(c.unicode());
            (exponent ? expDigits : digits) = true;
        } else if ((c == u'+' || c == u'-') && (num.empty() || (exponent && (num.back() == 'E')))) {
            num += static_cast<char>(c.unicode());
        } else if (c == u'.' && !point && !exponent) {
            num += '.';
            point = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && !exponent && digits) {
            num += 'E';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (exponent && !expDigits) {
        while (!num.empty() && (num.back() == 'E' || num.back() == '+' || num.back() == '-'))
            num.pop_back();
    }
    return std::strtod(num.c_str(), nullptr);
}

std::optional<double> ParseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.startsWith(u'&')) {
        auto r = radixValue(t, 0);
        if (r && t.size() > 2)
            return r;
        return std::nullopt;
    }
    bool ok = false;
    QString n = t;
    n.replace(u'd', u'E').replace(u'D', u'E');
    const double v = n.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<bool> ParseBoolean(const QString& text) {
    const QString t = text.trimmed();
    if (TextEquals(t, QStringLiteral("True")))
        return true;
    if (TextEquals(t, QStringLiteral("False")))
        return false;
    if (auto n = ParseNumber(t))
        return *n != 0.0;
    return std::nullopt;
}

namespace {

QString shortest(double v, int digits) {
    if (v == 0.0 || std::isnan(v))
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    QString s = QString::fromLatin1(buf);
    // The runtime writes no zero before the decimal point.
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

} // namespace

QString NumberText(float v) {
    return shortest(static_cast<double>(v), 7);
}
QString NumberText(double v) {
    return shortest(v, 15);
}

QString Str(float v) {
    const QString s = NumberText(v);
    return s.startsWith(u'-') ? s : u' ' + s;
}
QString Str(double v) {
    const QString s = NumberText(v);
    return s.startsWith(u'-') ? s : u' ' + s;
}
QString PrintNumber(float v) {
    return Str(v) + u' ';
}
QString PrintNumber(double v) {
    return Str(v) + u' ';
}

namespace {

// Rounds |v| to `decimals` places, halves away from zero, on its decimal form of `digits`
// significant digits (15 for a Double, 7 for a Single), so that 2.675 (stored just below)
// still rounds up as the user sees it.
QString fixed(double v, int decimals, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, std::fabs(v));
    const double decimalValue = std::strtod(buf, nullptr);
    const double scale = std::pow(10.0, decimals);
    double scaled = decimalValue * scale;
    // Undo the binary error introduced by the multiplication before rounding.
    std::snprintf(buf, sizeof buf, "%.15G", scaled);
    scaled = std::floor(std::strtod(buf, nullptr) + 0.5);
    QString s = QString::number(scaled / scale, 'f', decimals);
    if (v < 0 && scaled != 0.0)
        s.prepend(u'-');
    return s;
}

QString formatNumber(double value, const QString& pattern, int digits) {
    // The general form is the number as text: like Str, but with the zero before the point
    // and no sign space. "@" patterns place that same text.
    QString general = shortest(value, digits);
    if (general.startsWith(u'.'))
        general.prepend(u'0');
    else if (general.startsWith(QLatin1String("-.")))
        general.insert(1, u'0');
    if (pattern.isEmpty())
        return general;
    if (pattern.contains(u'@'))
        return Format(general, pattern);
    const qsizetype dot = pattern.indexOf(u'.');
    int decimals = 0;
    if (dot >= 0) {
        for (qsizetype i = dot + 1;
             i < pattern.size() && (pattern[i] == u'0' || pattern[i] == u'#'); ++i)
            ++decimals;
    }
    return fixed(value, decimals, digits);
}

} // namespace

QString Format(double value, const QString& pattern) {
    return formatNumber(value, pattern, 15);
}

QString Format(float value, const QString& pattern) {
    return formatNumber(static_cast<double>(value), pattern, 7);
}

QString Format(const QString& text, const QString& pattern) {
    QString prefix, suffix;
    int slots = 0;
    bool seenSlot = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        QChar c = pattern[i];
        if (c == u'@') {
            ++slots;
            seenSlot = true;
            continue;
        }
        if (c == u'\\' && i + 1 < pattern.size())
            c = pattern[++i];
        (seenSlot ? suffix : prefix) += c;
    }
    QString body = text;
    if (body.size() < slots)
        body = QString(slots - body.size(), u' ') + body;
    return prefix + body + suffix;
}

namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr char16_t kFullForms[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    u"マミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t kHalfFirst = 0xFF61;
constexpr char16_t kHalfLast = 0xFF9F;
constexpr char16_t kVoiced = 0xFF9E;
constexpr char16_t kSemiVoiced = 0xFF9F;

bool takesVoiced(char16_t full) {
    return std::u16string_view(u"カキクケコサシスセソタチツテトハヒフヘホウ").find(full) !=
           std::u16string_view::npos;
}
bool takesSemiVoiced(char16_t full) {
    return std::u16string_view(u"ハヒフヘホ").find(full) != std::u16string_view::npos;
}

} // namespace

QString ToWide(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u' ') {
            out += QChar(0x3000);
        } else if (c >= 0x21 && c <= 0x7E) {
            out += QChar(char16_t(c - 0x21 + 0xFF01));
        } else if (c >= kHalfFirst && c <= kHalfLast) {
            char16_t full = kFullForms[c - kHalfFirst];
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            if (next == kVoiced && takesVoiced(full)) {
                full = full == u'ウ' ? u'ヴ' : char16_t(full + 1);
                ++i;
            } else if (next == kSemiVoiced && takesSemiVoiced(full)) {
                full = char16_t(full + 2);
                ++i;
            }
            out += QChar(full);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString ToNarrow(const QString& text) {
    QString out;
    out.reserve(text.size());
    const std::u16string_view full(kFullForms);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == 0x3000) {
            out += u' ';
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            out += QChar(char16_t(c - 0xFF01 + 0x21));
        } else if (c == 0xFFE5) {
            out += u'\\';
        } else if (c == 0x2212) {
            // The minus sign (pasted from other programs) is the full-width hyphen-minus of
            // the 8-bit text: it narrows to "-" like "－".
            out += u'-';
        } else if (c == 0x2019) {
            out += u'\'';
        } else if (c == 0x201D) {
            out += u'"';
        } else if (auto at = full.find(c); at != std::u16string_view::npos) {
            out += QChar(char16_t(kHalfFirst + at));
        } else if (c == u'ヴ') {
            out += QChar(char16_t(kHalfFirst + full.find(u'ウ')));
            out += QChar(kVoiced);
        } else if (c >= u'ァ' && c <= u'ヺ' &&
                   full.find(char16_t(c - 1)) != std::u16string_view::npos &&
                   takesVoiced(char16_t(c - 1))) {
            out += QChar(char16_t(kHalfFirst + full.find(char16_t(c - 1))));
            out += QChar(kVoiced);
        } else if (c >= u'ァ' && c <= u'ヺ' &&
                   full.find(char16_t(c - 2)) != std::u16string_view::npos &&
                   takesSemiVoiced(char16_t(c - 2))) {
            out += QChar(char16_t(kHalfFirst + full.find(char16_t(c - 2))));
            out += QChar(kSemiVoiced);
        } else {
            out += qc;
        }
    }
    return out;
}

QString UCase(const QString& text) {
    return text.toUpper();
}

bool TextEquals(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int InStrText(const QString& haystack, const QString& needle, int start) {
    if (start < 1)
        start = 1;
    const qsizetype at = haystack.indexOf(needle, start - 1, Qt::CaseInsensitive);
    return at < 0 ? 0 : static_cast<int>(at + 1);
}

} // namespace vb
