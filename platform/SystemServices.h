#pragma once

#include <memory>

#include "platform/DirectoryTree.h"

namespace tarnvik::platform {

// The directory walker of the operating system the program was built for.
std::unique_ptr<DirectoryTree> MakeSystemDirectoryTree();

}  // namespace tarnvik::platform
