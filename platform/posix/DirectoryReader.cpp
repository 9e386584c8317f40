#include "platform/posix/DirectoryReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarnvik::platform {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

void ToInfo(const struct stat& st, FileInfo& out) {
  out.size = st.st_size;
  out.mtime = st.st_mtim.tv_sec;
}

bool IsDotOrDotDot(const char* n) {
  return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}

// File systems that leave d_type unknown need one lstat per entry; its
// result is kept so that the caller does not stat the same file again.
void Resolve(int dirFd, const char* name, DirEntry& e) {
  if (IsDotOrDotDot(name)) {
    e.isFolder = true;
    return;
  }
  struct stat st;
  if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    e.isFolder = true;
  } else {
    e.hasInfo = true;
    ToInfo(st, e.info);
  }
}

}  // namespace

DirectoryReader::DirectoryReader() : buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {}

int DirectoryReader::List(int fd, std::vector<DirEntry>& out) {
  size_t count = 0;
  for (;;) {
    const ssize_t got = getdents64(fd, buffer_.get(), kBufferSize);
    if (got == 0) {
      out.resize(count);
      return 0;
    }
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      out.clear();
      return error;
    }
    for (ssize_t at = 0; at < got;) {
      const auto* d = reinterpret_cast<const dirent64*>(buffer_.get() + at);
      at += d->d_reclen;
      if (count == out.size()) out.emplace_back();
      DirEntry& e = out[count++];
      e.name.assign(d->d_name);
      e.isFolder = d->d_type == DT_DIR;
      e.hasInfo = false;
      if (d->d_type == DT_UNKNOWN) Resolve(fd, d->d_name, e);
    }
  }
}

bool DirectoryReader::Stat(int fd, const char* name, FileInfo& out) {
  struct stat st;
  if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  ToInfo(st, out);
  return true;
}

}  // namespace tarnvik::platform
