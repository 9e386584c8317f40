#pragma once

#include "platform/FileQueries.h"

namespace tarnvik::platform {

// Path questions through the Windows file functions ("\\?\" paths, so no
// MAX_PATH limit; a link to a folder counts as a folder only when its target
// is there), error texts through FormatMessageW, and the drive of the
// Windows folder as the default root. Defined with the directory walker,
// whose file-data helpers it shares.
class Win32FileQueries final : public FileQueries {
 public:
  bool StatPath(const std::string& nativePath, FileInfo& out) const override;
  bool IsFolder(const std::string& nativePath) const override;
  std::string DefaultRoot() const override;
  bool MayWriteFile(const std::string& nativePath) const override;
  std::string ErrorText(int error) const override;
};

}  // namespace tarnvik::platform
