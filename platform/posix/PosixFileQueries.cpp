#include "platform/posix/PosixFileQueries.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "base/CellFormat.h"
#include "platform/Files.h"

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
  if (home == nullptr || home[0] != '/') return "/";
  return base::WithoutTrailingSeparator(std::string(home));
}

bool PosixFileQueries::MayWriteFile(const std::string& nativePath) const {
  const PathKind kind = ExaminePath(nativePath);
  return kind == PathKind::Missing || kind == PathKind::RegularFile;
}

std::string PosixFileQueries::ErrorText(int error) const {
  if (error == 0) return "unknown error";
  char buf[256];
  // The GNU strerror_r, which may return a static text instead of filling buf.
  return strerror_r(error, buf, sizeof buf);
}

}  // namespace tarnvik::platform
