#include "base/ResultTable.h"

#include <algorithm>
#include <utility>

#include "base/Columns.h"

namespace tarnvik::base {

static_assert(kColFolder == ResultTable::kSharedColumn,
              "the files of one folder share their folder cell");

namespace {
const std::u16string kEmpty;
}  // namespace

ResultTable::ResultTable(int colCount, int rowCount)
    : colCount_(std::max(1, colCount)), rowCount_(std::max(2, rowCount)) {
  EnsureRow(rowCount_);
}

void ResultTable::SetRowCount(int rows) {
  rowCount_ = std::max(2, rows);
  // Keep one spare row beyond the shown ones so appending never reallocates
  // in the middle of a producer's write.
  EnsureRow(rowCount_);
}

void ResultTable::SetColCount(int cols) { colCount_ = std::max(1, cols); }

const std::u16string& ResultTable::Cell(int col, int row) const {
  if (row < 0 || col < 0 || row >= static_cast<int>(rows_.size())) return kEmpty;
  if (col == kSharedColumn) {
    const SharedText& text = shared_[row];
    return text ? *text : kEmpty;
  }
  const Row& r = rows_[row];
  if (col >= static_cast<int>(r.size())) return kEmpty;
  return r[col];
}

void ResultTable::SetCell(int col, int row, std::u16string text) {
  if (row < 0 || col < 0) return;
  if (col == kSharedColumn) {
    SetSharedCell(row,
                  text.empty() ? nullptr : std::make_shared<const std::u16string>(std::move(text)));
    return;
  }
  Row& r = MutableRow(row);
  if (col >= static_cast<int>(r.size())) r.resize(col + 1);
  r[col] = std::move(text);
}

void ResultTable::CopyRow(int src, int dst) {
  if (src == dst || src < 0 || dst < 0) return;
  EnsureRow(std::max(src, dst));
  rows_[dst] = rows_[src];
  shared_[dst] = shared_[src];
}

void ResultTable::CopyRowFrom(const ResultTable& from, int src, int dst) {
  if (&from == this) {
    CopyRow(src, dst);
    return;
  }
  if (dst < 0) return;
  EnsureRow(dst);
  if (src < 0 || src >= static_cast<int>(from.rows_.size())) {
    rows_[dst].assign(kStoredColumns, std::u16string());
    shared_[dst].reset();
    return;
  }
  rows_[dst] = from.rows_[src];
  if (rows_[dst].size() < kStoredColumns) rows_[dst].resize(kStoredColumns);
  shared_[dst] = from.shared_[src];
}

void ResultTable::SetSharedCell(int row, SharedText text) {
  if (row < 0) return;
  EnsureRow(row);
  shared_[row] = std::move(text);
}

Row& ResultTable::MutableRow(int row) {
  EnsureRow(row);
  return rows_[row];
}

Row ResultTable::RowCells(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return Row(kStoredColumns);
  Row cells = rows_[row];
  cells[kSharedColumn] = Cell(kSharedColumn, row);
  return cells;
}

void ResultTable::PrefetchRow(int row, bool texts) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  constexpr size_t kLine = 64;
  const Row& r = rows_[row];
  if (!texts) {
    const char* cells = reinterpret_cast<const char*>(r.data());
    for (size_t at = 0; at < r.size() * sizeof(std::u16string); at += kLine) {
      __builtin_prefetch(cells + at);
    }
    __builtin_prefetch(shared_[row].get());
    return;
  }
  for (const std::u16string& cell : r) {
    const char* text = reinterpret_cast<const char*>(cell.data());
    for (size_t at = 0; at < cell.size() * sizeof(char16_t); at += kLine) {
      __builtin_prefetch(text + at);
    }
  }
  // A shared text is read by many rows and mostly in the cache already; its
  // start is enough (a deep folder's text may be hundreds of kilobytes).
  if (shared_[row]) __builtin_prefetch(shared_[row]->data());
}

void ResultTable::PermuteRows(int first, const std::vector<int>& order) {
  if (order.empty()) return;
  EnsureRow(first + static_cast<int>(order.size()) - 1);
  // Cycle by cycle in place: a copy of the moved rows would be as large as
  // the row list itself.
  std::vector<bool> placed(order.size(), false);
  for (size_t start = 0; start < order.size(); ++start) {
    if (placed[start]) continue;
    Row held = std::move(rows_[first + start]);
    SharedText heldShared = std::move(shared_[first + start]);
    size_t at = start;
    for (;;) {
      placed[at] = true;
      const size_t from = static_cast<size_t>(order[at] - first);
      if (from == start) break;
      rows_[first + at] = std::move(rows_[first + from]);
      shared_[first + at] = std::move(shared_[first + from]);
      at = from;
    }
    rows_[first + at] = std::move(held);
    shared_[first + at] = std::move(heldShared);
  }
}

int ResultTable::ColWidth(int col) const {
  if (col < 0 || col >= static_cast<int>(widths_.size())) return 0;
  return widths_[col];
}

void ResultTable::SetColWidth(int col, int pixels) {
  if (col < 0) return;
  if (col >= static_cast<int>(widths_.size())) widths_.resize(col + 1, 0);
  widths_[col] = pixels;
}

void ResultTable::EnsureRow(int row) {
  if (row < static_cast<int>(rows_.size())) return;
  if (rows_.capacity() <= static_cast<size_t>(row)) {
    rows_.reserve(std::max<size_t>(row + 1, rows_.capacity() * 2));
    shared_.reserve(rows_.capacity());
  }
  while (static_cast<int>(rows_.size()) <= row) rows_.emplace_back(kStoredColumns);
  shared_.resize(rows_.size());
}

}  // namespace tarnvik::base
