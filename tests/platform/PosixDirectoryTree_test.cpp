#include "platform/posix/PosixDirectoryTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/Columns.h"
#include "base/TextCodec.h"
#include "core/FolderScan.h"
#include "platform/posix/PosixLocalClock.h"

namespace tarnvik::platform {
namespace {

using base::kColFolder;
using base::kColName;
using base::kColSize;
using base::kColTime;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Time texts below are those of UTC.
class UtcEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};
[[maybe_unused]] ::testing::Environment* const kUtc =
    ::testing::AddGlobalTestEnvironment(new UtcEnvironment);

// Removes a folder tree of any depth: walks down one descriptor at a time
// and back up through "..", so that no path is ever longer than one name.
void RemoveTree(const std::string& path) {
  int fd = open(path.c_str(), kDirFlags);
  if (fd < 0) {
    unlink(path.c_str());
    return;
  }
  std::vector<std::string> way;
  for (;;) {
    std::string sub;
    DIR* d = fdopendir(dup(fd));
    if (d == nullptr) break;
    rewinddir(d);
    while (const dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      struct stat st;
      if (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
        if (sub.empty()) sub = name;
      } else {
        unlinkat(fd, e->d_name, 0);
      }
    }
    closedir(d);
    if (!sub.empty()) {
      fchmodat(fd, sub.c_str(), 0700, 0);
      const int child = openat(fd, sub.c_str(), kDirFlags);
      if (child < 0) break;
      close(fd);
      fd = child;
      way.push_back(sub);
      continue;
    }
    if (way.empty()) break;
    const int parent = openat(fd, "..", kDirFlags);
    close(fd);
    fd = parent;
    if (fd < 0) return;
    unlinkat(fd, way.back().c_str(), AT_REMOVEDIR);
    way.pop_back();
  }
  close(fd);
  rmdir(path.c_str());
}

class TempDir {
 public:
  TempDir() {
    const char* tmp = std::getenv("TMPDIR");
    path_ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tarnvik-tree-XXXXXX";
    if (mkdtemp(path_.data()) == nullptr) path_.clear();
    chmod(path_.c_str(), 0755);
  }
  ~TempDir() {
    if (!path_.empty()) RemoveTree(path_);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

bool MakeFileAt(int dirFd, const std::string& name, off_t size = 0, time_t mtime = 1704067200) {
  const int fd = openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
  const bool ok = ftruncate(fd, size) == 0 && futimens(fd, times) == 0;
  return close(fd) == 0 && ok;
}

bool MakeFile(const std::string& path, off_t size = 0, time_t mtime = 1704067200) {
  return MakeFileAt(AT_FDCWD, path, size, mtime);
}

// Makes `depth` folders named name(level), each inside the one before,
// below `root`, and calls fill(fd, level) for the root (level 0) and each of
// them.
bool MakeChain(const std::string& root, int depth, const std::function<std::string(int)>& name,
               const std::function<bool(int, int)>& fill) {
  int fd = open(root.c_str(), kDirFlags);
  if (fd < 0) return false;
  bool ok = fill(fd, 0);
  for (int level = 1; ok && level <= depth; ++level) {
    const std::string n = name(level);
    const int child = mkdirat(fd, n.c_str(), 0755) == 0 ? openat(fd, n.c_str(), kDirFlags) : -1;
    close(fd);
    fd = child;
    ok = fd >= 0 && fill(fd, level);
  }
  if (fd >= 0) close(fd);
  return ok;
}

int OpenDescriptors() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d) != nullptr) ++n;
    closedir(d);
  }
  return n;
}

// Keeps the soft descriptor limit at `soft` for its lifetime.
class DescriptorLimit {
 public:
  explicit DescriptorLimit(rlim_t soft) {
    getrlimit(RLIMIT_NOFILE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = std::min<rlim_t>(soft, saved_.rlim_max);
    set_ = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
  }
  ~DescriptorLimit() { setrlimit(RLIMIT_NOFILE, &saved_); }
  bool set() const { return set_; }

 private:
  rlimit saved_{};
  bool set_ = false;
};

// What a scan produced, in a form that can also come back from a child
// process.
struct ScanResult {
  int files = 0;
  int folders = 0;
  int messages = 0;
  std::vector<std::vector<std::u16string>> rows;  // name, folder, time, size

  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> out;
    for (const auto& r : rows) out.push_back(r[0]);
    return out;
  }
};

class Host : public base::EngineHost {
 public:
  std::function<void()> onEvents;
  int messages = 0;
  void ProcessPendingEvents() override {
    if (onEvents) onEvents();
  }
  void ShowMessage(const std::u16string&) override { ++messages; }
};

ScanResult Scan(const std::string& root, DirectoryTree& fs, Host& host) {
  base::ResultTable table;
  base::Counters counters;
  const std::u16string text = base::NativeToText(root);
  const PosixLocalClock clock;
  core::ScanFolder(text, text, counters, table, host, fs, clock);
  ScanResult out;
  out.files = counters.FileCount;
  out.folders = counters.FolderCount;
  out.messages = host.messages;
  for (int r = 1; r < table.RowCount() - 1; ++r) {
    out.rows.push_back({table.Cell(base::kColName, r), table.Cell(base::kColFolder, r),
                        table.Cell(base::kColTime, r), table.Cell(base::kColSize, r)});
  }
  return out;
}

ScanResult Scan(const std::string& root) {
  PosixDirectoryTree fs;
  Host host;
  const ScanResult result = Scan(root, fs, host);
  EXPECT_EQ(fs.HeldDescriptors(), 0);
  return result;
}

// Runs the scan as an ordinary user even when the tests run as root, for
// whom permissions do not bite: a child process drops to "nobody" and sends
// the result back through a pipe. Returns false when that is not possible.
bool ScanUnprivileged(const std::string& root, ScanResult& out) {
  if (geteuid() != 0) {
    out = Scan(root);
    return true;
  }
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return false;
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(pipeFds[0]);
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    if (access(root.c_str(), R_OK | X_OK) != 0) _exit(5);  // a temp folder nobody can reach
    const ScanResult r = Scan(root);
    std::ostringstream text;
    text << r.files << ' ' << r.folders << ' ' << r.messages << '\n';
    for (const auto& row : r.rows) {
      for (const auto& cell : row) text << base::ToUtf8(cell) << '\t';
      text << '\n';
    }
    const std::string s = text.str();
    for (size_t done = 0; done < s.size();) {
      const ssize_t n = write(pipeFds[1], s.data() + done, s.size() - done);
      if (n <= 0) _exit(4);
      done += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(pipeFds[1]);
  std::string s;
  char buf[4096];
  for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;) s.append(buf, n);
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  std::istringstream in(s);
  in >> out.files >> out.folders >> out.messages;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::u16string> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) row.push_back(base::FromUtf8(cell));
    row.resize(4);
    out.rows.push_back(row);
  }
  return true;
}

std::map<std::string, bool> Listing(DirectoryTree& fs, DirectoryTree::Handle h) {
  std::vector<DirEntry> entries;
  EXPECT_TRUE(fs.List(h, entries));
  std::map<std::string, bool> out;
  for (const auto& e : entries) out[e.name] = e.isFolder;
  return out;
}

// A folder with one entry of every kind: files, a dot-file, a folder, links
// to a folder and to nothing, a FIFO, a socket and (where the test may make
// one) a device.
struct MixedFolder {
  TempDir dir;
  bool device = false;

  MixedFolder() {
    MakeFile(dir / "a.txt", 12);
    MakeFile(dir / ".hidden", 1);
    mkdir((dir / "sub").c_str(), 0755);
    MakeFile(dir / "sub/inner.txt", 5);
    symlink("sub", (dir / "link-to-sub").c_str());
    symlink("nowhere", (dir / "dangling").c_str());
    mkfifo((dir / "pipe").c_str(), 0644);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string sock = dir / "sock";
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sock.c_str());
    if (s >= 0) {
      bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
      close(s);
    }
    device = mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  }
};

// Fails the test (by ending it) instead of hanging when something blocks.
class Watchdog {
 public:
  Watchdog() { alarm(120); }
  ~Watchdog() { alarm(0); }
};

TEST(PosixDirectoryTree, ListsEveryEntryAndOnlyRealFoldersAreFolders) {
  MixedFolder m;
  Watchdog watchdog;
  PosixDirectoryTree fs;
  const auto root = fs.OpenRoot(m.dir.path());
  ASSERT_GE(root, 0);
  std::map<std::string, bool> expected = {
      {".", true},         {"..", true},    {"a.txt", false},
      {".hidden", false},  {"sub", true},   {"link-to-sub", false},
      {"dangling", false}, {"pipe", false}, {"sock", false}};
  if (m.device) expected["null"] = false;
  EXPECT_EQ(Listing(fs, root), expected);
  // Listing twice gives the same entries.
  EXPECT_EQ(Listing(fs, root), expected);

  for (const char* name : {"link-to-sub", "dangling", "pipe", "sock", "null", "a.txt", "..", ".",
                           "sub/..", "", "missing"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(fs.OpenChild(root, name), -1);
  }

  FileInfo info;
  ASSERT_TRUE(fs.Stat(root, "link-to-sub", info));
  EXPECT_EQ(info.size, 3);  // the link itself: its text "sub"
  ASSERT_TRUE(fs.Stat(root, "a.txt", info));
  EXPECT_EQ(info.size, 12);
  EXPECT_EQ(info.mtime, 1704067200);
  EXPECT_TRUE(fs.Stat(root, "pipe", info));
  EXPECT_FALSE(fs.Stat(root, "missing", info));

  const auto sub = fs.OpenChild(root, "sub");
  ASSERT_GE(sub, 0);
  EXPECT_EQ(Listing(fs, sub),
            (std::map<std::string, bool>{{".", true}, {"..", true}, {"inner.txt", false}}));
  fs.Close(sub);
  fs.Close(root);
  EXPECT_EQ(fs.HeldDescriptors(), 0);
  std::vector<DirEntry> entries;
  EXPECT_FALSE(fs.List(root, entries));
}

TEST(PosixDirectoryTree, ScanListsLinksAndSpecialFilesWithoutEnteringOrOpeningThem) {
  MixedFolder m;
  Watchdog watchdog;
  const ScanResult r = Scan(m.dir.path());
  std::vector<std::u16string> names = {u"a.txt",    u".hidden", u"inner.txt", u"link-to-sub",
                                       u"dangling", u"pipe",    u"sock"};
  if (m.device) names.push_back(u"null");
  EXPECT_THAT(r.Names(), UnorderedElementsAreArray(names));
  EXPECT_EQ(r.files, static_cast<int>(names.size()));
  EXPECT_EQ(r.folders, 2);
  for (const auto& row : r.rows) {
    SCOPED_TRACE(base::ToUtf8(row[0]));
    EXPECT_EQ(row[1], row[0] == u"inner.txt" ? u"sub" : u"");
    EXPECT_FALSE(row[2].empty());
    if (row[0] == u"link-to-sub") {
      EXPECT_EQ(row[3], u"     3");
    }
  }
}

TEST(PosixDirectoryTree, MetadataIsReadThroughTheFolderNotItsPath) {
  TempDir dir;
  ASSERT_EQ(mkdir((dir / "before").c_str(), 0755), 0);
  ASSERT_TRUE(MakeFile(dir / "before/f", 4321, 1000000001));
  PosixDirectoryTree fs;
  const auto root = fs.OpenRoot(dir / "before");
  ASSERT_GE(root, 0);
  ASSERT_EQ(rename((dir / "before").c_str(), (dir / "after").c_str()), 0);
  FileInfo info;
  ASSERT_TRUE(fs.Stat(root, "f", info));
  EXPECT_EQ(info.size, 4321);
  EXPECT_EQ(info.mtime, 1000000001);
  ASSERT_EQ(unlink((dir / "after/f").c_str()), 0);
  EXPECT_FALSE(fs.Stat(root, "f", info));
  fs.Close(root);
}

TEST(PosixDirectoryTree, EvictedFoldersAreReopenedOnlyWhenStillTheSame) {
  TempDir dir;
  for (const char* name : {"r", "r/a", "r/b", "r/c", "r/d", "r/e", "r/x", "r/x/y", "r/x/y/z"}) {
    ASSERT_EQ(mkdir((dir / name).c_str(), 0755), 0);
  }
  ASSERT_TRUE(MakeFile(dir / "r/a/fa"));
  ASSERT_TRUE(MakeFile(dir / "r/x/y/z/fz", 77));
  PosixDirectoryTree fs(4);
  ASSERT_EQ(fs.DescriptorBudget(), 4);
  const auto r = fs.OpenRoot(dir / "r");
  const auto a = fs.OpenChild(r, "a");
  const auto x = fs.OpenChild(r, "x");
  const auto y = fs.OpenChild(x, "y");
  const auto z = fs.OpenChild(y, "z");
  std::vector<DirectoryTree::Handle> others;
  for (const char* name : {"b", "c", "d", "e"}) others.push_back(fs.OpenChild(r, name));
  for (const auto h : {r, a, x, y, z}) ASSERT_GE(h, 0);
  for (const auto h : others) ASSERT_GE(h, 0);
  EXPECT_LE(fs.HeldDescriptors(), 4);

  // z, y and x were pushed out; reaching z again walks down from r.
  FileInfo info;
  ASSERT_TRUE(fs.Stat(z, "fz", info));
  EXPECT_EQ(info.size, 77);
  EXPECT_LE(fs.HeldDescriptors(), 4);

  // The same for a, as long as "a" is still the folder that was opened.
  for (const auto h : others) EXPECT_EQ(Listing(fs, h).size(), 2u);
  EXPECT_EQ(Listing(fs, a).count("fa"), 1u);
  for (const auto h : others) EXPECT_EQ(Listing(fs, h).size(), 2u);
  ASSERT_EQ(rename((dir / "r/a").c_str(), (dir / "r/a-old").c_str()), 0);
  ASSERT_EQ(mkdir((dir / "r/a").c_str(), 0755), 0);
  ASSERT_TRUE(MakeFile(dir / "r/a/fa"));
  std::vector<DirEntry> entries;
  EXPECT_FALSE(fs.List(a, entries));
  EXPECT_THAT(entries, IsEmpty());
  EXPECT_FALSE(fs.Stat(a, "fa", info));
  EXPECT_EQ(fs.OpenChild(a, "anything"), -1);

  for (const auto h : others) fs.Close(h);
  for (const auto h : {z, y, x, a, r}) fs.Close(h);
  EXPECT_EQ(fs.HeldDescriptors(), 0);
}

TEST(PosixDirectoryTree, ParentClosedBeforeItsChildStillLetsTheChildBeReopened) {
  TempDir dir;
  for (const char* name : {"r", "r/a", "r/a/b", "r/c", "r/d", "r/e", "r/f"}) {
    ASSERT_EQ(mkdir((dir / name).c_str(), 0755), 0);
  }
  ASSERT_TRUE(MakeFile(dir / "r/a/b/fb"));
  PosixDirectoryTree fs(4);
  const auto r = fs.OpenRoot(dir / "r");
  const auto a = fs.OpenChild(r, "a");
  const auto b = fs.OpenChild(a, "b");
  fs.Close(a);
  std::vector<DirectoryTree::Handle> others;
  for (const char* name : {"c", "d", "e", "f"}) others.push_back(fs.OpenChild(r, name));
  FileInfo info;
  EXPECT_TRUE(fs.Stat(b, "fb", info));
  EXPECT_FALSE(fs.Stat(a, "b", info));  // a itself was closed
  for (const auto h : others) fs.Close(h);
  fs.Close(b);
  fs.Close(r);
  EXPECT_EQ(fs.HeldDescriptors(), 0);
}

TEST(PosixDirectoryTree, DeepTreeUnderALowDescriptorLimitListsEveryFile) {
  constexpr int kDepth = 1500;
  TempDir dir;
  // Folder names vary by level, so that in hash-ordered listings some files
  // come after the folder and the scan needs folders whose descriptors it
  // had to give up.
  const auto name = [](int level) { return std::string(1, static_cast<char>('a' + level % 10)); };
  ASSERT_TRUE(MakeChain(dir.path(), kDepth, name, [](int fd, int) {
    return MakeFileAt(fd, "u") && MakeFileAt(fd, "v") && MakeFileAt(fd, "w");
  }));
  const int before = OpenDescriptors();
  ScanResult r;
  int most = 0;
  int budget = 0;
  {
    DescriptorLimit limit(64);
    ASSERT_TRUE(limit.set());
    PosixDirectoryTree fs;
    budget = fs.DescriptorBudget();
    Host host;
    host.onEvents = [&] { most = std::max(most, OpenDescriptors() - before); };
    r = Scan(dir.path(), fs, host);
  }
  EXPECT_LT(budget, 64);
  EXPECT_LE(most, budget);
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_EQ(r.files, 3 * (kDepth + 1));
  EXPECT_EQ(r.folders, kDepth + 1);
  // Each level holds u, v and w, with a folder text of level * 2 - 1 characters.
  std::map<size_t, std::set<std::u16string>> byLevel;
  for (const auto& row : r.rows) {
    EXPECT_FALSE(row[2].empty());
    byLevel[row[1].empty() ? 0 : (row[1].size() + 1) / 2].insert(row[0]);
  }
  EXPECT_EQ(byLevel.size(), static_cast<size_t>(kDepth + 1));
  for (const auto& [level, names] : byLevel) {
    EXPECT_THAT(names, ElementsAre(u"u", u"v", u"w")) << level;
  }
}

TEST(PosixDirectoryTree, ChainDeeperThanAnyPathIsListed) {
  constexpr int kDepth = 10000;
  TempDir dir;
  ASSERT_TRUE(MakeChain(
      dir.path(), kDepth, [](int) { return "c"; },
      [](int fd, int level) {
        return level == 0 ? MakeFileAt(fd, "top") : level < kDepth || MakeFileAt(fd, "leaf");
      }));
  const ScanResult r = Scan(dir.path());
  EXPECT_EQ(r.files, 2);
  EXPECT_EQ(r.folders, kDepth + 1);
  ASSERT_EQ(r.rows.size(), 2u);
  const auto& leaf = r.rows[0][0] == u"leaf" ? r.rows[0] : r.rows[1];
  EXPECT_EQ(leaf[0], u"leaf");
  EXPECT_EQ(leaf[1].size(), static_cast<size_t>(2 * kDepth - 1));
  EXPECT_EQ(leaf[2], u"2024.01.01 00:00:00");
}

TEST(PosixDirectoryTree, UnreadableFoldersAreCountedAndSkipped) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir / "a.txt"));
  for (const char* name : {"locked", "noread", "nosearch", "nosearch/inner", "open"}) {
    ASSERT_EQ(mkdir((dir / name).c_str(), 0755), 0);
  }
  ASSERT_TRUE(MakeFile(dir / "locked/secret"));
  ASSERT_TRUE(MakeFile(dir / "noread/x"));
  ASSERT_TRUE(MakeFile(dir / "nosearch/y", 9));
  ASSERT_TRUE(MakeFile(dir / "nosearch/inner/z"));
  ASSERT_TRUE(MakeFile(dir / "open/b"));
  ASSERT_EQ(chmod((dir / "locked").c_str(), 0000), 0);
  ASSERT_EQ(chmod((dir / "noread").c_str(), 0333), 0);
  ASSERT_EQ(chmod((dir / "nosearch").c_str(), 0444), 0);

  ScanResult r;
  if (!ScanUnprivileged(dir.path(), r)) GTEST_SKIP() << "cannot scan as an ordinary user";
  EXPECT_EQ(r.files, 3);
  // root, locked, noread, nosearch, nosearch/inner, open
  EXPECT_EQ(r.folders, 6);
  EXPECT_EQ(r.messages, 0);
  // Inside a folder that can be read but not searched the names are known
  // and nothing else.
  EXPECT_THAT(r.rows,
              UnorderedElementsAre(ElementsAre(u"a.txt", u"", u"2024.01.01 00:00:00", u"     0"),
                                   ElementsAre(u"b", u"open", u"2024.01.01 00:00:00", u"     0"),
                                   ElementsAre(u"y", u"nosearch", u"", u"")));
}

TEST(PosixDirectoryTree, NamesThatAreNotUtf8SurviveTheScan) {
  TempDir dir;
  const std::string root = dir / "r\xE9";
  ASSERT_EQ(mkdir(root.c_str(), 0755), 0);
  const std::string names[] = {"caf\xE9.txt", "\xFF\xFE", "\x82\xA0\x82\xA2.txt", "日本語.txt"};
  for (const auto& n : names) ASSERT_TRUE(MakeFile(root + "/" + n, 3));
  ASSERT_EQ(mkdir((root + "/d\x80").c_str(), 0755), 0);
  ASSERT_TRUE(MakeFile(root + "/d\x80/x.txt", 3));

  const ScanResult r = Scan(root);
  ASSERT_EQ(r.files, 5);
  std::set<std::string> back;
  for (const auto& row : r.rows) {
    back.insert(base::TextToNative(row[0]));
    EXPECT_EQ(row[2], u"2024.01.01 00:00:00") << base::TextToNative(row[0]);
    if (row[0] == u"x.txt") {
      EXPECT_EQ(row[1], u"d\xDC80");
      EXPECT_EQ(base::TextToNative(row[1]), "d\x80");
    }
  }
  std::set<std::string> expected(std::begin(names), std::end(names));
  expected.insert("x.txt");
  EXPECT_EQ(back, expected);
  EXPECT_THAT(r.Names(), ::testing::Contains(u"caf\xDCE9.txt"));
}

TEST(PosixDirectoryTree, RootThatIsNoFolderYieldsNothing) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir / "file"));
  ASSERT_EQ(mkdir((dir / "removed").c_str(), 0755), 0);
  ASSERT_TRUE(MakeFile(dir / "removed/f"));
  ASSERT_EQ(unlink((dir / "removed/f").c_str()), 0);
  ASSERT_EQ(rmdir((dir / "removed").c_str()), 0);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  Watchdog watchdog;
  for (const std::string& root : {dir / "removed", dir / "file", dir / "pipe", std::string()}) {
    SCOPED_TRACE(root);
    const ScanResult r = Scan(root);
    EXPECT_EQ(r.files, 0);
    EXPECT_EQ(r.folders, 1);
    EXPECT_EQ(r.messages, 0);
    EXPECT_THAT(r.rows, IsEmpty());
  }
}

TEST(PosixDirectoryTree, RootReachedThroughALinkIsFollowed) {
  TempDir dir;
  ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
  ASSERT_TRUE(MakeFile(dir / "real/f"));
  ASSERT_EQ(symlink("real", (dir / "link").c_str()), 0);
  const ScanResult r = Scan(dir / "link");
  EXPECT_THAT(r.Names(), ElementsAre(u"f"));
}

TEST(PosixDirectoryTree, RealTreeStopsAtTheLimit) {
  TempDir dir;
  ASSERT_EQ(mkdir((dir / "s").c_str(), 0755), 0);
  const int fd = open((dir / "s").c_str(), kDirFlags);
  ASSERT_GE(fd, 0);
  for (int k = 0; k <= core::kFileLimit; ++k) ASSERT_TRUE(MakeFileAt(fd, std::to_string(k)));
  close(fd);
  const ScanResult r = Scan(dir.path());
  EXPECT_EQ(r.files, core::kFileLimit);
  EXPECT_EQ(r.folders, 2);
  EXPECT_EQ(r.messages, 1);
  std::set<std::u16string> names;
  for (const auto& row : r.rows) {
    EXPECT_EQ(row[1], u"s");
    names.insert(row[0]);
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(core::kFileLimit));
}

}  // namespace
}  // namespace tarnvik::platform
