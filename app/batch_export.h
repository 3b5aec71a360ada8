// The batch export: the four diagrams of a data file written as files, with the density
// results, without a display and without any window.
#pragma once

namespace BatchExport {

// Runs a command line that IsExportCommandLine accepted; returns the process's exit status
// (0 done, 1 refused command line, unreadable file, folder or file that cannot be written).
int Run(int argc, char* argv[]);

} // namespace BatchExport
