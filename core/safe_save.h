// Replaces a file's contents so that the file is never lost or half written: the new contents
// go to a temporary file beside it, reach the disk, and take the file's place in one rename.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

enum class SaveStep { Create, Write, Flush, Replace };
enum class SaveOutcome { Saved, WriteFailed, ReplaceFailed };

// Lets tests fail a step as a full or broken disk would; returns true to fail it.
using SaveFault = std::function<bool(SaveStep)>;

// The file at `target` afterwards holds `bytes`, or, on failure, is exactly as it was and no
// temporary file is left. A read-only file is replaced; a symbolic link keeps pointing at the
// file it named, which is replaced.
SaveOutcome ReplaceFileContents(const QString& target, const QByteArray& bytes,
                                const SaveFault& fault = {});
