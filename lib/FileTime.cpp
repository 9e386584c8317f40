#include "lib/FileTime.h"

namespace tarnvik::lib {

namespace {

constexpr int kTextLength = 19;  // "YYYY.MM.DD hh:nn:ss"

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

void DirectText(const platform::LocalClock& clock, int64_t epochSeconds, std::u16string& out) {
  platform::LocalTime lt;
  if (!clock.ToLocalTime(epochSeconds, lt)) {
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

}  // namespace

void FileTimeFormatter::FormatTo(int64_t epochSeconds, std::u16string& out) {
  DirectText(clock_, epochSeconds, out);
}

std::u16string FileTimeFormatter::Format(int64_t epochSeconds) {
  std::u16string out;
  FormatTo(epochSeconds, out);
  return out;
}

bool FileTimeText(const platform::FileQueries& files, FileTimeFormatter& formatter,
                  const std::string& nativePath, std::u16string& text) {
  platform::FileInfo info;
  if (!files.StatPath(nativePath, info)) {
    text.clear();
    return false;
  }
  formatter.FormatTo(info.mtime, text);
  return true;
}

}  // namespace tarnvik::lib
