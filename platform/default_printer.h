// The user's default printer, which the printer set-up command changes for every program.
#pragma once

#include <QString>

namespace DefaultPrinter {

// True when the machine knows at least one printer.
bool Available();
// The default printer's name; empty when there is none.
QString Name();
// Makes `name` the user's default printer (CUPS lpoptions); false when that failed.
bool SetName(const QString& name);

} // namespace DefaultPrinter
