#pragma once

#include "platform/LocalClock.h"

namespace tarnvik::platform {

// Local time through localtime_r, in the time zone of the process.
class PosixLocalClock final : public LocalClock {
 public:
  bool ToLocalTime(int64_t epochSeconds, LocalTime& out) const override;
};

}  // namespace tarnvik::platform
