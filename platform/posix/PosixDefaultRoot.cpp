#include <cstdlib>

#include "platform/DefaultRoot.h"

namespace tarnvik::platform {

std::string DefaultSearchRoot() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return "/";
  std::string root = home;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  return root;
}

}  // namespace tarnvik::platform
