#pragma once

#include "platform/FileQueries.h"

namespace tarnvik::platform {

// Path questions through lstat and stat, error texts through strerror_r.
class PosixFileQueries final : public FileQueries {
 public:
  bool StatPath(const std::string& nativePath, FileInfo& out) const override;
  bool IsFolder(const std::string& nativePath) const override;
  std::string DefaultRoot() const override;
  bool MayWriteFile(const std::string& nativePath) const override;
  std::string ErrorText(int error) const override;
};

}  // namespace tarnvik::platform
