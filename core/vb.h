// Numeric and text conversions with the semantics of the original runtime:
// banker's rounding, floor, leading-number parsing, Format patterns, the
// file-print form of numbers and the wide/narrow character conversions.
#pragma once

#include <QString>
#include <concepts>
#include <cstdint>
#include <optional>

namespace vb {

// Rounds half to even (67.5 -> 68, 22.5 -> 22, -2.5 -> -2).
double RoundHalfEven(double v);
// Integer conversions; std::nullopt when the rounded value leaves the type's range.
std::optional<int16_t> CIntChecked(double v);
std::optional<int32_t> CLngChecked(double v);
// Conversions that saturate at the type's limits (for values known to be in range).
int16_t CInt(double v);
int32_t CLng(double v);
// Largest integer not above v.
double Int(double v);
// The number a text starts with (leading blanks skipped, &H/&O prefixes, exponent); 0 when none.
double Val(const QString& text);

// Numeric text that converts as a whole, as the runtime's CInt/CDbl of a string do.
std::optional<double> ParseNumber(const QString& text);
// "True"/"False" in any case, or a number (non-zero is True).
std::optional<bool> ParseBoolean(const QString& text);

// Shortest decimal form of a Single or Double as Str and Print # write it, without the sign
// position: "12", ".5", "-.25", "1E-05", "1.5E+10".
QString NumberText(float v);
QString NumberText(double v);
// Str(): a leading space for values of zero or more.
QString Str(float v);
QString Str(double v);
// One number as Print # writes it on a line of its own: Str() followed by a space.
QString PrintNumber(float v);
QString PrintNumber(double v);

// Format(value, pattern) for the patterns the program uses: "" (general: "0.5", "1E-05"),
// "0", "0.0", "0.00", ... and "@" patterns, which place the general text ("@@@@@" of 0.5 is
// "  0.5"). A Single has 7 significant digits, a Double 15: Format(0.1f) is "0.1".
QString Format(double value, const QString& pattern = QString());
QString Format(float value, const QString& pattern = QString());
template <std::integral T> QString Format(T value, const QString& pattern = QString()) {
    return Format(static_cast<double>(value), pattern);
}
// Format(text, pattern) for "@" patterns: "@@@@@" right-aligns in five characters;
// literal characters (escaped with a backslash or not) are copied.
QString Format(const QString& text, const QString& pattern);

// StrConv(text, vbWide): ASCII and half-width katakana to their full-width forms, voiced marks
// combined ("ﾀﾞ" -> "ダ").
QString ToWide(const QString& text);
// StrConv(text, vbNarrow): the reverse ("ダ" -> "ﾀﾞ", "２００" -> "200").
QString ToNarrow(const QString& text);
// UCase.
QString UCase(const QString& text);
// Text comparison ignoring letter case (Option Compare Text).
bool TextEquals(const QString& a, const QString& b);
// InStr with text comparison: 1-based position of needle in haystack from start, 0 when absent.
int InStrText(const QString& haystack, const QString& needle, int start = 1);

} // namespace vb
