#include <windows.h>

#include "platform/DefaultRoot.h"

namespace tarnvik::platform {

std::string DefaultSearchRoot() {
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

}  // namespace tarnvik::platform
