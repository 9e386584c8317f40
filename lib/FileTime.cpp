#include "lib/FileTime.h"

#include <algorithm>

#include "platform/DirectoryTree.h"
#include "platform/LocalClock.h"

namespace tarnvik::lib {

namespace {

constexpr int kTextLength = 19;  // "YYYY.MM.DD hh:nn:ss"
constexpr int64_t kSecondsPerDay = 86400;
// Far beyond any year a file system stores, small enough that the day
// arithmetic cannot overflow.
constexpr int64_t kCachedRange = int64_t{1} << 40;

void Put2(char16_t* p, int v) {
  p[0] = static_cast<char16_t>(u'0' + v / 10);
  p[1] = static_cast<char16_t>(u'0' + v % 10);
}

// "YYYY.MM.DD" for years 0 to 9999.
void PutDate(char16_t* p, const platform::LocalTime& lt) {
  Put2(p, lt.year / 100);
  Put2(p + 2, lt.year % 100);
  p[4] = u'.';
  Put2(p + 5, lt.month);
  p[7] = u'.';
  Put2(p + 8, lt.day);
}

// " hh:nn:ss" of a second of the day, seconds rounded down to even.
void PutClock(char16_t* p, int hour, int minute, int second) {
  p[0] = u' ';
  Put2(p + 1, hour);
  p[3] = u':';
  Put2(p + 4, minute);
  p[6] = u':';
  Put2(p + 7, second & ~1);
}

bool FourDigitYear(const platform::LocalTime& lt) { return lt.year >= 0 && lt.year <= 9999; }

void DirectText(int64_t epochSeconds, std::u16string& out) {
  platform::LocalTime lt;
  if (!platform::ToLocalTime(epochSeconds, lt)) {
    out.clear();
    return;
  }
  char16_t text[kTextLength];
  if (FourDigitYear(lt)) {
    PutDate(text, lt);
    PutClock(text + 10, lt.hour, lt.minute, lt.second);
    out.assign(text, kTextLength);
    return;
  }
  // Years beyond four digits (or before year 0) keep all their digits.
  const std::string year = std::to_string(lt.year);
  out.assign(year.begin(), year.end());
  PutDate(text, platform::LocalTime{0, lt.month, lt.day, 0, 0, 0});
  PutClock(text + 10, lt.hour, lt.minute, lt.second);
  out.append(text + 4, kTextLength - 4);
}

int SecondOfDay(const platform::LocalTime& lt) {
  return lt.hour * 3600 + lt.minute * 60 + lt.second;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Days since 1970-01-01 of a proleptic Gregorian date, and back
// (H. Hinnant's civil calendar algorithms).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

platform::LocalTime CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  platform::LocalTime lt;
  lt.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  lt.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  lt.year = static_cast<int>(yoe + era * 400 + (lt.month <= 2));
  return lt;
}

// Local time minus UTC, in seconds, at moment t whose local time is lt.
int64_t OffsetAt(int64_t t, const platform::LocalTime& lt) {
  return DaysFromCivil(lt.year, lt.month, lt.day) * kSecondsPerDay + SecondOfDay(lt) - t;
}

}  // namespace

struct FileTimeFormatter::Day {
  int64_t day = INT64_MIN;  // UTC day number since the epoch; INT64_MIN: empty slot
  int64_t offset = 0;       // local time minus UTC throughout the day, in seconds
  bool cacheable = false;
};

FileTimeFormatter::FileTimeFormatter() = default;
FileTimeFormatter::~FileTimeFormatter() = default;

const FileTimeFormatter::Day& FileTimeFormatter::Lookup(int64_t day) {
  if (!days_) days_ = std::make_unique<Day[]>(kSlots);
  Day& slot = days_[static_cast<uint64_t>(day) % kSlots];
  if (slot.day == day) return slot;
  slot.day = day;
  slot.cacheable = false;
  const int64_t first = day * kSecondsPerDay;
  const int64_t last = first + kSecondsPerDay - 1;
  platform::LocalTime a;
  platform::LocalTime b;
  if (!platform::ToLocalTime(first, a) || !platform::ToLocalTime(last, b)) return slot;
  // The same offset at both ends: no change of offset and no leap second
  // in between (a leap second shifts the local clock against UTC by one).
  const int64_t offset = OffsetAt(first, a);
  if (a.second > 59 || b.second > 59 || OffsetAt(last, b) != offset) return slot;
  slot.offset = offset;
  slot.cacheable = true;
  return slot;
}

void FileTimeFormatter::FormatTo(int64_t epochSeconds, std::u16string& out) {
  if (epochSeconds < -kCachedRange || epochSeconds > kCachedRange) {
    DirectText(epochSeconds, out);
    return;
  }
  const Day& day = Lookup(FloorDiv(epochSeconds, kSecondsPerDay));
  if (!day.cacheable) {
    DirectText(epochSeconds, out);
    return;
  }
  const int64_t local = epochSeconds + day.offset;
  const int64_t localDay = FloorDiv(local, kSecondsPerDay);
  const platform::LocalTime date = CivilFromDays(localDay);
  if (!FourDigitYear(date)) {
    DirectText(epochSeconds, out);
    return;
  }
  const int second = static_cast<int>(local - localDay * kSecondsPerDay);
  char16_t text[kTextLength];
  PutDate(text, date);
  PutClock(text + 10, second / 3600, second / 60 % 60, second % 60);
  out.assign(text, kTextLength);
}

std::u16string FileTimeFormatter::Format(int64_t epochSeconds) {
  std::u16string out;
  FormatTo(epochSeconds, out);
  return out;
}

bool FileTimeText(const std::string& nativePath, std::u16string& text) {
  platform::FileInfo info;
  if (!platform::StatPath(nativePath, info)) {
    text.clear();
    return false;
  }
  DirectText(info.mtime, text);
  return true;
}

}  // namespace tarnvik::lib
