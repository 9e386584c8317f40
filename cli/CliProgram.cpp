#include "cli/CliProgram.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "cli/CliOptions.h"
#include "cli/TableText.h"
#include "core/ColumnLayout.h"
#include "core/DuplicateViews.h"
#include "core/KeywordFilter.h"
#include "core/Search.h"
#include "lib/Fnc_ExcelCnv.h"
#include "platform/ConsoleProgram.h"
#include "platform/DirectoryTree.h"
#include "platform/FileQueries.h"
#include "platform/Spreadsheet.h"
#include "platform/SystemServices.h"

namespace {

using namespace tarnvik;

// Stands in for the window: messages go to standard error, nothing else is
// shown.
class CliHost : public base::EngineHost {
 public:
  CliHost(base::SortOrder order, const platform::FileQueries& files)
      : order_(order), files_(files) {}

  base::SortOrder CurrentSortOrder() const override { return order_; }

  void ShowMessage(const std::u16string& text) override {
    const std::string native = base::TextToNative(text);
    std::string line;
    for (size_t i = 0; i < native.size(); ++i) {
      if (!(native[i] == '\r' && i + 1 < native.size() && native[i + 1] == '\n')) {
        line.push_back(native[i]);
      }
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
  }

  // One line per folder that could not be read, as find reports them.
  void FolderNotRead(const std::u16string& folder, int error) override {
    unreadFolders_ = true;
    const std::string line =
        "tarnvik-cli: '" + base::TextToNative(folder) + "': " + files_.ErrorText(error) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }

  bool UnreadFolders() const { return unreadFolders_; }

 private:
  base::SortOrder order_;
  const platform::FileQueries& files_;
  bool unreadFolders_ = false;
};

int Fail(const std::string& message, int code = 2) {
  std::fprintf(stderr, "tarnvik-cli: %s\n", message.c_str());
  return code;
}

}  // namespace

int tarnvik::cli::RunCli(const std::vector<std::string>& args) {
  cli::CliOptions options;
  std::string error;
  if (!cli::ParseCliOptions(args, options, error)) {
    return Fail(error + " (try --help)");
  }
  if (options.help) {
    std::fputs(cli::CliUsage(), stdout);
    return 0;
  }
  // The composition root: every platform service is built here, once.
  const platform::SystemServices system;
  const platform::EngineServices& services = system.Engine();
  if (!services.files->IsFolder(options.root)) {
    return Fail("'" + options.root + "' is not a folder");
  }
  if (!options.xlsxPath.empty() && !services.files->MayWriteFile(options.xlsxPath)) {
    return Fail("'" + options.xlsxPath + "' exists and is not a regular file; it is left as it is",
                1);
  }

  CliHost host(options.order, *services.files);
  base::ResultTable upper, lower;
  base::Counters counters;
  const auto fs = services.newDirectoryTree();

  // What the window does on start-up and on its search button: the layout of
  // the chosen order, then the search.
  core::ApplyColumnLayout(options.order, upper, lower, host);
  core::SearchFolder(base::NativeToText(options.root), upper, lower, counters, host, *fs,
                     *services.clock);

  // The views and the filter fill the lower table as their buttons do; a
  // filter whose first keyword is blank leaves it untouched, so the search
  // result is what the user sees.
  const base::ResultTable* shown = &upper;
  switch (options.lower) {
    case cli::CliOptions::Lower::None:
      break;
    case cli::CliOptions::Lower::ViewName:
      core::ShowMarkedRows(upper, lower, base::kMarkName, host);
      shown = &lower;
      break;
    case cli::CliOptions::Lower::ViewSame:
      core::ShowMarkedRows(upper, lower, base::kMarkSame, host);
      shown = &lower;
      break;
    case cli::CliOptions::Lower::Filter:
      if (core::FilterRows(upper, lower, base::NativeToText(options.keyword1),
                           base::NativeToText(options.keyword2), options.connective,
                           core::MatchKeys(*services.textMapper), host)) {
        shown = &lower;
      }
      break;
  }

  if (!cli::WriteTableText(*shown, stdout)) {
    return Fail("cannot write the table", 1);
  }
  // The export of the window's Excel buttons, into the named file; its
  // failure message has gone to standard error already.
  bool exported = true;
  if (!options.xlsxPath.empty()) {
    const auto sheet = services.newWorkbookFile(options.xlsxPath);
    exported = lib::ExcelExport(*shown, *sheet, host);
  }
  std::fprintf(stderr, "files=%d folders=%d same=%d\n", counters.FileCount, counters.FolderCount,
               counters.SameCount);
  // Freeing a 20,000-row table cell by cell takes longer than printing it;
  // the process is done, so leave without running the destructors.
  platform::QuickExit(exported && !host.UnreadFolders() ? 0 : 1);
}
