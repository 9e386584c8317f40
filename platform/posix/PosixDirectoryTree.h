#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DirectoryTree.h"
#include "platform/posix/DirectoryReader.h"

namespace tarnvik::platform {

// DirectoryTree over POSIX directory descriptors (Linux).
//
// Sub-folders are opened relative to their parent's descriptor without
// following symbolic links, listings come straight from getdents64, and
// metadata from fstatat on the folder's descriptor, so no path is ever
// built and paths longer than PATH_MAX work. Symbolic links, FIFOs,
// sockets and devices are reported as non-folders and never opened.
//
// At most DescriptorBudget() descriptors are held at once. When a new
// folder would exceed the budget, or the process runs out of descriptors,
// the least recently used folder's descriptor is closed; a later call on
// that handle reopens it one component at a time from its nearest open
// ancestor and checks that it is still the same folder (device and inode).
// When the process cannot hold even a folder's and its parent's descriptor
// at once, every held descriptor is given back and the folder is opened by
// its full path instead, again checked to be the folder it was (so a link
// swapped in on the way is refused); only paths the system accepts whole
// (PATH_MAX) can be reached that way.
//
// Not thread-safe. Closes every descriptor it still holds when destroyed.
class PosixDirectoryTree final : public DirectoryTree {
 public:
  // `descriptorBudget` <= 0 derives the budget from the soft RLIMIT_NOFILE
  // (a quarter of it, between 4 and 256); a positive value is used as given,
  // but never below 4.
  explicit PosixDirectoryTree(int descriptorBudget = 0);
  ~PosixDirectoryTree() override;

  PosixDirectoryTree(const PosixDirectoryTree&) = delete;
  PosixDirectoryTree& operator=(const PosixDirectoryTree&) = delete;

  Handle OpenRoot(const std::string& nativePath) override;
  Handle OpenChild(Handle parent, std::string_view name) override;
  bool List(Handle folder, std::vector<DirEntry>& out) override;
  bool Stat(Handle folder, std::string_view name, FileInfo& out) override;
  void Close(Handle folder) override;
  int LastError() const override { return lastError_; }

  // The most descriptors held at once.
  int DescriptorBudget() const { return budget_; }
  // Descriptors held right now.
  int HeldDescriptors() const { return held_; }

 private:
  struct Node {
    std::string name;  // component below the parent; the path for a root
    int parent = -1;
    int fd = -1;
    int children = 0;      // live nodes below this one
    bool open = false;     // handed out and not yet closed by the caller
    bool atStart = false;  // fd is positioned at the first entry
    bool identified = false;
    dev_t dev = 0;
    ino_t ino = 0;
    int newer = -1;  // links of the recently-used list of nodes holding an fd
    int older = -1;
  };

  bool Valid(Handle h) const;
  bool SetName(std::string_view name);
  int NewNode(int parent, std::string_view name);
  void ReleaseNode(int h);
  int Descriptor(int h);
  int OpenAt(int baseFd, const char* name, int flags, int keep);
  void Attach(int h, int fd);
  void Touch(int h);
  void Unlink(int h);
  bool EvictOldest(int keep);
  int OpenByPath(int h, int flags, bool identified, dev_t dev, ino_t ino);
  void Drop(int h);

  int budget_;
  int held_ = 0;
  int lastError_ = 0;
  int newest_ = -1;
  int oldest_ = -1;
  std::vector<Node> nodes_;
  std::vector<int> free_;
  std::vector<int> chain_;
  std::string name_;  // NUL-terminated copy of the component being looked up
  DirectoryReader reader_;
};

}  // namespace tarnvik::platform
