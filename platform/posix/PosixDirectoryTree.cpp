// The POSIX directory walker in two parts: this file keeps the descriptor
// cache (one node per folder handed out, the least-recently-used list of
// the nodes holding a descriptor, eviction within the budget and reopening
// by name with an identity check); DirectoryReader.cpp reads listings and
// metadata through whatever descriptor the cache gives it.

#include "platform/posix/PosixDirectoryTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarnvik::platform {

namespace {

constexpr int kMinBudget = 4;
constexpr int kMaxBudget = 256;

// The root may be reached through symbolic links (that is the path the user
// chose); below it nothing is followed, so a link never leads the walk in a
// circle or out of the tree. O_DIRECTORY makes a FIFO or device fail before
// it is opened, so nothing can block.
constexpr int kRootFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr int kChildFlags = kRootFlags | O_NOFOLLOW;

int BudgetFromLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return kMaxBudget;
  }
  // A quarter leaves the rest of the program (and the window system) room.
  const auto quarter = static_cast<long long>(limit.rlim_cur / 4);
  return static_cast<int>(std::clamp<long long>(quarter, kMinBudget, kMaxBudget));
}

}  // namespace

PosixDirectoryTree::PosixDirectoryTree(int descriptorBudget)
    : budget_(descriptorBudget > 0 ? std::max(descriptorBudget, kMinBudget) : BudgetFromLimit()) {}

PosixDirectoryTree::~PosixDirectoryTree() {
  for (const Node& n : nodes_) {
    if (n.fd >= 0) close(n.fd);
  }
}

bool PosixDirectoryTree::Valid(Handle h) const {
  return h >= 0 && h < static_cast<int>(nodes_.size()) && nodes_[h].open;
}

bool PosixDirectoryTree::SetName(std::string_view name) {
  // Two memchr scans: find_first_of over a two-character set goes character
  // by character, and this runs once per file.
  if (name.empty() || std::memchr(name.data(), '/', name.size()) != nullptr ||
      std::memchr(name.data(), '\0', name.size()) != nullptr) {
    return false;
  }
  name_.assign(name);
  return true;
}

int PosixDirectoryTree::NewNode(int parent, std::string_view name) {
  int h;
  if (free_.empty()) {
    h = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
  } else {
    h = free_.back();
    free_.pop_back();
  }
  Node& n = nodes_[h];
  n.name.assign(name);
  n.parent = parent;
  n.fd = -1;
  n.children = 0;
  n.open = true;
  n.atStart = false;
  n.identified = false;
  n.newer = n.older = -1;
  if (parent >= 0) ++nodes_[parent].children;
  return h;
}

void PosixDirectoryTree::ReleaseNode(int h) {
  // A parent closed before its children stays known until the last child is
  // closed, because reopening a child walks down through it.
  while (h >= 0 && !nodes_[h].open && nodes_[h].children == 0) {
    Drop(h);
    free_.push_back(h);
    const int parent = nodes_[h].parent;
    nodes_[h].parent = -1;
    if (parent >= 0) --nodes_[parent].children;
    h = parent;
  }
}

int PosixDirectoryTree::Descriptor(int h) {
  if (nodes_[h].fd >= 0) {
    Touch(h);
    return nodes_[h].fd;
  }
  chain_.clear();
  int base = h;
  while (base >= 0 && nodes_[base].fd < 0) {
    chain_.push_back(base);
    base = nodes_[base].parent;
  }
  int baseFd = AT_FDCWD;
  if (base >= 0) {
    Touch(base);
    baseFd = nodes_[base].fd;
  }
  for (auto it = chain_.rbegin(); it != chain_.rend(); ++it) {
    const int c = *it;
    const int flags = nodes_[c].parent < 0 ? kRootFlags : kChildFlags;
    int fd = OpenAt(baseFd, nodes_[c].name.c_str(), flags, base);
    if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
      // Evicted nodes are always identified, so the path cannot lead
      // elsewhere unnoticed; the node's own identity is checked below.
      fd = OpenByPath(c, flags, false, 0, 0);
    }
    if (fd < 0) {
      lastError_ = errno;
      return -1;
    }
    // Reading a stranger's entries under this folder's name would put wrong
    // rows in the table; failing leaves them out instead.
    struct stat st;
    if (nodes_[c].identified &&
        (fstat(fd, &st) != 0 || st.st_dev != nodes_[c].dev || st.st_ino != nodes_[c].ino)) {
      close(fd);
      lastError_ = ESTALE;
      return -1;
    }
    Attach(c, fd);
    base = c;
    baseFd = fd;
  }
  return baseFd;
}

int PosixDirectoryTree::OpenAt(int baseFd, const char* name, int flags, int keep) {
  for (;;) {
    const int fd = openat(baseFd, name, flags);
    if (fd >= 0) return fd;
    if (errno == EINTR) continue;
    // Other parts of the program may hold descriptors too; giving back one
    // of ours is always possible while we hold any besides the base folder.
    if ((errno == EMFILE || errno == ENFILE) && EvictOldest(keep)) continue;
    return -1;
  }
}

int PosixDirectoryTree::OpenByPath(int h, int flags, bool identified, dev_t dev, ino_t ino) {
  std::string path;
  for (int at = h; at >= 0; at = nodes_[at].parent) {
    const std::string& name = nodes_[at].name;
    if (!path.empty() || at != h) path.insert(0, "/");
    path.insert(0, name);
    if (nodes_[at].parent < 0 && name.size() > 1 && name.back() == '/') path.erase(name.size(), 1);
  }
  while (EvictOldest(-1)) {
  }
  int fd;
  do {
    fd = open(path.c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st;
  if (identified && (fstat(fd, &st) != 0 || st.st_dev != dev || st.st_ino != ino)) {
    close(fd);
    errno = ESTALE;
    return -1;
  }
  return fd;
}

void PosixDirectoryTree::Attach(int h, int fd) {
  Node& n = nodes_[h];
  n.fd = fd;
  n.atStart = true;
  n.older = newest_;
  n.newer = -1;
  if (newest_ >= 0) nodes_[newest_].newer = h;
  newest_ = h;
  if (oldest_ < 0) oldest_ = h;
  ++held_;
  while (held_ > budget_ && EvictOldest(h)) {
  }
}

void PosixDirectoryTree::Touch(int h) {
  if (newest_ == h) return;
  Unlink(h);
  Node& n = nodes_[h];
  n.older = newest_;
  n.newer = -1;
  if (newest_ >= 0) nodes_[newest_].newer = h;
  newest_ = h;
  if (oldest_ < 0) oldest_ = h;
}

void PosixDirectoryTree::Unlink(int h) {
  Node& n = nodes_[h];
  if (n.newer >= 0) {
    nodes_[n.newer].older = n.older;
  } else {
    newest_ = n.older;
  }
  if (n.older >= 0) {
    nodes_[n.older].newer = n.newer;
  } else {
    oldest_ = n.newer;
  }
  n.newer = n.older = -1;
}

bool PosixDirectoryTree::EvictOldest(int keep) {
  int victim = oldest_;
  if (victim >= 0 && victim == keep) victim = nodes_[victim].newer;
  if (victim < 0) return false;
  Node& n = nodes_[victim];
  // Remember which folder this was, so that reopening it by name can tell
  // whether it is still the same one.
  struct stat st;
  if (!n.identified && fstat(n.fd, &st) == 0) {
    n.dev = st.st_dev;
    n.ino = st.st_ino;
    n.identified = true;
  }
  Drop(victim);
  return true;
}

void PosixDirectoryTree::Drop(int h) {
  Node& n = nodes_[h];
  if (n.fd < 0) return;
  Unlink(h);
  close(n.fd);
  n.fd = -1;
  --held_;
}

DirectoryTree::Handle PosixDirectoryTree::OpenRoot(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return -1;
  const int fd = OpenAt(AT_FDCWD, nativePath.c_str(), kRootFlags, -1);
  if (fd < 0) {
    lastError_ = errno;
    return -1;
  }
  const int h = NewNode(-1, nativePath);
  Attach(h, fd);
  return h;
}

DirectoryTree::Handle PosixDirectoryTree::OpenChild(Handle parent, std::string_view name) {
  if (!Valid(parent) || !SetName(name) || name == "." || name == "..") {
    lastError_ = EINVAL;
    return -1;
  }
  const int parentFd = Descriptor(parent);
  if (parentFd < 0) return -1;
  int fd = OpenAt(parentFd, name_.c_str(), kChildFlags, parent);
  if (fd >= 0) {
    const int h = NewNode(parent, name);
    Attach(h, fd);
    return h;
  }
  if (errno != EMFILE && errno != ENFILE) {
    lastError_ = errno;
    return -1;
  }
  // No descriptor to spare beside the parent's: learn which folder the name
  // stands for while the parent is open, then open it by its path.
  struct stat st;
  if (fstatat(parentFd, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) {
    lastError_ = errno == 0 ? ENOTDIR : errno;
    return -1;
  }
  const int h = NewNode(parent, name);
  fd = OpenByPath(h, kChildFlags, true, st.st_dev, st.st_ino);
  if (fd < 0) {
    lastError_ = errno;
    nodes_[h].open = false;
    ReleaseNode(h);
    return -1;
  }
  nodes_[h].identified = true;
  nodes_[h].dev = st.st_dev;
  nodes_[h].ino = st.st_ino;
  Attach(h, fd);
  return h;
}

bool PosixDirectoryTree::List(Handle folder, std::vector<DirEntry>& out) {
  const auto finish = [&](bool ok) {
    if (!ok) out.clear();
    return ok;
  };
  if (!Valid(folder)) {
    lastError_ = EBADF;
    return finish(false);
  }
  const int fd = Descriptor(folder);
  if (fd < 0) return finish(false);
  if (!nodes_[folder].atStart && lseek(fd, 0, SEEK_SET) != 0) {
    lastError_ = errno;
    return finish(false);
  }
  nodes_[folder].atStart = false;
  const int error = reader_.List(fd, out);
  if (error != 0) lastError_ = error;
  return error == 0;
}

bool PosixDirectoryTree::Stat(Handle folder, std::string_view name, FileInfo& out) {
  if (!Valid(folder) || !SetName(name)) return false;
  const int fd = Descriptor(folder);
  if (fd < 0) return false;
  return DirectoryReader::Stat(fd, name_.c_str(), out);
}

void PosixDirectoryTree::Close(Handle folder) {
  if (!Valid(folder)) return;
  nodes_[folder].open = false;
  Drop(folder);
  ReleaseNode(folder);
}

}  // namespace tarnvik::platform
