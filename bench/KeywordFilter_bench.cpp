// The keyword filter and the duplicate views over 20,000 rows.
//   KeywordFilter_bench [Google Benchmark options]
// FilterRows with our fused tables runs against the same command with the
// names normalised by ICU's "Hiragana-Katakana" and "Fullwidth-Halfwidth"
// transliterators, in the same run; the ratios are printed at the end.

#include <benchmark/benchmark.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "core/DuplicateViews.h"
#include "core/KeywordFilter.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"
#include "platform/SystemServices.h"

namespace {

using tarnvik::base::ResultTable;

constexpr int kRows = 20000;

// Pieces of the names an office file tree holds: kanji and kana words in
// every width, ASCII in mixed case, full-width letters, dates and numbers.
const char16_t* const kWords[] = {
    u"報告書", u"れぽーと",     u"レポート",     u"ﾚﾎﾟｰﾄ",   u"議事録", u"見積",     u"請求書",
    u"企画",   u"プレゼン",     u"ﾌﾟﾚｾﾞﾝ",       u"資料",    u"ガイド", u"ｶﾞｲﾄﾞ",    u"てじゅん",
    u"写真",   u"データ",       u"ﾃﾞｰﾀ",         u"集計",    u"名簿",   u"さくら",   u"サクラ",
    u"Report", u"report",       u"PLAN",         u"plan",    u"Draft",  u"final",    u"memo",
    u"ＡＢＣ", u"ａｂｃ",       u"ＦＡＸ",       u"Minutes", u"budget", u"会議メモ", u"予定表",
    u"契約書", u"ぱんふれっと", u"パンフレット", u"ﾊﾟﾝﾌﾚｯﾄ", u"売上",   u"日報",     u"backup"};
const char16_t* const kJoins[] = {u"_", u"-", u" ", u"\u3000", u"", u"（", u"）", u"・"};
const char16_t* const kExts[] = {u".xls", u".xlsx", u".doc", u".docx", u".ppt", u".pdf",
                                 u".txt", u".csv",  u".jpg", u".xdw",  u"",     u".tar.gz"};

template <typename T, size_t N>
const T& Pick(std::mt19937& rng, const T (&items)[N]) {
  return items[rng() % N];
}

std::u16string Number(std::mt19937& rng, bool fullWidth) {
  std::u16string digits;
  const int n = 1 + static_cast<int>(rng() % 4);
  for (int k = 0; k < n; ++k) {
    const auto d = static_cast<char16_t>(rng() % 10);
    digits.push_back(static_cast<char16_t>(fullWidth ? u'０' + d : u'0' + d));
  }
  return digits;
}

std::u16string RandomName(std::mt19937& rng) {
  std::u16string name;
  const int parts = 1 + static_cast<int>(rng() % 4);
  for (int p = 0; p < parts; ++p) {
    if (p > 0) name += Pick(rng, kJoins);
    if (rng() % 4 == 0) {
      name += Number(rng, rng() % 3 == 0);
    } else {
      name += Pick(rng, kWords);
    }
  }
  if (rng() % 3 == 0) name += u"_20" + Number(rng, false);
  return name + Pick(rng, kExts);
}

// 20,000 data rows as the sort leaves them: numbered, in runs of equal
// names whose later rows carry "Name" or "Same".
ResultTable MakeUpper() {
  std::mt19937 rng(4711);
  ResultTable upper(6, 2);
  int r = 1;
  while (r <= kRows) {
    const std::u16string name = RandomName(rng);
    const int copies = rng() % 10 < 7 ? 1 : 2 + static_cast<int>(rng() % 3);
    for (int k = 0; k < copies && r <= kRows; ++k, ++r) {
      upper.SetCell(tarnvik::base::kColNumber, r, tarnvik::base::FormatNumber(r, 4));
      upper.SetCell(tarnvik::base::kColName, r, name);
      upper.SetCell(tarnvik::base::kColFolder, r, u"総務/2024年度/" + Number(rng, false));
      upper.SetCell(tarnvik::base::kColTime, r, u"2024.03.15 10:20:30");
      upper.SetCell(tarnvik::base::kColSize, r, tarnvik::base::FormatNumber(rng() % 999999, 6));
      const char16_t* mark = k == 0 ? u"" : (rng() % 2 ? u"Same" : u"Name");
      upper.SetCell(tarnvik::base::kColCheck, r, mark);
    }
  }
  upper.SetRowCount(kRows + 1);
  return upper;
}

const ResultTable& Upper() {
  static const ResultTable upper = MakeUpper();
  return upper;
}

// The same normalisation through ICU: kana fold, trim, width fold, trim,
// ASCII upper case, spaces removed.
class IcuMatchKey {
 public:
  IcuMatchKey() {
    UErrorCode status = U_ZERO_ERROR;
    kana_.reset(icu::Transliterator::createInstance("Hiragana-Katakana", UTRANS_FORWARD, status));
    width_.reset(
        icu::Transliterator::createInstance("Fullwidth-Halfwidth", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) std::abort();
  }

  std::u16string operator()(std::u16string_view text) const {
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    kana_->transliterate(s);
    std::u16string step = tarnvik::lib::Trim(View(s));
    s.setTo(step.data(), static_cast<int32_t>(step.size()));
    width_->transliterate(s);
    return tarnvik::lib::RemoveSpaces(tarnvik::lib::ToUpperAscii(tarnvik::lib::Trim(View(s))));
  }

 private:
  static std::u16string_view View(const icu::UnicodeString& s) {
    return {s.getBuffer(), static_cast<size_t>(s.length())};
  }
  std::unique_ptr<icu::Transliterator> kana_;
  std::unique_ptr<icu::Transliterator> width_;
};

struct Keywords {
  const char16_t* first;
  const char16_t* second;
  int connective;
};

const Keywords kKeywordSets[] = {
    {u"れぽーと", u"２０２", tarnvik::core::kConnectiveAnd},
    {u"ぷれぜん", u"ＰＬＡＮ", tarnvik::core::kConnectiveOr},
};

// FilterRows with the names normalised by ICU instead of our tables.
int IcuFilterRows(const IcuMatchKey& key, const ResultTable& upper, ResultTable& lower,
                  const Keywords& k) {
  const std::u16string k1 = key(k.first);
  const std::u16string k2 = key(k.second);
  tarnvik::lib::ClearGrid(lower);
  for (int i = 1; i < upper.RowCount(); ++i) {
    const std::u16string name = key(upper.Cell(tarnvik::base::kColName, i));
    if (!tarnvik::core::RowMatches(name, k1, k2, k.connective)) continue;
    lower.CopyRowFrom(upper, i, lower.RowCount() - 1);
    lower.SetRowCount(lower.RowCount() + 1);
  }
  if (lower.RowCount() > 2) lower.SetRowCount(lower.RowCount() - 1);
  return lower.RowCount() - 1;
}

// The program's match keys over the system's text mapper.
const tarnvik::core::MatchKeys& Keys() {
  static const tarnvik::platform::SystemServices system;
  static const tarnvik::core::MatchKeys keys(*system.Engine().textMapper);
  return keys;
}

int TablesFilterRows(const ResultTable& upper, ResultTable& lower, const Keywords& k) {
  tarnvik::base::EngineHost host;
  tarnvik::core::FilterRows(upper, lower, k.first, k.second, k.connective, Keys(), host);
  return lower.RowCount() - 1;
}

void BM_FilterRowsTables(benchmark::State& state) {
  const Keywords& k = kKeywordSets[state.range(0)];
  const ResultTable& upper = Upper();
  ResultTable lower(6, 2);
  Keys().Of(u"");  // folds the table before the clock runs
  int listed = 0;
  for (auto _ : state) benchmark::DoNotOptimize(listed = TablesFilterRows(upper, lower, k));
  state.counters["listed"] = listed;
}

void BM_FilterRowsIcu(benchmark::State& state) {
  const Keywords& k = kKeywordSets[state.range(0)];
  const ResultTable& upper = Upper();
  ResultTable lower(6, 2);
  const IcuMatchKey key;
  int listed = 0;
  for (auto _ : state) benchmark::DoNotOptimize(listed = IcuFilterRows(key, upper, lower, k));
  state.counters["listed"] = listed;
  ResultTable ours(6, 2);
  if (TablesFilterRows(upper, ours, k) != listed) state.SkipWithError("ICU lists other rows");
}

void BM_ShowMarkedRows(benchmark::State& state) {
  const ResultTable& upper = Upper();
  ResultTable lower(6, 2);
  tarnvik::base::EngineHost host;
  const char16_t* mark = state.range(0) == 0 ? tarnvik::base::kMarkSame : tarnvik::base::kMarkName;
  for (auto _ : state) tarnvik::core::ShowMarkedRows(upper, lower, mark, host);
  state.counters["shown"] = lower.RowCount() - 1;
}

BENCHMARK(BM_FilterRowsTables)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterRowsIcu)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowMarkedRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Prints, after the usual table, how many times slower ICU was.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, icu] : times_) {
      const auto at = name.find("Icu");
      if (at == std::string::npos) continue;
      std::string ours = name;
      ours.replace(at, 3, "Tables");
      const auto found = times_.find(ours);
      if (found == times_.end() || found->second.real <= 0 || found->second.cpu <= 0) continue;
      std::printf("%s / %s: ICU takes %.1f times as long (CPU time: %.1f times)\n", name.c_str(),
                  ours.c_str(), icu.real / found->second.real, icu.cpu / found->second.cpu);
    }
  }

 private:
  struct Times {
    double real;
    double cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
