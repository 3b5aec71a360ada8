// Prints how long importing a large file takes: the bytes decoded, split into cells, the
// columns found and every row read as the grid's four cells (a million rows by default).
#include "core/import_columns.h"
#include "core/import_file.h"
#include "core/measurement_import.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

void Time(const char* what, const QByteArray& bytes, int rows) {
    QElapsedTimer t;
    t.start();
    const ImportFile::LoadResult loaded = ImportFile::FromBytes(bytes);
    const qint64 loadMs = t.elapsed();
    const ImportTable& table = loaded.source->tables[0];
    t.restart();
    const auto mapping = ImportColumns::Detect(table);
    const auto outcome = MeasurementImport::Read(table, mapping);
    const qint64 readMs = t.elapsed();
    std::printf("%-28s %d rows, %lld bytes: decoded and split %lld ms, read %lld ms, "
                "total %lld ms; %zu read, %zu refused\n",
                what, rows, static_cast<long long>(bytes.size()), static_cast<long long>(loadMs),
                static_cast<long long>(readMs), static_cast<long long>(loadMs + readMs),
                outcome.rows.size(), outcome.refused.size());
}

} // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QByteArray dipDirection = "dip direction,dip\r\n";
    QByteArray quadrant = "走向傾斜\r\n";
    QByteArray fieldApp = "id\tlatitude\tlongitude\tdipAzimuth\tdip\tnotes\n";
    for (int k = 0; k < rows; ++k) {
        const int dd = (k * 7) % 360, dip = (k * 13) % 91;
        dipDirection += QByteArray::number(dd) + ',' + QByteArray::number(dip) + "\r\n";
        // N30E dips to SE or NW, N30W to NE or SW.
        const bool east = k % 2, down = k % 3;
        quadrant += 'N' + QByteArray::number(k % 91) + (east ? 'E' : 'W') + ' ' +
                    QByteArray::number(dip) + (east ? (down ? "SE" : "NW") : (down ? "SW" : "NE")) +
                    "\r\n";
        fieldApp += QByteArray::number(k) + "\t35.6812\t139.7671\t" + QByteArray::number(dd) +
                    '\t' + QByteArray::number(dip) + "\tbedding\n";
    }
    Time("text quadrant (UTF-8)", quadrant, rows);
    Time("CSV dip direction/dip", dipDirection, rows);
    Time("TSV field app, 6 columns", fieldApp, rows);
    Time("CSV dip direction/dip", dipDirection, rows);
    return 0;
}
