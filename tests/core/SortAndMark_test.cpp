#include "core/SortAndMark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/ColumnLayout.h"
#include "lib/TextCodec.h"
#include "tests/core/PeelingKeys.h"

namespace tarnvik::core {
namespace {

using lib::FromUtf8;
using lib::ToUtf8;
using sortcases::PeelingKeys;

// Everything the engine tells its host, in order.
struct HostEvent {
  enum Kind { kBegins, kEnds, kCount, kPending } kind;
  CountBox box = CountBox::Files;
  int value = 0;
  bool operator==(const HostEvent&) const = default;
};

std::ostream& operator<<(std::ostream& os, const HostEvent& e) {
  static const char* const kinds[] = {"SortBegins", "SortEnds", "ShowCount", "Pending"};
  os << kinds[e.kind];
  if (e.kind == HostEvent::kCount) os << "(" << static_cast<int>(e.box) << ", " << e.value << ")";
  return os;
}

class RecordingHost : public EngineHost {
 public:
  explicit RecordingHost(int order) : order_(order) {}
  void SetOrder(int order) { order_ = order; }
  int CurrentSortOrder() const override { return order_; }
  void ShowCount(CountBox box, int value) override {
    events.push_back({HostEvent::kCount, box, value});
  }
  void ProcessPendingEvents() override { events.push_back({HostEvent::kPending}); }
  void SortBegins() override { events.push_back({HostEvent::kBegins}); }
  void SortEnds() override { events.push_back({HostEvent::kEnds}); }

  int LastCount(CountBox box) const {
    for (auto e = events.rbegin(); e != events.rend(); ++e) {
      if (e->kind == HostEvent::kCount && e->box == box) return e->value;
    }
    return -1;
  }
  int Occurrences(HostEvent::Kind kind) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [kind](const HostEvent& e) { return e.kind == kind; }));
  }

  std::vector<HostEvent> events;

 private:
  int order_;
};

// The sort and marking pass exactly as the window originally ran it: whole
// rows copied through the swap row s and the pivot row s + 1, keys built
// afresh for every comparison, plain recursion. The fast implementation must
// leave the table and the host in the same state.
std::u16string ReferenceKey(const ResultTable& t, int row, int order) {
  std::u16string key = t.Cell(kColName, row) + t.Cell(kColFolder, row);
  return order == kOrderByExtension ? t.Cell(kColExt, row) + key : key;
}

void ReferenceQuickSort(ResultTable& t, int s, int lo, int hi, int order, EngineHost& host) {
  if (lo >= hi) return;
  const int mid = (lo + hi) / 2;
  t.CopyRow(mid, s + 1);
  t.CopyRow(lo, mid);
  int last = lo;
  const std::u16string pivot = ReferenceKey(t, s + 1, order);
  for (int i = lo + 1; i <= hi; ++i) {
    if (ReferenceKey(t, i, order) < pivot) {
      ++last;
      t.CopyRow(i, s);
      t.CopyRow(last, i);
      t.CopyRow(s, last);
    }
  }
  t.CopyRow(last, lo);
  t.CopyRow(s + 1, last);
  ReferenceQuickSort(t, s, lo, last - 1, order, host);
  ReferenceQuickSort(t, s, last + 1, hi, order, host);
  host.ShowCount(CountBox::Files, last);
  host.ProcessPendingEvents();
}

void ReferenceSortAndMark(ResultTable& t, Counters& counters, EngineHost& host) {
  host.SortBegins();
  t.SetRowCount(t.RowCount() + 1);
  const int a = t.RowCount() - 1;
  ReferenceQuickSort(t, a, 1, a - 1, host.CurrentSortOrder(), host);
  t.SetCell(kColNumber, 1, FormatNumber(1, 4));
  counters.SameCount = 0;
  for (int i = 2; i <= a - 1; ++i) {
    if (t.Cell(kColName, i) != t.Cell(kColName, i - 1)) {
      t.SetCell(kColCheck, i, u"");
    } else {
      const bool same = t.Cell(kColTime, i) + t.Cell(kColSize, i) ==
                        t.Cell(kColTime, i - 1) + t.Cell(kColSize, i - 1);
      t.SetCell(kColCheck, i, same ? u"Same" : u"Name");
      ++counters.SameCount;
      host.ShowCount(CountBox::Same, counters.SameCount);
      host.ProcessPendingEvents();
    }
    t.SetCell(kColNumber, i, FormatNumber(i, 4));
  }
  host.ShowCount(CountBox::Files, counters.FileCount);
  t.SetRowCount(t.RowCount() - 1);
  host.SortEnds();
}

struct FileRow {
  std::u16string name;
  std::u16string folder;
  std::u16string time = u"2024.05.01 09:30:00";
  std::u16string size = u"   100";
};

// A scanned table as the scan leaves it: numbered rows, empty marks, the
// extension cell filled, trailing blank row removed.
ResultTable MakeTable(const std::vector<FileRow>& files, int order) {
  ResultTable t(order == kOrderByExtension ? 7 : 6);
  t.SetRowCount(static_cast<int>(files.size()) + 1);
  for (size_t k = 0; k < files.size(); ++k) {
    const int row = static_cast<int>(k) + 1;
    t.SetCell(kColNumber, row, FormatNumber(row, 4));
    t.SetCell(kColName, row, files[k].name);
    t.SetCell(kColFolder, row, files[k].folder);
    t.SetCell(kColTime, row, files[k].time);
    t.SetCell(kColSize, row, files[k].size);
    t.SetCell(kColExt, row, ExtensionText(files[k].name));
  }
  return t;
}

std::string Describe(const ResultTable& t, int row) {
  std::string out = "row " + std::to_string(row) + ":";
  for (int c = 0; c < ResultTable::kStoredColumns; ++c) out += " [" + ToUtf8(t.Cell(c, row)) + "]";
  return out;
}

// Compares rows 0 to `rows` - 1 cell by cell and the host logs entry by
// entry, reporting the first difference of each.
void ExpectSameState(const ResultTable& got, const ResultTable& want, int rows,
                     const RecordingHost& gotHost, const RecordingHost& wantHost) {
  ASSERT_EQ(got.RowCount(), want.RowCount());
  for (int r = 0; r < rows; ++r) {
    if (got.RowCells(r) != want.RowCells(r)) {
      ADD_FAILURE() << "got  " << Describe(got, r) << "\nwant " << Describe(want, r);
      break;
    }
  }
  const auto& g = gotHost.events;
  const auto& w = wantHost.events;
  const auto diff = std::mismatch(g.begin(), g.end(), w.begin(), w.end());
  if (diff.first != g.end() || diff.second != w.end()) {
    ADD_FAILURE() << "host calls differ at call " << (diff.first - g.begin()) << " of " << g.size()
                  << "/" << w.size() << ": got "
                  << (diff.first != g.end() ? ::testing::PrintToString(*diff.first) : "end")
                  << ", want "
                  << (diff.second != w.end() ? ::testing::PrintToString(*diff.second) : "end");
  }
}

// Random tables that provoke every path of the sort and the marks: few
// distinct keys (long runs of equal keys), names that are prefixes of each
// other, name + folder pairs that make the same key ("a" + "bc", "ab" + "c"),
// case variants, kana, full-width letters and a surrogate pair, and time and
// size texts whose concatenations coincide ("t1" + "21", "t12" + "1").
std::vector<FileRow> RandomFiles(std::mt19937& rng, int count, int variety) {
  static const std::vector<std::u16string> names = {u"a",
                                                    u"ab",
                                                    u"abc",
                                                    u"b",
                                                    u"bc",
                                                    u"c",
                                                    u"ab.txt",
                                                    u"abc.txt",
                                                    u"Ab.TXT",
                                                    u"a.b",
                                                    u"a.bc",
                                                    u"README",
                                                    u"x.PPT",
                                                    u"x.ppt",
                                                    u"資料.xlsx",
                                                    u"しりょう.doc",
                                                    u"シリョウ.doc",
                                                    u"Ａ.txt",
                                                    u"\U00020BB7.txt",
                                                    u".profile",
                                                    u"a.tar.gz"};
  static const std::vector<std::u16string> folders = {u"",  u"a",   u"ab",  u"b",    u"bc",
                                                      u"c", u"x/y", u"txt", u"資料", u"z"};
  static const std::vector<std::u16string> times = {u"2024.05.01 09:30:00", u"2024.05.01 09:30:02",
                                                    u"t1", u"t12", u"t"};
  static const std::vector<std::u16string> sizes = {u"   100", u"  2048", u"21", u"1", u""};
  auto pick = [&rng](const std::vector<std::u16string>& pool, int limit) {
    const int n = std::min<int>(limit, static_cast<int>(pool.size()));
    return pool[std::uniform_int_distribution<int>(0, n - 1)(rng)];
  };
  std::vector<FileRow> files(count);
  for (FileRow& f : files) {
    f.name = pick(names, variety);
    f.folder = pick(folders, variety / 2 + 1);
    f.time = pick(times, variety / 3 + 2);
    f.size = pick(sizes, variety / 3 + 2);
  }
  return files;
}

// Leaves old numbers and marks in the rows, as after an earlier pass; they
// must travel with their rows and be rewritten where the pass writes.
void ScatterStaleCells(ResultTable& t, std::mt19937& rng) {
  static const char16_t* const marks[] = {u"", u"Name", u"Same"};
  for (int r = 1; r < t.RowCount(); ++r) {
    t.SetCell(kColNumber, r, FormatNumber(static_cast<int>(rng() % 1000), 4));
    t.SetCell(kColCheck, r, marks[rng() % 3]);
  }
}

void CheckAgainstReference(const std::vector<FileRow>& files, int order, std::mt19937& rng) {
  ResultTable fast = MakeTable(files, order);
  ScatterStaleCells(fast, rng);
  ResultTable slow = fast;
  Counters fastCounters{static_cast<int32_t>(files.size()), 3, 77};
  Counters slowCounters = fastCounters;
  RecordingHost fastHost(order), slowHost(order);

  SortAndMark(fast, fastCounters, fastHost);
  ReferenceSortAndMark(slow, slowCounters, slowHost);

  ExpectSameState(fast, slow, slow.RowCount(), fastHost, slowHost);
  EXPECT_EQ(fastCounters.SameCount, slowCounters.SameCount);
  EXPECT_EQ(fastCounters.FileCount, static_cast<int32_t>(files.size()));
  EXPECT_EQ(fast.RowCount(), std::max<int>(2, static_cast<int>(files.size()) + 1));
  EXPECT_EQ(fastHost.Occurrences(HostEvent::kBegins), 1);
  EXPECT_EQ(fastHost.Occurrences(HostEvent::kEnds), 1);
  EXPECT_EQ(fastHost.events.front().kind, HostEvent::kBegins);
  EXPECT_EQ(fastHost.events.back().kind, HostEvent::kEnds);
  EXPECT_EQ(fastHost.LastCount(CountBox::Files), fastCounters.FileCount);
}

TEST(SortAndMark, MatchesTheRowQuicksortOnRandomTables) {
  std::mt19937 rng(20240501);
  for (int order : {kOrderByName, kOrderByExtension}) {
    for (int count = 0; count <= 300; ++count) {
      for (int variety : {3, 8, 40}) {
        SCOPED_TRACE("order " + std::to_string(order) + ", rows " + std::to_string(count) +
                     ", variety " + std::to_string(variety));
        CheckAgainstReference(RandomFiles(rng, count, variety), order, rng);
        if (HasFailure()) return;
      }
    }
  }
}

TEST(SortAndMark, MatchesTheRowQuicksortOnLargeTables) {
  std::mt19937 rng(7);
  struct Big {
    int count;
    int variety;
  };
  for (const Big big : {Big{4000, 40}, Big{3000, 4}, Big{2500, 1}}) {
    for (int order : {kOrderByName, kOrderByExtension}) {
      SCOPED_TRACE("rows " + std::to_string(big.count) + ", variety " +
                   std::to_string(big.variety));
      CheckAgainstReference(RandomFiles(rng, big.count, big.variety), order, rng);
    }
  }
}

std::u16string KeyText(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%07d", v);
  return FromUtf8(buf);
}

TEST(SortAndMark, MatchesTheRowQuicksortOnUnbalancedPartitions) {
  std::mt19937 rng(3);
  for (const bool largest : {false, true}) {
    for (const int rows : {2, 3, 64, 65, 130, 1500}) {
      SCOPED_TRACE((largest ? "largest pivots, rows " : "smallest pivots, rows ") +
                   std::to_string(rows));
      const std::vector<int> value = PeelingKeys(rows, largest);
      std::vector<FileRow> files(rows);
      for (int r = 1; r <= rows; ++r) files[r - 1].name = KeyText(value[r]);
      CheckAgainstReference(files, kOrderByName, rng);
    }
  }
}

TEST(QuickSortRows, SortsOnlyTheGivenRangeLikeTheRowQuicksort) {
  std::mt19937 rng(99);
  for (int order : {kOrderByName, kOrderByExtension}) {
    for (int lo = 1; lo <= 4; ++lo) {
      for (int hi = lo - 1; hi <= lo + 70; hi += 3) {
        const int rows = hi + 3;
        ResultTable fast = MakeTable(RandomFiles(rng, rows, 12), order);
        ScatterStaleCells(fast, rng);
        ResultTable slow = fast;
        RecordingHost fastHost(order), slowHost(order);
        const int s = fast.RowCount();
        QuickSortRows(fast, s, lo, hi, order, fastHost);
        ReferenceQuickSort(slow, s, lo, hi, order, slowHost);
        SCOPED_TRACE("lo " + std::to_string(lo) + ", hi " + std::to_string(hi));
        // Rows outside lo..hi must be untouched; the scratch rows are the
        // reference's own business.
        ExpectSameState(fast, slow, s, fastHost, slowHost);
        if (HasFailure()) return;
      }
    }
  }
}

struct Expected {
  std::u16string name;
  std::u16string folder;
  std::u16string mark;
};

struct MarkCase {
  const char* what;
  int order;
  std::vector<FileRow> files;
  std::vector<Expected> rows;
  int sameCount;
};

TEST(SortAndMark, OrdersAndMarksTheDocumentedCases) {
  const std::u16string t1 = u"2024.05.01 09:30:00", t2 = u"2024.05.01 09:30:02";
  const std::vector<MarkCase> cases = {
      {"single row is numbered and unmarked",
       kOrderByName,
       {{u"a.txt", u""}},
       {{u"a.txt", u"", u""}},
       0},
      {"same name, time and size in two folders",
       kOrderByName,
       {{u"a.txt", u"y"}, {u"a.txt", u"x"}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Same"}},
       1},
      {"same name and time, other size",
       kOrderByName,
       {{u"a.txt", u"x", t1, u"   100"}, {u"a.txt", u"y", t1, u"   101"}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Name"}},
       1},
      {"same name and size, other time",
       kOrderByName,
       {{u"a.txt", u"y", t2}, {u"a.txt", u"x", t1}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Name"}},
       1},
      {"keys are joined without a separator",
       kOrderByName,
       {{u"ab", u"z"}, {u"abc", u""}, {u"ab", u""}},
       {{u"ab", u"", u""}, {u"abc", u"", u""}, {u"ab", u"z", u""}},
       0},
      {"names differing in case are different names",
       kOrderByName,
       {{u"report.TXT", u""}, {u"Report.txt", u""}},
       {{u"Report.txt", u"", u""}, {u"report.TXT", u"", u""}},
       0},
      {"a file without extension sorts by its name in extension order",
       kOrderByExtension,
       {{u"b.txt", u""}, {u"README", u""}, {u"a.ppt", u""}, {u"z.PPT", u""}},
       {{u"a.ppt", u"", u""}, {u"z.PPT", u"", u""}, {u"README", u"", u""}, {u"b.txt", u"", u""}},
       0},
      {"a run is marked against the row above, not the first of the run",
       kOrderByName,
       {{u"a.txt", u"f1", t1}, {u"a.txt", u"f2", t2}, {u"a.txt", u"f3", t1}, {u"a.txt", u"f4", t2}},
       {{u"a.txt", u"f1", u""},
        {u"a.txt", u"f2", u"Name"},
        {u"a.txt", u"f3", u"Name"},
        {u"a.txt", u"f4", u"Name"}},
       3},
      {"code units compare as unsigned 16-bit values",
       kOrderByName,
       {{u"ｱ.txt", u""}, {u"～.txt", u""}, {u"\U00020BB7.txt", u""}, {u"a.txt", u""}},
       {{u"a.txt", u"", u""},
        {u"\U00020BB7.txt", u"", u""},
        {u"～.txt", u"", u""},
        {u"ｱ.txt", u"", u""}},
       0},
      {"time and size compare as one joined text",
       kOrderByName,
       {{u"a", u"x", u"t1", u"21"}, {u"a", u"y", u"t12", u"1"}, {u"a", u"z", u"t12", u"2"}},
       {{u"a", u"x", u""}, {u"a", u"y", u"Same"}, {u"a", u"z", u"Name"}},
       2},
      {"equal joined keys of different names are not marked",
       kOrderByName,
       {{u"ab", u"c"}, {u"a", u"bc"}},
       {{u"ab", u"c", u""}, {u"a", u"bc", u""}},
       0},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.what);
    ResultTable t = MakeTable(c.files, c.order);
    Counters counters{static_cast<int32_t>(c.files.size()), 1, 0};
    RecordingHost host(c.order);
    SortAndMark(t, counters, host);
    ASSERT_EQ(t.RowCount(), static_cast<int>(c.rows.size()) + 1);
    for (size_t k = 0; k < c.rows.size(); ++k) {
      const int row = static_cast<int>(k) + 1;
      SCOPED_TRACE(Describe(t, row));
      EXPECT_EQ(t.Cell(kColNumber, row), FormatNumber(row, 4));
      EXPECT_EQ(t.Cell(kColName, row), c.rows[k].name);
      EXPECT_EQ(t.Cell(kColFolder, row), c.rows[k].folder);
      EXPECT_EQ(t.Cell(kColCheck, row), c.rows[k].mark);
    }
    EXPECT_EQ(counters.SameCount, c.sameCount);
    EXPECT_EQ(host.LastCount(CountBox::Same), c.sameCount == 0 ? -1 : c.sameCount);
  }
}

TEST(SortAndMark, EmptyResultNumbersItsBlankRow) {
  ResultTable t(6);
  Counters counters;
  RecordingHost host(kOrderByName);
  SortAndMark(t, counters, host);
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(kColNumber, 1), u"   1");
  for (int c = 1; c < ResultTable::kStoredColumns; ++c) EXPECT_EQ(t.Cell(c, 1), u"") << c;
  EXPECT_EQ(counters.SameCount, 0);
  const std::vector<HostEvent> want = {
      {HostEvent::kBegins}, {HostEvent::kCount, CountBox::Files, 0}, {HostEvent::kEnds}};
  EXPECT_EQ(host.events, want);
}

TEST(SortAndMark, ResortingInTheOtherOrderRemarksTheSameRows) {
  // Name order: a.b, a.bc, a.b (z): the two a.b rows are not neighbours.
  // Extension order: BC a.bc, B a.b, B a.b (z): they are.
  ResultTable upper = MakeTable({{u"a.bc", u""}, {u"a.b", u"z"}, {u"a.b", u""}}, kOrderByName);
  ResultTable lower(6);
  Counters counters{3, 1, 0};
  RecordingHost host(kOrderByName);

  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 0);

  host.SetOrder(kOrderByExtension);
  ApplyColumnLayout(kOrderByExtension, upper, lower, host);
  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 1);
  EXPECT_EQ(upper.Cell(kColName, 1), u"a.bc");
  EXPECT_EQ(upper.Cell(kColFolder, 3), u"z");
  EXPECT_EQ(upper.Cell(kColCheck, 3), u"Same");

  host.SetOrder(kOrderByName);
  ApplyColumnLayout(kOrderByName, upper, lower, host);
  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 0);
  for (int r = 1; r < upper.RowCount(); ++r) {
    EXPECT_EQ(upper.Cell(kColCheck, r), u"") << Describe(upper, r);
    EXPECT_EQ(upper.Cell(kColNumber, r), FormatNumber(r, 4));
  }
  EXPECT_EQ(upper.RowCount(), 4);
}

// Identical keys make every partition peel off one row: the middle row of
// the range becomes its first, and the range shrinks by one. 200,000 such
// partitions would overflow the call stack of a recursive sort.
TEST(SortAndMark, IdenticalKeysOfAVeryLargeTable) {
  constexpr int kRows = 200000;
  ResultTable t(6);
  t.SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r) {
    t.SetCell(kColName, r, u"同じ名前.txt");
    t.SetCell(kColFolder, r, u"フォルダ");
    t.SetCell(kColTime, r, u"2024.05.01 09:30:00");
    t.SetCell(kColSize, r, FormatNumber(r, 6));
  }
  std::vector<int> expected(kRows + 1);
  std::iota(expected.begin(), expected.end(), 0);
  for (int lo = 1; lo < kRows; ++lo) std::swap(expected[lo], expected[(lo + kRows) / 2]);

  Counters counters{kRows, 1, 0};
  RecordingHost host(kOrderByName);
  SortAndMark(t, counters, host);

  ASSERT_EQ(t.RowCount(), kRows + 1);
  int wrong = 0;
  for (int r = 1; r <= kRows && wrong < 5; ++r) {
    if (t.Cell(kColSize, r) != FormatNumber(expected[r], 6)) {
      ADD_FAILURE() << Describe(t, r) << ", want size " << expected[r];
      ++wrong;
    }
  }
  EXPECT_EQ(t.Cell(kColNumber, kRows), FormatNumber(kRows, 4));
  EXPECT_EQ(t.Cell(kColCheck, 1), u"");
  EXPECT_EQ(t.Cell(kColCheck, kRows), u"Name");
  EXPECT_EQ(counters.SameCount, kRows - 1);
  EXPECT_EQ(host.LastCount(CountBox::Files), kRows);
}

// 200,000 partitions that each peel off one row would overflow the call
// stack of a recursive sort.
TEST(QuickSortRows, UnbalancedPartitionsOfAVeryLargeTable) {
  constexpr int kRows = 200000;
  const std::vector<int> value = PeelingKeys(kRows, false);
  ResultTable t(6);
  t.SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r) t.SetCell(kColName, r, KeyText(value[r]));

  RecordingHost host(kOrderByName);
  QuickSortRows(t, kRows + 1, 1, kRows, kOrderByName, host);
  int wrong = 0;
  for (int r = 1; r <= kRows && wrong < 5; ++r) {
    if (t.Cell(kColName, r) != KeyText(r)) {
      ADD_FAILURE() << Describe(t, r);
      ++wrong;
    }
  }
  EXPECT_EQ(host.Occurrences(HostEvent::kCount), kRows - 1);
}

}  // namespace
}  // namespace tarnvik::core
