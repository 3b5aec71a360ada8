#include "core/profile.h"

#include "core/profile_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

namespace {

// Whether the file at `path` can be written, or made when it does not exist yet.
bool canWrite(const QString& path) {
    QFile existing(path);
    if (existing.exists())
        return existing.open(QIODevice::ReadWrite | QIODevice::Append);
    QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/.probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString ProfileFile::Resolve(const QString& path, const QString& fallbackDir) {
    if (canWrite(path))
        return path;
    const QString dir = fallbackDir.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                            : fallbackDir;
    const QString redirected = QDir(dir).filePath(QFileInfo(path).fileName());
    if (QFileInfo::exists(redirected) || !QFileInfo::exists(path))
        return redirected;
    // The program's own settings are carried over once, into a file the user owns: a copy of
    // the file itself would keep its read-only mode.
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return path;
    const QByteArray bytes = original.readAll();
    QDir().mkpath(dir);
    QSaveFile copy(redirected);
    if (original.error() == QFileDevice::NoError && copy.open(QIODevice::WriteOnly) &&
        copy.write(bytes) == bytes.size() && copy.commit())
        return redirected;
    return path;
}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    return ProfileText::Lookup(readAll(path_), section, key, defaultValue);
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) const {
    const QByteArray data = ProfileText::WithValue(readAll(path_), section, key, value);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile out(path_);
    // A writable file in a folder that takes no new files is written in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(data);
    return out.commit();
}
