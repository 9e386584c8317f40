#pragma once

#include <string>
#include <string_view>

#include "base/EngineHost.h"
#include "base/Fonts.h"
#include "base/ResultTable.h"
#include "platform/Spreadsheet.h"

namespace tarnvik::lib {

// The message shown when an export fails.
inline constexpr std::u16string_view kExcelFailedMessage = u"Ｅｘｃｅｌ変換処理に失敗しました！！";

// The font of the exported area.
inline constexpr std::u16string_view kExcelFontName = base::kGothicFont;

// The most table columns an export takes (sheet columns A to IV).
inline constexpr int kExcelMaxColumns = 256;

// The longest text a spreadsheet cell holds, in UTF-16 code units.
inline constexpr size_t kExcelMaxCellLength = 32767;

// `text` cut to kExcelMaxCellLength code units, one less when the cut would
// fall between the two halves of a surrogate pair; shorter texts are
// returned whole.
std::u16string_view CellTextForSheet(std::u16string_view text);

// The A1-style address of sheet column `col` (from 1) and row `row` (from 1):
// the column letters "A" to "Z" for 1 to 26, two letters from 27 on ("AA" for
// 27, "AZ" for 52, "BA" for 53, "IV" for 256) and three from 703 on, then the
// row number in decimal. A column below 1 gives the row number alone, which
// no spreadsheet takes as an address.
std::u16string CellAddress(int col, int row);

// Writes the header row and then each column of `table` to the active sheet
// of `sheet`: with n = min(ColCount - 1, 256), one block of the n header
// texts (table columns 1 to n of row 0) into the row rowOffset + 1 from
// column colOffset + 1, then for each table column j from 1 to n one block
// of its RowCount - 1 data texts into column colOffset + j from row
// rowOffset + 2. Data texts are written as the grids show them
// (DisplayText: a CP932 file name by its decoded text, not by stand-ins for
// its bytes). Never cell by cell: the number of calls grows with the
// columns, not the rows. The number column is not exported. Every text goes
// through CellTextForSheet, so one overlong cell (the folder of a very deep
// tree) is cut instead of failing the whole export. Errors of the
// spreadsheet are passed on (SpreadsheetError).
void WriteGridToSheet(const base::ResultTable& table, platform::Spreadsheet& sheet, int rowOffset,
                      int colOffset);

// Formats the used area from A1 whatever the offsets, then calls
// WriteGridToSheet: the font kExcelFontName over A1 to CellAddress(n,
// RowCount); then for each column i from 1 to n the width of the range
// CellAddress(i, 1) to CellAddress(i, RowCount), in characters: the length
// in UTF-16 code units of the first data row's cell of column i as shown
// (DisplayText), or of the header when that cell is empty, at most the 255 a
// spreadsheet accepts (a longer text gets the widest column rather than
// failing the export). Errors of the spreadsheet are passed on.
void FormatSheet(const base::ResultTable& table, platform::Spreadsheet& sheet, int rowOffset,
                 int colOffset);

// The whole export of one table: connects to the spreadsheet application,
// makes it visible, adds a workbook, takes the active workbook and its active
// sheet, FormatSheet(table, sheet, 0, 0), and disconnects, leaving the new
// workbook with the application. On any failure (an exception of any kind
// from any step) stops at that step, shows kExcelFailedMessage through
// host.ShowMessage and returns false; nothing is passed on and nothing else
// is shown. Returns true when every step succeeded. UI thread.
bool ExcelExport(const base::ResultTable& table, platform::Spreadsheet& sheetApp,
                 base::EngineHost& host);

}  // namespace tarnvik::lib
