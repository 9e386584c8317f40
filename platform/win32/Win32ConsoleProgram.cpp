// clang-format off
// windows.h first: the other system headers build on its types.
#include <windows.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ConsoleProgram.h"
#include "platform/win32/WideText.h"

namespace tarnvik::platform {

namespace {

// The console's output code page before PrepareStandardStreams, 0 when it
// was not changed.
UINT savedOutputPage = 0;

bool IsConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

void RestoreConsole() {
  if (savedOutputPage != 0) {
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(savedOutputPage);
    savedOutputPage = 0;
  }
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(win32::ToNative(argv[i]));
  return args;
}

void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if ((IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) && savedOutputPage == 0) {
    const UINT page = GetConsoleOutputCP();
    if (page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
      savedOutputPage = page;
      std::atexit(RestoreConsole);
    }
  }
}

void QuickExit(int code) {
  std::fflush(stdout);
  std::fflush(stderr);
  RestoreConsole();
  std::_Exit(code);
}

}  // namespace tarnvik::platform
