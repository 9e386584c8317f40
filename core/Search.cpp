#include "core/Search.h"

#include "core/FolderScan.h"
#include "core/SortAndMark.h"
#include "lib/Fnc_Grid.h"

namespace tarnvik::core {

void RunSearch(const std::u16string& root, ResultTable& upper, ResultTable& lower,
               Counters& counters, EngineHost& host, platform::DirectoryTree& fs) {
  lib::ClearGrid(upper);
  lib::ClearGrid(lower);
  host.ClearCount(CountBox::Files);
  host.ClearCount(CountBox::Folders);
  host.ClearCount(CountBox::Same);
  counters = Counters{};

  lib::ClearGrid(upper);
  host.ScanBegins();
  ScanFolder(root, root, counters, upper, host, fs);
  host.ScanEnds();
  host.ProcessPendingEvents();
  if (upper.RowCount() > 2) upper.SetRowCount(upper.RowCount() - 1);

  SortAndMark(upper, counters, host);
}

}  // namespace tarnvik::core
