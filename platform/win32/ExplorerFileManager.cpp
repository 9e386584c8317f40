#include "platform/win32/ExplorerFileManager.h"

// clang-format off
// windows.h first: the other system headers build on its types.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
// clang-format on

#include "platform/win32/WideText.h"

namespace tarnvik::platform {

bool ExplorerFileManager::ShowItem(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  const std::wstring wide = win32::ToWide(nativePath);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return false;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return false;
  full.resize(size);

  // The shell's item lists need COM on this thread; the window's thread
  // has it already, and a second initialisation only counts up.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  bool shown = false;
  if (PIDLIST_ABSOLUTE item = ILCreateFromPathW(full.c_str())) {
    shown = SUCCEEDED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    ILFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return shown;
}

}  // namespace tarnvik::platform
