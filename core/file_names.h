// File-name rules of the data file.
#pragma once

#include <QString>

namespace BMMain {

// The characters a data file name may not hold, in the order the refusal message lists them.
inline constexpr char16_t kForbiddenFileNameCharacters[] = u"/,;*?<>|\"";

// False when the name holds a comma, semicolon, asterisk, question mark, less-than,
// greater-than, vertical bar or double quote. The slash separates folders here, so a full path
// passes, as do colons and backslashes.
bool IsValidFileName(const QString& name);
// Whether a file of that path exists (a folder or a device is none).
bool FileExists(const QString& path);

} // namespace BMMain
