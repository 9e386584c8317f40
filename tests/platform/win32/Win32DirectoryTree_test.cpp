#include "platform/win32/Win32DirectoryTree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "core/FolderScan.h"
#include "core/LaunchDecision.h"
#include "platform/win32/FileTimes.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32LocalClock.h"

namespace tarnvik::platform {
namespace {

// The file queries and the clock of the Windows services, as the program
// gets them.
bool StatPath(const std::string& nativePath, FileInfo& out) {
  return Win32FileQueries().StatPath(nativePath, out);
}
bool IsFolder(const std::string& nativePath) { return Win32FileQueries().IsFolder(nativePath); }
std::string DefaultSearchRoot() { return Win32FileQueries().DefaultRoot(); }
bool ToLocalTime(int64_t epochSeconds, LocalTime& out) {
  return Win32LocalClock().ToLocalTime(epochSeconds, out);
}

using win32::ExtendedPath;
using win32::ToNative;
using win32::ToWide;

// 2021-03-04 05:06:07 UTC, an odd second.
constexpr int64_t kStamp = 1614834367;

// A fresh folder under the temporary folder, removed with everything in it.
class Fixture {
 public:
  Fixture() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp) + L"tarnvik-tree-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
    CreateDirectoryW(root_.c_str(), nullptr);
  }
  ~Fixture() { Remove(ExtendedPath(root_)); }

  const std::wstring& Root() const { return root_; }

  void Folder(const std::wstring& relative) {
    ASSERT_TRUE(CreateDirectoryW(ExtendedPath(root_ + L"\\" + relative).c_str(), nullptr))
        << GetLastError();
  }

  bool TryFile(const std::wstring& relative) {
    const HANDLE h = CreateFileW(ExtendedPath(root_ + L"\\" + relative).c_str(), GENERIC_WRITE, 0,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(h, "1234567", 7, &written, nullptr);
    CloseHandle(h);
    return true;
  }

  void File(const std::wstring& relative, DWORD size, DWORD attributes = 0) {
    const std::wstring path = ExtendedPath(root_ + L"\\" + relative);
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    const std::string bytes(size, 'x');
    DWORD written = 0;
    WriteFile(h, bytes.data(), size, &written, nullptr);
    FILETIME ft;
    win32::ToFileTime(kStamp, ft);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    if (attributes != 0) SetFileAttributesW(path.c_str(), attributes);
  }

 private:
  static void Remove(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      WIN32_FIND_DATAW data;
      const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
      if (find != INVALID_HANDLE_VALUE) {
        do {
          const std::wstring name = data.cFileName;
          if (name != L"." && name != L"..") Remove(path + L"\\" + name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
      }
      RemoveDirectoryW(path.c_str());
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  }

  std::wstring root_;
};

class Host : public base::EngineHost {
 public:
  base::SortOrder CurrentSortOrder() const override { return base::SortOrder::ByName; }
  void ShowMessage(const std::u16string&) override {}
};

// Folder\name -> "time|size" of every row a scan of root writes.
std::map<std::u16string, std::u16string> Scan(const std::wstring& root, base::Counters& counters) {
  base::ResultTable upper;
  base::ResultTable lower;
  Host host;
  core::ApplyColumnLayout(base::SortOrder::ByName, upper, lower, host);
  Win32DirectoryTree fs;
  const std::u16string text = base::NativeToText(ToNative(root));
  const Win32LocalClock clock;
  core::ScanFolder(text, text, counters, upper, host, fs, clock);
  std::map<std::u16string, std::u16string> rows;
  for (int r = 1; r < upper.RowCount() - 1; ++r) {
    rows[upper.Cell(base::kColFolder, r) + u"|" + upper.Cell(base::kColName, r)] =
        upper.Cell(base::kColTime, r) + u"|" + upper.Cell(base::kColSize, r);
  }
  return rows;
}

bool UtcZone() {
  TIME_ZONE_INFORMATION tz;
  const DWORD mode = GetTimeZoneInformation(&tz);
  return tz.Bias == 0 && (mode == TIME_ZONE_ID_UNKNOWN || tz.DaylightBias == 0);
}

// Japanese, hidden, system and read-only files are listed with their size
// and time from the listing; folders below the root are written with "\";
// a link to a folder is a file and is not entered.
TEST(Win32DirectoryTree, ScanListsEveryFileWithWindowsFolders) {
  Fixture f;
  f.File(L"日本語.txt", 12);
  f.File(L"hidden.dat", 3, FILE_ATTRIBUTE_HIDDEN);
  f.File(L"system.dat", 4, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  f.File(L"readonly.txt", 1234567, FILE_ATTRIBUTE_READONLY);
  f.Folder(L"資料");
  f.Folder(L"資料\\深い");
  f.File(L"資料\\深い\\a.doc", 0);
  // Unprivileged links need developer mode on Windows; Wine 8 reports
  // success without making one. The link part runs where a link exists.
  const std::wstring link = f.Root() + L"\\link";
  CreateSymbolicLinkW(link.c_str(), (f.Root() + L"\\資料").c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  const DWORD linkAttributes = GetFileAttributesW(link.c_str());
  const bool linked = linkAttributes != INVALID_FILE_ATTRIBUTES &&
                      (linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;

  base::Counters counters;
  const auto rows = Scan(f.Root(), counters);
  std::vector<std::u16string> keys;
  for (const auto& [key, value] : rows) keys.push_back(key);
  std::vector<std::u16string> expected = {u"|日本語.txt", u"|hidden.dat", u"|system.dat",
                                          u"|readonly.txt", u"資料\\深い|a.doc"};
  if (linked) expected.push_back(u"|link");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(counters.FileCount, static_cast<int>(expected.size()));
  EXPECT_EQ(counters.FolderCount, 3);  // root, 資料, 深い; the link is not entered
  const std::u16string time =
      UtcZone() ? u"2021.03.04 05:06:06" : rows.at(u"|日本語.txt").substr(0, 19);
  EXPECT_EQ(rows.at(u"|日本語.txt"), time + u"|    12");
  EXPECT_EQ(rows.at(u"|readonly.txt"), time + u"|1234567");
  EXPECT_EQ(rows.at(u"資料\\深い|a.doc"), time + u"|     0");
  if (!linked) RecordProperty("link", "no symbolic link could be made here");
}

// Folders far below MAX_PATH are walked through the "\\?\" form; the drive
// root "C:" is the root of the drive, and its relative folders carry no
// leading "\".
TEST(Win32DirectoryTree, LongPathsAndDriveRoots) {
  Fixture f;
  std::wstring relative;
  std::u16string folderCell;
  for (int i = 0; i < 12; ++i) {
    const std::wstring part = L"folder-with-a-long-name-" + std::to_wstring(i);
    relative += (relative.empty() ? L"" : L"\\") + part;
    folderCell += (folderCell.empty() ? u"" : u"\\") + base::NativeToText(ToNative(part));
    f.Folder(relative);
  }
  ASSERT_GT(f.Root().size() + relative.size(), static_cast<size_t>(MAX_PATH));
  f.File(relative + L"\\deep.txt", 5);
  base::Counters counters;
  const auto rows = Scan(f.Root(), counters);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.begin()->first, folderCell + u"|deep.txt");
  EXPECT_EQ(counters.FolderCount, 13);

  FileInfo info;
  EXPECT_TRUE(StatPath(ToNative(f.Root() + L"\\" + relative + L"\\deep.txt"), info));
  EXPECT_EQ(info.size, 5);
  EXPECT_EQ(info.mtime, kStamp);

  // The launcher joins the shown root, the folder cell and the name with
  // "\" and never doubles it.
  EXPECT_EQ(core::DecideLaunch(core::LaunchFolder(u"C:", u"x\\y", u'\\'), u"a.txt", u'\\').path,
            u"C:\\x\\y\\a.txt");
  EXPECT_EQ(core::DecideLaunch(u"C:\\", u"a.txt", u'\\').path, u"C:\\a.txt");
}

TEST(Win32DirectoryTree, DriveRootsAndDefaultRoot) {
  const std::string root = DefaultSearchRoot();
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[1], ':');
  EXPECT_TRUE(IsFolder(root));
  Win32DirectoryTree fs;
  // "C:" is the drive's root, not its current folder.
  const auto h = fs.OpenRoot(root);
  ASSERT_GE(h, 0);
  std::vector<DirEntry> entries;
  ASSERT_TRUE(fs.List(h, entries));
  wchar_t windows[MAX_PATH + 1];
  GetWindowsDirectoryW(windows, MAX_PATH + 1);
  const std::string windowsName = ToNative(std::wstring(windows).substr(3));
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const DirEntry& e) {
    return e.isFolder && _stricmp(e.name.c_str(), windowsName.c_str()) == 0;
  }));
  fs.Close(h);
  EXPECT_FALSE(IsFolder(""));
  EXPECT_FALSE(IsFolder(root + "\\no such folder"));
}

// Native names are the UTF-8 of the UTF-16 name, lone surrogates included,
// and come back unchanged through the table's text.
TEST(WideText, EveryUtf16NameSurvivesTheRoundTrip) {
  const std::wstring names[] = {
      L"plain",
      L"日本語",
      L"\U0001F600",
      std::wstring(1, wchar_t(0xD800)),
      std::wstring(1, wchar_t(0xDC80)),
      std::wstring{wchar_t(0xDBFF), L'x', wchar_t(0xDFFF)},
  };
  for (const std::wstring& name : names) {
    const std::string native = ToNative(name);
    EXPECT_EQ(ToWide(native), name);
    EXPECT_EQ(ToWide(base::TextToNative(base::NativeToText(native))), name);
  }
  EXPECT_EQ(ToNative(L"日本語"), "日本語");
  EXPECT_EQ(ToWide("\xFF"), std::wstring(1, wchar_t(0xFFFD)));
}

// A name with a lone surrogate (possible on NTFS, not in UTF-8) is listed
// and its time can be read back through the table text.
TEST(Win32DirectoryTree, LoneSurrogateNamesAreListed) {
  Fixture f;
  const std::wstring odd = std::wstring(L"odd") + wchar_t(0xD834) + L".txt";
  if (!f.TryFile(odd)) GTEST_SKIP() << "this file system takes no such name (Wine on Linux)";
  base::Counters counters;
  const auto rows = Scan(f.Root(), counters);
  ASSERT_EQ(rows.size(), 1u);
  const std::u16string name = rows.begin()->first.substr(1);
  const std::string native = base::TextToNative(name);
  EXPECT_EQ(ToWide(native), odd);
  FileInfo info;
  EXPECT_TRUE(StatPath(ToNative(f.Root() + L"\\") + native, info));
  EXPECT_EQ(info.size, 7);
}

TEST(LocalClock, ConvertsThroughTheSystemZone) {
  LocalTime t;
  ASSERT_TRUE(ToLocalTime(kStamp, t));
  if (UtcZone()) {
    EXPECT_EQ(t.year, 2021);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 4);
    EXPECT_EQ(t.hour, 5);
    EXPECT_EQ(t.minute, 6);
    EXPECT_EQ(t.second, 7);
  }
  EXPECT_TRUE(ToLocalTime(-11644473600LL, t));  // 1601-01-01, the first FILETIME
  EXPECT_FALSE(ToLocalTime(-11644473601LL, t));
  EXPECT_FALSE(ToLocalTime(INT64_MAX, t));
}

}  // namespace
}  // namespace tarnvik::platform
