// The batch export: the four diagrams of a data file (or of a file of measurements) written as
// files, with the density results, without a display and without any window; and the
// conversion of a file of measurements into a data file.
#pragma once

namespace BatchExport {

// Runs a command line that IsExportCommandLine accepted; returns the process's exit status
// (0 done, 1 refused command line, unreadable file or refused line, folder or file that cannot
// be written).
int Run(int argc, char* argv[]);

} // namespace BatchExport
