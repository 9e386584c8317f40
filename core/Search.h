#pragma once

#include <string>

#include "core/EngineHost.h"
#include "core/ResultTable.h"
#include "platform/DirectoryTree.h"

namespace tarnvik::core {

// The engine part of the search command: clears both tables and the three
// counters (and their boxes), scans `root` into `upper` between
// ScanBegins/ScanEnds, drops the trailing blank row, then sorts and marks.
// Button states are the caller's. UI thread only.
void RunSearch(const std::u16string& root, ResultTable& upper, ResultTable& lower,
               Counters& counters, EngineHost& host, platform::DirectoryTree& fs);

}  // namespace tarnvik::core
