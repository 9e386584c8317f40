#include "platform/posix/PosixLocalClock.h"

#include <time.h>

#include <limits>

namespace tarnvik::platform {

bool PosixLocalClock::ToLocalTime(int64_t epochSeconds, LocalTime& out) const {
  if (epochSeconds < std::numeric_limits<time_t>::min() ||
      epochSeconds > std::numeric_limits<time_t>::max()) {
    return false;
  }
  const auto t = static_cast<time_t>(epochSeconds);
  struct tm tm;
  if (localtime_r(&t, &tm) == nullptr) return false;
  // tm_year is an int counted from 1900; the year itself must fit too.
  if (tm.tm_year > std::numeric_limits<int>::max() - 1900) return false;
  out.year = tm.tm_year + 1900;
  out.month = tm.tm_mon + 1;
  out.day = tm.tm_mday;
  out.hour = tm.tm_hour;
  out.minute = tm.tm_min;
  out.second = tm.tm_sec;
  return true;
}

}  // namespace tarnvik::platform
