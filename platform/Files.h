#pragma once

#include <string>

namespace tarnvik::platform {

// The few file operations the workbook writer needs, on native paths
// (base::TextToNative of the text; WTF-8 of UTF-16 on Windows).

enum class CreateResult { Created, Exists, Failed };

// Creates a new, empty file at `nativePath`; Exists when anything is there
// already (the name belongs to someone else), Failed on any other error.
CreateResult CreateNewFile(const std::string& nativePath);

// What a path names, a final symbolic link not followed.
enum class PathKind {
  Missing,      // nothing there
  RegularFile,  // a plain file
  Other,        // a folder, a link, a device, a FIFO...
  Unknown,      // could not be examined
};
PathKind ExaminePath(const std::string& nativePath);

// Gives the file `to` the permission bits of the file `from`, where the
// system has them (POSIX); elsewhere nothing to do. False when that failed.
bool CopyPermissions(const std::string& from, const std::string& to);

// Moves the file `from` over `to`, replacing a file there in one step.
bool MoveOver(const std::string& from, const std::string& to);

// Deletes the file; a missing file is no error.
void RemoveFile(const std::string& nativePath);

// Creates every missing folder of the absolute path, private to the user
// where the system has such a notion. True when the path is a folder
// afterwards.
bool MakeFolders(const std::string& nativePath);

// The path of `name` inside `folder`: the two joined by the system's
// separator ("/", or "\\" on Windows).
std::string InFolder(const std::string& folder, const std::string& name);

// The identifier of this process, for names no other process picks.
long ProcessId();

// The user's folder for the program's cache files: on Windows
// %LOCALAPPDATA%\Tarnvik; elsewhere $XDG_CACHE_HOME/tarnvik when that
// variable holds an absolute path, else $HOME/.cache/tarnvik when HOME is
// absolute. Empty when there is none. Read at each call.
std::string UserCacheFolder();

}  // namespace tarnvik::platform
