#pragma once

#include <string>

#include "core/EngineHost.h"
#include "core/ResultTable.h"
#include "platform/DirectoryTree.h"

namespace tarnvik::core {

// Files listed by one search at the most.
inline constexpr int kFileLimit = 20000;

// The message shown when a search stops at the file limit.
std::u16string FileLimitMessage();

// Walks the folder tree below `dir` and appends one row per file to `table`
// (columns: number, name, relative folder, time text, size, empty mark, and
// the extension in the extension order). `root` is the search root, `dir`
// the folder to list (equal to root on the outermost call); the relative
// folder of a folder is its path below the root, "/" between names, empty
// for the root itself. Roots carry no trailing "/" except "/" itself.
//
// Counts each finished folder in counters.FolderCount and each listed file
// in counters.FileCount; stops listing at kFileLimit files and shows the
// limit message once per folder level between the folder where the limit
// was reached and `dir`. Reports counts, pending events and messages to the
// host at the points the search command defines. Unreadable folders are
// counted and skipped silently; symbolic links, FIFOs, sockets and devices
// are listed as files and never opened or entered.
//
// Works for trees of any depth without deep recursion. UI thread only.
void ScanFolder(const std::u16string& root, const std::u16string& dir, Counters& counters,
                ResultTable& table, EngineHost& host, platform::DirectoryTree& fs);

}  // namespace tarnvik::core
