// The title codecs the title editor uses: the one-line form of a title ("\n" for a line break)
// and back. Kept in one place so the editor follows the data file's codec.
#pragma once

#include <QString>

namespace TitleCodec {

// Every CR LF becomes the two characters "\n".
QString Encode(const QString& text);
// "￥" reads as a backslash; a text holding "\z" (any case, full-width letters too) is the
// empty title; otherwise every "\n" (any case) becomes CR LF.
QString Decode(const QString& text);

} // namespace TitleCodec
