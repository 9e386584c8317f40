// tarnvik-cli: the search of the window for scripts and batch use.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// __GLIBC__ comes with the C library's headers above.
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "cli/CliOptions.h"
#include "cli/TableText.h"
#include "core/ColumnLayout.h"
#include "core/DuplicateViews.h"
#include "core/EngineHost.h"
#include "core/KeywordFilter.h"
#include "core/ResultTable.h"
#include "core/Search.h"
#include "lib/Fnc_ExcelCnv.h"
#include "lib/TextCodec.h"
#include "platform/ConsoleProgram.h"
#include "platform/DirectoryTree.h"
#include "platform/SystemServices.h"
#include "platform/xlsx/XlsxSpreadsheet.h"

namespace {

using namespace tarnvik;

// Stands in for the window: messages go to standard error, nothing else is
// shown.
class CliHost : public core::EngineHost {
 public:
  explicit CliHost(int order) : order_(order) {}

  int CurrentSortOrder() const override { return order_; }

  void ShowMessage(const std::u16string& text) override {
    const std::string native = lib::TextToNative(text);
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
        "tarnvik-cli: '" + lib::TextToNative(folder) + "': " + platform::ErrorText(error) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }

  bool UnreadFolders() const { return unreadFolders_; }

 private:
  int order_;
  bool unreadFolders_ = false;
};

int Fail(const std::string& message, int code = 2) {
  std::fprintf(stderr, "tarnvik-cli: %s\n", message.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  platform::PrepareStandardStreams();
  const std::vector<std::string> args = platform::ProgramArguments(argc, argv);
  cli::CliOptions options;
  std::string error;
  if (!cli::ParseCliOptions(args, options, error)) {
    return Fail(error + " (try --help)");
  }
  if (options.help) {
    std::fputs(cli::CliUsage(), stdout);
    return 0;
  }
  if (!platform::IsFolder(options.root)) {
    return Fail("'" + options.root + "' is not a folder");
  }
  if (!options.xlsxPath.empty() && !platform::XlsxSpreadsheet::MayWriteFile(options.xlsxPath)) {
    return Fail("'" + options.xlsxPath + "' exists and is not a regular file; it is left as it is",
                1);
  }

  CliHost host(options.order);
  core::ResultTable upper, lower;
  core::Counters counters;
  auto fs = platform::MakeSystemDirectoryTree();

  // What the window does on start-up and on its search button: the layout of
  // the chosen order, then the search.
  core::ApplyColumnLayout(options.order, upper, lower, host);
  core::RunSearch(lib::NativeToText(options.root), upper, lower, counters, host, *fs);

  // The views and the filter fill the lower table as their buttons do; a
  // filter whose first keyword is blank leaves it untouched, so the search
  // result is what the user sees.
  const core::ResultTable* shown = &upper;
  switch (options.lower) {
    case cli::CliOptions::Lower::None:
      break;
    case cli::CliOptions::Lower::ViewName:
      core::ShowMarkedRows(upper, lower, u"Name", host);
      shown = &lower;
      break;
    case cli::CliOptions::Lower::ViewSame:
      core::ShowMarkedRows(upper, lower, u"Same", host);
      shown = &lower;
      break;
    case cli::CliOptions::Lower::Filter:
      if (core::FilterRows(upper, lower, lib::NativeToText(options.keyword1),
                           lib::NativeToText(options.keyword2), options.connective, host)) {
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
    auto sheet = platform::XlsxSpreadsheet::ForFile(options.xlsxPath);
    exported = lib::ExcelExport(*shown, sheet, host);
  }
  std::fprintf(stderr, "files=%d folders=%d same=%d\n", counters.FileCount, counters.FolderCount,
               counters.SameCount);
  // Freeing a 20,000-row table cell by cell takes longer than printing it;
  // the process is done, so leave without running the destructors.
  platform::QuickExit(exported && !host.UnreadFolders() ? 0 : 1);
}
