#include "core/FolderScan.h"

#include <memory>
#include <string_view>
#include <vector>

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "lib/FileTime.h"

namespace tarnvik::core {

namespace {

using platform::DirectoryTree;
using platform::DirEntry;
using platform::FileInfo;

constexpr std::string_view kThumbnailCache = "Thumbs.db";

// One folder being worked on: its complete listing and how far the scan got.
// Its relative folder is the first folderLength characters of the scanner's
// path (each level's text is a prefix of the one below it), so a deep tree
// costs memory in proportion to its depth, not to the square of it. The
// folder cell its files share is made from that prefix at its first file.
struct Level {
  DirectoryTree::Handle handle = -1;
  std::vector<DirEntry> entries;
  size_t next = 0;
  size_t folderLength = 0;
  base::SharedText folder;
};

std::u16string RelativeFolder(const std::u16string& root, const std::u16string& dir,
                              char16_t separator) {
  // Every root but "/" is followed by a separator inside dir; "/" is one.
  const size_t skip = !root.empty() && root.back() == separator ? root.size() : root.size() + 1;
  if (dir.size() <= skip) return {};
  return dir.substr(skip);
}

class Scanner {
 public:
  Scanner(base::Counters& counters, base::ResultTable& table, base::EngineHost& host,
          DirectoryTree& fs, const platform::LocalClock& clock)
      : counters_(counters),
        table_(table),
        host_(host),
        fs_(fs),
        // The order cannot change while the scan runs (the window takes no
        // input meanwhile), so it is asked once instead of once per file.
        withExtension_(host.CurrentSortOrder() == base::SortOrder::ByExtension),
        separator_(fs.Separator()),
        times_(clock) {}

  void Run(const std::u16string& root, const std::u16string& dir) {
    root_ = &root;
    path_ = RelativeFolder(root, dir, separator_);
    Enter(fs_.OpenRoot(base::TextToNative(dir)));
    while (depth_ > 0) Step();
  }

 private:
  // Levels are kept when a folder is finished so that the next folder at the
  // same depth reuses their storage.
  void Enter(DirectoryTree::Handle handle) {
    if (depth_ == levels_.size()) levels_.emplace_back();
    Level& level = levels_[depth_++];
    level.handle = handle;
    level.next = 0;
    level.folderLength = path_.size();
    level.folder.reset();
    if (handle < 0 || !fs_.List(handle, level.entries)) {
      level.entries.clear();
      const int error = fs_.LastError();
      std::u16string folder = *root_;
      if (!path_.empty()) {
        if (folder.empty() || folder.back() != separator_) folder += separator_;
        folder += path_;
      }
      host_.FolderNotRead(folder, error);
    }
  }

  void Step() {
    Level& level = levels_[depth_ - 1];
    if (level.next == level.entries.size()) {
      Leave(level);
      return;
    }
    const DirEntry& entry = level.entries[level.next++];
    if (counters_.FileCount >= kFileLimit) return;
    if (entry.name == "." || entry.name == "..") return;
    if (entry.isFolder) {
      path_.resize(level.folderLength);
      if (!path_.empty()) path_ += separator_;
      path_ += base::NativeToText(entry.name);
      Enter(fs_.OpenChild(level.handle, entry.name));  // level is stale from here on
      return;
    }
    if (entry.name == kThumbnailCache) return;
    AddFile(level, entry);
  }

  void Leave(Level& level) {
    if (level.handle >= 0) fs_.Close(level.handle);
    level.handle = -1;
    level.folder.reset();
    --depth_;
    ++counters_.FolderCount;
    host_.ShowCount(base::CountBox::Files, counters_.FileCount);
    host_.ShowCount(base::CountBox::Folders, counters_.FolderCount);
    if (depth_ > 0) {
      host_.ProcessPendingEvents();
      // Remembered here and shown once at the end: a modal message per level
      // would ask a deep tree for thousands of confirmations.
      if (counters_.FileCount >= kFileLimit) stoppedByLimit_ = true;
      return;
    }
    if (stoppedByLimit_) {
      host_.ProcessPendingEvents();
      host_.ShowMessage(FileLimitMessage());
    }
  }

  void AddFile(Level& level, const DirEntry& entry) {
    const int r = table_.RowCount() - 1;
    base::Row& row = table_.AppendedRow();
    FileInfo info;
    bool known = entry.hasInfo;
    if (known) {
      info = entry.info;
    } else {
      known = fs_.Stat(level.handle, entry.name, info);
    }
    row[base::kColNumber] = base::FormatNumber(r, 4);
    row[base::kColName] = base::NativeToText(entry.name);
    if (!level.folder) {
      level.folder = std::make_shared<const std::u16string>(path_, 0, level.folderLength);
    }
    table_.SetSharedCell(r, level.folder);
    if (known) {
      times_.FormatTo(info.mtime, row[base::kColTime]);
      row[base::kColSize] = base::FormatNumber(info.size, 6);
    } else {
      // An unknown size is not an empty file: both cells stay empty.
      row[base::kColTime].clear();
      row[base::kColSize].clear();
    }
    row[base::kColCheck].clear();
    if (withExtension_) {
      row[base::kColExt] = base::ExtensionText(row[base::kColName]);
    } else {
      row[base::kColExt].clear();
    }
    table_.CommitAppendedRow();
    ++counters_.FileCount;
  }

  base::Counters& counters_;
  base::ResultTable& table_;
  base::EngineHost& host_;
  DirectoryTree& fs_;
  const bool withExtension_;
  const char16_t separator_;
  lib::FileTimeFormatter times_;
  std::vector<Level> levels_;
  size_t depth_ = 0;
  bool stoppedByLimit_ = false;
  const std::u16string* root_ = nullptr;
  std::u16string path_;
};

}  // namespace

std::u16string FileLimitMessage() {
  std::u16string text = u"検索対象結果が２０，０００件を超えました！！";
  text += base::kCrLf;
  text += u"途中終了しました。";
  return text;
}

void ScanFolder(const std::u16string& root, const std::u16string& dir, base::Counters& counters,
                base::ResultTable& table, base::EngineHost& host, platform::DirectoryTree& fs,
                const platform::LocalClock& clock) {
  Scanner(counters, table, host, fs, clock).Run(root, dir);
}

}  // namespace tarnvik::core
