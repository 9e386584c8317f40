#include "lib/Fnc_Grid.h"

namespace tarnvik::lib {

using base::ResultTable;

void ClearGrid(base::ResultTable& table) {
  table.SetRowCount(2);
  for (int c = 0; c < table.ColCount(); ++c) table.SetCell(c, 1, std::u16string());
}

int GridCharWidth(const base::ResultTable& table) {
  switch (table.FontPointSize()) {
    case 8:
    case 9:
      return 6;
    case 10:
      return 7;
    case 11:
    case 12:
      return 8;
    case 13:
      return 9;
    case 14:
    case 15:
      return 10;
    case 16:
      return 11;
    default:
      return 12;
  }
}

}  // namespace tarnvik::lib
