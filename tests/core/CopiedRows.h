#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "core/ColumnLayout.h"

namespace tarnvik::core {

// The rows of `upper` that `lower` shows, by the row number in column 0 of
// each shown row (rows without a number are skipped), after checking that
// each shown row carries every stored cell of its upper row.
inline std::vector<int> CopiedRows(const base::ResultTable& upper, const base::ResultTable& lower) {
  std::vector<int> rows;
  for (int r = 1; r < lower.RowCount(); ++r) {
    if (lower.Cell(base::kColNumber, r).empty()) continue;
    const int from = std::stoi(base::ToUtf8(lower.Cell(base::kColNumber, r)));
    for (int c = 0; c < base::ResultTable::kStoredColumns; ++c) {
      EXPECT_EQ(lower.Cell(c, r), upper.Cell(c, from)) << "row " << r << " column " << c;
    }
    rows.push_back(from);
  }
  return rows;
}

}  // namespace tarnvik::core
