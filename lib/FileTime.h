#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarnvik::lib {

// Formats last-write times as the "Date Time" column shows them:
// "YYYY.MM.DD hh:nn:ss" in local time, seconds rounded down to an even
// number (the two-second resolution of the DOS date-time format). Years
// outside 0 to 9999 are written with as many digits as they need.
//
// Converting to local time is the costly step of a scan, so the formatter
// remembers, per day of UTC, the day's offset from UTC, provided the whole
// day has one offset (checked by converting its first and last second: the
// same offset at both ends, no leap second between them). Within such a day
// the local date and time follow by arithmetic; every other day is converted
// second by second. The results are the same as converting each moment on
// its own.
//
// The time zone is read when a day is first seen: a formatter made before
// the process changes its time zone keeps the old zone for the days it has
// already seen, so make one formatter per scan. Not thread-safe: use one
// formatter per thread.
class FileTimeFormatter {
 public:
  FileTimeFormatter();
  ~FileTimeFormatter();
  FileTimeFormatter(const FileTimeFormatter&) = delete;
  FileTimeFormatter& operator=(const FileTimeFormatter&) = delete;

  // The text of a moment; empty when the moment has no local time.
  std::u16string Format(int64_t epochSeconds);
  // The same, written into `out`, whose storage is reused.
  void FormatTo(int64_t epochSeconds, std::u16string& out);

 private:
  struct Day;
  static constexpr size_t kSlots = 1024;

  const Day& Lookup(int64_t day);

  // kSlots entries, indexed by the day number modulo kSlots, made on first
  // use; a slot keeps the day that last landed in it.
  std::unique_ptr<Day[]> days_;
};

// The time text of the file at a full path, in `text`. Returns false and
// empties `text` when no file exists there; a file whose time has no local
// time gets an empty text and true.
bool FileTimeText(const std::string& nativePath, std::u16string& text);

}  // namespace tarnvik::lib
