#pragma once

#include <string>
#include <vector>

#include "base/EngineHost.h"

namespace tarnvik::cli {

// What one run of tarnvik-cli is asked to do.
struct CliOptions {
  // Sort order of the search: 0 file name, 1 extension.
  base::SortOrder order = base::SortOrder::ByName;
  // The search root, trailing "/" removed ("/" stays "/").
  std::string root;

  // What fills the lower table after the search, which is then printed
  // instead of the upper one.
  enum class Lower { None, ViewName, ViewSame, Filter };
  Lower lower = Lower::None;
  // Keywords of the filter (UTF-8 as typed) and the connective: the item
  // index of the and/or box, 0 "and", 1 "or ".
  std::string keyword1;
  std::string keyword2;
  int connective = 0;

  // When not empty, the printed table is also written to this .xlsx file.
  std::string xlsxPath;

  // "-h" or "--help" stood where an option may stand: print the usage and
  // nothing else. The other fields are then not filled in.
  bool help = false;
};

// Parses the arguments after the program name. Returns false with a
// one-line message in `error` for bad usage. "-h" and "--help" are a request
// for the usage only in the place of an option: as the value of an option
// (a keyword "-h") or after "--" they are plain words.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// The usage text printed with --help.
const char* CliUsage();

}  // namespace tarnvik::cli
