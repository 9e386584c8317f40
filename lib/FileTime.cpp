#include "lib/FileTime.h"

#include <algorithm>

#include "platform/DirectoryTree.h"
#include "platform/LocalClock.h"

namespace tarnvik::lib {

namespace {

constexpr int kTextLength = 19;  // "YYYY.MM.DD hh:nn:ss"
constexpr int64_t kSecondsPerHour = 3600;
// Far beyond any year a file system stores, small enough that the hour
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

int64_t HourOf(int64_t t) {
  return t >= 0 ? t / kSecondsPerHour : -((-t + kSecondsPerHour - 1) / kSecondsPerHour);
}

}  // namespace

struct FileTimeFormatter::Hour {
  int64_t bucket = INT64_MIN;  // hour number since the epoch; INT64_MIN: empty slot
  int32_t startSecond = 0;     // local second of the day at the hour's first second
  bool cacheable = false;
  char16_t date[10];  // "YYYY.MM.DD"
};

FileTimeFormatter::FileTimeFormatter() = default;
FileTimeFormatter::~FileTimeFormatter() = default;

const FileTimeFormatter::Hour& FileTimeFormatter::Lookup(int64_t bucket) {
  if (!hours_) hours_ = std::make_unique<Hour[]>(kSlots);
  Hour& slot = hours_[static_cast<uint64_t>(bucket) % kSlots];
  if (slot.bucket == bucket) return slot;
  slot.bucket = bucket;
  slot.cacheable = false;
  const int64_t first = bucket * kSecondsPerHour;
  platform::LocalTime a;
  platform::LocalTime b;
  if (!platform::ToLocalTime(first, a) || !platform::ToLocalTime(first + kSecondsPerHour - 1, b)) {
    return slot;
  }
  // Same local day and 3599 local seconds apart: one offset for the whole
  // hour (a change of offset or a leap second inside it breaks either).
  if (a.year != b.year || a.month != b.month || a.day != b.day || !FourDigitYear(a) ||
      SecondOfDay(b) - SecondOfDay(a) != kSecondsPerHour - 1) {
    return slot;
  }
  slot.startSecond = SecondOfDay(a);
  PutDate(slot.date, a);
  slot.cacheable = true;
  return slot;
}

void FileTimeFormatter::FormatTo(int64_t epochSeconds, std::u16string& out) {
  if (epochSeconds < -kCachedRange || epochSeconds > kCachedRange) {
    DirectText(epochSeconds, out);
    return;
  }
  const int64_t bucket = HourOf(epochSeconds);
  const Hour& hour = Lookup(bucket);
  if (!hour.cacheable) {
    DirectText(epochSeconds, out);
    return;
  }
  const int second = hour.startSecond + static_cast<int>(epochSeconds - bucket * kSecondsPerHour);
  char16_t text[kTextLength];
  std::copy(hour.date, hour.date + 10, text);
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
