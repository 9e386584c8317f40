#include "core/SortAndMark.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ColumnLayout.h"

namespace tarnvik::core {

namespace {

// The sort key of a row is the concatenation of up to three cells, compared
// code unit by code unit as unsigned 16-bit values, a prefix before the
// longer text. Ranking reads the keys in place instead of building them: on a
// full search the key texts would take megabytes of small allocations, more
// than the rest of the sort together.
struct KeyParts {
  const char16_t* text[3];
  size_t size[3];
  int count;
};

KeyParts PartsOf(const base::ResultTable& table, int row, base::SortOrder order) {
  KeyParts parts{};
  const auto add = [&parts](const std::u16string& cell) {
    if (cell.empty()) return;
    parts.text[parts.count] = cell.data();
    parts.size[parts.count] = cell.size();
    ++parts.count;
  };
  if (order == base::SortOrder::ByExtension) add(table.Cell(base::kColExt, row));
  add(table.Cell(base::kColName, row));
  add(table.Cell(base::kColFolder, row));
  return parts;
}

// Eight code units of a key from `offset` on, zero-padded, packed so that
// comparing (high, low, filled) as unsigned integers orders like the keys'
// texts from that offset on, as far as those eight units decide: equal
// packed units and fewer than eight filled mean the keys end there alike;
// eight filled leave the order to the next eight units.
struct Entry {
  uint64_t high;
  uint64_t low;
  int32_t item;
  int32_t filled;
};

constexpr int kWindow = 8;

void FillWindow(const KeyParts& parts, size_t offset, Entry& entry) {
  uint64_t units[kWindow] = {};
  int k = 0;
  for (int p = 0; p < parts.count && k < kWindow; ++p) {
    const size_t size = parts.size[p];
    if (offset >= size) {
      offset -= size;
      continue;
    }
    const char16_t* text = parts.text[p] + offset;
    const size_t take = std::min<size_t>(size - offset, static_cast<size_t>(kWindow - k));
    for (size_t i = 0; i < take; ++i) units[k++] = text[i];
    offset = 0;
  }
  entry.high = units[0] << 48 | units[1] << 32 | units[2] << 16 | units[3];
  entry.low = units[4] << 48 | units[5] << 32 | units[6] << 16 | units[7];
  entry.filled = k;
}

// Where the unit at `offset` of the key is stored, or the key's start when
// the key is shorter.
const char16_t* UnitAt(const KeyParts& parts, size_t offset) {
  for (int p = 0; p < parts.count; ++p) {
    if (offset < parts.size[p]) return parts.text[p] + offset;
    offset -= parts.size[p];
  }
  return parts.text[0];
}

bool WindowBefore(const Entry& a, const Entry& b) {
  if (a.high != b.high) return a.high < b.high;
  if (a.low != b.low) return a.low < b.low;
  return a.filled < b.filled;
}

bool SameWindow(const Entry& a, const Entry& b) {
  return a.high == b.high && a.low == b.low && a.filled == b.filled;
}

// Equal keys share a rank and rank order is key order, so every comparison of
// the partition below takes the branch the key comparison would have taken.
//
// The keys are sorted eight code units at a time: all of them by their first
// eight, then each group that agrees on those by the next eight, and so on.
// Every step compares integers held in the entries, and the texts are read
// once per step in one sweep over a group rather than on every comparison,
// which would wait on the memory of two rows each time.
std::vector<int32_t> RankKeys(const base::ResultTable& table, int lo, int hi,
                              base::SortOrder order) {
  const int n = hi - lo + 1;
  std::vector<KeyParts> parts(n);
  std::vector<Entry> entries(n);
  constexpr int kArraysAhead = 8;
  constexpr int kTextsAhead = 4;
  for (int k = 0; k < n; ++k) {
    table.PrefetchRow(lo + k + kArraysAhead, false);
    table.PrefetchRow(lo + k + kTextsAhead, true);
    parts[k] = PartsOf(table, lo + k, order);
    entries[k].item = k;
    FillWindow(parts[k], 0, entries[k]);
  }
  // sameAsPrevious[k]: the entry at position k has the key of the one before.
  std::vector<uint8_t> sameAsPrevious(n, 0);
  struct Group {
    int begin;
    int end;
    size_t offset;
  };
  std::vector<Group> groups{{0, n, 0}};
  while (!groups.empty()) {
    const Group group = groups.back();
    groups.pop_back();
    Entry* const first = entries.data() + group.begin;
    Entry* const last = entries.data() + group.end;
    if (group.offset > 0) {
      // The entries of a group come from rows all over the table.
      for (Entry* e = first; e != last; ++e) {
        if (last - e > kArraysAhead) __builtin_prefetch(&parts[e[kArraysAhead].item]);
        if (last - e > kTextsAhead) {
          __builtin_prefetch(UnitAt(parts[e[kTextsAhead].item], group.offset));
        }
        FillWindow(parts[e->item], group.offset, *e);
      }
    }
    std::sort(first, last, WindowBefore);
    for (int k = group.begin; k < group.end;) {
      int j = k + 1;
      while (j < group.end && SameWindow(entries[j], entries[k])) ++j;
      if (j - k > 1) {
        if (entries[k].filled == kWindow) {
          groups.push_back({k, j, group.offset + kWindow});
        } else {
          std::fill(sameAsPrevious.begin() + k + 1, sameAsPrevious.begin() + j, 1);
        }
      }
      k = j;
    }
  }
  std::vector<int32_t> rank(n);
  int32_t next = 0;
  for (int k = 0; k < n; ++k) {
    if (k > 0 && !sameAsPrevious[k]) ++next;
    rank[entries[k].item] = next;
  }
  return rank;
}

// The row quicksort with the middle element as pivot, run on ranks and item
// numbers instead of table rows: every step moves the same entries the row
// copies would, so the final arrangement of items is the arrangement of rows.
//
// Its worst case (all keys equal, or a pivot that is always the smallest of
// its range) peels one element per partition and scans the whole rest for
// entries below the pivot, finding none. A lower bound on the ranks of each
// block of 64 positions lets the scan step over such blocks at once. Every
// write lowers the bound where needed, and a block that was scanned entry by
// entry gets its exact minimum back, so a bound never exceeds the true
// minimum and a block whose bound is not below the pivot holds no entry that
// the scan would have moved. The mirror case (a pivot that is always the
// largest) finds every entry below the pivot while nothing has yet been left
// behind, so each would be exchanged with itself: whole blocks of that kind
// are checked at once and passed over too.
class RankQuickSort {
 public:
  explicit RankQuickSort(std::vector<int32_t> ranks)
      : rank_(std::move(ranks)),
        item_(rank_.size()),
        blockMin_((rank_.size() + kBlockSize - 1) / kBlockSize) {
    std::iota(item_.begin(), item_.end(), 0);
    for (size_t b = 0; b < blockMin_.size(); ++b) Tighten(static_cast<int>(b));
  }

  // Partitions positions lo..hi (lo < hi) around the entry at their middle
  // and returns the pivot's final position.
  int Partition(int lo, int hi) {
    const int mid = (lo + hi) / 2;
    const int32_t pivotRank = rank_[mid];
    const int32_t pivotItem = item_[mid];
    Put(mid, rank_[lo], item_[lo]);
    int last = lo;
    int i = lo + 1;
    while (i <= hi) {
      int block = i >> kBlockShift;
      const int lastBlock = hi >> kBlockShift;
      while (block <= lastBlock && blockMin_[block] >= pivotRank) ++block;
      if (block > lastBlock) break;
      i = std::max(i, block << kBlockShift);
      const int end = std::min(hi, ((block + 1) << kBlockShift) - 1);
      if (last == i - 1 && AllBelow(i, end, pivotRank)) {
        // Each entry would be exchanged with itself.
        last = end;
        i = end + 1;
        continue;
      }
      for (; i <= end; ++i) {
        if (rank_[i] < pivotRank) {
          ++last;
          if (last != i) Swap(i, last);
        }
      }
      Tighten(block);
    }
    Put(lo, rank_[last], item_[last]);
    Put(last, pivotRank, pivotItem);
    return last;
  }

  // The item (input position) now at each position.
  const std::vector<int32_t>& Items() const { return item_; }

 private:
  static constexpr int kBlockShift = 6;
  static constexpr int kBlockSize = 1 << kBlockShift;

  void Put(int p, int32_t rank, int32_t item) {
    rank_[p] = rank;
    item_[p] = item;
    int32_t& bound = blockMin_[p >> kBlockShift];
    bound = std::min(bound, rank);
  }

  void Swap(int p, int q) {
    const int32_t rank = rank_[p];
    const int32_t item = item_[p];
    Put(p, rank_[q], item_[q]);
    Put(q, rank, item);
  }

  // The loops over whole blocks have a fixed count so that the compiler
  // turns them into vector code.
  bool AllBelow(int from, int to, int32_t pivotRank) const {
    const int32_t* p = rank_.data() + from;
    const int count = to - from + 1;
    int notBelow = 0;
    if (count == kBlockSize) {
      for (int k = 0; k < kBlockSize; ++k) notBelow |= p[k] >= pivotRank;
    } else {
      for (int k = 0; k < count; ++k) notBelow |= p[k] >= pivotRank;
    }
    return notBelow == 0;
  }

  void Tighten(int block) {
    const int begin = block << kBlockShift;
    const int32_t* p = rank_.data() + begin;
    const int count = std::min(static_cast<int>(rank_.size()) - begin, kBlockSize);
    int32_t low = std::numeric_limits<int32_t>::max();
    if (count == kBlockSize) {
      for (int k = 0; k < kBlockSize; ++k) low = std::min(low, p[k]);
    } else {
      for (int k = 0; k < count; ++k) low = std::min(low, p[k]);
    }
    blockMin_[block] = low;
  }

  std::vector<int32_t> rank_;
  std::vector<int32_t> item_;
  std::vector<int32_t> blockMin_;
};

// a1 + a2 == b1 + b2, without building either text.
bool ConcatEquals(std::u16string_view a1, std::u16string_view a2, std::u16string_view b1,
                  std::u16string_view b2) {
  if (a1.size() + a2.size() != b1.size() + b2.size()) return false;
  if (a1.size() > b1.size()) {
    std::swap(a1, b1);
    std::swap(a2, b2);
  }
  // a2 starts inside b1: its first k units line up with the tail of b1.
  const size_t k = b1.size() - a1.size();
  return b1.substr(0, a1.size()) == a1 && a2.substr(0, k) == b1.substr(a1.size()) &&
         a2.substr(k) == b2;
}

}  // namespace

void QuickSortRows(base::ResultTable& table, int /*s*/, int lo, int hi, base::SortOrder order,
                   base::EngineHost& host) {
  if (lo < 0 || lo >= hi) return;
  const int n = hi - lo + 1;

  RankQuickSort sorter(RankKeys(table, lo, hi, order));

  // An explicit stack instead of recursion keeps the call stack flat however
  // unbalanced the partitions are. Each partition's position is reported after
  // both of its sides are sorted, in the order the recursive sort reports them.
  struct Task {
    int lo;
    int hi;  // -1: report lo as a finished partition
  };
  std::vector<Task> tasks{{0, n - 1}};
  while (!tasks.empty()) {
    const Task task = tasks.back();
    tasks.pop_back();
    if (task.hi < 0) {
      host.ShowCount(base::CountBox::Files, lo + task.lo);
      host.ProcessPendingEvents();
      continue;
    }
    const int last = sorter.Partition(task.lo, task.hi);
    tasks.push_back({last, -1});
    if (last + 1 < task.hi) tasks.push_back({last + 1, task.hi});
    if (task.lo < last - 1) tasks.push_back({task.lo, last - 1});
  }

  std::vector<int> rows(n);
  const std::vector<int32_t>& items = sorter.Items();
  for (int k = 0; k < n; ++k) rows[k] = lo + items[k];
  table.PermuteRows(lo, rows);
}

void SortAndMark(base::ResultTable& table, base::Counters& counters, base::EngineHost& host) {
  host.SortBegins();
  table.SetRowCount(table.RowCount() + 1);
  const int swapRow = table.RowCount() - 1;
  QuickSortRows(table, swapRow, 1, swapRow - 1, host.CurrentSortOrder(), host);

  table.SetCell(base::kColNumber, 1, base::FormatNumber(1, 4));
  counters.SameCount = 0;
  // The sorted rows lie scattered in memory; see PrefetchRow. Worth about a
  // fifth of the pass (bench/README.md).
  constexpr int kArraysAhead = 8;
  constexpr int kTextsAhead = 4;
  for (int i = 2; i < swapRow; ++i) {
    table.PrefetchRow(i + kArraysAhead, false);
    table.PrefetchRow(i + kTextsAhead, true);
    if (table.Cell(base::kColName, i) != table.Cell(base::kColName, i - 1)) {
      table.SetCell(base::kColCheck, i, {});
    } else {
      const bool same =
          ConcatEquals(table.Cell(base::kColTime, i), table.Cell(base::kColSize, i),
                       table.Cell(base::kColTime, i - 1), table.Cell(base::kColSize, i - 1));
      table.SetCell(base::kColCheck, i, same ? base::kMarkSame : base::kMarkName);
      ++counters.SameCount;
      host.ShowCount(base::CountBox::Same, counters.SameCount);
      host.ProcessPendingEvents();
    }
    table.SetCell(base::kColNumber, i, base::FormatNumber(i, 4));
  }

  host.ShowCount(base::CountBox::Files, counters.FileCount);
  table.SetRowCount(table.RowCount() - 1);
  host.SortEnds();
}

}  // namespace tarnvik::core
