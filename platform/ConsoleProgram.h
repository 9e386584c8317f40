#pragma once

#include <string>
#include <vector>

namespace tarnvik::platform {

// What a console program needs from the system around its main().

// The arguments after the program name, in the native form of paths
// (base::TextToNative of their text). Each system defines the form its
// entry point receives: POSIX main()'s argv, taken as is; Windows wmain()'s
// UTF-16 argv, so any name can be given.
std::vector<std::string> ProgramArguments(int argc, char** argv);
std::vector<std::string> ProgramArguments(int argc, wchar_t** argv);

// Sets the standard streams up for the program's UTF-8 bytes: output to a
// pipe or a file is the bytes written, unchanged (no line-end translation);
// a console shows them as UTF-8 text. Call once, before the first output.
void PrepareStandardStreams();

// Flushes standard output and standard error and ends the process at once
// with `code`, without running destructors or exit handlers; the console
// gets back what PrepareStandardStreams changed.
[[noreturn]] void QuickExit(int code);

}  // namespace tarnvik::platform
