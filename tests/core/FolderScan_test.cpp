#include "core/FolderScan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Columns.h"
#include "base/TextCodec.h"
#include "lib/Fnc_Grid.h"
#include "platform/SystemServices.h"

namespace tarnvik::core {
namespace {

// The system's services, as the program gets them.
const platform::EngineServices& System() {
  static const platform::SystemServices system;
  return system.Engine();
}

using platform::DirEntry;
using platform::FileInfo;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// An in-memory folder tree that lists entries in the order they were added
// and checks how the scan uses its handles.
class FakeTree : public platform::DirectoryTree {
 public:
  struct Node {
    std::string name;
    bool folder = false;
    FileInfo info{};
    bool openFails = false;
    bool listFails = false;
    bool statFails = false;
    std::vector<int> children{};
  };

  // Lists "." and ".." first, as real file systems do.
  bool listDots = true;
  // Hands out the metadata of files with the listing.
  bool infoInListing = false;
  int statCalls = 0;
  std::vector<std::string> misuse;

  int Root(const std::string& path) {
    const int id = Add(-1, path, true);
    roots_[path] = id;
    return id;
  }
  int Folder(int parent, const std::string& name) { return Add(parent, name, true); }
  int File(int parent, const std::string& name, int64_t size = 0, int64_t mtime = 0) {
    const int id = Add(parent, name, false);
    nodes_[id].info = {size, mtime};
    return id;
  }
  Node& At(int id) { return nodes_[id]; }

  int OpenHandles() const {
    int n = 0;
    for (const auto& h : handles_) n += h.open ? 1 : 0;
    return n;
  }

  Handle OpenRoot(const std::string& nativePath) override {
    const auto it = roots_.find(nativePath);
    if (it == roots_.end() || nodes_[it->second].openFails) return -1;
    return NewHandle(it->second, -1);
  }

  Handle OpenChild(Handle parent, std::string_view name) override {
    if (!Usable(parent, "OpenChild")) return -1;
    const int id = Find(handles_[parent].node, name);
    if (id < 0 || !nodes_[id].folder || nodes_[id].openFails) return -1;
    return NewHandle(id, parent);
  }

  bool List(Handle folder, std::vector<DirEntry>& out) override {
    out.clear();
    if (!Usable(folder, "List")) return false;
    const Node& n = nodes_[handles_[folder].node];
    if (n.listFails) return false;
    if (listDots) {
      out.push_back({".", true});
      out.push_back({"..", true});
    }
    for (int c : n.children) {
      DirEntry e{nodes_[c].name, nodes_[c].folder};
      if (infoInListing && !nodes_[c].folder) {
        e.hasInfo = true;
        e.info = nodes_[c].info;
      }
      out.push_back(e);
    }
    return true;
  }

  bool Stat(Handle folder, std::string_view name, FileInfo& out) override {
    ++statCalls;
    if (!Usable(folder, "Stat")) return false;
    const int id = Find(handles_[folder].node, name);
    if (id < 0 || nodes_[id].folder || nodes_[id].statFails) return false;
    out = nodes_[id].info;
    return true;
  }

  void Close(Handle folder) override {
    if (!Usable(folder, "Close")) return;
    if (handles_[folder].openChildren != 0) misuse.push_back("parent closed before its child");
    handles_[folder].open = false;
    if (handles_[folder].parent >= 0) --handles_[handles_[folder].parent].openChildren;
  }

 private:
  struct HandleState {
    int node;
    int parent;
    bool open = true;
    int openChildren = 0;
  };

  int Add(int parent, const std::string& name, bool folder) {
    const int id = static_cast<int>(nodes_.size());
    nodes_.push_back({name, folder});
    if (parent >= 0) {
      nodes_[parent].children.push_back(id);
      index_[Key(parent, name)] = id;
    }
    return id;
  }
  static std::string Key(int parent, std::string_view name) {
    return std::to_string(parent) + '/' + std::string(name);
  }
  int Find(int parent, std::string_view name) const {
    const auto it = index_.find(Key(parent, name));
    return it == index_.end() ? -1 : it->second;
  }
  Handle NewHandle(int node, int parent) {
    handles_.push_back({node, parent});
    if (parent >= 0) ++handles_[parent].openChildren;
    return static_cast<Handle>(handles_.size() - 1);
  }
  bool Usable(Handle h, const char* what) {
    if (h >= 0 && h < static_cast<int>(handles_.size()) && handles_[h].open) return true;
    misuse.push_back(std::string(what) + " on a handle that is not open");
    return false;
  }

  std::vector<Node> nodes_;
  std::vector<HandleState> handles_;
  std::unordered_map<std::string, int> roots_;
  std::unordered_map<std::string, int> index_;
};

class RecordingHost : public base::EngineHost {
 public:
  base::SortOrder order = base::SortOrder::ByName;
  std::vector<std::string> events;
  std::vector<std::u16string> messages;

  base::SortOrder CurrentSortOrder() const override { return order; }
  void ShowCount(base::CountBox box, int value) override {
    const char* name = box == base::CountBox::Files     ? "files "
                       : box == base::CountBox::Folders ? "folders "
                                                        : "? ";
    events.push_back(name + std::to_string(value));
  }
  void ProcessPendingEvents() override { events.push_back("events"); }
  void ShowMessage(const std::u16string& text) override {
    events.push_back("message");
    messages.push_back(text);
  }
};

struct Scan {
  const platform::LocalClock& clock = *System().clock;
  base::ResultTable table{6, 2};
  base::Counters counters;
  RecordingHost host;

  void Run(FakeTree& fs, const std::u16string& root, const std::u16string& dir) {
    ScanFolder(root, dir, counters, table, host, fs, clock);
    EXPECT_EQ(fs.OpenHandles(), 0);
    EXPECT_THAT(fs.misuse, IsEmpty());
  }
  void Run(FakeTree& fs, const std::u16string& root) { Run(fs, root, root); }

  // Leaves what an earlier search would: ClearGrid empties row 1 only.
  void LeaveStaleRows(int rows) {
    for (int r = 1; r <= rows; ++r) {
      for (int c = 0; c < base::ResultTable::kStoredColumns; ++c) table.SetCell(c, r, u"stale");
    }
    lib::ClearGrid(table);
  }

  // Data rows are 1 .. RowCount - 2; the last row is the blank slot.
  std::vector<std::u16string> Column(int col) const {
    std::vector<std::u16string> out;
    for (int r = 1; r < table.RowCount() - 1; ++r) out.push_back(table.Cell(col, r));
    return out;
  }
  base::Row DataRow(int r) const { return table.RowCells(r); }
};

class FolderScanTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};

TEST_F(FolderScanTest, RootWithoutEntriesAddsNoRowAndCountsOneFolder) {
  struct Case {
    const char* what;
    std::function<void(FakeTree&)> build;
  };
  const Case cases[] = {
      {"empty root", [](FakeTree& fs) { fs.Root("/data"); }},
      {"removed root", [](FakeTree&) {}},
      {"root that cannot be opened",
       [](FakeTree& fs) { fs.At(fs.Root("/data")).openFails = true; }},
      {"root that cannot be listed",
       [](FakeTree& fs) {
         const int root = fs.Root("/data");
         fs.At(root).listFails = true;
         fs.File(root, "f");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeTree fs;
    c.build(fs);
    Scan s;
    s.Run(fs, u"/data");
    EXPECT_EQ(s.table.RowCount(), 2);
    EXPECT_EQ(s.counters.FileCount, 0);
    EXPECT_EQ(s.counters.FolderCount, 1);
    EXPECT_THAT(s.host.events, ElementsAre("files 0", "folders 1"));
  }
}

TEST_F(FolderScanTest, RowsFollowTheListingDepthFirst) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "a.txt", 12, 1704067201);
  const int x = fs.Folder(root, "x");
  fs.File(x, "b.txt", 1234567, 1704070799);
  const int y = fs.Folder(x, "y");
  fs.File(y, "c", 0, 0);
  fs.File(root, "big.iso", 5000000000LL, 951782400);  // 2000-02-29
  fs.File(root, "レポート.xls", 123456, -1);

  Scan s;
  s.Run(fs, u"/data");
  ASSERT_EQ(s.table.RowCount(), 7);
  const base::Row expected[] = {
      {u"   1", u"a.txt", u"", u"2024.01.01 00:00:00", u"    12", u"", u""},
      {u"   2", u"b.txt", u"x", u"2024.01.01 00:59:58", u"1234567", u"", u""},
      {u"   3", u"c", u"x/y", u"1970.01.01 00:00:00", u"     0", u"", u""},
      {u"   4", u"big.iso", u"", u"2000.02.29 00:00:00", u"5000000000", u"", u""},
      {u"   5", u"レポート.xls", u"", u"1969.12.31 23:59:58", u"123456", u"", u""},
  };
  for (int r = 1; r <= 5; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(s.DataRow(r), expected[r - 1]);
  }
  EXPECT_EQ(s.counters.FileCount, 5);
  EXPECT_EQ(s.counters.FolderCount, 3);
}

TEST_F(FolderScanTest, RowNumberIsTheRowIndexWhenWritten) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "a");
  fs.File(root, "b");
  Scan s;
  s.table.SetRowCount(10);
  s.Run(fs, u"/data");
  EXPECT_EQ(s.table.RowCount(), 12);
  EXPECT_EQ(s.table.Cell(base::kColNumber, 9), u"   9");
  EXPECT_EQ(s.table.Cell(base::kColName, 9), u"a");
  EXPECT_EQ(s.table.Cell(base::kColNumber, 10), u"  10");
  EXPECT_EQ(s.counters.FileCount, 2);
}

TEST_F(FolderScanTest, ExtensionCellFollowsTheSortOrderAndNothingStaleLingers) {
  for (const base::SortOrder order : {base::SortOrder::ByName, base::SortOrder::ByExtension}) {
    SCOPED_TRACE(static_cast<int>(order));
    FakeTree fs;
    const int root = fs.Root("/data");
    for (const char* name : {"Report.xlsx", "archive.tar.gz", "README", ".profile"}) {
      fs.File(root, name);
    }
    Scan s;
    s.host.order = order;
    s.LeaveStaleRows(6);
    s.Run(fs, u"/data");
    EXPECT_THAT(s.Column(base::kColCheck), ElementsAre(u"", u"", u"", u""));
    if (order == base::SortOrder::ByExtension) {
      EXPECT_THAT(s.Column(base::kColExt), ElementsAre(u"XLSX", u"GZ", u"", u"PROFILE"));
    } else {
      EXPECT_THAT(s.Column(base::kColExt), ElementsAre(u"", u"", u"", u""));
    }
  }
}

TEST_F(FolderScanTest, ThumbsDbFilesAreLeftOutAndFoldersOfThatNameEntered) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "Thumbs.db");
  fs.File(root, "thumbs.db");
  fs.File(root, "Thumbs.DB");
  fs.File(root, "Thumbs.db.bak");
  const int sub = fs.Folder(root, "Thumbs.db");
  fs.File(sub, "inside.txt");
  fs.File(sub, "Thumbs.db");
  Scan s;
  s.Run(fs, u"/data");
  EXPECT_THAT(s.Column(base::kColName),
              ElementsAre(u"thumbs.db", u"Thumbs.DB", u"Thumbs.db.bak", u"inside.txt"));
  EXPECT_THAT(s.Column(base::kColFolder), ElementsAre(u"", u"", u"", u"Thumbs.db"));
  EXPECT_EQ(s.counters.FileCount, 4);
  EXPECT_EQ(s.counters.FolderCount, 2);
}

TEST_F(FolderScanTest, FolderTextIsThePathBelowTheRoot) {
  struct Case {
    std::u16string root;
    std::u16string dir;
    std::u16string here;
    std::u16string below;
  };
  const Case cases[] = {
      {u"/", u"/", u"", u"etc"},
      {u"/", u"/home/a", u"home/a", u"home/a/etc"},
      {u"/data", u"/data", u"", u"etc"},
      {u"/data", u"/data/x/y", u"x/y", u"x/y/etc"},
      {u"/データ", u"/データ/資料", u"資料", u"資料/etc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(base::ToUtf8(c.root + u" " + c.dir));
    FakeTree fs;
    const int dir = fs.Root(base::ToUtf8(c.dir));
    fs.File(dir, "f");
    fs.File(fs.Folder(dir, "etc"), "g");
    Scan s;
    s.Run(fs, c.root, c.dir);
    EXPECT_THAT(s.Column(base::kColFolder), ElementsAre(c.here, c.below));
  }
}

TEST_F(FolderScanTest, FilesOfOneFolderShareOneFolderText) {
  FakeTree fs;
  const int root = fs.Root("/data");
  const int deep = fs.Folder(root, std::string(200, 'd'));
  fs.File(deep, "a");
  const int below = fs.Folder(deep, "e");
  fs.File(below, "x");
  fs.File(deep, "b");  // after the sub-folder: the same folder again
  fs.File(deep, "c");
  Scan s;
  s.LeaveStaleRows(8);
  s.Run(fs, u"/data");
  ASSERT_EQ(s.table.RowCount(), 6);
  const std::u16string folder(200, u'd');
  EXPECT_THAT(s.Column(base::kColName), ElementsAre(u"a", u"x", u"b", u"c"));
  EXPECT_THAT(s.Column(base::kColFolder), ElementsAre(folder, folder + u"/e", folder, folder));
  const char16_t* const text = s.table.Cell(base::kColFolder, 1).data();
  EXPECT_EQ(s.table.Cell(base::kColFolder, 3).data(), text);
  EXPECT_EQ(s.table.Cell(base::kColFolder, 4).data(), text);
  EXPECT_NE(s.table.Cell(base::kColFolder, 2).data(), text);
}

TEST_F(FolderScanTest, CountsAreShownAfterEachFolderAndEventsAfterEachSubFolder) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "f1");
  const int sub = fs.Folder(root, "sub");
  fs.File(sub, "f2");
  fs.Folder(sub, "empty");
  fs.File(root, "f3");
  Scan s;
  s.Run(fs, u"/data");
  EXPECT_THAT(s.host.events, ElementsAre("files 2", "folders 1", "events",  // empty
                                         "files 2", "folders 2", "events",  // sub
                                         "files 3", "folders 3"));          // root
}

TEST_F(FolderScanTest, UnreadableFoldersAreCountedAndSkippedSilently) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "a");
  const int locked = fs.Folder(root, "locked");
  fs.At(locked).openFails = true;
  fs.File(locked, "secret");
  const int unlistable = fs.Folder(root, "unlistable");
  fs.At(unlistable).listFails = true;
  fs.File(unlistable, "hidden");
  fs.File(fs.Folder(root, "ok"), "b");
  Scan s;
  s.Run(fs, u"/data");
  EXPECT_THAT(s.Column(base::kColName), ElementsAre(u"a", u"b"));
  EXPECT_EQ(s.counters.FolderCount, 4);
  EXPECT_THAT(s.host.messages, IsEmpty());
}

TEST_F(FolderScanTest, FileWhoseMetadataIsGoneIsListedWithEmptyTimeAndSize) {
  FakeTree fs;
  const int root = fs.Root("/data");
  fs.File(root, "kept", 7, 1704067200);
  fs.At(fs.File(root, "vanished", 99, 1704067200)).statFails = true;
  Scan s;
  s.LeaveStaleRows(3);
  s.Run(fs, u"/data");
  EXPECT_EQ(s.DataRow(1),
            (base::Row{u"   1", u"kept", u"", u"2024.01.01 00:00:00", u"     7", u"", u""}));
  EXPECT_EQ(s.DataRow(2), (base::Row{u"   2", u"vanished", u"", u"", u"", u"", u""}));
  EXPECT_EQ(s.counters.FileCount, 2);
}

TEST_F(FolderScanTest, MetadataThatCameWithTheListingIsNotReadAgain) {
  FakeTree fs;
  fs.infoInListing = true;
  const int root = fs.Root("/data");
  fs.At(fs.File(root, "a", 5, 1704067200)).statFails = true;
  Scan s;
  s.Run(fs, u"/data");
  EXPECT_EQ(fs.statCalls, 0);
  EXPECT_EQ(s.table.Cell(base::kColTime, 1), u"2024.01.01 00:00:00");
  EXPECT_EQ(s.table.Cell(base::kColSize, 1), u"     5");
}

TEST_F(FolderScanTest, LimitMessageText) {
  EXPECT_EQ(FileLimitMessage(),
            u"検索対象結果が２０，０００件を超えました！！\r\n途中終了しました。");
}

// Files are named n0, n1, ... in the order the scan meets them, so the rows
// must read n0 .. n19999 exactly.
class NumberedTree {
 public:
  FakeTree fs;
  int root = fs.Root("/data");
  void Files(int parent, int count) {
    for (int k = 0; k < count; ++k) fs.File(parent, "n" + std::to_string(next_++));
  }

 private:
  int next_ = 0;
};

TEST_F(FolderScanTest, FileLimit) {
  struct Case {
    const char* what;
    std::function<void(NumberedTree&)> build;
    int folders;
    int messages;
  };
  const Case cases[] = {
      {"exactly the limit, all in the root", [](NumberedTree& t) { t.Files(t.root, kFileLimit); },
       1, 0},
      {"the last file of the limit in a sub-folder",
       [](NumberedTree& t) {
         t.Files(t.root, kFileLimit - 1);
         t.Files(t.fs.Folder(t.root, "sub"), 1);
       },
       2, 1},
      {"limit reached two levels below the root",
       [](NumberedTree& t) {
         t.Files(t.root, 100);
         const int a = t.fs.Folder(t.root, "a");
         t.Files(a, 100);
         t.Files(t.fs.Folder(a, "b"), kFileLimit);
         t.fs.File(a, "late-in-a");
         t.fs.File(t.fs.Folder(t.root, "c"), "never");
         t.fs.File(t.root, "late-in-root");
       },
       3, 1},
      {"limit among the root's own files",
       [](NumberedTree& t) {
         t.Files(t.root, kFileLimit + 5);
         t.fs.File(t.fs.Folder(t.root, "sub"), "never");
       },
       1, 0},
      {"limit exactly at the end of a sub-folder",
       [](NumberedTree& t) {
         t.Files(t.fs.Folder(t.root, "s"), kFileLimit);
         t.fs.File(t.fs.Folder(t.root, "t"), "never");
       },
       2, 1},
      {"limit five levels down",
       [](NumberedTree& t) {
         int at = t.root;
         for (const char* name : {"a", "b", "c", "d", "e"}) {
           t.Files(at, 10);
           at = t.fs.Folder(at, name);
         }
         t.Files(at, kFileLimit);
       },
       6, 1},
  };
  std::vector<std::u16string> expected;
  for (int k = 0; k < kFileLimit; ++k) expected.push_back(u"n" + base::FromUtf8(std::to_string(k)));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NumberedTree t;
    c.build(t);
    Scan s;
    s.Run(t.fs, u"/data");
    EXPECT_EQ(s.counters.FileCount, kFileLimit);
    EXPECT_EQ(s.table.RowCount(), kFileLimit + 2);
    EXPECT_EQ(s.table.Cell(base::kColNumber, kFileLimit), u"20000");
    EXPECT_TRUE(s.Column(base::kColName) == expected);
    EXPECT_EQ(s.counters.FolderCount, c.folders);
    EXPECT_EQ(static_cast<int>(s.host.messages.size()), c.messages);
    for (const auto& m : s.host.messages) EXPECT_EQ(m, FileLimitMessage());
  }
}

TEST_F(FolderScanTest, LimitMessageComesAfterPendingEventsOnTheWayUp) {
  NumberedTree t;
  const int a = t.fs.Folder(t.root, "a");
  t.Files(t.fs.Folder(a, "b"), kFileLimit);
  Scan s;
  s.Run(t.fs, u"/data");
  EXPECT_THAT(s.host.events, ElementsAre("files 20000", "folders 1", "events",  // b
                                         "files 20000", "folders 2", "events",  // a
                                         "files 20000", "folders 3", "events", "message"));
}

TEST_F(FolderScanTest, LimitDeepInAChainAsksOnce) {
  constexpr int kDepth = 3000;
  NumberedTree t;
  t.fs.listDots = false;
  int at = t.root;
  for (int k = 0; k < kDepth; ++k) at = t.fs.Folder(at, "d");
  t.Files(at, kFileLimit + 1);
  Scan s;
  s.Run(t.fs, u"/data");
  EXPECT_EQ(s.counters.FileCount, kFileLimit);
  EXPECT_EQ(s.counters.FolderCount, kDepth + 1);
  EXPECT_EQ(s.host.messages.size(), 1u);
}

TEST_F(FolderScanTest, DeepChainNeedsNoDeepStack) {
  constexpr int kDepth = 100000;
  FakeTree fs;
  fs.listDots = false;
  int at = fs.Root("/data");
  fs.File(at, "top");
  for (int k = 0; k < kDepth; ++k) at = fs.Folder(at, "d");
  fs.File(at, "bottom");
  Scan s;
  s.Run(fs, u"/data");
  EXPECT_EQ(s.counters.FolderCount, kDepth + 1);
  EXPECT_EQ(s.counters.FileCount, 2);
  ASSERT_EQ(s.table.RowCount(), 4);
  std::u16string chain = u"d";
  for (int k = 1; k < kDepth; ++k) chain += u"/d";
  EXPECT_EQ(s.table.Cell(base::kColName, 2), u"bottom");
  EXPECT_TRUE(s.table.Cell(base::kColFolder, 2) == chain);
}

}  // namespace
}  // namespace tarnvik::core
