#include "app/file_names.h"

#include <QFileInfo>

namespace BMMain {

bool IsValidFileName(const QString& name) {
    for (const char16_t* c = kForbiddenFileNameCharacters; *c; ++c) {
        if (*c != u'/' && name.contains(QChar(*c)))
            return false;
    }
    return true;
}

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace BMMain
