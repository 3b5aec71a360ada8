// Opening and saving a data file with the messages the user sees.
#pragma once

#include "core/document.h"
#include "core/safe_save.h"
#include "core/dialogs.h"

#include <QString>
#include <optional>

namespace DataFile {

// The document of the data file at `path`. Nothing, silently, when the path is empty, names no
// existing file or lacks ".QST"; nothing after a message when the file cannot be read, is newer
// than this program or is malformed. The caller replaces its document only when it gets one.
std::optional<Document> ReadDataFile(const QString& path, Dialogs& dialogs);

// Saves the document to `path` (to `fileName` when `path` is empty) and tells the user when
// that fails. False when the name holds a forbidden character or the file could not be
// written or replaced; the file on disk is then as it was.
bool WriteDataFile(const QString& path, const QString& fileName, const Document& document,
                   Dialogs& dialogs, const SaveFault& fault = {});

} // namespace DataFile
