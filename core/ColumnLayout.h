#pragma once

#include <string>

#include "core/EngineHost.h"
#include "core/ResultTable.h"

namespace tarnvik::core {

// Table columns of both layouts.
enum Column : int {
  kColNumber = 0,
  kColName = 1,
  kColFolder = 2,
  kColTime = 3,
  kColSize = 4,
  kColCheck = 5,
  kColExt = 6,
};
static_assert(kColFolder == ResultTable::kSharedColumn,
              "the files of one folder share their folder cell");

// Window width (minimum and maximum) of the file-name and extension layouts.
inline constexpr int kWidthNameLayout = 736;
inline constexpr int kWidthExtLayout = 780;

// Applies layout mode 0 (file name order: six columns) or 1 (extension
// order: seven columns, with "Ext.") to both tables: column count, header
// texts and widths from GridCharWidth(upper); in mode 1 also recomputes
// column 6 of every data row of the upper table from its file name. The
// rows of the lower table are not touched. Hands the window width limits
// to the host.
void ApplyColumnLayout(int mode, ResultTable& upper, ResultTable& lower, EngineHost& host);

// The extension cell of a file name: the text from the last "." on, ASCII
// letters in upper case, without its first character (the dot). Empty when
// the name has no ".". "Report.xlsx" gives "XLSX", ".profile" "PROFILE".
std::u16string ExtensionText(const std::u16string& name);

// printf "%4d" / "%6d" as UTF-16 (right-aligned, wider when needed).
std::u16string FormatNumber(long long value, int width);

}  // namespace tarnvik::core
