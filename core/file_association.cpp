#include "core/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    return f.commit();
}

QByteArray resource(const QString& name) {
    QFile f(QStringLiteral(":/packaging/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString mimePath(const QString& dataDir) {
    return dataDir + QStringLiteral("/mime/packages/") + QLatin1String(FileAssociation::kMimeName);
}
QString desktopPath(const QString& dataDir) {
    return dataDir + QStringLiteral("/applications/") +
           QLatin1String(FileAssociation::kDesktopName);
}
bool hasPair(const QString& dataDir) {
    return QFileInfo::exists(mimePath(dataDir)) && QFileInfo::exists(desktopPath(dataDir));
}

void runIfPresent(const QString& tool, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(10000);
}

// Desktop-entry quoting: reserved characters force double quotes, with \ " ` $ escaped.
QString quoteArgument(const QString& arg) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = false;
    for (const QChar c : arg)
        needs = needs || reserved.contains(c);
    if (!needs)
        return arg;
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    out += u'"';
    // The desktop-entry string syntax escapes backslashes once more.
    out.replace(u'\\', QStringLiteral("\\\\"));
    return out;
}

} // namespace

FileAssociation::FileAssociation(QString programPath, QString dataDir, QStringList systemDataDirs)
    : programPath_(std::move(programPath)), dataDir_(std::move(dataDir)),
      systemDataDirs_(std::move(systemDataDirs)) {
    if (dataDir_.isEmpty()) {
        dataDir_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        systemDataDirs_ = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        systemDataDirs_.removeAll(dataDir_);
    }
}

QString FileAssociation::MimeFilePath() const {
    return mimePath(dataDir_);
}
QString FileAssociation::DesktopFilePath() const {
    return desktopPath(dataDir_);
}
QString FileAssociation::IconFilePath() const {
    return dataDir_ + QStringLiteral("/icons/hicolor/64x64/apps/quill-stereo.png");
}

QString FileAssociation::ExecLine() const {
    // A percent sign of the path would read as a field code: the entry doubles it.
    QString program = quoteArgument(programPath_);
    program.replace(u'%', QStringLiteral("%%"));
    return program + QStringLiteral(" %f");
}

QString FileAssociation::InstalledDataDir() const {
    for (const QString& dir : systemDataDirs_) {
        if (hasPair(dir))
            return dir;
    }
    return QString();
}

bool FileAssociation::IsRegistered() const {
    return hasPair(dataDir_) || !InstalledDataDir().isEmpty();
}

bool FileAssociation::Register(const QByteArray& iconPng) const {
    // A second, user-level pair would only shadow the installed one.
    if (!InstalledDataDir().isEmpty())
        return true;
    const QByteArray mime = resource(QLatin1String(kMimeName));
    if (mime.isEmpty() || !writeFile(MimeFilePath(), mime))
        return false;
    if (!iconPng.isEmpty())
        writeFile(IconFilePath(), iconPng);

    // The installed entry starts the program by name; this one by its own path.
    QString desktop = QString::fromUtf8(resource(QStringLiteral("quill-stereo.desktop.in")));
    desktop.replace(QStringLiteral("@QSTEREO_EXEC@"), ExecLine());
    if (!desktop.contains(ExecLine()) || !writeFile(DesktopFilePath(), desktop.toUtf8()))
        return false;

    if (runTools_) {
        runIfPresent(QStringLiteral("update-mime-database"), {dataDir_ + QStringLiteral("/mime")});
        runIfPresent(QStringLiteral("update-desktop-database"),
                     {dataDir_ + QStringLiteral("/applications")});
        runIfPresent(
            QStringLiteral("xdg-mime"),
            {QStringLiteral("default"), QLatin1String(kDesktopName), QLatin1String(kMimeType)});
    }
    return true;
}
