#pragma once

#include <string>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "platform/DirectoryTree.h"
#include "platform/LocalClock.h"

namespace tarnvik::core {

// Files listed by one search at the most.
inline constexpr int kFileLimit = 20000;

// The message shown when a search stops at the file limit:
// "検索対象結果が２０，０００件を超えました！！", CR LF, "途中終了しました。".
std::u16string FileLimitMessage();

// Walks the folder tree below `dir` and appends one row per file to `table`
// by the table's appending convention (write row RowCount() - 1, then grow
// RowCount() by one). `root` is the search root, `dir` the folder to list
// (equal to root on the outermost call); both are texts whose native form
// (base::TextToNative) is the path. Roots carry no trailing "/" except "/"
// itself.
//
// The cells of a row: 0 the row's index at the time of writing ("%4d"),
// 1 the name, 2 the relative folder (the folder's path below the root,
// fs.Separator() between names, empty for the root itself; below the root
// "/", the folder "/home/a" gives "home/a"; below "C:", "C:\\x\\y" gives
// "x\\y"), 3 the time text of lib::FileTimeFormatter,
// 4 the size in bytes ("%6d", wider when needed), 5 empty, 6 the extension
// (ExtensionText) in the extension order and empty otherwise, so that cells
// of an earlier search never linger. A file whose metadata cannot be read
// (it vanished after the listing, or its folder may be read but not
// searched) is still listed, with empty time and size cells.
//
// Entries are handled in the order the file system lists them, files and
// sub-folders interleaved, each sub-folder completely before the next
// entry. Files named exactly "Thumbs.db" are left out; folders of that name
// are entered. Before each entry the scan tests FileCount against
// kFileLimit: from then on nothing is listed or entered. Each folder, when
// its entries are done, is counted in FolderCount and both counts are shown
// (Files, then Folders). After each sub-folder the host processes pending
// events. When FileCount had reached kFileLimit on leaving any sub-folder,
// the walk ends, once `dir` itself is counted and shown, with pending events
// processed and FileLimitMessage() shown exactly once, however deep the
// folder where the limit was reached; it is not shown when the limit was
// reached among the files of `dir` itself.
//
// Unreadable folders (and a missing `dir`) are counted and skipped; each is
// reported through host.FolderNotRead with its path and the tree's
// LastError() (the window shows nothing for it). Symbolic links, FIFOs, sockets and devices are
// listed as files from their own metadata and never opened or entered.
//
// Iterative: works for trees of any depth on a small stack, and reads each
// folder's listing completely before entering its sub-folders. UI thread
// only.
void ScanFolder(const std::u16string& root, const std::u16string& dir, base::Counters& counters,
                base::ResultTable& table, base::EngineHost& host, platform::DirectoryTree& fs,
                const platform::LocalClock& clock);

}  // namespace tarnvik::core
