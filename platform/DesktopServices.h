#pragma once

#include <memory>

#include "platform/Services.h"
#include "platform/SystemServices.h"

namespace tarnvik::platform {

// The window's services on the operating system the program was built for:
// SystemServices, the saved settings, the desktop's document opener and its
// file manager. The build picks the implementation
// (platform/posix/DesktopServices.cpp or platform/win32/DesktopServices.cpp).
// Needs the application object (QApplication) to exist first. main() builds
// one and hands Get() to the window. UI thread.
class DesktopServices {
 public:
  DesktopServices();
  ~DesktopServices();
  DesktopServices(const DesktopServices&) = delete;
  DesktopServices& operator=(const DesktopServices&) = delete;

  Services& Get() { return services_; }

 private:
  struct Parts;
  SystemServices system_;
  std::unique_ptr<Parts> parts_;
  Services services_;
};

}  // namespace tarnvik::platform
