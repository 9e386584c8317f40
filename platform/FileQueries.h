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

  // The root every search slot starts with and falls back to, in native
  // form and without a trailing separator: on Windows the drive of the
  // Windows folder ("C:", never "C:\\"); elsewhere the user's home folder
  // ($HOME when it is an absolute path), else "/".
  virtual std::string DefaultRoot() const = 0;

  // True when a file may be written at nativePath: nothing is there, or a
  // regular file (which the new file replaces); false for a folder, a link,
  // a device or anything that cannot be examined.
  virtual bool MayWriteFile(const std::string& nativePath) const = 0;

  // The operating system's text for an error number of
  // DirectoryTree::LastError().
  virtual std::string ErrorText(int error) const = 0;
};

}  // namespace tarnvik::platform
