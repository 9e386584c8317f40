#pragma once

namespace tarnvik::base {

// Table columns of both layouts: the number column, then what a search
// writes for each file. The extension column exists in the extension order
// only, but every row keeps its cell (ResultTable::kStoredColumns).
enum Column : int {
  kColNumber = 0,
  kColName = 1,
  kColFolder = 2,
  kColTime = 3,
  kColSize = 4,
  kColCheck = 5,
  kColExt = 6,
};

// The marks the sort writes into kColCheck and the two view buttons show:
// the same file name with another time or size, and the same name, time and
// size.
inline constexpr char16_t kMarkName[] = u"Name";
inline constexpr char16_t kMarkSame[] = u"Same";

}  // namespace tarnvik::base
