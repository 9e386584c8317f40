#pragma once

#include <string>

#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/EngineHost.h"
#include "base/ResultTable.h"

namespace tarnvik::core {

// Window width (minimum and maximum) of the file-name and extension layouts.
inline constexpr int kWidthNameLayout = 736;
inline constexpr int kWidthExtLayout = 780;

// Applies the layout of a sort order (file-name order: six columns;
// extension order: seven columns, with "Ext.") to both tables: column count, header
// texts and widths from GridCharWidth(upper); in the extension order also recomputes
// column 6 of every data row of the upper table from its file name. The
// rows of the lower table are not touched. Hands the window width limits
// to the host.
void ApplyColumnLayout(base::SortOrder order, base::ResultTable& upper, base::ResultTable& lower,
                       base::EngineHost& host);

}  // namespace tarnvik::core
