#pragma once

#include <memory>
#include <utility>

#include "app/pgTarnvik.h"
#include "platform/FileManager.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/SystemServices.h"
#ifdef Q_OS_WIN
#include "platform/win32/ExplorerFileManager.h"
#include "platform/win32/ShellLauncher.h"
#else
#include "platform/dbus/DBusFileManager.h"
#include "platform/gio/GioLauncher.h"
#endif

namespace tarnvik::testing {

// The services a test window runs on, built the way main() builds them: the
// real engine services of this system, the test's settings, and the test's
// launcher and file manager or, without them, the desktop's own.
class WindowServices {
 public:
  WindowServices(platform::SettingsStore& settings, std::unique_ptr<platform::Launcher> launcher,
                 std::unique_ptr<platform::FileManager> fileManager)
      : launcher_(std::move(launcher)), fileManager_(std::move(fileManager)) {
    bundle_.engine = system_.Engine();
    bundle_.settings = &settings;
    bundle_.launcher = launcher_ ? launcher_.get() : &desktopLauncher_;
    bundle_.fileManager = fileManager_ ? fileManager_.get() : &desktopFileManager_;
  }

 protected:
  platform::SystemServices system_;
#ifdef Q_OS_WIN
  platform::ShellLauncher desktopLauncher_;
  platform::ExplorerFileManager desktopFileManager_;
#else
  platform::GioLauncher desktopLauncher_;
  platform::DBusFileManager desktopFileManager_;
#endif
  std::unique_ptr<platform::Launcher> launcher_;
  std::unique_ptr<platform::FileManager> fileManager_;
  platform::Services bundle_;
};

// The main window together with the services it was handed, which live as
// long as it does.
class TestWindow : private WindowServices, public app::TfmTarnvik {
 public:
  explicit TestWindow(platform::SettingsStore& settings,
                      std::unique_ptr<platform::Launcher> launcher = nullptr,
                      std::unique_ptr<platform::FileManager> fileManager = nullptr)
      : WindowServices(settings, std::move(launcher), std::move(fileManager)),
        TfmTarnvik(bundle_) {}
};

}  // namespace tarnvik::testing
