#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/DirectoryTree.h"

namespace tarnvik::platform {

// DirectoryTree over the Windows find functions.
//
// A handle stands for the full path of its folder in the "\\?\" form, so
// no path is limited to MAX_PATH and no system handle stays open between
// calls. A listing is one FindFirstFileExW/FindNextFileW pass over "*" with
// every attribute: hidden and system entries are listed, and each file's
// size and last-write time come from the find data (`hasInfo` is set), so a
// scan needs no call per file. Junctions, symbolic links and every other
// reparse point are listed as files with their own data and never entered.
// Names are in the native form of platform/win32/WideText.h. Separator() is
// "\". Not thread-safe.
class Win32DirectoryTree final : public DirectoryTree {
 public:
  Handle OpenRoot(const std::string& nativePath) override;
  Handle OpenChild(Handle parent, std::string_view name) override;
  bool List(Handle folder, std::vector<DirEntry>& out) override;
  bool Stat(Handle folder, std::string_view name, FileInfo& out) override;
  void Close(Handle folder) override;
  char16_t Separator() const override { return u'\\'; }
  // A Windows system error code (GetLastError).
  int LastError() const override { return lastError_; }

 private:
  struct Node {
    std::wstring path;  // extended form, without a trailing "\"
    bool open = false;
  };

  bool Valid(Handle h) const;
  Handle NewNode(std::wstring path);
  // The path of `name` inside folder h; empty when name is not one name.
  std::wstring ChildPath(Handle h, std::string_view name) const;

  std::vector<Node> nodes_;
  std::vector<Handle> free_;
  std::wstring pattern_;
  int lastError_ = 0;
};

}  // namespace tarnvik::platform
