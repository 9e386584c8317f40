#pragma once

#include "platform/FileManager.h"

namespace tarnvik::platform {

// FileManager through the shell: SHOpenFolderAndSelectItems opens the file's
// folder in Explorer with the file selected. The path goes to the shell as
// an item, never on a command line.
class ExplorerFileManager final : public FileManager {
 public:
  bool ShowItem(const std::string& nativePath) override;
};

}  // namespace tarnvik::platform
