#pragma once

#include <string>

#include "platform/Launcher.h"

namespace tarnvik::platform {

// Launcher through ShellExecuteW with the verb "open" and the file's full
// path as the file to open (no parameters, no command string), so Windows
// starts the program registered for the document. Separator() is "\".
class ShellLauncher final : public Launcher {
 public:
  bool OpenDocument(const std::string& nativePath) override;
  char16_t Separator() const override { return u'\\'; }
};

}  // namespace tarnvik::platform
