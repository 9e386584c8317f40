#pragma once

#include <string>

namespace tarnvik::platform {

// The search root offered when no saved root is usable, in native form and
// without a trailing separator: on Windows the drive of the Windows folder
// ("C:", never "C:\"); elsewhere the user's home folder ($HOME when it is an
// absolute path), else "/".
std::string DefaultSearchRoot();

}  // namespace tarnvik::platform
