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

FileAssociation::FileAssociation(QString programPath, QString dataDir)
    : programPath_(std::move(programPath)), dataDir_(std::move(dataDir)) {
    if (dataDir_.isEmpty())
        dataDir_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString FileAssociation::MimeFilePath() const {
    return dataDir_ + QStringLiteral("/mime/packages/quill-stereo.xml");
}
QString FileAssociation::DesktopFilePath() const {
    return dataDir_ + QStringLiteral("/applications/") + QLatin1String(kDesktopName);
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

bool FileAssociation::IsRegistered() const {
    return QFileInfo::exists(MimeFilePath()) && QFileInfo::exists(DesktopFilePath());
}

bool FileAssociation::Register(const QByteArray& iconPng) const {
    // The glob is matched without regard to letter case, so "a.qst" belongs too.
    const QByteArray mime =
        QByteArrayLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"") +
        kMimeType +
        QByteArrayLiteral("\">\n"
                          "    <comment>QUILL Stereo data</comment>\n"
                          "    <comment xml:lang=\"ja\">") +
        QStringLiteral("ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ").toUtf8() +
        QByteArrayLiteral("</comment>\n"
                          "    <sub-class-of type=\"text/plain\"/>\n"
                          "    <glob pattern=\"*.qst\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n");
    if (!writeFile(MimeFilePath(), mime))
        return false;
    if (!iconPng.isEmpty())
        writeFile(IconFilePath(), iconPng);

    const QString desktop = QStringLiteral("[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=QUILL Stereo\n"
                                           "Comment=ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ\n"
                                           "Exec=%1\n"
                                           "Icon=quill-stereo\n"
                                           "MimeType=%2;\n"
                                           "Terminal=false\n"
                                           "Categories=Science;Geology;Education;\n")
                                .arg(ExecLine(), QLatin1String(kMimeType));
    if (!writeFile(DesktopFilePath(), desktop.toUtf8()))
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
