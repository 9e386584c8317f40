#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tarnvik::lib {

// Formats last-write times as the "Date Time" column shows them:
// "YYYY.MM.DD hh:nn:ss" in local time, seconds rounded down to an even
// number (the two-second resolution of the DOS date-time format).
//
// Converting to local time is the costly step of a scan, so the formatter
// remembers, per hour of UTC, the local text of that hour when the whole hour
// has one offset from UTC and lies within one local day. Not thread-safe:
// use one formatter per thread.
class FileTimeFormatter {
 public:
  // The text of a moment; empty when the moment has no local time.
  std::u16string Format(int64_t epochSeconds);

 private:
  struct Hour {
    bool cacheable = false;
    // Local date and hour of the bucket's first second, and the local
    // minute and second of it.
    char16_t prefix[14];  // "YYYY.MM.DD hh"
    int startMinute = 0;
    int startSecond = 0;
  };
  std::unordered_map<int64_t, Hour> hours_;
};

// The time text of the file at a full path, in `text`. Returns false and
// empties `text` when no file exists there.
bool FileTimeText(const std::string& nativePath, std::u16string& text);

}  // namespace tarnvik::lib
