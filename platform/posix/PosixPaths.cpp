#include <sys/stat.h>

#include <cstring>

#include "platform/DirectoryTree.h"

namespace tarnvik::platform {

bool StatPath(const std::string& nativePath, FileInfo& out) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  struct stat st;
  if (lstat(nativePath.c_str(), &st) != 0) return false;
  out.size = st.st_size;
  out.mtime = st.st_mtim.tv_sec;
  return true;
}

bool IsFolder(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  struct stat st;
  return stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ErrorText(int error) {
  if (error == 0) return "unknown error";
  char buf[256];
  // The GNU strerror_r, which may return a static text instead of filling buf.
  return strerror_r(error, buf, sizeof buf);
}

}  // namespace tarnvik::platform
