#pragma once

#include <string>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "platform/DirectoryTree.h"
#include "platform/LocalClock.h"

namespace tarnvik::core {

// The state a search starts from, the one place it is cleared: both tables
// back to their one blank row (headers kept), the three counters zeroed and
// their count boxes emptied. UI thread only.
void ClearSearch(base::ResultTable& upper, base::ResultTable& lower, base::Counters& counters,
                 base::EngineHost& host);

// The work of a search after ClearSearch: scans `root` into `upper` between
// ScanBegins/ScanEnds, lets the host process pending events, drops the
// trailing blank row, then sorts and marks. `fs` is a walker made for this
// search, `clock` gives the time texts. Button states are the caller's. UI thread only.
void ScanAndSort(const std::u16string& root, base::ResultTable& upper, base::Counters& counters,
                 base::EngineHost& host, platform::DirectoryTree& fs,
                 const platform::LocalClock& clock);

// The whole engine part of the search command, for a front end that shows
// nothing in between: ClearSearch, then ScanAndSort.
void SearchFolder(const std::u16string& root, base::ResultTable& upper, base::ResultTable& lower,
                  base::Counters& counters, base::EngineHost& host, platform::DirectoryTree& fs,
                  const platform::LocalClock& clock);

}  // namespace tarnvik::core
