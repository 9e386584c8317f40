#pragma once

#include "base/ResultTable.h"

namespace tarnvik::lib {

// Sets RowCount to 2 and empties every cell of row 1 (all ColCount columns).
// Header texts stay.
void ClearGrid(base::ResultTable& table);

// Character width in pixels that the column widths are computed from, by
// the table's font size: 8-9 pt 6, 10 pt 7, 11-12 pt 8, 13 pt 9, 14-15 pt 10,
// 16 pt 11, anything else 12.
int GridCharWidth(const base::ResultTable& table);

}  // namespace tarnvik::lib
