// Sorting and marking a full result table (the scan stops at 20,000 files):
// realistic office names in both sort orders, and the inputs that make the
// middle-pivot quicksort peel one row per partition.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "core/SortAndMark.h"
#include "tests/core/PeelingKeys.h"

namespace {

using tarnvik::base::Column;
using tarnvik::base::Counters;
using tarnvik::base::EngineHost;
using tarnvik::base::ExtensionText;
using tarnvik::base::FormatNumber;
using tarnvik::base::FromUtf8;
using tarnvik::base::ResultTable;

constexpr int kRows = 20000;

class OrderHost : public EngineHost {
 public:
  explicit OrderHost(tarnvik::base::SortOrder order) : order_(order) {}
  tarnvik::base::SortOrder CurrentSortOrder() const override { return order_; }

 private:
  tarnvik::base::SortOrder order_;
};

std::u16string Text(const char* format, int a, int b = 0, int c = 0) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return FromUtf8(buf);
}

ResultTable EmptyTable(tarnvik::base::SortOrder order) {
  ResultTable t(order == tarnvik::base::SortOrder::ByExtension ? 7 : 6);
  t.SetRowCount(kRows + 1);
  return t;
}

void SetRow(ResultTable& t, int row, std::u16string name, std::u16string folder,
            std::u16string time, std::u16string size) {
  t.SetCell(Column::kColNumber, row, FormatNumber(row, 4));
  t.SetCell(Column::kColExt, row, ExtensionText(name));
  t.SetCell(Column::kColName, row, std::move(name));
  t.SetCell(Column::kColFolder, row, std::move(folder));
  t.SetCell(Column::kColTime, row, std::move(time));
  t.SetCell(Column::kColSize, row, std::move(size));
}

// An office share: Japanese and ASCII names with dates and copy suffixes,
// a few hundred folders, and about one file in five a copy of an earlier one
// (half of them with the same time and size).
ResultTable RealisticTable(tarnvik::base::SortOrder order) {
  static const char* const stems[] = {"見積書",   "請求書", "議事録",  "報告書",  "企画書",
                                      "会議資料", "提案書", "契約書",  "写真",    "名簿",
                                      "日報",     "ﾃﾞｰﾀ",   "ｱﾝｹｰﾄ",   "report",  "README",
                                      "budget",   "IMG_",   "minutes", "Invoice", "index"};
  static const char* const exts[] = {".xlsx", ".docx", ".pptx", ".pdf", ".txt", ".jpg",
                                     ".png",  ".xdw",  ".csv",  ".xls", ".doc", ""};
  static const char* const suffixes[] = {"", "_%d", "(%d)", " - コピー", "_%d年度", "_v%d"};
  static const char* const folderParts[] = {"営業部",   "総務部", "経理",    "projects", "2023年度",
                                            "2024年度", "見積",   "archive", "共有",     "tmp",
                                            "ｼｽﾃﾑ",     "src",    "写真",    "old"};
  std::mt19937 rng(12345);
  auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

  std::vector<std::u16string> folders{u""};
  while (folders.size() < 400) {
    std::string path;
    for (int depth = 1 + pick(3); depth > 0; --depth) {
      if (!path.empty()) path += '/';
      path += folderParts[pick(14)];
    }
    folders.push_back(FromUtf8(path));
  }

  ResultTable t = EmptyTable(order);
  for (int row = 1; row <= kRows; ++row) {
    if (row > 1 && pick(5) == 0) {
      const int from = 1 + pick(row - 1);
      const bool sameContent = pick(2) == 0;
      SetRow(t, row, t.Cell(Column::kColName, from), folders[pick(400)],
             sameContent ? t.Cell(Column::kColTime, from)
                         : Text("2024.%02d.%02d 10:00:00", 1 + pick(12), 1 + pick(28)),
             t.Cell(Column::kColSize, from));
      continue;
    }
    std::string name = stems[pick(20)];
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, suffixes[pick(6)], pick(300));
    name += suffix;
    name += exts[pick(12)];
    SetRow(t, row, FromUtf8(name), folders[pick(400)],
           Text("2023.%02d.%02d %02d:", 1 + pick(12), 1 + pick(28), pick(24)) +
               Text("%02d:%02d", pick(60), pick(30) * 2),
           FormatNumber(pick(2000000), 6));
  }
  return t;
}

// Every key equal: each partition peels one row and scans all the others.
ResultTable IdenticalKeys(tarnvik::base::SortOrder order) {
  ResultTable t = EmptyTable(order);
  for (int row = 1; row <= kRows; ++row) {
    SetRow(t, row, u"同じ名前.xlsx", u"共有", u"2024.05.01 09:30:00", FormatNumber(row, 6));
  }
  return t;
}

// Distinct keys arranged so that the middle row of every range is its
// smallest (or largest) key: as unbalanced as identical keys, but the
// largest-key variant moves every scanned row.
ResultTable PeelingKeys(tarnvik::base::SortOrder order, bool largest) {
  const std::vector<int> value = tarnvik::sortcases::PeelingKeys(kRows, largest);
  ResultTable t = EmptyTable(order);
  for (int row = 1; row <= kRows; ++row) {
    SetRow(t, row, Text("%07d.txt", value[row]), u"", u"2024.05.01 09:30:00", u"   100");
  }
  return t;
}

void RunSortAndMark(benchmark::State& state, const ResultTable& input,
                    tarnvik::base::SortOrder order) {
  OrderHost host(order);
  int marked = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ResultTable table = input;
    Counters counters{kRows, 1, 0};
    state.ResumeTiming();
    tarnvik::core::SortAndMark(table, counters, host);
    marked = counters.SameCount;
    benchmark::DoNotOptimize(marked);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["marked"] = marked;
}

void BM_Realistic(benchmark::State& state) {
  const tarnvik::base::SortOrder order =
      tarnvik::base::SortOrderFromIndex(static_cast<int>(state.range(0)));
  RunSortAndMark(state, RealisticTable(order), order);
}
BENCHMARK(BM_Realistic)->ArgName("order")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

constexpr tarnvik::base::SortOrder kByName = tarnvik::base::SortOrder::ByName;

void BM_IdenticalKeys(benchmark::State& state) {
  RunSortAndMark(state, IdenticalKeys(kByName), kByName);
}
BENCHMARK(BM_IdenticalKeys)->Unit(benchmark::kMillisecond);

void BM_PeelSmallest(benchmark::State& state) {
  RunSortAndMark(state, PeelingKeys(kByName, false), kByName);
}
BENCHMARK(BM_PeelSmallest)->Unit(benchmark::kMillisecond);

void BM_PeelLargest(benchmark::State& state) {
  RunSortAndMark(state, PeelingKeys(kByName, true), kByName);
}
BENCHMARK(BM_PeelLargest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
