// Rows and cells of CSV, TSV and plain text: cells separated by TAB, comma or semicolon, in
// double quotes where they hold one (a doubled quote inside stands for one). Lines end in
// CR LF, LF or CR.
#pragma once

#include "core/import_table.h"

#include <QStringView>

namespace DelimitedText {

// What separates the cells: the first of TAB, comma and semicolon that the first line with
// content holds (outside quotes); blanks when that line is a header of known column names
// written with blanks between them; otherwise nothing, and each line is one cell.
enum class Separator { Tab, Comma, Semicolon, Blanks, None };
Separator Detect(QStringView text);

// Blank lines are left out; every row keeps the number of the line it starts on. The table
// keeps the text and its quoted cells rewritten after it: at most ImportTable::kMaxText / 2
// characters.
ImportTable Parse(QString text, Separator separator);

} // namespace DelimitedText
