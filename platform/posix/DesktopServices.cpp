// The composition of the window's services on Linux desktops: the engine
// services, the settings in a QSettings file under the XDG config folder, and
// documents opened through GIO's MIME associations, files shown through the
// file manager on the session bus.

#include "platform/DesktopServices.h"

#include "platform/dbus/DBusFileManager.h"
#include "platform/gio/GioLauncher.h"
#include "platform/qt/QtSettingsStore.h"

namespace tarnvik::platform {

struct DesktopServices::Parts {
  QtSettingsStore settings;
  GioLauncher launcher;
  DBusFileManager fileManager;
};

DesktopServices::DesktopServices() : parts_(std::make_unique<Parts>()) {
  services_.engine = system_.Engine();
  services_.settings = &parts_->settings;
  services_.launcher = &parts_->launcher;
  services_.fileManager = &parts_->fileManager;
}

DesktopServices::~DesktopServices() = default;

}  // namespace tarnvik::platform
