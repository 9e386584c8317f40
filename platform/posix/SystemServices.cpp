#include "platform/SystemServices.h"

#include "platform/posix/PosixDirectoryTree.h"

namespace tarnvik::platform {

std::unique_ptr<DirectoryTree> MakeSystemDirectoryTree() {
  return std::make_unique<PosixDirectoryTree>();
}

}  // namespace tarnvik::platform
