#include "platform/posix/PosixFileQueries.h"

#include <sys/stat.h>

#include <cstdlib>

namespace tarnvik::platform {

bool PosixFileQueries::StatPath(const std::string& nativePath, FileInfo& out) const {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  struct stat st;
  if (lstat(nativePath.c_str(), &st) != 0) return false;
  out.size = st.st_size;
  out.mtime = st.st_mtim.tv_sec;
  return true;
}

bool PosixFileQueries::IsFolder(const std::string& nativePath) const {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  struct stat st;
  return stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string PosixFileQueries::DefaultRoot() const {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
}

}  // namespace tarnvik::platform
