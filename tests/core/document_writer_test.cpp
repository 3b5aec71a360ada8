#include "core/document_reader.h"
#include "core/document_writer.h"
#include "document_test_support.h"

#include <QStringList>
#include <gtest/gtest.h>

using DataFile::Read;
using DataFile::Write;

TEST(DocumentWriter, NewDocumentSavedAtOnce) {
    QByteArray expected = "QuillStereoVersion1.01.00\r\n" + sjis("ローズダイアグラム\r\n") +
                          sjis("（シュミットネット下半球投影）") + "\\n\r\n" + sjis("分布図\r\n") +
                          " 100 \r\n 0 \r\n 0 \r\n 0 \r\n";
    for (int k = 0; k < 100; ++k)
        expected += k == 0 ? "\t\t\t" : "\r\t\t\t";
    expected += "\r\n";
    EXPECT_EQ(str(Write(NewDocumentValue())), str(expected));
}

TEST(DocumentWriter, NumbersAsPrintWritesThemAndTheBlockRowsSeparatedByCR) {
    const QByteArray expected = "QuillStereoVersion1.01.00\r\n" + sjis("ローズ\r\n") +
                                sjis("（シュミットネット下半球投影）\\n地点Ａ\r\n") +
                                sjis("分布図\r\n") +
                                " 4 \r\n 3 \r\n"
                                " 12 \r\n 255 \r\n 0 \r\n"
                                " .5 \r\n 16711680 \r\n 7 \r\n"
                                "-.25 \r\n-2147483643 \r\n 3 \r\n"
                                " 1 \r\n .25 \r\n-.5 \r\n .3 \r\n 1.125 \r\n"
                                " 2 \r\n-.1234567 \r\n .75 \r\n 1E-05 \r\n 2 \r\n"
                                " 0 \r\n 0 \r\n-.05 \r\n .9 \r\n"
                                "30\tE\t45\tSE\r\t\t\t\r120\tW\t8\tN\r\t\t\t\r\n";
    EXPECT_EQ(str(Write(FullDocument())), str(expected));
}

TEST(DocumentWriter, WhatIsWrittenReadsBackTheSameAndIsWrittenAgainByteForByte) {
    const Document full = FullDocument();
    const QByteArray bytes = Write(full);
    const auto read = Read(bytes);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(*read.document, full);
    EXPECT_EQ(str(Write(*read.document)), str(bytes));

    const QByteArray sample = slurp(QSTEREO_SAMPLES "/sample.QST");
    ASSERT_FALSE(sample.isEmpty());
    const auto fromSample = Read(sample);
    ASSERT_TRUE(fromSample.document);
    EXPECT_EQ(fromSample.document->rows.size(), 100u);
    EXPECT_EQ(str(Write(*fromSample.document)), str(sample));
}

TEST(DocumentWriter, TitlesKeepLineBreaksAndAnEmptyingCodeReadsBackEmpty) {
    Document d = NewDocumentValue();
    d.plotTitle = "A\r\nB";
    d.contourTitle = "first\nsecond\rthird"; // stray breaks still make one line each
    d.roseTitle = "old \\z title";
    const QByteArray bytes = Write(d);
    EXPECT_TRUE(bytes.contains("\r\nA\\nB\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nfirst\\nsecond\\nthird\r\n"));
    const auto read = Read(bytes);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(str(read.document->plotTitle), "A\r\nB");
    EXPECT_EQ(str(read.document->contourTitle), "first\r\nsecond\r\nthird");
    EXPECT_EQ(str(read.document->roseTitle.value()), "");
}

// The file input of the earlier versions: a field ends at a comma or a line end; a field that
// begins with a double quote runs to the next one, and the rest up to the delimiter is dropped.
class EarlierReader {
  public:
    explicit EarlierReader(const QByteArray& bytes) : t_(cp932::decode(bytes)) {}
    QString field() {
        while (p_ < t_.size() && t_[p_] == u' ')
            ++p_;
        QString out;
        if (p_ < t_.size() && t_[p_] == u'"') {
            const qsizetype close = t_.indexOf(u'"', p_ + 1);
            out = t_.mid(p_ + 1, close - p_ - 1);
            p_ = close + 1;
            while (p_ < t_.size() && !isDelimiter(t_[p_]))
                ++p_;
        } else {
            while (p_ < t_.size() && !isDelimiter(t_[p_]))
                out += t_[p_++];
        }
        if (p_ < t_.size() && t_[p_] == u'\r' && p_ + 1 < t_.size() && t_[p_ + 1] == u'\n')
            ++p_;
        ++p_;
        return out;
    }

  private:
    static bool isDelimiter(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }
    QString t_;
    qsizetype p_ = 0;
};

TEST(DocumentWriter, TextsTheFieldsWouldCutAreQuotedAndReadBackByBothReaders) {
    Document d = NewDocumentValue();
    d.roseTitle = "  indented";
    d.contourTitle = "Site 1, north wall";
    d.plotTitle = "\"Quoted\" set, 2";
    d.grades = {{5.0f, 0u, int16_t(1)}};
    d.rows = {{"30", "E,", "45", "SE"}, {" 12", "W", "8", "N "}, {"\"7", "E", "9", "S"}};
    const QByteArray bytes = Write(d);
    EXPECT_TRUE(bytes.contains("\r\n\"  indented\"\r\n\"Site 1, north wall\"\r\n"
                               "\"\x01Quoted\x01 set, 2\"\r\n"));
    EXPECT_TRUE(bytes.endsWith("\"30\tE,\t45\tSE\"\r\" 12\tW\t8\tN \"\r\"\x01"
                               "7\tE\t9\tS\"\r\n"));

    const auto read = Read(bytes);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(*read.document, d);

    // A reader of the earlier versions keeps its place, gets the texts unchanged, and sees a
    // stand-in where a quote was.
    EarlierReader old(bytes);
    QStringList fields;
    for (int i = 0; i < 13; ++i)
        fields << old.field();
    EXPECT_EQ(str(fields.join(u'|')), "QuillStereoVersion1.01.00|  indented|Site 1, north wall|"
                                      "\x01Quoted\x01 set, 2|3 |1 |5 |0 |1 |0 |0 |"
                                      "30\tE,\t45\tSE| 12\tW\t8\tN ");
    EXPECT_EQ(str(old.field()), "\x01"
                                "7\tE\t9\tS");
}

TEST(DocumentWriter, CellsCannotBreakTheRowsOfTheDataBlock) {
    Document d = NewDocumentValue();
    d.rows = {{"3\t0", "E\r", "4\n5", "SE"}, {"1", "W", "2", "N"}};
    const QByteArray bytes = Write(d);
    EXPECT_TRUE(bytes.endsWith("3 0\tE \t4 5\tSE\r1\tW\t2\tN\r\n"));
    const auto read = Read(bytes);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(read.document->rows.size(), 2u);
    EXPECT_EQ(str(read.document->rows[1][3]), "N");
}

TEST(DocumentWriter, OnlyWhatReadingWouldChangeIsQuotedSoEarlierFilesAreWrittenBackAsTheyWere) {
    // Titles and cells ending in blanks, a quote inside a text.
    const QByteArray file = "QuillStereoVersion1.01.00\r\nrose \r\ncontour\t\r\nplot \"A\"  \r\n"
                            " 3 \r\n 0 \r\n 0 \r\n 0 \r\n"
                            "30 \tE \t45\tSE \r\t\t\t \r1\"\t2\t3\t4\r\n";
    const auto read = Read(file);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(str(read.document->plotTitle), "plot \"A\"  ");
    EXPECT_EQ(read.document->rows[1], (Document::Row{"", "", "", " "}));
    EXPECT_EQ(str(Write(*read.document)), str(file));
}

TEST(DocumentWriter, TheQuoteStandInIsNoCharacterOfADocument) {
    // Dropped wherever it stands, so a stand-in in a file always means a quote.
    Document d = NewDocumentValue();
    d.roseTitle = QStringLiteral("a,\u0001b");
    d.plotTitle = QStringLiteral("\u0001plain");
    d.contourTitle = QStringLiteral(" \"x\u0001\"");
    d.rows = {{QStringLiteral("\u0001"), "E,", QStringLiteral("4\u00015"), "S"}};
    const auto read = Read(Write(d));
    ASSERT_TRUE(read.document);
    EXPECT_EQ(str(*read.document->roseTitle), "a,b");
    EXPECT_EQ(str(read.document->plotTitle), "plain");
    EXPECT_EQ(str(read.document->contourTitle), " \"x\"");
    EXPECT_EQ(read.document->rows[0], (Document::Row{"", "E,", "45", "S"}));
    // One written by hand outside quotes is dropped on reading too.
    EXPECT_EQ(str(Read(Write(NewDocumentValue()).replace("\t\t\t\r\n", "\t\t\x01\t\r\n"))
                      .document->rows.back()[2]),
              "");
}
