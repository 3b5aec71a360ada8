// Reading a data file into a document value.
#pragma once

#include "core/document.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace DataFile {

// Why a file was not read; line numbers count from 1.
struct ReadFailure {
    enum class Kind {
        Newer,
        NotANumber,
        OutOfRange,
        Truncated,
        ExtraData,
        Unreadable,
        OutOfMemory
    };
    Kind kind = Kind::Unreadable;
    int line = 0;

    // The text of the message box that reports it.
    QString message() const;
};
// Title of the message box that reports a read failure (shown with the warning icon).
QString ReadFailureTitle();

struct ReadResult {
    std::optional<Document> document; // set when the file was read whole
    std::optional<ReadFailure> failure;
};

// Reads a whole file image. A file that is newer than this program, malformed or cut short
// gives a failure and no document, never part of one.
ReadResult Read(const QByteArray& bytes);

} // namespace DataFile
