#include "core/help_file.h"

#include <QDir>
#include <QFileInfo>

namespace HelpFile {

QString Path(const QString& appPath) {
    const QString beside = appPath + QLatin1String(kName);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(appPath + QStringLiteral("../share/qstereo/") + QLatin1String(kName));
    return QFileInfo(installed).isFile() ? installed : beside;
}

} // namespace HelpFile
