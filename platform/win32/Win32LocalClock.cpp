#include "platform/win32/Win32LocalClock.h"

#include <windows.h>

#include "platform/win32/FileTimes.h"

namespace tarnvik::platform {

// Windows' own conversion of file times, with the time zone of the system
// settings (the TZ variable plays no part).
bool Win32LocalClock::ToLocalTime(int64_t epochSeconds, LocalTime& out) const {
  FILETIME utc;
  FILETIME local;
  SYSTEMTIME st;
  if (!win32::ToFileTime(epochSeconds, utc) || !FileTimeToLocalFileTime(&utc, &local) ||
      !FileTimeToSystemTime(&local, &st)) {
    return false;
  }
  out.year = st.wYear;
  out.month = st.wMonth;
  out.day = st.wDay;
  out.hour = st.wHour;
  out.minute = st.wMinute;
  out.second = st.wSecond;
  return true;
}

}  // namespace tarnvik::platform
