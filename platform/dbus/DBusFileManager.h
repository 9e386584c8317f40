#pragma once

#include <string>

#include "platform/FileManager.h"

namespace tarnvik::platform {

// Shows files through the freedesktop.org file-manager interface
// (org.freedesktop.FileManager1.ShowItems on the session bus), which the
// common desktops' file managers offer.
//
// ShowItem hands over the file's "file://" URI made from the path's exact
// bytes (FileUri). It returns false without calling anything when there is
// no session bus, or when the bus name org.freedesktop.FileManager1 has no
// owner and cannot be activated; false also when the call is answered with
// an error or not answered within a few seconds. Events are processed while
// it waits for the answer. UI thread.
class DBusFileManager final : public FileManager {
 public:
  bool ShowItem(const std::string& nativePath) override;
};

}  // namespace tarnvik::platform
