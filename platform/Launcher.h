#pragma once

#include <string>

namespace tarnvik::platform {

// Opens documents with the programs the desktop assigns to them.
class Launcher {
 public:
  virtual ~Launcher() = default;

  // Opens the file at `nativePath` (the file system's own bytes, any length,
  // any bytes but NUL) with the desktop's program for that kind of document,
  // without waiting for the program. The path is handed over as exactly that
  // file: never through a shell, never in a form a program could read as an
  // option. A relative path is taken from the current working directory.
  // Returns false when the request could not be handed to the desktop (no
  // program for the document, no desktop service, an empty path); true means
  // the request was handed over, not that the program has started. UI thread.
  virtual bool OpenDocument(const std::string& nativePath) = 0;

  // The separator between a folder and a name in the paths this launcher
  // opens: "/" by default, "\\" on Windows.
  virtual char16_t Separator() const { return u'/'; }
};

}  // namespace tarnvik::platform
