#pragma once

#include <string>
#include <vector>

namespace tarnvik::cli {

// What one run of tarnvik-cli is asked to do.
struct CliOptions {
  // Sort order of the search: 0 file name, 1 extension.
  int order = 0;
  // The search root, trailing "/" removed ("/" stays "/").
  std::string root;
};

// Parses the arguments after the program name. Returns false with a
// one-line message in `error` for bad usage.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// The usage text printed with --help.
const char* CliUsage();

}  // namespace tarnvik::cli
