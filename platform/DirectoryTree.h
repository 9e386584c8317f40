#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::platform {

// Metadata of one non-folder entry.
struct FileInfo {
  int64_t size = 0;
  // Last-write time in seconds since the epoch (UTC).
  int64_t mtime = 0;
};

// One entry of a folder listing. Names are the file system's own bytes.
struct DirEntry {
  std::string name;
  // A real folder, to be entered. Symbolic links (to folders too), FIFOs,
  // sockets and devices are not folders; they are listed from their own
  // metadata and never opened.
  bool isFolder = false;
  // Set when the listing already had to read the entry's metadata (file
  // systems that do not report the kind of an entry); `info` then holds it
  // and the caller need not call Stat() again.
  bool hasInfo = false;
  FileInfo info{};
};

// Walks a folder tree one folder at a time. The scan opens the root, lists a
// folder, reads the metadata of its files and opens its sub-folders through
// handles, which the implementation maps onto the operating system's
// directory handles. An implementation must work for trees of any depth and
// with any limit on open descriptors: it may close a folder's descriptor
// behind the caller's back and reopen it when the handle is used again. A
// folder that cannot be reopened as the same folder (moved or replaced in
// the meantime) makes the call that needed it fail.
//
// Handles are small non-negative integers; -1 means "could not be opened".
// Every handle that was opened is closed by Close(), children before their
// parent. Not thread-safe.
class DirectoryTree {
 public:
  using Handle = int;

  virtual ~DirectoryTree() = default;

  // Opens the folder at nativePath (symbolic links on the path itself are
  // followed). Returns -1 when it is not a folder or cannot be opened.
  virtual Handle OpenRoot(const std::string& nativePath) = 0;

  // Opens the sub-folder `name` of an open folder, without following a
  // symbolic link. Returns -1 when it cannot be opened (no permission,
  // vanished, replaced by something else).
  virtual Handle OpenChild(Handle parent, std::string_view name) = 0;

  // Lists every entry of an open folder in the order the file system gives,
  // "." and ".." included when the file system reports them. Replaces the
  // contents of `out`. Returns false (and leaves `out` empty) when the
  // folder cannot be read.
  virtual bool List(Handle folder, std::vector<DirEntry>& out) = 0;

  // Reads the metadata of the entry `name` of an open folder without
  // following a symbolic link. Returns false when the entry has vanished or
  // cannot be read.
  virtual bool Stat(Handle folder, std::string_view name, FileInfo& out) = 0;

  // Releases a handle.
  virtual void Close(Handle folder) = 0;

  // Why the last OpenRoot, OpenChild or List that failed did fail: an error
  // number of the operating system (errno on POSIX), 0 when unknown.
  virtual int LastError() const { return 0; }

  // The separator between the names of a path on this file system: "/" by
  // default, "\\" on Windows. The scan writes relative folders with it.
  virtual char16_t Separator() const { return u'/'; }
};

}  // namespace tarnvik::platform
