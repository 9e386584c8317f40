#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarnvik::base {

// One row of a result table: its cells, column 0 first.
using Row = std::vector<std::u16string>;

// A text that many rows hold at once; never changed once shared.
using SharedText = std::shared_ptr<const std::u16string>;

// A grid of UTF-16 text cells addressed as (column, row), both from 0.
// Row 0 is the header row and column 0 the number column.
//
// RowCount() is at least 2: a table without results has one blank data row.
// Producers append by writing the trailing blank row (index RowCount() - 1)
// and then growing RowCount() by one (AppendRow, AppendRowFrom), and drop
// the trailing blank row when they are done (DropTrailingBlankRow).
//
// Cells are kept when RowCount() or ColCount() shrinks, and a row may be
// written at any index at or beyond RowCount() and read back unchanged; such
// rows are never shown. Cells that were never written read as empty.
//
// Every row holds at least kStoredColumns cells whatever ColCount() is, so a
// row copied in the six-column layout still carries its extension cell.
//
// The cells of column kSharedColumn (the folder column) are held apart from
// the rows as shared texts: all files of one folder refer to one text, and
// copying or moving a row copies or moves the reference, so a deep tree costs
// its distinct folder texts once instead of once per file. Writing such a
// cell replaces the row's reference and never changes another row's text.
//
// Not thread-safe; the UI thread owns both tables.
class ResultTable {
 public:
  static constexpr int kStoredColumns = 7;
  static constexpr int kSharedColumn = 2;

  explicit ResultTable(int colCount = 6, int rowCount = 2);

  int RowCount() const { return rowCount_; }
  // Sets the number of rows; values below 2 become 2. Rows beyond the new
  // count keep their cells.
  void SetRowCount(int rows);

  int ColCount() const { return colCount_; }
  // Sets the number of columns (at least 1). Cells beyond it are kept.
  void SetColCount(int cols);

  // The text of a cell. Any non-negative address may be read; cells outside
  // what was ever written read as empty.
  const std::u16string& Cell(int col, int row) const;
  // Writes a cell. Any non-negative address may be written; the storage grows.
  void SetCell(int col, int row, std::u16string text);
  // Makes cell (kSharedColumn, row) refer to `text` (null reads as empty),
  // for producers that give many rows the same text.
  void SetSharedCell(int row, SharedText text);

  // Replaces every cell of row dst by the matching cell of row src.
  void CopyRow(int src, int dst);
  // The same, from a row of another table.
  void CopyRowFrom(const ResultTable& from, int src, int dst);

  // Appends a copy of row `src` of another table `from`: writes
  // it into the trailing blank row and grows RowCount() by one.
  void AppendRowFrom(const ResultTable& from, int src) {
    CopyRowFrom(from, src, rowCount_ - 1);
    SetRowCount(rowCount_ + 1);
  }
  // The trailing blank row, for a producer that writes a row cell by cell
  // before CommitAppendedRow() counts it.
  Row& AppendedRow() { return MutableRow(rowCount_ - 1); }
  void CommitAppendedRow() { SetRowCount(rowCount_ + 1); }
  // Ends a run of appends: drops the trailing blank row unless the table
  // has no other data row (an empty result keeps its one blank row).
  // Returns the number of result rows, 0 for an empty result.
  int DropTrailingBlankRow() {
    const int results = rowCount_ - 2;
    if (results > 0) SetRowCount(rowCount_ - 1);
    return results;
  }

  // Direct access to the cells of a row, for bulk producers (the scan). The
  // row is created when missing and has at least kStoredColumns cells. Its
  // cell kSharedColumn is not the table's: it is never read and stays empty;
  // that cell is written with SetCell or SetSharedCell.
  Row& MutableRow(int row);
  // A copy of a whole row, kSharedColumn included.
  Row RowCells(int row) const;

  // Hints that row `row` will soon be read or written: asks the processor to
  // fetch the row's cell array into its cache, and with `texts` also the
  // texts of the cells the array already holds (whose addresses are read
  // from the array, so ask for the array some rows earlier). Changes
  // nothing and never fails; rows that do not exist are ignored. Passes over
  // a sorted table, whose rows lie scattered in memory, use it to overlap
  // the waits for memory with their work.
  void PrefetchRow(int row, bool texts) const;

  // Moves rows [first, first + order.size()) so that position first + k
  // receives the row that was at order[k]. order must be a permutation of
  // that range. Moves, never copies, the cells.
  void PermuteRows(int first, const std::vector<int>& order);

  // Column widths in pixels; unset columns read as 0.
  int ColWidth(int col) const;
  void SetColWidth(int col, int pixels);

  // Point size of the table's font; the column widths follow it.
  int FontPointSize() const { return fontPointSize_; }
  void SetFontPointSize(int points) { fontPointSize_ = points; }

 private:
  void EnsureRow(int row);

  int colCount_;
  int rowCount_;
  int fontPointSize_ = 12;
  std::vector<Row> rows_;
  // Cell kSharedColumn of each row of rows_, same length.
  std::vector<SharedText> shared_;
  std::vector<int> widths_;
};

}  // namespace tarnvik::base
