#pragma once

#include <cstdint>

namespace tarnvik::platform {

// A moment in local time, the fields of struct tm in plain numbers.
struct LocalTime {
  int year = 0;   // e.g. 2026
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;  // 0..60
};

// The user's local time. One object for the whole run, built by the
// program's composition of services.
class LocalClock {
 public:
  virtual ~LocalClock() = default;

  // Converts seconds since the epoch to the user's local time (the time
  // zone of the process; after changing TZ the caller must call tzset()).
  // Returns false when the moment cannot be represented. Safe to call from
  // any thread.
  virtual bool ToLocalTime(int64_t epochSeconds, LocalTime& out) const = 0;
};

}  // namespace tarnvik::platform
