#include "core/bmmain.h"
#include "core/cp932.h"
#include "core/data_export.h"
#include "core/delimited_text.h"
#include "core/density.h"
#include "core/import_columns.h"
#include "core/import_file.h"
#include "core/measurement_import.h"
#include "core/text_decoding.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using ImportColumns::Mapping;
using Notation::Kind;

namespace {

const QString kData = QStringLiteral(QSTEREO_TEST_DATA "/import/");

QStringList Texts(const std::vector<Document::Row>& rows) {
    QStringList list;
    for (const Document::Row& r : rows)
        list << r[0] + u',' + r[1] + u',' + r[2] + u',' + r[3];
    return list;
}

ImportFile::Source LoadSource(const QString& name) {
    ImportFile::LoadResult loaded = ImportFile::Load(kData + name);
    EXPECT_TRUE(loaded.source) << loaded.error.toStdString();
    return loaded.source ? std::move(*loaded.source) : ImportFile::Source{};
}

ImportTable TableOf(const char* text) {
    const QString t = QString::fromUtf8(text);
    return DelimitedText::Parse(t, DelimitedText::Detect(t));
}

QStringList RefusalLines(const ImportTable& table, const Mapping& mapping,
                         const MeasurementImport::Outcome& outcome) {
    QStringList lines;
    for (const auto& refused : outcome.refused)
        lines << MeasurementImport::RefusalLine(table, mapping, refused);
    return lines;
}

} // namespace

TEST(Import, TheSamePlanesInEveryNotationAndFileImportToTheSameGrid) {
    QFile expectedFile(kData + QStringLiteral("planes_expected.txt"));
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromLatin1(expectedFile.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(expected.size(), 48);

    struct Case {
        const char* file;
        std::vector<int> columns;
        Kind notation;
        const char* encoding;
    };
    const Case cases[] = {
        {"planes_dipdir_en.csv", {1, 2}, Kind::DipDirection, "UTF-8"},
        {"planes_ja_cp932.csv", {1, 2}, Kind::DipDirection, "Shift_JIS"},
        {"planes_rhr.csv", {0, 1}, Kind::RightHandRule, "UTF-8"},
        {"planes_quadrant.txt", {0}, Kind::Auto, "UTF-8"},
        {"planes_fieldapp.tsv", {3, 4}, Kind::DipDirection, "UTF-8"},
        {"planes_libreoffice.xlsx", {1, 2}, Kind::DipDirection, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ImportFile::Source source = LoadSource(QString::fromUtf8(c.file));
        ASSERT_EQ(source.tables.size(), 1u);
        EXPECT_EQ(source.encoding, QString::fromUtf8(c.encoding));
        const Mapping mapping = ImportColumns::Detect(source.tables[0]);
        EXPECT_EQ(mapping.columns, c.columns);
        EXPECT_EQ(mapping.notation, c.notation);
        const auto outcome = MeasurementImport::Read(source.tables[0], mapping);
        EXPECT_TRUE(outcome.refused.empty());
        EXPECT_EQ(Texts(outcome.rows), expected);
    }
}

TEST(Import, CsvCellsInQuotesKeepSeparatorsQuotesAndLineBreaksAndRowsKeepTheirLineNumbers) {
    const ImportTable t = TableOf("a,\"b,1\",\"say \"\"hi\"\"\"\r\n"
                                  "\r\n"
                                  "x,\"two\nlines\",y\r"
                                  "z,,\n"
                                  ",,\n"
                                  "last");
    ASSERT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.cell(0, 1), u"b,1");
    EXPECT_EQ(t.cell(0, 2), u"say \"hi\"");
    EXPECT_EQ(t.cell(1, 1), u"two\nlines");
    const int lines[] = {1, 3, 5, 7};
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(t.line(r), lines[r]);
    EXPECT_EQ(t.cell(3, 0), u"last");
    EXPECT_EQ(t.columnCount(), 3);

    // Semicolons; blanks only between known column names; else one cell per line.
    EXPECT_EQ(TableOf("120;45\n").cell(0, 1), u"45");
    const ImportTable blanks = TableOf("strike  dip\n030 45\n");
    EXPECT_EQ(blanks.cell(1, 1), u"45");
    EXPECT_EQ(ImportColumns::Detect(blanks).notation, Kind::RightHandRule);
    EXPECT_EQ(TableOf("N30E 45SE\n").cell(0, 0), u"N30E 45SE");
}

TEST(Import, TextIsDecodedAsItsBytesSay) {
    const QString japanese = QStringLiteral("傾斜方向,傾斜\r\n120,45\r\n");
    struct Case {
        QByteArray bytes;
        TextDecoding::Encoding encoding;
    };
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : japanese)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    const Case cases[] = {
        {"\xEF\xBB\xBF" + japanese.toUtf8(), TextDecoding::Encoding::Utf8},
        {japanese.toUtf8(), TextDecoding::Encoding::Utf8},
        {cp932::encode(japanese), TextDecoding::Encoding::Cp932},
        {utf16, TextDecoding::Encoding::Utf16},
    };
    for (const Case& c : cases) {
        const auto decoded = TextDecoding::Decode(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.text, japanese);
    }
}

TEST(Import, RefusedLinesAreListedWithTheFilesLineNumberAndReason) {
    const ImportTable t = TableOf("傾斜方向,傾斜,メモ\n"
                                  "120,45,ok\n"
                                  "120,95,too steep\n"
                                  "\n"
                                  "400,45,\n"
                                  ",,only a note\n"
                                  "90.5,10.5,rounded twice\n"
                                  "120,,\n");
    const Mapping mapping = ImportColumns::Detect(t);
    EXPECT_EQ(mapping.headerRow, 0);
    const auto outcome = MeasurementImport::Read(t, mapping);
    EXPECT_EQ(Texts(outcome.rows), QStringList({"30,E,45,SE", "0,E,10,E"}));
    EXPECT_EQ(outcome.rounded, 1);
    EXPECT_EQ(RefusalLines(t, mapping, outcome),
              QStringList({"3行目: 傾斜が0～90の範囲にありません（120 95）",
                           "5行目: 方位角が0～360の範囲にありません（400 45）",
                           "6行目: 値がありません", "8行目: 値がありません（120）"}));
}

TEST(Import, WorkbooksGiveEverySheetWithSharedInlineAndNumberCells) {
    const ImportFile::Source book = LoadSource(QStringLiteral("two_sheets_libreoffice.xlsx"));
    ASSERT_EQ(book.sheetNames, QStringList({"露頭A", "Sheet2"}));
    const Mapping first = ImportColumns::Detect(book.tables[0]);
    EXPECT_EQ(first.columns, std::vector<int>{1});
    const auto outcome = MeasurementImport::Read(book.tables[0], first);
    EXPECT_EQ(Texts(outcome.rows), QStringList({"30,E,45,SE", "60,W,30,NE"}));
    EXPECT_EQ(RefusalLines(book.tables[0], first, outcome),
              QStringList({"4行目: 傾斜が0～90の範囲にありません（N30E 95SE）"}));

    const ImportTable& second = book.tables[1];
    const Mapping numbers = ImportColumns::Detect(second);
    const auto read = MeasurementImport::Read(second, numbers);
    EXPECT_EQ(Texts(read.rows), QStringList({"30,E,45,SE", "0,W,12,W"}));
    EXPECT_EQ(read.rounded, 1);
    EXPECT_EQ(RefusalLines(second, numbers, read), QStringList({"5行目: 値がありません（0.1）"}));
    EXPECT_EQ(ImportFile::SheetIndex(book, QStringLiteral("sheet2")), 1);
    EXPECT_EQ(ImportFile::SheetIndex(book, QStringLiteral("1")), 0);
    EXPECT_FALSE(ImportFile::SheetIndex(book, QStringLiteral("3")));

    // Runs without their phonetic guide, inline strings, a relationship from the root, cells
    // without a reference, formula results, stored numbers as a spreadsheet shows them.
    const ImportFile::Source handmade = LoadSource(QStringLiteral("handmade_strings.xlsx"));
    ASSERT_EQ(handmade.sheetNames, QStringList({"測定"}));
    const ImportTable& t = handmade.tables[0];
    ASSERT_EQ(t.rowCount(), 4);
    const QStringList cells = {t.cell(0, 1).toString(), t.cell(0, 3).toString(),
                               t.cell(1, 2).toString(), t.cell(1, 3).toString(),
                               t.cell(2, 1).toString(), t.cell(2, 2).toString(),
                               t.cell(2, 3).toString(), t.cell(3, 2).toString()};
    EXPECT_EQ(cells, QStringList({"傾斜方向", "メモ", "45", " 1<2 ", "300", "30", "TRUE", "45"}));
    EXPECT_EQ(t.line(0), 2);
    EXPECT_EQ(t.line(2), 4);
    EXPECT_EQ(t.line(3), 6);
}

TEST(Import, MalformedWorkbooksAreRefusedWithAMessage) {
    QFile file(kData + QStringLiteral("handmade_strings.xlsx"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    std::vector<QByteArray> inputs = {good.left(good.size() / 2),
                                      QByteArray("PK\x03\x04 not a zip"),
                                      QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 old excel")};
    const QDir malformed(kData + QStringLiteral("malformed"));
    for (const QString& name : malformed.entryList(QDir::Files)) {
        QFile bad(malformed.filePath(name));
        ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
        inputs.push_back(bad.readAll());
    }
    ASSERT_EQ(inputs.size(), 9u);
    for (const QByteArray& bytes : inputs) {
        const ImportFile::LoadResult r = ImportFile::FromBytes(bytes);
        EXPECT_FALSE(r.source) << bytes.left(40).toStdString();
        EXPECT_FALSE(r.error.isEmpty());
    }
}

TEST(Import, ExportedDataImportsToTheSameGridAndTheSameDensityGrid) {
    BMMain::NetRadius = 100;
    std::vector<Document::Row> rows;
    // Letters as typed in the grid, also ones that only their first letter makes right, and a
    // row the projection reads against its letters (N10E 45W dips to 100).
    for (const char* r : {"30,E,45,SE", "30,E,45,S", "0,W,45,W", "90,E,30,s", "10,E,45,W",
                          "60,W,80,NE", "0,E,0,", "45,W,90,SW"}) {
        const QStringList c = QString::fromLatin1(r).split(u',');
        rows.emplace_back(c[0], c[1], c[2], c[3]);
    }
    const auto data = Measurements::FromRows(rows);
    const QByteArray csv = DataExport::Csv(data);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(csv.contains("\r\n1,30,E,45,SE,120,45,300,45\r\n"));
    EXPECT_TRUE(csv.contains("\r\n5,10,E,45,W,100,45,280,45\r\n"));

    const ImportFile::LoadResult loaded = ImportFile::FromBytes(csv);
    ASSERT_TRUE(loaded.source);
    const ImportTable& table = loaded.source->tables[0];
    const auto outcome = MeasurementImport::Read(table, ImportColumns::Detect(table));
    EXPECT_EQ(Texts(outcome.rows), Texts(rows));
    const auto before = Density::ComputeDensity(data);
    const auto after = Density::ComputeDensity(Measurements::FromRows(outcome.rows));
    for (int i = before.grid.Low(); i <= before.grid.High(); ++i)
        for (int j = before.grid.Low(); j <= before.grid.High(); ++j)
            ASSERT_EQ(after.grid(i, j), before.grid(i, j));
}
