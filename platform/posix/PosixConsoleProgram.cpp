#include <cstdio>
#include <cstdlib>

#include "platform/ConsoleProgram.h"

namespace tarnvik::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

void QuickExit(int code) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(code);
}

}  // namespace tarnvik::platform
