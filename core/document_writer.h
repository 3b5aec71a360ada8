// Writing a document value as the bytes of a data file.
#pragma once

#include "core/document.h"

#include <QByteArray>

namespace DataFile {

// The whole file: this program's header, the titles, the levels, the maximum points and the
// data block, in CP932 with CR LF line ends. Texts the field reading would not give back as
// they are go in double quotes, which the earlier versions read too.
QByteArray Write(const Document& document);

} // namespace DataFile
