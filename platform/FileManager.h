#pragma once

#include <string>

namespace tarnvik::platform {

// The desktop's file manager, asked to show a file in its folder.
class FileManager {
 public:
  virtual ~FileManager() = default;

  // Asks the file manager to open the folder of the file at `nativePath`
  // (the file system's own bytes, an absolute path) with that file selected.
  // The path reaches the file manager as exactly that file, never through a
  // shell. Returns false when no file manager offers to show files or the
  // request was refused; the caller may then open the folder itself. True
  // means the request was accepted, not that a window has appeared. UI
  // thread.
  virtual bool ShowItem(const std::string& nativePath) = 0;
};

}  // namespace tarnvik::platform
