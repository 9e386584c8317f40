#pragma once

#include <memory>
#include <vector>

#include "platform/DirectoryTree.h"

namespace tarnvik::platform {

// Reads folders and file metadata through a directory descriptor (Linux):
// listings straight from getdents64 into one reused buffer, metadata from
// fstatat without following a final symbolic link. Knows nothing of paths or
// of which descriptors are open; PosixDirectoryTree hands it descriptors.
// Not thread-safe.
class DirectoryReader {
 public:
  DirectoryReader();

  // Lists every entry of the folder open on `fd`, from the descriptor's
  // current position to the end, into `out`. The entries already in `out`
  // are overwritten rather than destroyed, so listing one folder after
  // another into the same vector reuses the storage of the names. An entry
  // whose kind the file system does not report is examined at once (its
  // metadata kept in the entry). Returns 0, or the errno of the failure
  // (then `out` is empty).
  int List(int fd, std::vector<DirEntry>& out);

  // The metadata of the entry `name` (NUL-terminated, no "/") of the folder
  // open on `fd`. Returns false when it vanished or cannot be read.
  static bool Stat(int fd, const char* name, FileInfo& out);

 private:
  std::unique_ptr<char[]> buffer_;
};

}  // namespace tarnvik::platform
