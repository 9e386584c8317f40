// Exporting a full result table (20,000 rows, the scan's limit) to an .xlsx
// file through the same calls the "Excel" buttons make, in both layouts:
// building the sheet, writing the workbook and saving it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "lib/Fnc_ExcelCnv.h"
#include "lib/Fnc_Grid.h"
#include "platform/xlsx/XlsxSpreadsheet.h"

namespace {

using namespace tarnvik;

constexpr int kRows = 20000;

std::u16string Text(const char* format, int a, int b = 0, int c = 0) {
  char buf[96];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return tarnvik::base::FromUtf8(buf);
}

// Office-like rows: Japanese and ASCII names, nested folders, times, sizes,
// about one mark in ten.
tarnvik::base::ResultTable FullTable(tarnvik::base::SortOrder order) {
  tarnvik::base::ResultTable t, lower;
  tarnvik::base::EngineHost host;
  core::ApplyColumnLayout(order, t, lower, host);
  lib::ClearGrid(t);
  static const char* kKinds[] = {"xlsx", "docx", "pdf", "txt", "jpg", "csv", "xdw"};
  for (int r = 1; r <= kRows; ++r) {
    const int k = r % 7;
    std::u16string name = (r % 3 == 0) ? Text("見積書_%05d.", r) : Text("report-%d-v%d.", r, k);
    name += tarnvik::base::FromUtf8(kKinds[k]);
    t.SetCell(tarnvik::base::kColNumber, r, tarnvik::base::FormatNumber(r, 4));
    t.SetCell(tarnvik::base::kColFolder, r, Text("部署%02d/案件%03d/資料", r % 17, r % 211));
    t.SetCell(tarnvik::base::kColTime, r,
              Text("2024.%02d.%02d 12:34:%02d", 1 + r % 12, 1 + r % 28, (r % 30) * 2));
    t.SetCell(tarnvik::base::kColSize, r, tarnvik::base::FormatNumber((r * 7919) % 5000000, 6));
    t.SetCell(tarnvik::base::kColCheck, r, r % 10 == 0 ? u"Name" : (r % 10 == 5 ? u"Same" : u""));
    if (order == tarnvik::base::SortOrder::ByExtension)
      t.SetCell(tarnvik::base::kColExt, r, tarnvik::base::ExtensionText(name));
    t.SetCell(tarnvik::base::kColName, r, std::move(name));
  }
  t.SetRowCount(kRows + 1);
  return t;
}

struct SilentHost : tarnvik::base::EngineHost {
  int failures = 0;
  void ShowMessage(const std::u16string&) override { ++failures; }
};

void BM_ExportToXlsx(benchmark::State& state) {
  const tarnvik::base::SortOrder order =
      tarnvik::base::SortOrderFromIndex(static_cast<int>(state.range(0)));
  const tarnvik::base::ResultTable table = FullTable(order);
  const std::string path = "/tmp/tarnvik-export-bench-" + std::to_string(getpid()) + "-" +
                           std::to_string(static_cast<int>(order)) + ".xlsx";
  SilentHost host;
  for (auto _ : state) {
    platform::XlsxSpreadsheet sheet = platform::XlsxSpreadsheet::ForFile(path);
    benchmark::DoNotOptimize(lib::ExcelExport(table, sheet, host));
  }
  if (host.failures != 0) state.SkipWithError("the export failed");
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f != nullptr) {
    std::fseek(f, 0, SEEK_END);
    state.counters["xlsx_bytes"] = static_cast<double>(std::ftell(f));
    std::fclose(f);
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ExportToXlsx)
    ->Arg(static_cast<int>(tarnvik::base::SortOrder::ByName))
    ->Arg(static_cast<int>(tarnvik::base::SortOrder::ByExtension))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
