#include "cli/CliOptions.h"

namespace tarnvik::cli {

const char* CliUsage() {
  return "usage: tarnvik-cli [--order name|ext] ROOT\n"
         "Lists every file below ROOT as the search window does (sorted, numbered,\n"
         "duplicates marked) and prints the table, one line per row, cells separated\n"
         "by tabs. The limit message and the counts go to standard error.\n";
}

namespace {

std::string DropTrailingSlashes(std::string root) {
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  return root;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error) {
  bool haveRoot = false;
  bool optionsDone = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    if (!optionsDone && a == "--") {
      optionsDone = true;
    } else if (!optionsDone && a == "--order") {
      std::string v;
      if (!value(v)) return false;
      if (v == "name") {
        options.order = 0;
      } else if (v == "ext") {
        options.order = 1;
      } else {
        error = "--order takes name or ext, not '" + v + "'";
        return false;
      }
    } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
      error = "unknown option '" + a + "'";
      return false;
    } else if (haveRoot) {
      error = "more than one ROOT given";
      return false;
    } else if (a.empty()) {
      error = "ROOT is empty";
      return false;
    } else {
      options.root = DropTrailingSlashes(a);
      haveRoot = true;
    }
  }
  if (!haveRoot) {
    error = "no ROOT given";
    return false;
  }
  return true;
}

}  // namespace tarnvik::cli
