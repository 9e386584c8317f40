#include "core/LaunchDecision.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/Columns.h"
#include "base/TextCodec.h"

namespace tarnvik::core {
namespace {

using base::FromUtf8;

struct RecordingLauncher : platform::Launcher {
  std::vector<std::string> opened;
  bool result = true;
  bool OpenDocument(const std::string& nativePath) override {
    opened.push_back(nativePath);
    return result;
  }
};

struct RecordingHost : base::EngineHost {
  std::vector<std::u16string> messages;
  void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
};

TEST(LaunchTable, HoldsTheElevenEntriesInLookupOrder) {
  const char16_t* keys[] = {u"XLS", u"XLSX", u"DOC", u"PPT", u"TXT", u"CSV",
                            u"JPG", u"GIF",  u"BMP", u"PDF", u"XDW"};
  ASSERT_EQ(LaunchTable.size(), std::size(keys));
  for (size_t i = 0; i < LaunchTable.size(); ++i) EXPECT_EQ(LaunchTable[i].extension, keys[i]);
  EXPECT_EQ(LaunchTable[6].program, u"Rundll32.exe Shimgvw.dll, ImageView_Fullscreen");
  EXPECT_EQ(LaunchTable[10].program, u"C:\\Program Files\\Fuji Xerox\\DocuWorks\\bin\\DWVLT.exe");
  EXPECT_EQ(kNoLaunchProgramMessage,
            base::FromUtf8("選択したレポートの起動プログラムは、未設定です！！"));
}

struct ExtensionCase {
  const char* name;
  int entry;  // -1: the message
};

TEST(DecideLaunch, PicksTheEntryByUpperCasedExtensionAfterTheLastDot) {
  const ExtensionCase cases[] = {
      {"book.xls", 0},        {"report.Xls", 0},     {"BOOK.XLSX", 1},   {"letter.doc", 2},
      {"slides.Ppt", 3},      {"notes.txt", 4},      {"data.csv", 5},    {"photo.jpg", 6},
      {"anim.GIF", 7},        {"paint.bmp", 8},      {"manual.pdf", 9},  {"scan.xdw", 10},
      {"archive.tar.txt", 4}, {".txt", 4},           {"readme", -1},     {"txt", -1},
      {"name.", -1},          {"memo.docx", -1},     {"MEMO.DOCX", -1},  {"deck.pptx", -1},
      {"photo.jpeg", -1},     {"image.png", -1},     {"notes.txt ", -1}, {"notes.tx", -1},
      {"book.ｘｌｓ", -1},    {"notes.txt.bak", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LaunchDecision d = DecideLaunch(u"/home/user", base::FromUtf8(c.name));
    EXPECT_EQ(d.entry, c.entry);
    EXPECT_EQ(d.Known(), c.entry >= 0);
    if (c.entry >= 0) {
      EXPECT_EQ(d.program, LaunchTable[c.entry].program);
      EXPECT_EQ(d.kind, LaunchTable[c.entry].startedBy);
    }
    EXPECT_EQ(d.path, u"/home/user/" + base::FromUtf8(c.name));
  }
}

TEST(DecideLaunch, StartKindFollowsTheTable) {
  EXPECT_EQ(DecideLaunch(u"/p", u"a.xls").kind, StartKind::Shell);
  EXPECT_EQ(DecideLaunch(u"/p", u"a.jpg").kind, StartKind::CommandLine);
  EXPECT_EQ(DecideLaunch(u"/p", u"a.gif").kind, StartKind::CommandLine);
  EXPECT_EQ(DecideLaunch(u"/p", u"a.bmp").kind, StartKind::Shell);
}

struct PathCase {
  std::u16string dir;
  std::u16string name;
  std::u16string path;
};

TEST(DecideLaunch, PassesTheExactPathWhateverItHolds) {
  const std::u16string longDir = u"/data/" + std::u16string(300, u'd');
  const std::u16string longName = std::u16string(250, u'n') + u".xls";
  const PathCase cases[] = {
      {u"/home/u/Work/Plans", u"report.Xls", u"/home/u/Work/Plans/report.Xls"},
      {u"/", u"a.txt", u"/a.txt"},
      {longDir, longName, longDir + u"/" + longName},
      {u"/p", u"say \"hi\" 'there'.txt", u"/p/say \"hi\" 'there'.txt"},
      {u"/p", u"a;b $(rm -rf ~) `x`.txt", u"/p/a;b $(rm -rf ~) `x`.txt"},
      {u"/p", u"-rf.txt", u"/p/-rf.txt"},
      {u"/p", u"two\nlines.txt", u"/p/two\nlines.txt"},
      {u"/p", u"bad\xDCFF.txt", u"/p/bad\xDCFF.txt"},
      {u"/p q/r ", u" lead.pdf", u"/p q/r / lead.pdf"},
  };
  for (const auto& c : cases) {
    const LaunchDecision d = DecideLaunch(c.dir, c.name);
    EXPECT_EQ(d.path, c.path) << base::ToUtf8(c.name);
    EXPECT_TRUE(d.Known()) << base::ToUtf8(c.name);
  }
  EXPECT_EQ(DecideLaunch(longDir, longName).path.size(), longDir.size() + 1 + longName.size());
}

TEST(LaunchFolder, JoinsTheShownRootAndTheFolderCell) {
  const PathCase cases[] = {
      {u"/home/u", u"", u"/home/u"},
      {u"/home/u", u"   ", u"/home/u"},
      {u"/home/u", u" \t\r\n", u"/home/u"},
      {u"/home/u", u"Plans", u"/home/u/Plans"},
      {u"/home/u", u"a/b c", u"/home/u/a/b c"},
      {u"/", u"Plans", u"/Plans"},
      {u"/", u"", u"/"},
      {u"/", u"  ", u"/"},
      // Folder names may begin or end with spaces; the exact cell is kept.
      {u"/home/u", u" old ", u"/home/u/ old "},
      {u"/home/u", u"x/y\xDC80", u"/home/u/x/y\xDC80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LaunchFolder(c.dir, c.name), c.path)
        << base::ToUtf8(c.dir) << " + [" << base::ToUtf8(c.name) << "]";
  }
}

TEST(LaunchFile, UnknownExtensionShowsTheMessageAndStartsNothing) {
  for (const char16_t* name : {u"readme", u"memo.docx", u"photo.PNG", u"x.jpeg", u"deck.pptx"}) {
    RecordingLauncher launcher;
    RecordingHost host;
    LaunchFile(u"/home/u", name, launcher, host);
    EXPECT_TRUE(launcher.opened.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], kNoLaunchProgramMessage);
  }
}

TEST(LaunchFile, KnownExtensionOpensTheExactBytesSilentlyEvenWhenTheStartFails) {
  for (bool starts : {true, false}) {
    RecordingLauncher launcher;
    launcher.result = starts;
    RecordingHost host;
    LaunchFile(u"/home/u/資料", u"写真\xDCFF.JPG", launcher, host);
    LaunchFile(u"/", u"report.Xls", launcher, host);
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(launcher.opened.size(), 2u);
    EXPECT_EQ(launcher.opened[0], "/home/u/資料/写真\xFF.JPG");
    EXPECT_EQ(launcher.opened[1], "/report.Xls");
  }
}

TEST(LaunchRow, BuildsTheFolderFromTheShownRootAndTheRowsCells) {
  base::ResultTable t(6, 4);
  t.SetCell(base::kColName, 1, u"report.Xls");
  t.SetCell(base::kColFolder, 1, u"Plans");
  t.SetCell(base::kColName, 2, u"notes.txt");
  t.SetCell(base::kColFolder, 2, u"    ");
  t.SetCell(base::kColName, 3, u"readme");

  RecordingLauncher launcher;
  RecordingHost host;
  LaunchRow(t, 1, u"/srv/Work", launcher, host);
  LaunchRow(t, 2, u"/srv/Work", launcher, host);
  // After a slot switch the same row points below the newly shown root.
  LaunchRow(t, 1, u"/", launcher, host);
  EXPECT_EQ(launcher.opened,
            (std::vector<std::string>{"/srv/Work/Plans/report.Xls", "/srv/Work/notes.txt",
                                      "/Plans/report.Xls"}));
  EXPECT_TRUE(host.messages.empty());

  for (int row : {3, 0, 7, -1}) LaunchRow(t, row, u"/srv/Work", launcher, host);
  EXPECT_EQ(launcher.opened.size(), 3u);
  EXPECT_EQ(host.messages.size(), 4u);
}

// The bytes handed to the launcher must name the very file on disk, for
// names a shell or a UTF-8 decoder would mangle.
TEST(LaunchRow, PathBytesNameTheFileOnDisk) {
  char tmpl[] = "/tmp/tarnvik-launch-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string root = tmpl;
  ASSERT_EQ(mkdir((root + "/sub dir").c_str(), 0700), 0);
  const std::string names[] = {
      "plain.txt",
      "with space \"quoted\".txt",
      "semi;$(echo hi)`x`.pdf",
      "-leading.csv",
      "new\nline.txt",
      "latin1-\xE9\xFF.xls",
      "日本語.doc",
  };
  base::ResultTable t(6, 2);
  int row = 1;
  for (const std::string& name : names) {
    for (const char* folder : {"", "sub dir"}) {
      const std::string dir = *folder ? root + "/" + folder : root;
      const int fd = open((dir + "/" + name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
      ASSERT_GE(fd, 0) << name;
      close(fd);
      t.SetCell(base::kColName, row, base::NativeToText(name));
      t.SetCell(base::kColFolder, row, base::NativeToText(folder));
      ++row;
    }
  }
  t.SetRowCount(row);
  RecordingLauncher launcher;
  RecordingHost host;
  for (int r = 1; r < row; ++r) LaunchRow(t, r, base::NativeToText(root), launcher, host);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(launcher.opened.size(), static_cast<size_t>(row - 1));
  size_t k = 0;
  for (const std::string& name : names) {
    for (const char* folder : {"", "sub dir"}) {
      const std::string expected = (*folder ? root + "/" + folder : root) + "/" + name;
      EXPECT_EQ(launcher.opened[k], expected);
      struct stat st;
      EXPECT_EQ(lstat(launcher.opened[k].c_str(), &st), 0) << launcher.opened[k];
      unlink(expected.c_str());
      ++k;
    }
  }
  rmdir((root + "/sub dir").c_str());
  rmdir(root.c_str());
}

}  // namespace
}  // namespace tarnvik::core
