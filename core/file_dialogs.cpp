#include "core/file_dialogs.h"

#include "core/file_names.h"
#include "core/vb.h"

#include <QDir>

namespace BMContour {

namespace {

const QString kExtension = QStringLiteral(".QST");

} // namespace

FileDialogRequest OpenDialogRequest(const QString& name, const QString& folder) {
    FileDialogRequest r;
    r.title = QStringLiteral("ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを開く");
    r.initialName = name;
    r.folder = folder;
    r.filter =
        QStringLiteral("ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*") + kExtension + QStringLiteral(")|*") + kExtension + u'|';
    r.defaultExtension = kExtension.mid(1);
    r.fileMustExist = true;
    return r;
}

FileDialogRequest SaveDialogRequest(const QString& name, const QString& folder) {
    FileDialogRequest r;
    r.title = QStringLiteral("ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを保存する");
    r.initialName = name;
    r.folder = folder;
    r.filter =
        QStringLiteral("ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*") + kExtension + QStringLiteral(" )|*") + kExtension + u'|';
    r.defaultExtension = kExtension.mid(1);
    r.overwritePrompt = true;
    return r;
}

QString ShowOpenDialog(Dialogs& dialogs, const QString& name, const QString& folder) {
    return dialogs.openFile(OpenDialogRequest(name, folder)).value_or(QString());
}

QString ShowSaveDialog(Dialogs& dialogs, const QString& name, const QString& folder) {
    QString initial = name;
    if (initial.isEmpty()) {
        const QDir where(folder.isEmpty() ? QDir::currentPath() : folder);
        int n = 1;
        while (BMMain::FileExists(where.filePath(QStringLiteral("新規%1").arg(n) + kExtension)))
            ++n;
        initial = QStringLiteral("新規%1").arg(n) + kExtension;
    }
    for (;;) {
        const auto chosen = dialogs.saveFile(SaveDialogRequest(initial, folder));
        if (!chosen)
            return QString();
        QString path = *chosen;
        if (!vb::TextEquals(path.right(4), kExtension))
            path += kExtension;
        // The only dot of the file name must be the extension's. Folder names may hold dots:
        // home folders such as /home/j.doe or ~/.local would otherwise never take a save.
        const QString fileName = path.mid(path.lastIndexOf(u'/') + 1);
        if (BMMain::IsValidFileName(path) && fileName.indexOf(u'.') == fileName.size() - 4)
            return path;
        Notify(dialogs, QStringLiteral("このﾌｧｲﾙ名は無効です。\r\n") + path, MsgIcon::Exclamation,
               QStringLiteral("ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙの保存"));
        initial = path;
    }
}

} // namespace BMContour
