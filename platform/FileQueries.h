#pragma once

#include <string>

#include "platform/DirectoryTree.h"

namespace tarnvik::platform {

// Questions about single paths, outside a directory walk. Paths are the
// file system's own bytes. Not thread-safe only where the operating system
// is not; the program asks from the UI thread.
class FileQueries {
 public:
  virtual ~FileQueries() = default;

  // Reads the metadata of the file at a full path, without following a
  // final symbolic link. Returns false when nothing exists there.
  virtual bool StatPath(const std::string& nativePath, FileInfo& out) const = 0;

  // True when nativePath names an existing folder (links followed).
  virtual bool IsFolder(const std::string& nativePath) const = 0;

  // The root every search slot starts with and falls back to: the user's
  // home folder on Linux, the drive of the Windows folder on Windows. May
  // end in a separator; empty when the system names none.
  virtual std::string DefaultRoot() const = 0;
};

}  // namespace tarnvik::platform
