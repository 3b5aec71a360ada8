// Prints how long a large data file takes to write, save and read back.
#include "core/document_reader.h"
#include "core/document_writer.h"
#include "core/safe_save.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30000;
    Document d;
    d.roseTitle = QStringLiteral("ローズダイアグラム");
    d.contourTitle = QStringLiteral("（シュミットネット下半球投影）\r\n");
    d.plotTitle = QStringLiteral("分布図");
    d.grades = {{2.0f, 0xFF0000u, int16_t(0)}, {4.0f, 0x00FF00u, int16_t(3)}};
    d.rows.reserve(rows);
    for (int k = 0; k < rows; ++k) {
        d.rows.push_back({QString::number(k % 90), k % 2 ? "E" : "W", QString::number(k % 91),
                          k % 3 ? "SE" : "NW"});
    }

    QElapsedTimer t;
    t.start();
    const QByteArray bytes = DataFile::Write(d);
    const qint64 writeMs = t.elapsed();

    QTemporaryDir dir;
    t.restart();
    const SaveOutcome saved = ReplaceFileContents(dir.filePath("big.QST"), bytes);
    const qint64 saveMs = t.elapsed();

    t.restart();
    QFile f(dir.filePath("big.QST"));
    f.open(QIODevice::ReadOnly);
    const auto read = DataFile::Read(f.readAll());
    const qint64 readMs = t.elapsed();

    std::printf(
        "%d rows, %lld bytes: write %lld ms, save to disk %lld ms (%s), read %lld ms (%s)\n", rows,
        static_cast<long long>(bytes.size()), static_cast<long long>(writeMs),
        static_cast<long long>(saveMs), saved == SaveOutcome::Saved ? "ok" : "FAILED",
        static_cast<long long>(readMs),
        read.document && *read.document == d ? "same document" : "DIFFERENT");
    return read.document && *read.document == d ? 0 : 1;
}
