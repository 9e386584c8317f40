// tarnvik-cli: the search of the window for scripts and batch use. The
// entry point of Windows: the arguments arrive as UTF-16, so a root or a
// keyword in any script reaches the search unchanged (the narrow argv would
// have gone through the ANSI code page).

#include "cli/CliProgram.h"
#include "platform/ConsoleProgram.h"

int wmain(int argc, wchar_t** argv) {
  tarnvik::platform::PrepareStandardStreams();
  return tarnvik::cli::RunCli(tarnvik::platform::ProgramArguments(argc, argv));
}
