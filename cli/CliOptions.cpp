#include "cli/CliOptions.h"

#include "base/CellFormat.h"

namespace tarnvik::cli {

const char* CliUsage() {
  return "usage: tarnvik-cli [--order name|ext] [--view name|same | --filter K1 [--and K2 | --or "
         "K2]]\n"
         "                   ROOT\n"
         "Lists every file below ROOT as the search window does (sorted, numbered,\n"
         "duplicates marked) and prints the table, one line per row, cells separated\n"
         "by tabs. The limit message and the counts go to standard error.\n"
         "  --order name|ext   sort by file name (default) or by extension\n"
         "  --view name|same   print the same-name or same-content rows with their\n"
         "                     group heads instead\n"
         "  --filter K1        print the rows whose names contain K1 instead (kana,\n"
         "                     width, case and spaces ignored); with --and K2 names\n"
         "                     containing both, with --or K2 names containing either.\n"
         "                     A blank K1 leaves the full table.\n"
         "  --xlsx FILE        also write the printed table to the spreadsheet FILE\n";
}

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error) {
  bool haveRoot = false;
  bool haveSecond = false;
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
    } else if (!optionsDone && (a == "--help" || a == "-h")) {
      options.help = true;
      return true;
    } else if (!optionsDone && a == "--order") {
      std::string v;
      if (!value(v)) return false;
      if (v == "name") {
        options.order = base::SortOrder::ByName;
      } else if (v == "ext") {
        options.order = base::SortOrder::ByExtension;
      } else {
        error = "--order takes name or ext, not '" + v + "'";
        return false;
      }
    } else if (!optionsDone && a == "--view") {
      std::string v;
      if (!value(v)) return false;
      if (options.lower != CliOptions::Lower::None) {
        error = "--view and --filter exclude each other";
        return false;
      }
      if (v == "name") {
        options.lower = CliOptions::Lower::ViewName;
      } else if (v == "same") {
        options.lower = CliOptions::Lower::ViewSame;
      } else {
        error = "--view takes name or same, not '" + v + "'";
        return false;
      }
    } else if (!optionsDone && a == "--filter") {
      if (options.lower != CliOptions::Lower::None) {
        error = "--view and --filter exclude each other";
        return false;
      }
      if (!value(options.keyword1)) return false;
      options.lower = CliOptions::Lower::Filter;
    } else if (!optionsDone && a == "--xlsx") {
      if (!value(options.xlsxPath)) return false;
      if (options.xlsxPath.empty()) {
        error = "--xlsx needs a file name";
        return false;
      }
    } else if (!optionsDone && (a == "--and" || a == "--or")) {
      if (haveSecond) {
        error = "only one of --and and --or may be given";
        return false;
      }
      if (!value(options.keyword2)) return false;
      options.connective = a == "--and" ? 0 : 1;
      haveSecond = true;
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
      options.root = base::WithoutTrailingSeparator(a);
      haveRoot = true;
    }
  }
  if (!haveRoot) {
    error = "no ROOT given";
    return false;
  }
  if (haveSecond && options.lower != CliOptions::Lower::Filter) {
    error = "--and and --or go with --filter";
    return false;
  }
  return true;
}

}  // namespace tarnvik::cli
