// Whole-file reads and writes for tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes; empty when it cannot be read.
inline QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with `bytes`; false when that failed.
inline bool spit(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Pages of a PDF file as Qt writes it; -1 when it cannot be read.
inline int PdfPageCount(const QString& path) {
    const QByteArray bytes = slurp(path);
    if (bytes.isEmpty())
        return -1;
    int pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0;
         at = bytes.indexOf("/Type /Page", at + 1))
        pages += bytes.mid(at + 11, 1) != "s" ? 1 : 0;
    return pages;
}
