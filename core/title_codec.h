// The one-line form of a diagram title, as the data file and the title editor hold it.
#pragma once

#include <QString>

namespace BMMain {

// Every CR LF becomes the two characters "\n".
QString EncodeTitle(const QString& text);
// "￥" reads as a backslash; a text holding "\z" (any case, full-width letters too) is the
// empty title; otherwise every half-width "\n" (any case) becomes CR LF.
QString DecodeTitle(const QString& text);
// The title editor's answer with its line-break marks in the form DecodeTitle reads: the
// editor's prompt shows the mark in full width ("￥ｎ"), so a yen sign of either width followed
// by an n of either width becomes "\n". A "＼ｎ" already in the title stays text.
QString NarrowTypedLineBreaks(const QString& typed);

} // namespace BMMain
