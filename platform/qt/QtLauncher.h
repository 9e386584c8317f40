#pragma once

#include <QUrl>
#include <string>

#include "platform/Launcher.h"

namespace tarnvik::platform {

// Opens documents through QDesktopServices::openUrl with a "file" URL (on
// Linux the desktop's handler, xdg-open or the portal, picks the program).
// Needs a QGuiApplication. UI thread.
class QtLauncher final : public Launcher {
 public:
  bool OpenDocument(const std::string& nativePath) override;

  // The "file" URL of a path: the absolute path (a relative one taken from
  // the current working directory) with every byte other than the ASCII
  // letters, digits, "-", ".", "_", "~" and "/" percent-encoded from the raw
  // bytes, so that names which are not valid UTF-8 keep every byte and the
  // URL's encoded form holds no space, quote, control or shell character.
  // QUrl::fromLocalFile cannot be used: it takes a QString, and decoding the
  // bytes into one turns invalid UTF-8 into U+FFFD. Returns an invalid URL
  // for an empty path, a path holding NUL, or when the working directory
  // cannot be read for a relative one.
  static QUrl FileUrl(const std::string& nativePath);
};

}  // namespace tarnvik::platform
