#pragma once

#include "platform/LocalClock.h"

namespace tarnvik::platform {

// Local time through FileTimeToLocalFileTime and FileTimeToSystemTime, in the
// time zone of the system settings (the TZ variable plays no part).
class Win32LocalClock final : public LocalClock {
 public:
  bool ToLocalTime(int64_t epochSeconds, LocalTime& out) const override;
};

}  // namespace tarnvik::platform
