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
  if (nativePath.find('\0') != std::string::npos) return false;
  const std::wstring full = win32::FullPath(win32::ToWide(nativePath));
  if (full.empty()) return false;

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
