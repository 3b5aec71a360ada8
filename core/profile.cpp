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

ProfileFile::ProfileFile(QString path, QString fallbackDir)
    : path_(std::move(path)), fallbackDir_(std::move(fallbackDir)) {}

QString ProfileFile::redirectedPath() const {
    QString dir = fallbackDir_;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(dir).filePath(QFileInfo(path_).fileName());
}

bool ProfileFile::programLocationWritable() const {
    QFile existing(path_);
    if (existing.exists())
        return existing.open(QIODevice::ReadWrite | QIODevice::Append);
    QTemporaryFile probe(QFileInfo(path_).absolutePath() + QStringLiteral("/.probe-XXXXXX"));
    return probe.open();
}

QString ProfileFile::effectivePath() const {
    const QString redirected = redirectedPath();
    if (QFileInfo::exists(redirected) && !programLocationWritable())
        return redirected;
    return path_;
}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    return ProfileText::Lookup(readAll(effectivePath()), section, key, defaultValue);
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) const {
    QString target = path_;
    if (!programLocationWritable()) {
        target = redirectedPath();
        QDir().mkpath(QFileInfo(target).absolutePath());
        // Carry the program's own settings over once, so no other value is lost.
        if (!QFileInfo::exists(target) && QFileInfo::exists(path_))
            QFile::copy(path_, target);
    }
    const QByteArray data = ProfileText::WithValue(readAll(target), section, key, value);
    QSaveFile out(target);
    // A writable file in a folder that takes no new files is written in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(data);
    return out.commit();
}
