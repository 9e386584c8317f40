#pragma once

#include <memory>
#include <utility>

#include "app/pgTarnvik.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/SystemServices.h"
#include "platform/gio/GioLauncher.h"

namespace tarnvik::testing {

// The services a test window runs on, built the way main() builds them: the
// real engine services of this system, the test's settings, and the test's
// launcher or, without one, the desktop's own.
class WindowServices {
 public:
  WindowServices(platform::SettingsStore& settings, std::unique_ptr<platform::Launcher> launcher)
      : launcher_(std::move(launcher)) {
    bundle_.engine = system_.Engine();
    bundle_.settings = &settings;
    bundle_.launcher = launcher_ ? launcher_.get() : &desktop_;
  }

 protected:
  platform::SystemServices system_;
  platform::GioLauncher desktop_;
  std::unique_ptr<platform::Launcher> launcher_;
  platform::Services bundle_;
};

// The main window together with the services it was handed, which live as
// long as it does.
class TestWindow : private WindowServices, public app::TfmTarnvik {
 public:
  explicit TestWindow(platform::SettingsStore& settings,
                      std::unique_ptr<platform::Launcher> launcher = nullptr)
      : WindowServices(settings, std::move(launcher)), TfmTarnvik(bundle_) {}
};

}  // namespace tarnvik::testing
