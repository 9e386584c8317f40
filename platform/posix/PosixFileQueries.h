#pragma once

#include "platform/FileQueries.h"

namespace tarnvik::platform {

// Path questions through lstat and stat. The default root is $HOME, as the
// desktop's own programs take it, or "/" when HOME is not set or empty.
class PosixFileQueries final : public FileQueries {
 public:
  bool StatPath(const std::string& nativePath, FileInfo& out) const override;
  bool IsFolder(const std::string& nativePath) const override;
  std::string DefaultRoot() const override;
};

}  // namespace tarnvik::platform
