#include "core/data_file.h"

#include "core/document_reader.h"
#include "core/document_writer.h"
#include "core/file_names.h"
#include "core/vb.h"

#include <QFile>

#include <new>

namespace DataFile {

namespace {

const QString kSaveFailedTitle = QStringLiteral("QUILL-NET");
const QString kSaveFailed = QStringLiteral("ﾃﾞｰﾀの保存に失敗しました。");

} // namespace

std::optional<Document> ReadDataFile(const QString& path, Dialogs& dialogs) {
    if (path.isEmpty() || !BMMain::FileExists(path) ||
        vb::InStrText(path, QStringLiteral(".QST")) == 0)
        return std::nullopt;
    ReadResult result;
    try {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            if (file.error() == QFileDevice::NoError)
                result = Read(bytes);
        }
    } catch (const std::bad_alloc&) {
        // A file too large for the memory left is refused like any other; the caller keeps
        // its document.
        result = {std::nullopt, ReadFailure{ReadFailure::Kind::OutOfMemory}};
    }
    if (!result.document) {
        const ReadFailure failure = result.failure.value_or(ReadFailure{});
        Notify(dialogs, failure.message(), MsgIcon::Exclamation, ReadFailureTitle());
        return std::nullopt;
    }
    return std::move(result.document);
}

bool WriteDataFile(const QString& path, const QString& fileName, const Document& document,
                   Dialogs& dialogs, const SaveFault& fault) {
    if (!BMMain::IsValidFileName(path)) {
        Notify(dialogs,
               QStringLiteral("ﾌｧｲﾙ名には次の文字は使えません。\r\n") +
                   QString::fromUtf16(BMMain::kForbiddenFileNameCharacters),
               MsgIcon::Critical, QStringLiteral("ﾌｧｲﾙの保存"));
        return false;
    }
    const QString target = path.isEmpty() ? fileName : path;
    switch (ReplaceFileContents(target, Write(document), fault)) {
    case SaveOutcome::Saved:
        return true;
    case SaveOutcome::WriteFailed:
        Notify(dialogs, kSaveFailed, MsgIcon::Exclamation, kSaveFailedTitle);
        return false;
    case SaveOutcome::ReplaceFailed:
        Notify(dialogs, QStringLiteral("（元のﾌｧｲﾙを削除できません）\r\n") + kSaveFailed,
               MsgIcon::Exclamation, kSaveFailedTitle);
        return false;
    }
    return false;
}

} // namespace DataFile
