#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/Files.h"

namespace tarnvik::platform {

CreateResult CreateNewFile(const std::string& nativePath) {
  // O_EXCL makes the name ours even when another process picks it at once.
  const int fd = open(nativePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    close(fd);
    return CreateResult::Created;
  }
  return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
}

PathKind ExaminePath(const std::string& nativePath) {
  struct stat st;
  if (lstat(nativePath.c_str(), &st) == 0) {
    return S_ISREG(st.st_mode) ? PathKind::RegularFile : PathKind::Other;
  }
  return errno == ENOENT ? PathKind::Missing : PathKind::Unknown;
}

bool CopyPermissions(const std::string& from, const std::string& to) {
  struct stat st;
  return lstat(from.c_str(), &st) == 0 && chmod(to.c_str(), st.st_mode & 07777) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& nativePath) { unlink(nativePath.c_str()); }

bool MakeFolders(const std::string& path) {
  for (size_t pos = path.find('/', 1);; pos = path.find('/', pos + 1)) {
    const std::string part = path.substr(0, pos);
    if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (pos == std::string::npos) break;
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + '/' + name;
}

long ProcessId() { return static_cast<long>(getpid()); }

std::string UserCacheFolder() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  std::string base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    base = home;
    if (base.back() != '/') base.push_back('/');
    base += ".cache";
  }
  if (base.back() != '/') base.push_back('/');
  return base + "tarnvik";
}

}  // namespace tarnvik::platform
