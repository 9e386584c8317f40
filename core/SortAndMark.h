#pragma once

#include "core/EngineHost.h"
#include "core/ResultTable.h"

namespace tarnvik::core {

// Sorts data rows lo..hi of `table` by the key of the sort order (name +
// folder, or extension + name + folder; code-unit comparison), producing
// exactly the row order of the window's quicksort with the middle row as
// pivot (rows with equal keys included). s is the index of the swap row
// (s + 1 the pivot row) the original algorithm used; they are only scratch
// space. Reports each partition's final pivot position to the host as the
// Files count and lets it process pending events. Recursion depth stays
// logarithmic.
void QuickSortRows(ResultTable& table, int s, int lo, int hi, int order, EngineHost& host);

// Sorts the data rows of `table` (rows 1 to RowCount - 1) in the host's
// current order, renumbers them and writes the marks of column 5: "Name"
// for a row whose file name equals that of the row above but whose time or
// size differ, "Same" when time and size are equal too. counters.SameCount
// becomes the number of marked rows; it is shown in the Same box as it
// grows, and FileCount in the Files box at the end. Tells the host when the
// sort begins and ends. UI thread only.
void SortAndMark(ResultTable& table, Counters& counters, EngineHost& host);

}  // namespace tarnvik::core
