#include "diagrams/data_list_printing.h"
#include "pixels.h"
#include "test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<DataListPrinting::Row> Measurements(int count) {
    std::vector<DataListPrinting::Row> rows(std::max(100, count + 1));
    for (int i = 0; i < count; ++i)
        rows[i] = {QString::number(i % 90), i % 2 ? "E" : "W", QString::number(i % 91), "SE"};
    return rows;
}

// Prints to a PDF beside the test, or into QSTEREO_TEST_OUTPUT when that names a folder.
QString Print(const QTemporaryDir& dir, const char* name, int count) {
    const QByteArray keep = qgetenv("QSTEREO_TEST_OUTPUT");
    const QString path = (keep.isEmpty() ? dir.path() : QString::fromLocal8Bit(keep)) + "/" + name;
    PrinterSurface printer;
    pixels::PrintToPdf(printer, path);
    std::vector<bool> newPages;
    const bool printed = DataListPrinting::Print(
        printer,
        [&](bool newPage) {
            newPages.push_back(newPage);
            if (newPage)
                printer.NewPage();
            return 5.0;
        },
        Measurements(count), DataListLayout::Layout::Of(3, 30));
    EXPECT_TRUE(printed);
    EXPECT_FALSE(newPages.empty() || newPages.front()) << "the first page is no new page";
    return path;
}

} // namespace

TEST(DataListPrinting, TenMeasurementsOnOnePageEightyFourOnTwo) {
    QTemporaryDir dir;
    const QString ten = Print(dir, "list10.pdf", 10);
    const QString full = Print(dir, "list84.pdf", 84);
    EXPECT_EQ(PdfPageCount(ten), 1);
    EXPECT_EQ(PdfPageCount(full), 2);

    const QImage page = pixels::RenderPdf(ten, 100);
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    // The frame's left edge 30 mm from the sheet's, its top 20 mm from the top.
    const double dotsPerMm = 100 / 25.4;
    EXPECT_TRUE(pixels::DarkNear(page, QPointF(30 * dotsPerMm, 150 * dotsPerMm), 2));
    EXPECT_TRUE(pixels::DarkNear(page, QPointF(100 * dotsPerMm, 20 * dotsPerMm), 2));
    EXPECT_FALSE(pixels::DarkNear(page, QPointF(20 * dotsPerMm, 150 * dotsPerMm), 2));
}

TEST(DataListPrinting, EntryNumbersOfFourDigitsStayInTheirColumn) {
    QTemporaryDir dir;
    const QImage page = pixels::RenderPdf(Print(dir, "list1000.pdf", 1000), 100, 12);
    for (int row = 21; row <= 29; ++row)
        EXPECT_EQ(pixels::DarkCount(page, QRect(537, int((22.3 + row * 8.567) * 3.937), 7, 16)), 0);
}
