#pragma once

#include <numeric>
#include <vector>

// Shared by the sort's tests and its benchmark: the worst inputs of the
// middle-pivot quicksort that are not identical keys.
namespace tarnvik::sortcases {

// Distinct keys 1..rows for rows 1..rows, arranged so that the middle row of
// every range the sort partitions is the smallest key of that range (or the
// largest): every partition then peels off one row, like identical keys.
inline std::vector<int> PeelingKeys(int rows, bool largest) {
  std::vector<int> item(rows + 1), value(rows + 1, 0);
  std::iota(item.begin(), item.end(), 0);
  int lo = 1, hi = rows, next = 1;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    const int pivot = item[mid];
    item[mid] = item[lo];
    if (largest) {
      value[pivot] = hi;
      item[lo] = item[hi];
      item[hi--] = pivot;
    } else {
      value[pivot] = next++;
      item[lo++] = pivot;
    }
  }
  value[item[lo]] = lo;
  return value;
}

}  // namespace tarnvik::sortcases
