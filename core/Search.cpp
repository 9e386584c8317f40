#include "core/Search.h"

#include "core/FolderScan.h"
#include "core/SortAndMark.h"
#include "lib/Fnc_Grid.h"

namespace tarnvik::core {

void ClearSearch(base::ResultTable& upper, base::ResultTable& lower, base::Counters& counters,
                 base::EngineHost& host) {
  lib::ClearGrid(upper);
  lib::ClearGrid(lower);
  host.ClearCount(base::CountBox::Files);
  host.ClearCount(base::CountBox::Folders);
  host.ClearCount(base::CountBox::Same);
  counters = base::Counters{};
}

void ScanAndSort(const std::u16string& root, base::ResultTable& upper, base::Counters& counters,
                 base::EngineHost& host, platform::DirectoryTree& fs,
                 const platform::LocalClock& clock) {
  host.ScanBegins();
  ScanFolder(root, root, counters, upper, host, fs, clock);
  host.ScanEnds();
  host.ProcessPendingEvents();
  upper.DropTrailingBlankRow();
  SortAndMark(upper, counters, host);
}

void SearchFolder(const std::u16string& root, base::ResultTable& upper, base::ResultTable& lower,
                  base::Counters& counters, base::EngineHost& host, platform::DirectoryTree& fs,
                  const platform::LocalClock& clock) {
  ClearSearch(upper, lower, counters, host);
  ScanAndSort(root, upper, counters, host, fs, clock);
}

}  // namespace tarnvik::core
