#pragma once

#include <string_view>

#include "base/Columns.h"
#include "base/EngineHost.h"
#include "base/ResultTable.h"

namespace tarnvik::core {

// The two view buttons ("同一名称 表示" with kMarkName, "同一内容 表示" with
// kMarkSame): clears `lower`, then walks the data rows of `upper` from row 2
// on. Each row whose column 5 equals `mark` exactly is appended to `lower`,
// preceded by the row above it when that row's column 5 is blank after
// trimming (the unmarked head of its group); a row above that carries any
// mark is not added. Row 1 is never examined for a mark itself, it can only
// come in as the head of row 2. Copies keep every cell (numbers and marks
// included). While appending, the Selected count box shows RowCount - 1 of
// `lower` before each marked row is added; at the end the trailing blank row
// is dropped unless the table is empty (then it keeps its one blank row) and
// the box shows the number of rows appended: RowCount - 1, or 0 when nothing
// was appended. `upper` is only read and must be another
// table than `lower`. The caller then enables the lower Excel button. UI
// thread only.
void ShowMarkedRows(const base::ResultTable& upper, base::ResultTable& lower,
                    std::u16string_view mark, base::EngineHost& host);

}  // namespace tarnvik::core
