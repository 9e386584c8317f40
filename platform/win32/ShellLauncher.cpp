#include "platform/win32/ShellLauncher.h"

// clang-format off
// windows.h first: the other system headers build on its types.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/WideText.h"

namespace tarnvik::platform {

bool ShellLauncher::OpenDocument(const std::string& nativePath) {
  if (nativePath.find('\0') != std::string::npos) return false;
  // A relative path is taken from the current folder now, not from whatever
  // folder the started program has.
  const std::wstring full = win32::FullPath(win32::ToWide(nativePath));
  if (full.empty()) return false;
  // Shell extensions that handle the verb may need COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", full.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace tarnvik::platform
