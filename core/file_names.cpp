#include "core/file_names.h"

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
    // Regular files only: opening a pipe or a device named like a data file would hang or
    // read without end.
    return QFileInfo(path).isFile();
}

} // namespace BMMain
