#include "core/cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, WindowsFormsOfTheAmbiguousCharacters) {
    EXPECT_EQ(cp932::encode("～"), QByteArray("\x81\x60"));
    EXPECT_EQ(cp932::encode("￥"), QByteArray("\x81\x8F"));
    EXPECT_EQ(cp932::encode("\\~"), QByteArray("\\~"));
    EXPECT_EQ(cp932::encode("ｼｭﾐｯﾄ"), QByteArray("\xBC\xAD\xD0\xAF\xC4"));
}

TEST(Cp932, RoundTripAndLength) {
    const QString text = "走向 N30E ﾃﾞｰﾀ ～ ①";
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
    EXPECT_EQ(cp932::byteLength("走向"), 4);
    EXPECT_EQ(cp932::byteLength("ｱｲ"), 2);
    EXPECT_EQ(cp932::byteLength("ab"), 2);
    // Second bytes in the ASCII range stay with their first byte.
    const QByteArray trails("a\x83\x5C\x95\x5C\\\x82\x60z");
    EXPECT_EQ(cp932::encode("aソ表\\Ａz"), trails);
    EXPECT_EQ(cp932::decode(trails), "aソ表\\Ａz");
}

TEST(Cp932, UnencodableAndInvalidInput) {
    EXPECT_EQ(cp932::encode(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                              "b")),
              QByteArray("a?b"));
    EXPECT_EQ(cp932::encode(QString::fromUtf8("é")), QByteArray("?"));
    // A lone half of a surrogate pair does not take the next character with it.
    EXPECT_EQ(cp932::encode(QStringLiteral("x") + QChar(0xD83D) + QStringLiteral("ab")),
              QByteArray("x?ab"));
    EXPECT_EQ(cp932::encode(QString(QChar(0xDE00)) + QStringLiteral("a")), QByteArray("?a"));
    const QString decoded = cp932::decode(QByteArray("a\x81", 2));
    EXPECT_EQ(decoded.left(1), "a");
    EXPECT_EQ(decoded.size(), 2);
}

TEST(Cp932, WindowsSingleBytesSurviveARoundTrip) {
    const QByteArray bytes("a\x80 \xA0 \xFD\xFE\xFF", 8);
    const QString text = cp932::decode(bytes);
    EXPECT_EQ(text, QString::fromUtf16(u"a\u0080 \uF8F0 \uF8F1\uF8F2\uF8F3"));
    EXPECT_EQ(cp932::encode(text), bytes);
    EXPECT_EQ(cp932::byteLength(text), 8);
    // Other bytes that are not CP932 still read as U+FFFD.
    EXPECT_EQ(cp932::decode(QByteArray("\x85\x40", 2)).left(1), QString(QChar(0xFFFD)));
}
