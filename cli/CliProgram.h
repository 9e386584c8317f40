#pragma once

#include <string>
#include <vector>

namespace tarnvik::cli {

// tarnvik-cli without its entry point: parses `args` (the arguments after
// the program name, paths in their native form), runs the search and the
// lower command they ask for, prints the table to standard output and the
// messages to standard error. Returns the exit status of a failure before
// the search (2 bad usage or no folder, 1 a refused workbook target or a
// failed write); after a search it ends the process itself through
// platform::QuickExit with 0, or 1 when the workbook could not be written or
// a folder could not be read. The standard streams must have been prepared
// (platform::PrepareStandardStreams). Called once per process.
int RunCli(const std::vector<std::string>& args);

}  // namespace tarnvik::cli
