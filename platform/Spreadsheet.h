#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::platform {

// A rectangular block of texts, row by row: rows x cols cells, the cell of
// row r and column c at index r * cols + c.
struct TextBlock {
  int rows = 0;
  int cols = 0;
  std::vector<std::u16string> cells;

  TextBlock() = default;
  TextBlock(int rowCount, int colCount)
      : rows(rowCount), cols(colCount), cells(static_cast<size_t>(rowCount) * colCount) {}

  std::u16string& At(int r, int c) { return cells[static_cast<size_t>(r) * cols + c]; }
  const std::u16string& At(int r, int c) const { return cells[static_cast<size_t>(r) * cols + c]; }
};

// Every failure of a spreadsheet call: the application cannot be reached or
// started, a call comes out of order, an address or argument is invalid, the
// workbook cannot be saved or shown.
class SpreadsheetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A spreadsheet application driven the way an automation client drives one:
// connect, make it visible, add a workbook, take the active workbook and its
// active sheet, then work on ranges of that sheet given by two A1-style
// addresses ("A1", "IV20001": column letters in either case, then the row
// number from 1), and finally disconnect, leaving the application with the
// new workbook to the user.
//
// Every call reports failure by throwing SpreadsheetError (and only that, or
// std::bad_alloc); a call that returns has done its work. The calls must come
// in the order above: a range call before ConnectActiveSheet, or anything but
// Connect before Connect, throws. After a failure the caller may drop the
// object; what the application received so far is the application's affair.
// Not thread-safe; one export at a time, from the thread that made the
// object.
class Spreadsheet {
 public:
  virtual ~Spreadsheet() = default;

  // Attaches to a running application, or starts one when none runs.
  virtual void Connect() = 0;
  // Shows (true) or hides the application to the user.
  virtual void SetVisible(bool visible) = 0;
  // Adds a new, empty workbook from no template; it becomes the active one.
  virtual void AddWorkbook() = 0;
  // Takes the active workbook as the one the following calls work on.
  virtual void ConnectActiveWorkbook() = 0;
  // Takes the active sheet of that workbook as the sheet of the range calls.
  virtual void ConnectActiveSheet() = 0;

  // Sets the values of the range from `first` to `last` (corners in any
  // order) to the texts of `values`, which must have exactly the range's
  // rows and columns. Every value is stored as text, as it stands: no
  // number, date or formula is read from it ("=1+1" and " 12" stay texts).
  virtual void SetRangeValue(std::u16string_view first, std::u16string_view last,
                             const TextBlock& values) = 0;
  // Sets the font of every cell of the range, filled or not, to `fontName`.
  virtual void SetRangeFontName(std::u16string_view first, std::u16string_view last,
                                std::u16string_view fontName) = 0;
  // Sets the width of every column the range touches to `characters`
  // characters, 0 to kMaxColumnWidth; any other width throws.
  virtual void SetRangeColumnWidth(std::u16string_view first, std::u16string_view last,
                                   int characters) = 0;

  // Detaches from the application, which keeps running with the workbook
  // open for the user. Throws when the workbook cannot be handed over.
  virtual void Disconnect() = 0;

  // The widest column a spreadsheet accepts, in characters.
  static constexpr int kMaxColumnWidth = 255;
};

}  // namespace tarnvik::platform
