#include <windows.h>

#include "platform/Files.h"
#include "platform/win32/WideText.h"

namespace tarnvik::platform {

using win32::ExtendedPath;
using win32::ToWide;

CreateResult CreateNewFile(const std::string& nativePath) {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (path.empty()) return CreateResult::Failed;
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return CreateResult::Created;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateResult::Exists
                                                                     : CreateResult::Failed;
}

PathKind ExaminePath(const std::string& nativePath) {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (path.empty()) return PathKind::Unknown;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Missing
                                                                          : PathKind::Unknown;
  }
  // Folders, junctions, links and devices are never replaced by a workbook.
  const DWORD notPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  return (attributes & notPlain) == 0 ? PathKind::RegularFile : PathKind::Other;
}

// Windows keeps access rights in the file's security descriptor, which a
// replacing move takes over from the new file; there are no mode bits.
bool CopyPermissions(const std::string& /*from*/, const std::string& /*to*/) { return true; }

bool MoveOver(const std::string& from, const std::string& to) {
  const std::wstring source = ExtendedPath(ToWide(from));
  const std::wstring target = ExtendedPath(ToWide(to));
  return !source.empty() && !target.empty() &&
         MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const std::string& nativePath) {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (!path.empty()) DeleteFileW(path.c_str());
}

bool MakeFolders(const std::string& nativePath) {
  const std::wstring path = ExtendedPath(ToWide(nativePath));
  if (path.empty()) return false;
  // Every component after the "\\?\X:\" or "\\?\UNC\server\share\" part.
  size_t start = 4;
  if (path.compare(4, 4, L"UNC\\") == 0) {
    start = path.find(L'\\', 8);
    start = start == std::wstring::npos ? path.size() : path.find(L'\\', start + 1);
  } else {
    start = path.find(L'\\', 4);
  }
  for (size_t pos = start; pos != std::wstring::npos && pos < path.size();) {
    pos = path.find(L'\\', pos + 1);
    const std::wstring part = path.substr(0, pos);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + '\\' + name;
}

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

std::string UserCacheFolder() {
  wchar_t buffer[32768];
  const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, 32768);
  if (n == 0 || n >= 32768) return {};
  std::wstring base(buffer, n);
  // Only a full path: a relative one would depend on the current folder.
  if (base.size() < 3 || !((base[1] == L':' && base[2] == L'\\') || base.starts_with(L"\\\\"))) {
    return {};
  }
  if (base.back() != L'\\') base += L'\\';
  return win32::ToNative(base + L"Tarnvik");
}

}  // namespace tarnvik::platform
