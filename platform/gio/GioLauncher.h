#pragma once

#include <string>

#include "platform/Launcher.h"

namespace tarnvik::platform {

// Opens documents with the program the desktop's MIME associations name as
// the default for the document's content type (mimeapps.list and the
// .desktop files under the XDG data and config folders), through GIO.
//
// The content type comes from the file itself (name and contents; an empty
// file is typed by its name alone). The program gets the file as a GFile
// made from the path's exact bytes, so names that are not valid UTF-8 or
// that hold backslashes, newlines, quotes or "%" arrive unchanged, and no
// shell or URL decoder ever reads them.
//
// OpenDocument returns false when the path is empty or holds NUL, when the
// file cannot be read for its type (missing, no permission), when no
// program is set for its type, or when the program could not be started;
// true once the program was started (it runs on its own, not waited for).
// Usable from any one thread at a time; the window calls it from the UI
// thread.
class GioLauncher final : public Launcher {
 public:
  bool OpenDocument(const std::string& nativePath) override;
};

}  // namespace tarnvik::platform
