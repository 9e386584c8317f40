#pragma once

#include <cstdint>
#include <string>

#include "platform/FileQueries.h"
#include "platform/LocalClock.h"

namespace tarnvik::lib {

// Formats last-write times as the "Date Time" column shows them:
// "YYYY.MM.DD hh:nn:ss" in local time (the clock it is given), seconds
// rounded down to an even number (the two-second resolution of the DOS
// date-time format). Years outside 0 to 9999 are written with as many digits
// as they need. Each moment is converted on its own, in the time zone the
// process has at that call. Safe to use from any thread.
class FileTimeFormatter {
 public:
  // `clock` must outlive the formatter.
  explicit FileTimeFormatter(const platform::LocalClock& clock) : clock_(clock) {}

  // The text of a moment; empty when the moment has no local time.
  std::u16string Format(int64_t epochSeconds);
  // The same, written into `out`, whose storage is reused.
  void FormatTo(int64_t epochSeconds, std::u16string& out);

 private:
  const platform::LocalClock& clock_;
};

// The time text of the file at a full path, in `text`, with the file's
// metadata from `files` (a final symbolic link not followed). Returns false
// and empties `text` when no file exists there; a file whose time has no
// local time gets an empty text and true.
bool FileTimeText(const platform::FileQueries& files, FileTimeFormatter& formatter,
                  const std::string& nativePath, std::u16string& text);

}  // namespace tarnvik::lib
