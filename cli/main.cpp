// tarnvik-cli: the search of the window for scripts and batch use. The
// entry point of POSIX systems, where the arguments are the bytes of the
// names as they are.

#include "cli/CliProgram.h"
#include "platform/ConsoleProgram.h"

int main(int argc, char** argv) {
  tarnvik::platform::PrepareStandardStreams();
  return tarnvik::cli::RunCli(tarnvik::platform::ProgramArguments(argc, argv));
}
