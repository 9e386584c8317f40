#include "core/DuplicateViews.h"

#include "core/ColumnLayout.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"

namespace tarnvik::core {

namespace {

void Append(const ResultTable& from, int row, ResultTable& to) {
  to.CopyRowFrom(from, row, to.RowCount() - 1);
  to.SetRowCount(to.RowCount() + 1);
}

}  // namespace

void ShowMarkedRows(const ResultTable& upper, ResultTable& lower, std::u16string_view mark,
                    EngineHost& host) {
  lib::ClearGrid(lower);
  bool any = false;
  for (int i = 2; i < upper.RowCount(); ++i) {
    if (upper.Cell(kColCheck, i) != mark) continue;
    if (lib::IsBlank(upper.Cell(kColCheck, i - 1))) Append(upper, i - 1, lower);
    lower.CopyRowFrom(upper, i, lower.RowCount() - 1);
    host.ShowCount(CountBox::Selected, lower.RowCount() - 1);
    lower.SetRowCount(lower.RowCount() + 1);
    any = true;
  }
  if (lower.RowCount() > 2) lower.SetRowCount(lower.RowCount() - 1);
  // The blank row an empty result keeps is no result row.
  host.ShowCount(CountBox::Selected, any ? lower.RowCount() - 1 : 0);
}

}  // namespace tarnvik::core
