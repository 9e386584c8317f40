#include "core/DuplicateViews.h"

#include "core/ColumnLayout.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"

namespace tarnvik::core {

void ShowMarkedRows(const base::ResultTable& upper, base::ResultTable& lower,
                    std::u16string_view mark, base::EngineHost& host) {
  lib::ClearGrid(lower);
  for (int i = 2; i < upper.RowCount(); ++i) {
    if (upper.Cell(base::kColCheck, i) != mark) continue;
    if (lib::IsBlank(upper.Cell(base::kColCheck, i - 1))) lower.AppendRowFrom(upper, i - 1);
    host.ShowCount(base::CountBox::Selected, lower.RowCount() - 1);
    lower.AppendRowFrom(upper, i);
  }
  host.ShowCount(base::CountBox::Selected, lower.DropTrailingBlankRow());
}

}  // namespace tarnvik::core
