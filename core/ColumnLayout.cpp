#include "core/ColumnLayout.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "lib/Fnc_Grid.h"

namespace tarnvik::core {

namespace {

struct ColumnSpec {
  const char16_t* header;
  int chars;
};

constexpr std::array<ColumnSpec, 7> kColumns{{
    {u" No.", 4},
    {u"File Name", 25},
    {u"Folder Name", 20},
    {u"Date Time", 19},
    {u"Size", 6},
    {u"Check", 5},
    {u"Ext.", 4},
}};

}  // namespace

void ApplyColumnLayout(base::SortOrder order, base::ResultTable& upper, base::ResultTable& lower,
                       base::EngineHost& host) {
  const int w = lib::GridCharWidth(upper);
  const bool ext = order == base::SortOrder::ByExtension;
  const int cols = ext ? 7 : 6;
  upper.SetColCount(cols);
  lower.SetColCount(cols);
  host.SetWindowWidthLimits(ext ? kWidthExtLayout : kWidthNameLayout);

  for (int c = 0; c < cols; ++c) {
    upper.SetCell(c, 0, kColumns[c].header);
    upper.SetColWidth(c, w * kColumns[c].chars + 8);
    lower.SetCell(c, 0, upper.Cell(c, 0));
    lower.SetColWidth(c, upper.ColWidth(c));
  }
  if (ext) {
    for (int r = 1; r < upper.RowCount(); ++r) {
      upper.SetCell(base::kColExt, r, base::ExtensionText(upper.Cell(base::kColName, r)));
    }
  }
}

}  // namespace tarnvik::core
