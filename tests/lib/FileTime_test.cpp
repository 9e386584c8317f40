#include "lib/FileTime.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "platform/SystemServices.h"

namespace tarnvik::lib {
namespace {

// The system's services, as the program gets them.
const platform::EngineServices& System() {
  static const platform::SystemServices system;
  return system.Engine();
}

// Sets the process's time zone for the lifetime of the object.
class TimeZone {
 public:
  explicit TimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) {
      had_ = true;
      old_ = old;
    }
    setenv("TZ", tz, 1);
    tzset();
  }
  ~TimeZone() {
    if (had_) {
      setenv("TZ", old_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool had_ = false;
  std::string old_;
};

bool ZoneInstalled(const std::string& tz) {
  return tz == "UTC" || access(("/usr/share/zoneinfo/" + tz).c_str(), R_OK) == 0;
}

// The text straight from the C library, one moment at a time.
std::u16string Reference(int64_t t) {
  const auto tt = static_cast<time_t>(t);
  struct tm tm;
  if (localtime_r(&tt, &tm) == nullptr) return {};
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d.%02d.%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec & ~1);
  return base::FromUtf8(buf);
}

long Offset(int64_t t) {
  const auto tt = static_cast<time_t>(t);
  struct tm tm;
  localtime_r(&tt, &tm);
  return tm.tm_gmtoff;
}

// Moments where the zone's offset from UTC changes between `from` and `to`.
std::vector<int64_t> OffsetChanges(int64_t from, int64_t to) {
  std::vector<int64_t> out;
  for (int64_t t = from; t < to; t += 3600) {
    if (Offset(t) == Offset(t + 3600)) continue;
    int64_t lo = t;
    int64_t hi = t + 3600;
    while (hi - lo > 1) {
      const int64_t mid = lo + (hi - lo) / 2;
      (Offset(mid) == Offset(lo) ? lo : hi) = mid;
    }
    out.push_back(hi);
  }
  return out;
}

TEST(FileTimeFormatter, KnownMoments) {
  struct Case {
    const char* tz;
    int64_t t;
    const char16_t* text;
  };
  const Case cases[] = {
      {"UTC", 0, u"1970.01.01 00:00:00"},
      {"UTC", 1, u"1970.01.01 00:00:00"},  // odd seconds are rounded down
      {"UTC", 3, u"1970.01.01 00:00:02"},
      {"UTC", -1, u"1969.12.31 23:59:58"},
      {"UTC", 951782400, u"2000.02.29 00:00:00"},
      {"UTC", 253402300800, u"10000.01.01 00:00:00"},
      {"UTC", INT64_MAX, u""},
      {"Asia/Tokyo", 0, u"1970.01.01 09:00:00"},
      {"Asia/Tokyo", 1704067199, u"2024.01.01 08:59:58"},
      {"Asia/Kolkata", 1704067200, u"2024.01.01 05:30:00"},
      {"Asia/Kolkata", 1704047399, u"2023.12.31 23:59:58"},  // the UTC hour spans midnight
      {"Asia/Kolkata", 1704047400, u"2024.01.01 00:00:00"},
      {"America/New_York", 1699163999, u"2023.11.05 01:59:58"},  // last second of summer time
      {"America/New_York", 1699164000, u"2023.11.05 01:00:00"},
      {"Australia/Lord_Howe", 1696087799, u"2023.10.01 01:59:58"},  // half-hour step
      {"Australia/Lord_Howe", 1696087800, u"2023.10.01 02:30:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.tz) + " " + std::to_string(c.t));
    if (!ZoneInstalled(c.tz)) continue;
    TimeZone zone(c.tz);
    FileTimeFormatter f(*System().clock);
    EXPECT_EQ(f.Format(c.t), c.text);
    EXPECT_EQ(f.Format(c.t), c.text);  // again, from what the formatter remembered
  }
}

TEST(FileTimeFormatter, MatchesDirectConversionEverywhere) {
  const char* const zones[] = {"UTC",
                               "Asia/Tokyo",
                               "Asia/Kolkata",
                               "Asia/Kathmandu",
                               "America/New_York",
                               "America/St_Johns",
                               "Australia/Lord_Howe",
                               "Pacific/Chatham",
                               "Europe/Dublin",
                               "Africa/Casablanca",
                               "Pacific/Apia",
                               "right/Asia/Tokyo"};
  const int64_t y1900 = -2208988800;
  const int64_t y1990 = 631152000;
  const int64_t y2030 = 1893456000;
  const int64_t y2200 = 7258118400;
  for (const char* tz : zones) {
    SCOPED_TRACE(tz);
    if (!ZoneInstalled(tz)) continue;
    TimeZone zone(tz);
    std::mt19937_64 rng(42);
    std::vector<int64_t> times;
    // Spread over three centuries: nearly every hour is new to the formatter.
    std::uniform_int_distribution<int64_t> any(y1900, y2200);
    for (int k = 0; k < 20000; ++k) times.push_back(any(rng));
    // Clustered as real folders are: many files within the same hours.
    for (int k = 0; k < 200; ++k) {
      const int64_t hour = any(rng) / 3600 * 3600;
      for (int j = 0; j < 50; ++j) times.push_back(hour + static_cast<int64_t>(rng() % 3600));
    }
    // Every second near each change of offset, and a sample of the hours
    // around it.
    for (const int64_t change : OffsetChanges(y1990, y2030)) {
      for (int64_t d = -3; d <= 3; ++d) times.push_back(change + d);
      for (int64_t d = -7200; d <= 7200; d += 37) times.push_back(change + d);
    }
    // Leap seconds, in the zones that count them.
    for (int64_t d = -4000; d <= 4000; ++d) times.push_back(1483228800 + 27 + d);
    std::shuffle(times.begin(), times.end(), rng);

    FileTimeFormatter f(*System().clock);
    int mismatches = 0;
    for (const int64_t t : times) {
      const std::u16string expected = Reference(t);
      for (int pass = 0; pass < 2; ++pass) {
        const std::u16string got = f.Format(t);
        if (got != expected && ++mismatches <= 5) {
          ADD_FAILURE() << "t=" << t << " got " << base::ToUtf8(got) << " expected "
                        << base::ToUtf8(expected);
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(FileTimeFormatter, FormatToReplacesWhatTheTextHeld) {
  TimeZone zone("UTC");
  FileTimeFormatter f(*System().clock);
  std::u16string text = u"a much longer text than any time text would be";
  f.FormatTo(1704067200, text);
  EXPECT_EQ(text, u"2024.01.01 00:00:00");
  f.FormatTo(INT64_MIN, text);
  EXPECT_EQ(text, u"");
}

class FileTimeTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    dir_ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tarnvik-time-XXXXXX";
    ASSERT_NE(mkdtemp(dir_.data()), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"file", "link"}) unlink((dir_ + "/" + name).c_str());
    rmdir(dir_.c_str());
  }
  std::string dir_;
};

TEST_F(FileTimeTextTest, GivesTheTextOfAnExistingFileAndFailsForAMissingOne) {
  TimeZone zone("UTC");
  const std::string file = dir_ + "/file";
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  const struct timespec times[2] = {{1704067201, 0}, {1704067201, 0}};
  ASSERT_EQ(futimens(fd, times), 0);
  close(fd);
  // A symbolic link has a time of its own, which is the one shown.
  const std::string link = dir_ + "/link";
  ASSERT_EQ(symlink("nowhere", link.c_str()), 0);
  const struct timespec linkTimes[2] = {{1704070799, 0}, {1704070799, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, link.c_str(), linkTimes, AT_SYMLINK_NOFOLLOW), 0);

  FileTimeFormatter f(*System().clock);
  const platform::FileQueries& files = *System().files;
  std::u16string text;
  EXPECT_TRUE(FileTimeText(files, f, file, text));
  EXPECT_EQ(text, u"2024.01.01 00:00:00");
  EXPECT_TRUE(FileTimeText(files, f, link, text));
  EXPECT_EQ(text, u"2024.01.01 00:59:58");

  text = u"left over";
  EXPECT_FALSE(FileTimeText(files, f, dir_ + "/missing", text));
  EXPECT_EQ(text, u"");
  unlink(file.c_str());
  text = u"left over";
  EXPECT_FALSE(FileTimeText(files, f, file, text));
  EXPECT_EQ(text, u"");
}

}  // namespace
}  // namespace tarnvik::lib
