#include "platform/win32/Win32DirectoryTree.h"

#include <windows.h>

#include "platform/Files.h"
#include "platform/win32/FileTimes.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileQueries.h"

namespace tarnvik::platform {

namespace {

using win32::ExtendedPath;
using win32::ToNative;
using win32::ToWide;

int64_t Size(DWORD high, DWORD low) {
  return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

// A folder to enter: a directory that is not a reparse point, so that a
// junction or link never leads the walk in a circle or out of the tree.
bool IsRealFolder(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool ReadInfo(const std::wstring& path, FileInfo& out) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    return false;
  }
  out.size = Size(data.nFileSizeHigh, data.nFileSizeLow);
  out.mtime = win32::EpochSeconds(data.ftLastWriteTime);
  return true;
}

}  // namespace

bool Win32DirectoryTree::Valid(Handle h) const {
  return h >= 0 && h < static_cast<int>(nodes_.size()) && nodes_[h].open;
}

DirectoryTree::Handle Win32DirectoryTree::NewNode(std::wstring path) {
  Handle h;
  if (free_.empty()) {
    h = static_cast<Handle>(nodes_.size());
    nodes_.emplace_back();
  } else {
    h = free_.back();
    free_.pop_back();
  }
  while (path.size() > 4 && path.back() == L'\\' && path[path.size() - 2] != L':') {
    path.pop_back();
  }
  nodes_[h].path = std::move(path);
  nodes_[h].open = true;
  return h;
}

std::wstring Win32DirectoryTree::ChildPath(Handle h, std::string_view name) const {
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string_view("\\/\0", 3)) != std::string_view::npos) {
    return {};
  }
  std::wstring path = nodes_[h].path;
  if (path.back() != L'\\') path += L'\\';
  path += ToWide(name);
  return path;
}

DirectoryTree::Handle Win32DirectoryTree::OpenRoot(const std::string& nativePath) {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (path.empty()) {
    lastError_ = ERROR_INVALID_NAME;
    return -1;
  }
  // The root itself may be a junction or link: that is the folder the user
  // chose, so its attributes are those of its target.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    lastError_ =
        attributes == INVALID_FILE_ATTRIBUTES ? static_cast<int>(GetLastError()) : ERROR_DIRECTORY;
    return -1;
  }
  return NewNode(path);
}

DirectoryTree::Handle Win32DirectoryTree::OpenChild(Handle parent, std::string_view name) {
  if (!Valid(parent)) return -1;
  std::wstring path = ChildPath(parent, name);
  if (path.empty()) {
    lastError_ = ERROR_INVALID_NAME;
    return -1;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !IsRealFolder(attributes)) {
    lastError_ =
        attributes == INVALID_FILE_ATTRIBUTES ? static_cast<int>(GetLastError()) : ERROR_DIRECTORY;
    return -1;
  }
  return NewNode(std::move(path));
}

bool Win32DirectoryTree::List(Handle folder, std::vector<DirEntry>& out) {
  size_t count = 0;
  const auto finish = [&](bool ok) {
    out.resize(ok ? count : 0);
    return ok;
  };
  if (!Valid(folder)) return finish(false);
  pattern_ = nodes_[folder].path;
  if (pattern_.back() != L'\\') pattern_ += L'\\';
  pattern_ += L'*';
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileExW(pattern_.c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    lastError_ = static_cast<int>(GetLastError());
    // An empty drive root has not even "." to report.
    return finish(lastError_ == ERROR_FILE_NOT_FOUND);
  }
  bool ok = true;
  do {
    if (count == out.size()) out.emplace_back();
    DirEntry& e = out[count++];
    e.name = ToNative(data.cFileName);
    e.isFolder = IsRealFolder(data.dwFileAttributes);
    e.hasInfo = !e.isFolder;
    if (e.hasInfo) {
      e.info.size = Size(data.nFileSizeHigh, data.nFileSizeLow);
      e.info.mtime = win32::EpochSeconds(data.ftLastWriteTime);
    }
  } while (FindNextFileW(find, &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    lastError_ = static_cast<int>(GetLastError());
    ok = false;
  }
  FindClose(find);
  return finish(ok);
}

bool Win32DirectoryTree::Stat(Handle folder, std::string_view name, FileInfo& out) {
  return Valid(folder) && ReadInfo(ChildPath(folder, name), out);
}

void Win32DirectoryTree::Close(Handle folder) {
  if (!Valid(folder)) return;
  nodes_[folder].open = false;
  nodes_[folder].path.clear();
  free_.push_back(folder);
}

std::string Win32FileQueries::ErrorText(int error) const {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n > 0 && text != nullptr ? std::wstring(text, n) : std::wstring();
  if (text != nullptr) LocalFree(text);
  // The system's texts end in a full stop and a line break.
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  if (message.empty()) return "error " + std::to_string(error);
  return ToNative(message);
}

bool Win32FileQueries::StatPath(const std::string& nativePath, FileInfo& out) const {
  return ReadInfo(ExtendedPath(ToWide(nativePath)), out);
}

bool Win32FileQueries::IsFolder(const std::string& nativePath) const {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
  // A link to a folder counts only when its target is there.
  const HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool folder = GetFileInformationByHandle(h, &info) &&
                      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  CloseHandle(h);
  return folder;
}

std::string Win32FileQueries::DefaultRoot() const {
  wchar_t folder[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  // Only the drive letter counts; a Windows folder on a share (terminal
  // servers) has none, and then the usual drive stands in.
  if (n >= 2 && n <= MAX_PATH && folder[1] == L':' &&
      ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z'))) {
    return {static_cast<char>(folder[0] & ~0x20), ':'};
  }
  return "C:";
}

bool Win32FileQueries::MayWriteFile(const std::string& nativePath) const {
  const PathKind kind = ExaminePath(nativePath);
  return kind == PathKind::Missing || kind == PathKind::RegularFile;
}

}  // namespace tarnvik::platform
