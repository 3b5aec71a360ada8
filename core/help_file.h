// Where the help page is found: beside the program (a build folder or a copy of its own), else
// in the share/qstereo/ folder an install puts next to bin/.
#pragma once

#include <QString>

namespace HelpFile {

constexpr const char* kName = "help_st.htm";

// The help page for the program folder `appPath` (ending in "/"). When neither place holds it,
// the path beside the program, which the missing-file message names.
QString Path(const QString& appPath);

} // namespace HelpFile
