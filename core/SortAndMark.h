#pragma once

#include "base/EngineHost.h"
#include "base/ResultTable.h"

namespace tarnvik::core {

// Sorts rows lo..hi of `table` in ascending order of their sort key, moving
// whole rows. The key is column 1 + column 2 (name, then folder) or, when
// `order` is base::SortOrder::ByExtension, column 6 + column 1 + column 2, joined
// without a separator and compared code unit by code unit (unsigned 16-bit,
// case-sensitive, a prefix before the longer text).
//
// The resulting order is exactly that of this quicksort, rows with equal
// keys included (it is not stable): for a range lo..hi with lo < hi, take
// row (lo + hi) / 2 as the pivot and move row lo into its place; let last =
// lo and, for i from lo + 1 to hi, when row i's key is below the pivot's,
// increase last and exchange rows i and last; move row last to lo and the
// pivot to last; sort lo..last - 1, then last + 1..hi. s and s + 1 are the
// swap and pivot rows of the form of this sort that copies rows through
// them; they are not needed here and not touched, nor is any row outside
// lo..hi.
//
// After each partition's two sides are sorted, shows the partition's final
// pivot row in the Files count box and lets the host process pending
// events, in the same sequence as the recursive form. The call stack stays
// flat for any input; extra memory is linear in hi - lo. Does nothing when
// lo >= hi or lo < 0. UI thread only.
void QuickSortRows(base::ResultTable& table, int s, int lo, int hi, base::SortOrder order,
                   base::EngineHost& host);

// Sorts the data rows of `table` (rows 1 to RowCount - 1) with
// QuickSortRows in the host's current order, renumbers them ("%4d" in
// column 0) and writes the marks of column 5 for rows 2 onwards: "Name" for
// a row whose file name equals that of the row directly above but whose
// time + size text differs from that row's, "Same" when it is equal too, an
// empty cell when the names differ. Row 1 is numbered but its mark cell is
// left as it is (a fresh scan leaves it empty). An empty result keeps its
// one blank row, which receives the number 1.
//
// counters.SameCount becomes the number of rows marked in this pass; it is
// shown in the Same box after each mark, with pending events processed, and
// counters.FileCount is shown in the Files box at the end. The table holds
// one extra row while the sort runs and has its RowCount back afterwards.
// Calls host.SortBegins() first and host.SortEnds() last. UI thread only.
void SortAndMark(base::ResultTable& table, base::Counters& counters, base::EngineHost& host);

}  // namespace tarnvik::core
