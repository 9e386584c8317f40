#pragma once

#include <memory>

#include "platform/Services.h"

namespace tarnvik::platform {

// The engine services of the operating system the program was built for;
// the build picks the implementation (platform/posix/SystemServices.cpp).
// main() builds one and hands Engine() down; it must outlive everything it
// was handed to. UI thread.
class SystemServices {
 public:
  SystemServices();
  ~SystemServices();
  SystemServices(const SystemServices&) = delete;
  SystemServices& operator=(const SystemServices&) = delete;

  const EngineServices& Engine() const { return engine_; }

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  EngineServices engine_;
};

}  // namespace tarnvik::platform
