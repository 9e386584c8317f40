// The composition of the window's services on Windows: the engine services,
// the settings under HKEY_CURRENT_USER\Software\Tarnvik, documents opened
// through ShellExecuteW and files shown in Explorer.

#include "platform/DesktopServices.h"

#include "platform/win32/ExplorerFileManager.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/ShellLauncher.h"

namespace tarnvik::platform {

struct DesktopServices::Parts {
  RegistrySettingsStore settings;
  ShellLauncher launcher;
  ExplorerFileManager fileManager;
};

DesktopServices::DesktopServices() : parts_(std::make_unique<Parts>()) {
  services_.engine = system_.Engine();
  services_.settings = &parts_->settings;
  services_.launcher = &parts_->launcher;
  services_.fileManager = &parts_->fileManager;
}

DesktopServices::~DesktopServices() = default;

}  // namespace tarnvik::platform
