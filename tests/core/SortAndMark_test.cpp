#include "core/SortAndMark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "tests/core/PeelingKeys.h"

namespace tarnvik::core {
namespace {

using base::FromUtf8;
using base::ToUtf8;
using sortcases::PeelingKeys;

// Everything the engine tells its host, in order.
struct HostEvent {
  enum Kind { kBegins, kEnds, kCount, kPending } kind;
  base::CountBox box = base::CountBox::Files;
  int value = 0;
  bool operator==(const HostEvent&) const = default;
};

std::ostream& operator<<(std::ostream& os, const HostEvent& e) {
  static const char* const kinds[] = {"SortBegins", "SortEnds", "ShowCount", "Pending"};
  os << kinds[e.kind];
  if (e.kind == HostEvent::kCount) os << "(" << static_cast<int>(e.box) << ", " << e.value << ")";
  return os;
}

class RecordingHost : public base::EngineHost {
 public:
  explicit RecordingHost(base::SortOrder order) : order_(order) {}
  void SetOrder(base::SortOrder order) { order_ = order; }
  base::SortOrder CurrentSortOrder() const override { return order_; }
  void ShowCount(base::CountBox box, int value) override {
    events.push_back({HostEvent::kCount, box, value});
  }
  void ProcessPendingEvents() override { events.push_back({HostEvent::kPending}); }
  void SortBegins() override { events.push_back({HostEvent::kBegins}); }
  void SortEnds() override { events.push_back({HostEvent::kEnds}); }

  int LastCount(base::CountBox box) const {
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
  base::SortOrder order_;
};

// The sort and marking pass exactly as the window originally ran it: whole
// rows copied through the swap row s and the pivot row s + 1, keys built
// afresh for every comparison, plain recursion. The fast implementation must
// leave the table and the host in the same state.
std::u16string ReferenceKey(const base::ResultTable& t, int row, base::SortOrder order) {
  std::u16string key = t.Cell(base::kColName, row) + t.Cell(base::kColFolder, row);
  return order == base::SortOrder::ByExtension ? t.Cell(base::kColExt, row) + key : key;
}

void ReferenceQuickSort(base::ResultTable& t, int s, int lo, int hi, base::SortOrder order,
                        base::EngineHost& host) {
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
  host.ShowCount(base::CountBox::Files, last);
  host.ProcessPendingEvents();
}

void ReferenceSortAndMark(base::ResultTable& t, base::Counters& counters, base::EngineHost& host) {
  host.SortBegins();
  t.SetRowCount(t.RowCount() + 1);
  const int a = t.RowCount() - 1;
  ReferenceQuickSort(t, a, 1, a - 1, host.CurrentSortOrder(), host);
  t.SetCell(base::kColNumber, 1, base::FormatNumber(1, 4));
  counters.SameCount = 0;
  for (int i = 2; i <= a - 1; ++i) {
    if (t.Cell(base::kColName, i) != t.Cell(base::kColName, i - 1)) {
      t.SetCell(base::kColCheck, i, u"");
    } else {
      const bool same = t.Cell(base::kColTime, i) + t.Cell(base::kColSize, i) ==
                        t.Cell(base::kColTime, i - 1) + t.Cell(base::kColSize, i - 1);
      t.SetCell(base::kColCheck, i, same ? u"Same" : u"Name");
      ++counters.SameCount;
      host.ShowCount(base::CountBox::Same, counters.SameCount);
      host.ProcessPendingEvents();
    }
    t.SetCell(base::kColNumber, i, base::FormatNumber(i, 4));
  }
  host.ShowCount(base::CountBox::Files, counters.FileCount);
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
base::ResultTable MakeTable(const std::vector<FileRow>& files, base::SortOrder order) {
  base::ResultTable t(order == base::SortOrder::ByExtension ? 7 : 6);
  t.SetRowCount(static_cast<int>(files.size()) + 1);
  for (size_t k = 0; k < files.size(); ++k) {
    const int row = static_cast<int>(k) + 1;
    t.SetCell(base::kColNumber, row, base::FormatNumber(row, 4));
    t.SetCell(base::kColName, row, files[k].name);
    t.SetCell(base::kColFolder, row, files[k].folder);
    t.SetCell(base::kColTime, row, files[k].time);
    t.SetCell(base::kColSize, row, files[k].size);
    t.SetCell(base::kColExt, row, base::ExtensionText(files[k].name));
  }
  return t;
}

std::string Describe(const base::ResultTable& t, int row) {
  std::string out = "row " + std::to_string(row) + ":";
  for (int c = 0; c < base::ResultTable::kStoredColumns; ++c)
    out += " [" + base::ToUtf8(t.Cell(c, row)) + "]";
  return out;
}

// Compares rows 0 to `rows` - 1 cell by cell and the host logs entry by
// entry, reporting the first difference of each.
void ExpectSameState(const base::ResultTable& got, const base::ResultTable& want, int rows,
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
void ScatterStaleCells(base::ResultTable& t, std::mt19937& rng) {
  static const char16_t* const marks[] = {u"", u"Name", u"Same"};
  for (int r = 1; r < t.RowCount(); ++r) {
    t.SetCell(base::kColNumber, r, base::FormatNumber(static_cast<int>(rng() % 1000), 4));
    t.SetCell(base::kColCheck, r, marks[rng() % 3]);
  }
}

void CheckAgainstReference(const std::vector<FileRow>& files, base::SortOrder order,
                           std::mt19937& rng) {
  base::ResultTable fast = MakeTable(files, order);
  ScatterStaleCells(fast, rng);
  base::ResultTable slow = fast;
  base::Counters fastCounters{static_cast<int32_t>(files.size()), 3, 77};
  base::Counters slowCounters = fastCounters;
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
  EXPECT_EQ(fastHost.LastCount(base::CountBox::Files), fastCounters.FileCount);
}

TEST(SortAndMark, MatchesTheRowQuicksortOnRandomTables) {
  std::mt19937 rng(20240501);
  for (base::SortOrder order : {base::SortOrder::ByName, base::SortOrder::ByExtension}) {
    for (int count = 0; count <= 300; ++count) {
      for (int variety : {3, 8, 40}) {
        SCOPED_TRACE("order " + std::to_string(static_cast<int>(order)) + ", rows " +
                     std::to_string(count) + ", variety " + std::to_string(variety));
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
    for (base::SortOrder order : {base::SortOrder::ByName, base::SortOrder::ByExtension}) {
      SCOPED_TRACE("rows " + std::to_string(big.count) + ", variety " +
                   std::to_string(big.variety));
      CheckAgainstReference(RandomFiles(rng, big.count, big.variety), order, rng);
    }
  }
}

std::u16string KeyText(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%07d", v);
  return base::FromUtf8(buf);
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
      CheckAgainstReference(files, base::SortOrder::ByName, rng);
    }
  }
}

TEST(QuickSortRows, SortsOnlyTheGivenRangeLikeTheRowQuicksort) {
  std::mt19937 rng(99);
  for (base::SortOrder order : {base::SortOrder::ByName, base::SortOrder::ByExtension}) {
    for (int lo = 1; lo <= 4; ++lo) {
      for (int hi = lo - 1; hi <= lo + 70; hi += 3) {
        const int rows = hi + 3;
        base::ResultTable fast = MakeTable(RandomFiles(rng, rows, 12), order);
        ScatterStaleCells(fast, rng);
        base::ResultTable slow = fast;
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
  base::SortOrder order;
  std::vector<FileRow> files;
  std::vector<Expected> rows;
  int sameCount;
};

TEST(SortAndMark, OrdersAndMarksTheDocumentedCases) {
  const std::u16string t1 = u"2024.05.01 09:30:00", t2 = u"2024.05.01 09:30:02";
  const std::vector<MarkCase> cases = {
      {"single row is numbered and unmarked",
       base::SortOrder::ByName,
       {{u"a.txt", u""}},
       {{u"a.txt", u"", u""}},
       0},
      {"same name, time and size in two folders",
       base::SortOrder::ByName,
       {{u"a.txt", u"y"}, {u"a.txt", u"x"}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Same"}},
       1},
      {"same name and time, other size",
       base::SortOrder::ByName,
       {{u"a.txt", u"x", t1, u"   100"}, {u"a.txt", u"y", t1, u"   101"}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Name"}},
       1},
      {"same name and size, other time",
       base::SortOrder::ByName,
       {{u"a.txt", u"y", t2}, {u"a.txt", u"x", t1}},
       {{u"a.txt", u"x", u""}, {u"a.txt", u"y", u"Name"}},
       1},
      {"keys are joined without a separator",
       base::SortOrder::ByName,
       {{u"ab", u"z"}, {u"abc", u""}, {u"ab", u""}},
       {{u"ab", u"", u""}, {u"abc", u"", u""}, {u"ab", u"z", u""}},
       0},
      {"names differing in case are different names",
       base::SortOrder::ByName,
       {{u"report.TXT", u""}, {u"Report.txt", u""}},
       {{u"Report.txt", u"", u""}, {u"report.TXT", u"", u""}},
       0},
      {"a file without extension sorts by its name in extension order",
       base::SortOrder::ByExtension,
       {{u"b.txt", u""}, {u"README", u""}, {u"a.ppt", u""}, {u"z.PPT", u""}},
       {{u"a.ppt", u"", u""}, {u"z.PPT", u"", u""}, {u"README", u"", u""}, {u"b.txt", u"", u""}},
       0},
      {"a run is marked against the row above, not the first of the run",
       base::SortOrder::ByName,
       {{u"a.txt", u"f1", t1}, {u"a.txt", u"f2", t2}, {u"a.txt", u"f3", t1}, {u"a.txt", u"f4", t2}},
       {{u"a.txt", u"f1", u""},
        {u"a.txt", u"f2", u"Name"},
        {u"a.txt", u"f3", u"Name"},
        {u"a.txt", u"f4", u"Name"}},
       3},
      {"code units compare as unsigned 16-bit values",
       base::SortOrder::ByName,
       {{u"ｱ.txt", u""}, {u"～.txt", u""}, {u"\U00020BB7.txt", u""}, {u"a.txt", u""}},
       {{u"a.txt", u"", u""},
        {u"\U00020BB7.txt", u"", u""},
        {u"～.txt", u"", u""},
        {u"ｱ.txt", u"", u""}},
       0},
      {"time and size compare as one joined text",
       base::SortOrder::ByName,
       {{u"a", u"x", u"t1", u"21"}, {u"a", u"y", u"t12", u"1"}, {u"a", u"z", u"t12", u"2"}},
       {{u"a", u"x", u""}, {u"a", u"y", u"Same"}, {u"a", u"z", u"Name"}},
       2},
      {"equal joined keys of different names are not marked",
       base::SortOrder::ByName,
       {{u"ab", u"c"}, {u"a", u"bc"}},
       {{u"ab", u"c", u""}, {u"a", u"bc", u""}},
       0},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.what);
    base::ResultTable t = MakeTable(c.files, c.order);
    base::Counters counters{static_cast<int32_t>(c.files.size()), 1, 0};
    RecordingHost host(c.order);
    SortAndMark(t, counters, host);
    ASSERT_EQ(t.RowCount(), static_cast<int>(c.rows.size()) + 1);
    for (size_t k = 0; k < c.rows.size(); ++k) {
      const int row = static_cast<int>(k) + 1;
      SCOPED_TRACE(Describe(t, row));
      EXPECT_EQ(t.Cell(base::kColNumber, row), base::FormatNumber(row, 4));
      EXPECT_EQ(t.Cell(base::kColName, row), c.rows[k].name);
      EXPECT_EQ(t.Cell(base::kColFolder, row), c.rows[k].folder);
      EXPECT_EQ(t.Cell(base::kColCheck, row), c.rows[k].mark);
    }
    EXPECT_EQ(counters.SameCount, c.sameCount);
    EXPECT_EQ(host.LastCount(base::CountBox::Same), c.sameCount == 0 ? -1 : c.sameCount);
  }
}

TEST(SortAndMark, EmptyResultNumbersItsBlankRow) {
  base::ResultTable t(6);
  base::Counters counters;
  RecordingHost host(base::SortOrder::ByName);
  SortAndMark(t, counters, host);
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(base::kColNumber, 1), u"   1");
  for (int c = 1; c < base::ResultTable::kStoredColumns; ++c) EXPECT_EQ(t.Cell(c, 1), u"") << c;
  EXPECT_EQ(counters.SameCount, 0);
  const std::vector<HostEvent> want = {
      {HostEvent::kBegins}, {HostEvent::kCount, base::CountBox::Files, 0}, {HostEvent::kEnds}};
  EXPECT_EQ(host.events, want);
}

TEST(SortAndMark, ResortingInTheOtherOrderRemarksTheSameRows) {
  // Name order: a.b, a.bc, a.b (z): the two a.b rows are not neighbours.
  // Extension order: BC a.bc, B a.b, B a.b (z): they are.
  base::ResultTable upper =
      MakeTable({{u"a.bc", u""}, {u"a.b", u"z"}, {u"a.b", u""}}, base::SortOrder::ByName);
  base::ResultTable lower(6);
  base::Counters counters{3, 1, 0};
  RecordingHost host(base::SortOrder::ByName);

  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 0);

  host.SetOrder(base::SortOrder::ByExtension);
  ApplyColumnLayout(base::SortOrder::ByExtension, upper, lower, host);
  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 1);
  EXPECT_EQ(upper.Cell(base::kColName, 1), u"a.bc");
  EXPECT_EQ(upper.Cell(base::kColFolder, 3), u"z");
  EXPECT_EQ(upper.Cell(base::kColCheck, 3), u"Same");

  host.SetOrder(base::SortOrder::ByName);
  ApplyColumnLayout(base::SortOrder::ByName, upper, lower, host);
  SortAndMark(upper, counters, host);
  EXPECT_EQ(counters.SameCount, 0);
  for (int r = 1; r < upper.RowCount(); ++r) {
    EXPECT_EQ(upper.Cell(base::kColCheck, r), u"") << Describe(upper, r);
    EXPECT_EQ(upper.Cell(base::kColNumber, r), base::FormatNumber(r, 4));
  }
  EXPECT_EQ(upper.RowCount(), 4);
}

// Identical keys make every partition peel off one row: the middle row of
// the range becomes its first, and the range shrinks by one. 200,000 such
// partitions would overflow the call stack of a recursive sort.
TEST(SortAndMark, IdenticalKeysOfAVeryLargeTable) {
  constexpr int kRows = 200000;
  base::ResultTable t(6);
  t.SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r) {
    t.SetCell(base::kColName, r, u"同じ名前.txt");
    t.SetCell(base::kColFolder, r, u"フォルダ");
    t.SetCell(base::kColTime, r, u"2024.05.01 09:30:00");
    t.SetCell(base::kColSize, r, base::FormatNumber(r, 6));
  }
  std::vector<int> expected(kRows + 1);
  std::iota(expected.begin(), expected.end(), 0);
  for (int lo = 1; lo < kRows; ++lo) std::swap(expected[lo], expected[(lo + kRows) / 2]);

  base::Counters counters{kRows, 1, 0};
  RecordingHost host(base::SortOrder::ByName);
  SortAndMark(t, counters, host);

  ASSERT_EQ(t.RowCount(), kRows + 1);
  int wrong = 0;
  for (int r = 1; r <= kRows && wrong < 5; ++r) {
    if (t.Cell(base::kColSize, r) != base::FormatNumber(expected[r], 6)) {
      ADD_FAILURE() << Describe(t, r) << ", want size " << expected[r];
      ++wrong;
    }
  }
  EXPECT_EQ(t.Cell(base::kColNumber, kRows), base::FormatNumber(kRows, 4));
  EXPECT_EQ(t.Cell(base::kColCheck, 1), u"");
  EXPECT_EQ(t.Cell(base::kColCheck, kRows), u"Name");
  EXPECT_EQ(counters.SameCount, kRows - 1);
  EXPECT_EQ(host.LastCount(base::CountBox::Files), kRows);
}

// 200,000 partitions that each peel off one row would overflow the call
// stack of a recursive sort.
TEST(QuickSortRows, UnbalancedPartitionsOfAVeryLargeTable) {
  constexpr int kRows = 200000;
  const std::vector<int> value = PeelingKeys(kRows, false);
  base::ResultTable t(6);
  t.SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r) t.SetCell(base::kColName, r, KeyText(value[r]));

  RecordingHost host(base::SortOrder::ByName);
  QuickSortRows(t, kRows + 1, 1, kRows, base::SortOrder::ByName, host);
  int wrong = 0;
  for (int r = 1; r <= kRows && wrong < 5; ++r) {
    if (t.Cell(base::kColName, r) != KeyText(r)) {
      ADD_FAILURE() << Describe(t, r);
      ++wrong;
    }
  }
  EXPECT_EQ(host.Occurrences(HostEvent::kCount), kRows - 1);
}

}  // namespace
}  // namespace tarnvik::core
