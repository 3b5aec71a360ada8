// The one-line form of a diagram title, as the data file and the title editor hold it.
#pragma once

#include <QString>

namespace BMMain {

// Every CR LF becomes the two characters "\n".
QString EncodeTitle(const QString& text);
// "￥" reads as a backslash; a text holding "\z" (any case, full-width letters too) is the
// empty title; otherwise every "\n" (any case) becomes CR LF.
QString DecodeTitle(const QString& text);

} // namespace BMMain
