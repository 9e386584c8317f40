#include "lib/Fnc_ExcelCnv.h"

#include <algorithm>

#include "lib/DisplayText.h"

namespace tarnvik::lib {

namespace {

int ExportedColumns(const base::ResultTable& table) {
  return std::min(table.ColCount() - 1, kExcelMaxColumns);
}

}  // namespace

std::u16string_view CellTextForSheet(std::u16string_view text) {
  if (text.size() <= kExcelMaxCellLength) return text;
  size_t keep = kExcelMaxCellLength;
  const char16_t last = text[keep - 1];
  if (last >= 0xD800 && last <= 0xDBFF && text[keep] >= 0xDC00 && text[keep] <= 0xDFFF) --keep;
  return text.substr(0, keep);
}

std::u16string CellAddress(int col, int row) {
  std::u16string letters;
  // Bijective base 26: the same letters as the one- and two-letter rule,
  // and still right past ZZ.
  for (int c = col; c > 0; c = (c - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (c - 1) % 26));
  }
  const std::string digits = std::to_string(row);
  letters.append(digits.begin(), digits.end());
  return letters;
}

void WriteGridToSheet(const base::ResultTable& table, platform::Spreadsheet& sheet, int rowOffset,
                      int colOffset) {
  const int n = ExportedColumns(table);
  const int rows = table.RowCount();

  platform::TextBlock header(1, n);
  for (int j = 1; j <= n; ++j) header.At(0, j - 1) = CellTextForSheet(table.Cell(j, 0));
  sheet.SetRangeValue(CellAddress(colOffset + 1, rowOffset + 1),
                      CellAddress(colOffset + n, rowOffset + 1), header);

  platform::TextBlock column(rows - 1, 1);
  std::u16string shown;
  for (int j = 1; j <= n; ++j) {
    for (int r = 1; r < rows; ++r) {
      column.At(r - 1, 0) = CellTextForSheet(DisplayText(table.Cell(j, r), shown));
    }
    sheet.SetRangeValue(CellAddress(colOffset + j, rowOffset + 2),
                        CellAddress(colOffset + j, rowOffset + rows), column);
  }
}

void FormatSheet(const base::ResultTable& table, platform::Spreadsheet& sheet, int rowOffset,
                 int colOffset) {
  const int n = ExportedColumns(table);
  const int rows = table.RowCount();
  sheet.SetRangeFontName(u"A1", CellAddress(n, rows), kExcelFontName);
  std::u16string shown;
  for (int i = 1; i <= n; ++i) {
    size_t chars = DisplayText(table.Cell(i, 1), shown).size();
    if (chars == 0) chars = table.Cell(i, 0).size();
    const int width = static_cast<int>(
        std::min(chars, static_cast<size_t>(platform::Spreadsheet::kMaxColumnWidth)));
    sheet.SetRangeColumnWidth(CellAddress(i, 1), CellAddress(i, rows), width);
  }
  WriteGridToSheet(table, sheet, rowOffset, colOffset);
}

bool ExcelExport(const base::ResultTable& table, platform::Spreadsheet& sheetApp,
                 base::EngineHost& host) {
  try {
    sheetApp.Connect();
    sheetApp.SetVisible(true);
    sheetApp.AddWorkbook();
    sheetApp.ConnectActiveWorkbook();
    sheetApp.ConnectActiveSheet();
    FormatSheet(table, sheetApp, 0, 0);
    sheetApp.Disconnect();
  } catch (...) {
    // Whatever went wrong, the user gets the one message and nothing else.
    host.ShowMessage(std::u16string(kExcelFailedMessage));
    return false;
  }
  return true;
}

}  // namespace tarnvik::lib
