#include "core/document_reader.h"
#include "core/document_writer.h"
#include "document_test_support.h"

#include <gtest/gtest.h>

using DataFile::Read;
using DataFile::ReadFailure;

namespace {

ReadFailure::Kind failureOf(const QByteArray& bytes) {
    const auto r = Read(bytes);
    EXPECT_FALSE(r.document);
    return r.failure ? r.failure->kind : ReadFailure::Kind::Unreadable;
}
int failureLine(const QByteArray& bytes) {
    const auto r = Read(bytes);
    return r.failure ? r.failure->line : -1;
}

const QByteArray kRows = "30\tE\t45\tSE\r\t\t\t\r\n";

} // namespace

TEST(DocumentReader, FileWithoutHeaderIsTheFirstVersion) {
    const auto r =
        Read(sjis("コンター\\n二行目\r\nプロット\r\n") + " 2 \r\n 1 \r\n 10 \r\n 255 \r\n" +
             " 0 \r\n 1 \r\n .5 \r\n-.5 \r\n .25 \r\n 1 \r\n" + kRows);
    ASSERT_TRUE(r.document);
    const Document& d = *r.document;
    EXPECT_EQ(d.version, 10003);
    EXPECT_FALSE(d.roseTitle);
    EXPECT_EQ(str(d.contourTitle), "コンター\r\n二行目");
    EXPECT_EQ(str(d.plotTitle), "プロット");
    ASSERT_EQ(d.grades.size(), 1u);
    // Without stored patterns a level gets the one a new level of its number starts with.
    EXPECT_EQ(d.grades[0], (Document::Grade{10.0f, 255u, int16_t(6)}));
    EXPECT_TRUE(d.contourPoles.empty());
    ASSERT_EQ(d.plotPoles.size(), 1u);
    EXPECT_EQ(d.plotPoles[0], (Document::Pole{0.5f, -0.5f, 0.25f, 1.0f}));
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[0], (Document::Row{"30", "E", "45", "SE"}));
    EXPECT_EQ(d.rows[1], (Document::Row{"", "", "", ""}));
}

TEST(DocumentReader, VersionsBeforePatternsHaveTheRoseTitleButNoPattern) {
    const QByteArray body =
        "rose\r\ncontour\r\nplot\r\n 2 \r\n 1 \r\n 10 \r\n 255 \r\n 0 \r\n 0 \r\n";
    const auto r = Read("QuillStereoVersion1.00.05\r\n" + body + kRows);
    ASSERT_TRUE(r.document);
    EXPECT_EQ(r.document->version, 10005);
    EXPECT_EQ(str(r.document->roseTitle.value_or("-")), "rose");
    EXPECT_EQ(str(r.document->contourTitle), "contour");
    EXPECT_EQ(r.document->grades[0].fillStyle, int16_t(6));

    // Letter case of the key does not matter; 1.00.99 is still without patterns.
    const auto r99 = Read("quillstereoversion1.00.99\r\n" + body + kRows);
    ASSERT_TRUE(r99.document);
    EXPECT_EQ(r99.document->version, 10099);
    EXPECT_EQ(r99.document->grades[0].fillStyle, int16_t(6));

    // Seven levels: patterns 6, 5, 4, 3, 2, 7 and again 6, written back as such.
    QByteArray seven = "QuillStereoVersion1.00.05\r\nr\r\nc\r\np\r\n 0 \r\n 7 \r\n";
    for (int i = 0; i < 7; ++i)
        seven += " 10 \r\n 255 \r\n";
    const auto r7 = Read(seven + " 0 \r\n 0 \r\n\r\n");
    ASSERT_TRUE(r7.document);
    std::vector<int> patterns;
    for (const Document::Grade& g : r7.document->grades)
        patterns.push_back(g.fillStyle.value_or(-1));
    EXPECT_EQ(patterns, (std::vector<int>{6, 5, 4, 3, 2, 7, 6}));
    EXPECT_TRUE(str(DataFile::Write(*r7.document)).find(" 10 \r\n 255 \r\n 7 \r\n") !=
                std::string::npos);

    // A header naming the first version is still no title.
    const auto r03 = Read("QuillStereoVersion1.00.03\r\ncontour\r\nplot\r\n 0 \r\n 0 \r\n 0 \r\n"
                          " 0 \r\n\r\n");
    ASSERT_TRUE(r03.document);
    EXPECT_FALSE(r03.document->roseTitle);
    EXPECT_EQ(str(r03.document->contourTitle), "contour");
}

TEST(DocumentReader, NewerFileIsRefusedWithItsMessage) {
    const QByteArray bytes = "QuillStereoVersion1.02.00\r\nrose\r\nc\r\np\r\n 0 \r\n 0 \r\n"
                             " 0 \r\n 0 \r\n\r\n";
    EXPECT_EQ(failureOf(bytes), ReadFailure::Kind::Newer);
    EXPECT_EQ(str(Read(bytes).failure->message()),
              "開こうとしているﾌｧｲﾙは本ｿﾌﾄより新しいﾊﾞｰｼﾞｮﾝで作成されています。\r\n"
              "ﾌｧｲﾙを開くことができません。\r\n\r\nｼｽﾃﾑを最新のものに更新してください。");
    EXPECT_EQ(failureOf("QuillStereoVersion1.01.01\r\n"), ReadFailure::Kind::Newer);
}

TEST(DocumentReader, FieldsAsTheEarlierVersionsReadThem) {
    // Leading spaces skipped, numbers in any decimal form, LF-only line ends, two numbers on a
    // line split by a comma, a title with a comma written raw by an earlier version kept whole.
    const auto r = Read("QuillStereoVersion1.01.00\n   rose, east\ncontour\n\"quoted\"  \n"
                        "1\n1,+0.5E+1\n&HFF\n7\n0\n0\n 12\tW\t3\n");
    ASSERT_TRUE(r.document);
    const Document& d = *r.document;
    EXPECT_EQ(str(*d.roseTitle), "rose, east");
    EXPECT_EQ(str(d.plotTitle), "quoted");
    EXPECT_EQ(d.grades[0], (Document::Grade{5.0f, 255u, int16_t(7)}));
    EXPECT_EQ(d.rows[0], (Document::Row{"12", "W", "3", ""}));

    // A line that only begins with a quote is taken as it stands; a fifth cell has no place.
    const auto raw = Read("QuillStereoVersion1.01.00\r\n\"Site\" A\r\n\"open\r\np\r\n 1 \r\n 0 \r\n"
                          " 0 \r\n 0 \r\n1\t2\t3\t4\t5\r\n\x1A");
    ASSERT_TRUE(raw.document);
    EXPECT_EQ(str(*raw.document->roseTitle), "\"Site\" A");
    EXPECT_EQ(str(raw.document->contourTitle), "\"open");
    EXPECT_EQ(raw.document->rows[0], (Document::Row{"1", "2", "3", "4"}));
}

TEST(DocumentReader, ShortBlocksEmptyNumbersAndTitleMarksReadAsTheEarlierVersionsRead) {
    const auto r = Read("QuillStereoVersion1.01.00\r\nr\r\nc\r\n" + sjis("A＼nB\\ｎC\\nD") +
                        "\r\n 4 \r\n\r\n 0 \r\n 0 \r\n30\tE\r\n\x1A");
    ASSERT_TRUE(r.document);
    EXPECT_EQ(str(r.document->plotTitle), "A＼nB\\ｎC\r\nD");
    EXPECT_EQ(r.document->rows, (std::vector<Document::Row>{{"30", "E"}, {}, {}, {}}));
}

TEST(DocumentReader, MalformedFilesAreRefusedWithTheLineAtFault) {
    const QByteArray head = "QuillStereoVersion1.01.00\r\nr\r\nc\r\np\r\n";
    EXPECT_EQ(failureOf(""), ReadFailure::Kind::Truncated);
    EXPECT_EQ(failureOf(head + " 2 \r\n abc \r\n"), ReadFailure::Kind::NotANumber);
    EXPECT_EQ(failureLine(head + " 2 \r\n abc \r\n"), 6);
    EXPECT_EQ(failureOf(head + " 2.5 \r\n"), ReadFailure::Kind::OutOfRange);
    EXPECT_EQ(failureOf(head + "-1 \r\n"), ReadFailure::Kind::OutOfRange);
    // A pattern outside 0 to 7, a colour wider than 32 bits, a value beyond a single.
    EXPECT_EQ(failureOf(head + " 0 \r\n 1 \r\n 5 \r\n 0 \r\n 8 \r\n"),
              ReadFailure::Kind::OutOfRange);
    EXPECT_EQ(failureOf(head + " 0 \r\n 1 \r\n 5 \r\n 4294967296 \r\n 0 \r\n"),
              ReadFailure::Kind::OutOfRange);
    EXPECT_EQ(failureOf(head + " 0 \r\n 1 \r\n 1E+39 \r\n"), ReadFailure::Kind::OutOfRange);
    // Counts larger than what follows.
    EXPECT_EQ(failureOf(head + " 0 \r\n 3 \r\n 5 \r\n 0 \r\n 1 \r\n"),
              ReadFailure::Kind::Truncated);
    EXPECT_EQ(failureOf(head + " 2000000000 \r\n 0 \r\n 0 \r\n 0 \r\n" + kRows),
              ReadFailure::Kind::Truncated);
    // More rows than the count says.
    const QByteArray extra = head + " 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + kRows;
    EXPECT_EQ(failureOf(extra), ReadFailure::Kind::ExtraData);
    EXPECT_EQ(failureLine(extra), 10);
    EXPECT_EQ(str(Read(extra).failure->message()),
              "（10行目以降に余分なﾃﾞｰﾀがあります）\r\nﾌｧｲﾙを開くことができません。");
}

TEST(DocumentReader, MaximumPointsBeyondTenNetRadiiAreOutOfRange) {
    // One contour point and one plot point; each of their eight numbers in turn takes the value.
    const auto file = [](int at, const QByteArray& value) {
        QByteArray f = "QuillStereoVersion1.01.00\r\nr\r\nc\r\np\r\n 0 \r\n 0 \r\n 1 \r\n";
        for (int i = 0; i < 8; ++i)
            f += (i == 4 ? " 1 \r\n" : "") + (i == at ? value : QByteArray(" .5 ")) + "\r\n";
        return f + "\r\n";
    };
    for (int at = 0; at < 8; ++at) {
        for (const char* far : {"1E+38", "-10.01", " 11 "}) {
            EXPECT_EQ(failureOf(file(at, far)), ReadFailure::Kind::OutOfRange) << at << far;
            EXPECT_EQ(failureLine(file(at, far)), 8 + at + at / 4) << at << far;
        }
        for (const char* edge : {" 10 ", "-10 "})
            EXPECT_TRUE(Read(file(at, edge)).document) << at << edge;
    }
}

TEST(DocumentReader, RowsCostNoMoreThanTheFileHolds) {
#ifdef QSTEREO_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
    const QByteArray head = "QuillStereoVersion1.01.00\r\nr\r\nc\r\np\r\n";
    // A claim far beyond one long row, and a megabyte of empty rows: 24 MB is plenty for both.
    const QByteArray claim =
        head + " 2147483647 \r\n 0 \r\n 0 \r\n 0 \r\n" + QByteArray(1 << 20, 'x') + "\r\n";
    const QByteArray empty =
        head + " 524288 \r\n 0 \r\n 0 \r\n 0 \r\n" + QByteArray("\r\n").repeated(524288);
    EXPECT_EQ(WithinMemory(24 << 20,
                           [&] {
                               const auto r = Read(claim);
                               return r.failure && r.failure->kind == ReadFailure::Kind::Truncated;
                           }),
              "ok");
    EXPECT_EQ(WithinMemory(24 << 20,
                           [&] {
                               const auto r = Read(empty);
                               return r.document && r.document->rows.size() == 524288;
                           }),
              "ok");
}

TEST(DocumentReader, RowsOfEveryShapeKeepTheirCells) {
    const std::array<QString, 4> shapes[] = {{"30", "E", "45", "SE"},
                                             {"", "", "", ""},
                                             {"1234", "NE", "90", "SW"},
                                             {"12345", "NE", "90", "SW"},
                                             {"330.5000", "E", "45", "SE"},
                                             {"走向", "E", "", "SE"},
                                             {QStringLiteral("é"), "", "", "x"},
                                             {" 3", "E,", "45 ", "\"S"}};
    for (const auto& cells : shapes) {
        const Document::Row row(cells[0], cells[1], cells[2], cells[3]);
        const Document::Row line =
            Document::Row::FromLine(QStringList(cells.begin(), cells.end()).join(u'\t'));
        Document::Row copy = row;
        const Document::Row moved = std::move(copy);
        for (size_t c = 0; c < 4; ++c)
            EXPECT_EQ(row[c], cells[c]) << str(cells[0]) << " " << c;
        EXPECT_EQ(line, row) << str(cells[0]);
        EXPECT_EQ(moved, row) << str(cells[0]);
        EXPECT_EQ(copy, Document::Row()) << str(cells[0]);
        EXPECT_NE(row, Document::Row(cells[0] + "0", cells[1], cells[2], cells[3]));
    }
    // Missing fields are empty; a cell holding a TAB is kept whole.
    EXPECT_EQ(Document::Row::FromLine(u"7\tW"), Document::Row("7", "W", "", ""));
    EXPECT_EQ(Document::Row("a\tb", "", "", "")[0], "a\tb");
}
