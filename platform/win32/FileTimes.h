#pragma once

#include <windows.h>

#include <cstdint>

namespace tarnvik::platform::win32 {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01, both UTC.
inline constexpr int64_t kEpochIn1601Ticks = 116444736000000000LL;
inline constexpr int64_t kTicksPerSecond = 10000000;

// A FILETIME (UTC) as whole seconds since the epoch, rounded down.
inline int64_t EpochSeconds(const FILETIME& ft) {
  const int64_t ticks =
      static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
  const int64_t since = ticks - kEpochIn1601Ticks;
  return since >= 0 ? since / kTicksPerSecond : -((-since + kTicksPerSecond - 1) / kTicksPerSecond);
}

// The FILETIME of a moment in seconds since the epoch; false when it lies
// before 1601 or beyond what a FILETIME holds.
inline bool ToFileTime(int64_t epochSeconds, FILETIME& out) {
  constexpr int64_t kMaxTicks = INT64_MAX;
  if (epochSeconds < -kEpochIn1601Ticks / kTicksPerSecond ||
      epochSeconds > (kMaxTicks - kEpochIn1601Ticks) / kTicksPerSecond) {
    return false;
  }
  const auto ticks = static_cast<uint64_t>(epochSeconds * kTicksPerSecond + kEpochIn1601Ticks);
  out.dwLowDateTime = static_cast<DWORD>(ticks);
  out.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return true;
}

}  // namespace tarnvik::platform::win32
