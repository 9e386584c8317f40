// Runs the real tarnvik-cli on trees made by the test and reads back what it
// prints.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tarnvik-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    base_ = tmpl;
    root_ = base_ / "root";
    fs::create_directory(root_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(base_, ec);
  }

  // Makes a file of `size` bytes with the given modification time (UTC
  // seconds); folders on the way are created.
  void MakeFile(const std::string& rel, size_t size, time_t mtime) {
    const fs::path p = root_ / rel;
    fs::create_directories(p.parent_path());
    const int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << rel;
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ASSERT_EQ(futimens(fd, times), 0);
    close(fd);
  }

  // The program's argument and environment vectors for exec: tarnvik-cli
  // with `args`, in UTC and a UTF-8 locale so that time texts and names are
  // predictable.
  struct Command {
    explicit Command(const std::vector<std::string>& args) : argStore{TARNVIK_CLI_PATH} {
      argStore.insert(argStore.end(), args.begin(), args.end());
      for (auto& a : argStore) argv.push_back(a.data());
      argv.push_back(nullptr);
      for (auto& e : envStore) envp.push_back(e.data());
      envp.push_back(nullptr);
    }
    std::vector<std::string> argStore;
    std::vector<std::string> envStore{"TZ=UTC", "LC_ALL=C.UTF-8"};
    std::vector<char*> argv, envp;
  };

  // Runs tarnvik-cli with TZ=UTC so that time texts are predictable.
  CliRun Run(const std::vector<std::string>& args) {
    CliRun run;
    const fs::path outPath = base_ / "stdout", errPath = base_ / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    Command command(args);
    std::vector<char*>& argv = command.argv;
    std::vector<char*>& envp = command.envp;
    pid_t pid;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
  }

  // Runs tarnvik-cli like Run, in a child that first lowers its descriptor
  // limit to `descriptors` (when > 0) and gives up root for the user nobody
  // (when `unprivileged`). Returns false when that cannot be arranged.
  bool RunLimited(const std::vector<std::string>& args, int descriptors, bool unprivileged,
                  CliRun& run) {
    const fs::path outPath = base_ / "stdout", errPath = base_ / "stderr";
    Command command(args);
    std::vector<char*>& argv = command.argv;
    std::vector<char*>& envp = command.envp;
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(120);
      close(out);
      close(err);
      if (unprivileged && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(121);
      if (descriptors > 0) {
        // Descriptors the test runner left open would count against the
        // limit and keep even the loader from opening the libraries.
        close_range(3, ~0U, 0);
        const rlimit limit{static_cast<rlim_t>(descriptors), static_cast<rlim_t>(descriptors)};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) _exit(122);
      }
      execve(argv[0], argv.data(), envp.data());
      _exit(123);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run.exitCode < 120;
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
  }

  fs::path base_, root_;
};

constexpr time_t kT1 = 1717243200;  // 2024.06.01 12:00:00 UTC
constexpr time_t kT2 = 1717243261;  // 2024.06.01 12:01:01 UTC (odd seconds round down)

TEST_F(CliTest, PrintsTheSortedMarkedTable) {
  MakeFile("b.txt", 12, kT1);
  MakeFile("x/a.txt", 5, kT1);
  MakeFile("y/a.txt", 5, kT1);
  MakeFile("z/a.txt", 1234567, kT2);
  MakeFile("x/Thumbs.db", 1, kT1);
  const CliRun run = Run({root_.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> expected = {
      " No.\tFile Name\tFolder Name\tDate Time\tSize\tCheck",
      "   1\ta.txt\tx\t2024.06.01 12:00:00\t     5\t",
      "   2\ta.txt\ty\t2024.06.01 12:00:00\t     5\tSame",
      "   3\ta.txt\tz\t2024.06.01 12:01:00\t1234567\tName",
      "   4\tb.txt\t\t2024.06.01 12:00:00\t    12\t",
  };
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_EQ(run.err, "files=4 folders=4 same=2\n");
}

TEST_F(CliTest, ExtensionOrderAddsTheExtensionColumn) {
  MakeFile("README", 1, kT1);
  MakeFile("a.ppt", 1, kT1);
  MakeFile("b.TXT", 1, kT1);
  const CliRun run = Run({"--order", "ext", root_.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], " No.\tFile Name\tFolder Name\tDate Time\tSize\tCheck\tExt.");
  EXPECT_EQ(lines[1], "   1\ta.ppt\t\t2024.06.01 12:00:00\t     1\t\tPPT");
  EXPECT_EQ(lines[2], "   2\tREADME\t\t2024.06.01 12:00:00\t     1\t\t");
  EXPECT_EQ(lines[3], "   3\tb.TXT\t\t2024.06.01 12:00:00\t     1\t\tTXT");
}

TEST_F(CliTest, EscapesCellsAndRestoresUndecodableBytes) {
  MakeFile("tab\there", 1, kT1);
  MakeFile("new\nline", 1, kT1);
  MakeFile("back\\slash\r", 1, kT1);
  MakeFile("sjis\x82\xA0.txt", 1, kT1);
  const CliRun run = Run({root_.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u) << run.out;
  // Sorted by UTF-16 code units: the undecodable bytes become U+DC82 U+DCA0,
  // which sort above ASCII.
  EXPECT_EQ(lines[1], "   1\tback\\\\slash\\r\t\t2024.06.01 12:00:00\t     1\t");
  EXPECT_EQ(lines[2], "   2\tnew\\nline\t\t2024.06.01 12:00:00\t     1\t");
  EXPECT_EQ(lines[3], "   3\tsjis\x82\xA0.txt\t\t2024.06.01 12:00:00\t     1\t");
  EXPECT_EQ(lines[4], "   4\ttab\\there\t\t2024.06.01 12:00:00\t     1\t");
}

// A file name may hold any byte but '/' and NUL. Control characters would
// drive the terminal the table is printed to (clear it, retitle it, move the
// cursor), so every C0 control and DEL comes out as \xHH; tab, newline and
// carriage return keep their short escapes. Controls sit at the start, the
// end and deep inside long names.
TEST_F(CliTest, ControlCharactersInNamesAreEscaped) {
  struct Case {
    std::string folder;  // "" for the root
    std::string name;
    std::string printedFolder;
    std::string printedName;
  };
  const Case cases[] = {
      {"", "esc\x1b[2Jclear", "", "esc\\x1B[2Jclear"},
      {"", "0123456789\x1b]0;title\x07.txt", "", "0123456789\\x1B]0;title\\x07.txt"},
      {"", "bell\x07", "", "bell\\x07"},
      {"", "\x01start", "", "\\x01start"},
      {"", "del\x7f", "", "del\\x7F"},
      {"",
       "abcdefgh\x7f"
       "abcdefgh",
       "",
       "abcdefgh\\x7F"
       "abcdefgh"},
      {"", "unit\x1fsep", "", "unit\\x1Fsep"},
      {"", "esc\x1bx41", "", "esc\\x1Bx41"},
      {"", "back\\x1B", "", "back\\\\x1B"},  // a literal backslash stays told apart
      {"", "tab\there", "", "tab\\there"},
      {"", "new\nline", "", "new\\nline"},
      {"", "carriage\rreturn", "", "carriage\\rreturn"},
      {"dir\x1b[0m", "in.txt", "dir\\x1B[0m", "in.txt"},
  };
  for (const Case& c : cases) {
    MakeFile(c.folder.empty() ? c.name : c.folder + "/" + c.name, 1, kT1);
  }
  const CliRun run = Run({root_.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char ch : run.out) {
    const auto u = static_cast<unsigned char>(ch);
    EXPECT_TRUE((u >= 0x20 && u != 0x7F) || u == '\t' || u == '\n')
        << "raw control byte " << static_cast<int>(u) << " in the output";
  }
  for (const Case& c : cases) {
    const std::string cells = "\t" + c.printedName + "\t" + c.printedFolder + "\t";
    EXPECT_NE(run.out.find(cells), std::string::npos) << c.printedName << "\n" << run.out;
  }
  EXPECT_EQ(Lines(run.out).size(), std::size(cases) + 1);
}

TEST_F(CliTest, EmptyFolderPrintsOneBlankNumberedRow) {
  const CliRun run = Run({root_.string()});
  ASSERT_EQ(run.exitCode, 0);
  const std::vector<std::string> expected = {" No.\tFile Name\tFolder Name\tDate Time\tSize\tCheck",
                                             "   1\t\t\t\t\t"};
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_EQ(run.err, "files=0 folders=1 same=0\n");
}

TEST_F(CliTest, TrailingSlashOfTheRootIsDropped) {
  MakeFile("sub/f.txt", 3, kT1);
  const CliRun plain = Run({root_.string()});
  const CliRun slashed = Run({root_.string() + "/"});
  ASSERT_EQ(slashed.exitCode, 0);
  EXPECT_EQ(slashed.out, plain.out);
  EXPECT_NE(plain.out.find("\tf.txt\tsub\t"), std::string::npos) << plain.out;
}

TEST_F(CliTest, BadUsageAndMissingFoldersExitWithTwo) {
  MakeFile("file.txt", 1, kT1);
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--order"},
      {"--order", "size", root_.string()},
      {"--bogus", root_.string()},
      {root_.string(), root_.string()},
      {(root_ / "file.txt").string()},
      {(root_ / "missing").string()},
      {"--view", "all", root_.string()},
      {"--view", "name", "--filter", "x", root_.string()},
      {"--and", "x", root_.string()},
      {"--filter", "a", "--and", "b", "--or", "c", root_.string()},
  };
  for (const auto& args : cases) {
    const CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "" : args.back());
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST_F(CliTest, LimitMessageGoesToStandardErrorOnce) {
  // 20,001 files two levels below the root: the limit is reached in a/b, and
  // the message comes once, when the walk ends.
  fs::create_directories(root_ / "a" / "b");
  for (int i = 0; i < 20001; ++i) {
    const fs::path p = root_ / "a" / "b" / ("f" + std::to_string(i));
    const int fd = open(p.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    close(fd);
  }
  const CliRun run = Run({root_.string()});
  ASSERT_EQ(run.exitCode, 0);
  const std::string message = "検索対象結果が２０，０００件を超えました！！\n途中終了しました。\n";
  EXPECT_EQ(run.err, message + "files=20000 folders=3 same=0\n");
  EXPECT_EQ(Lines(run.out).size(), 20001u);
}

// The names (column 1) of the data rows printed, in order.
std::vector<std::string> NamesOf(const std::string& out) {
  std::vector<std::string> names;
  std::istringstream in(out);
  std::string line;
  std::getline(in, line);  // headers
  while (std::getline(in, line)) {
    const size_t a = line.find('\t');
    const size_t b = line.find('\t', a + 1);
    names.push_back(line.substr(a + 1, b - a - 1));
  }
  return names;
}

TEST_F(CliTest, ViewsAndFiltersPrintTheLowerTable) {
  MakeFile("レポート.xls", 1, kT1);
  MakeFile("x/ﾚﾎﾟｰﾄ_plan.txt", 1, kT1);
  MakeFile("ＡＢＣ.txt", 1, kT1);
  MakeFile("a b c.txt", 1, kT1);
  MakeFile("x/a.txt", 1, kT1);
  MakeFile("y/a.txt", 1, kT1);
  MakeFile("z/a.txt", 2, kT1);
  // UTF-16 order: katakana (U+30xx) before full-width letters (U+FFxx).
  const std::vector<std::string> all = {"a b c.txt",    "a.txt",      "a.txt",         "a.txt",
                                        "レポート.xls", "ＡＢＣ.txt", "ﾚﾎﾟｰﾄ_plan.txt"};
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {{}, all},
      {{"--view", "same"}, {"a.txt", "a.txt"}},
      {{"--view", "name"}, {"a.txt"}},  // its head carries a mark, so none is added
      {{"--filter", "れぽーと"}, {"レポート.xls", "ﾚﾎﾟｰﾄ_plan.txt"}},
      {{"--filter", "abc"}, {"a b c.txt", "ＡＢＣ.txt"}},
      {{"--filter", "ﾚﾎﾟ", "--and", "PLAN"}, {"ﾚﾎﾟｰﾄ_plan.txt"}},
      {{"--filter", "abc", "--or", "plan"}, {"a b c.txt", "ＡＢＣ.txt", "ﾚﾎﾟｰﾄ_plan.txt"}},
      {{"--filter", "nothing"}, {""}},  // the one blank row
      {{"--filter", " "}, all},         // blank first keyword: the search result stays
      {{"--filter", "\u3000", "--or", "a.txt"}, {"a.txt", "a.txt", "a.txt"}},
      {{"--filter", "\u3000", "--and", "a.txt"}, {""}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back(root_.string());
    const CliRun run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(NamesOf(run.out), c.names) << (c.args.empty() ? "" : c.args[0] + " " + c.args[1]);
  }
}

// "-h" and "--help" ask for the usage only where an option may stand; as
// the value of an option, or after "--", they are plain words.
TEST_F(CliTest, HelpIsAskedForOnlyInThePlaceOfAnOption) {
  MakeFile("a-h.txt", 1, kT1);
  MakeFile("b.txt", 1, kT1);
  MakeFile("c--help.txt", 1, kT1);
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    bool usage;
    std::vector<std::string> names;  // when a table is printed
  };
  const std::string root = root_.string();
  const Case cases[] = {
      {{"--help"}, 0, true, {}},
      {{"-h", root}, 0, true, {}},
      {{"--order", "ext", "--help", root}, 0, true, {}},
      {{"--filter", "-h", root}, 0, false, {"a-h.txt", "c--help.txt"}},
      {{"--filter", "--help", root}, 0, false, {"c--help.txt"}},
      {{"--filter", "b", "--or", "-h", root}, 0, false, {"a-h.txt", "b.txt", "c--help.txt"}},
      {{"--", "--help"}, 2, false, {}},  // a ROOT named --help, which is no folder here
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.args);
    const std::string what = c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
    EXPECT_EQ(run.exitCode, c.exitCode) << what << "\n" << run.err;
    EXPECT_EQ(run.out.rfind("usage:", 0) == 0, c.usage) << what << "\n" << run.out;
    if (!c.names.empty()) {
      EXPECT_EQ(NamesOf(run.out), c.names) << what;
    }
  }
}

TEST_F(CliTest, XlsxWritesThePrintedTable) {
  MakeFile("keep.txt", 1, kT1);
  MakeFile("drop.txt", 1, kT1);
  const fs::path book = base_ / "out.xlsx";
  const CliRun run = Run({"--filter", "KEEP", "--xlsx", book.string(), root_.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string command = "unzip -p '" + book.string() + "' xl/sharedStrings.xml";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string strings;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) strings.append(buf, n);
  pclose(pipe);
  EXPECT_NE(strings.find("keep.txt"), std::string::npos) << strings;
  EXPECT_EQ(strings.find("drop.txt"), std::string::npos) << strings;
  EXPECT_NE(strings.find("Folder Name"), std::string::npos);

  const CliRun failed =
      Run({"--xlsx", (base_ / "no" / "such" / "x.xlsx").string(), root_.string()});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err, "Ｅｘｃｅｌ変換処理に失敗しました！！\nfiles=2 folders=1 same=0\n");
}

TEST_F(CliTest, XlsxReplacesOnlyRegularFilesAndKeepsTheirPermissions) {
  MakeFile("a.txt", 1, kT1);
  const fs::path book = base_ / "private.xlsx";
  { std::ofstream(book) << "old"; }
  ASSERT_EQ(chmod(book.c_str(), 0600), 0);
  const CliRun replaced = Run({"--xlsx", book.string(), root_.string()});
  ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
  struct stat st;
  ASSERT_EQ(lstat(book.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_NE(ReadFile(book), "old");

  // What is not a regular file is refused before anything is done.
  const fs::path fifo = base_ / "fifo", link = base_ / "link", folder = base_ / "folder";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  fs::create_symlink(book, link);
  fs::create_directory(folder);
  const std::string bookBefore = ReadFile(book);
  for (const fs::path& target : {fifo, link, folder}) {
    SCOPED_TRACE(target.string());
    const CliRun run = Run({"--xlsx", target.string(), root_.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tarnvik-cli: '" + target.string() +
                           "' exists and is not a regular file; it is left as it is\n");
  }
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder)));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(ReadFile(book), bookBefore);
  for (const auto& e : fs::directory_iterator(base_)) {
    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
  }
}

TEST_F(CliTest, FoldersThatCannotBeReadAreReportedAndFailTheRun) {
  MakeFile("a.txt", 1, kT1);
  MakeFile("open/b.txt", 1, kT1);
  MakeFile("locked/secret.txt", 1, kT1);
  MakeFile("noread/x.txt", 1, kT1);
  ASSERT_EQ(chmod((root_ / "locked").c_str(), 0000), 0);
  ASSERT_EQ(chmod((root_ / "noread").c_str(), 0333), 0);
  ASSERT_EQ(chmod(base_.c_str(), 0755), 0);
  CliRun run;
  const bool asRoot = geteuid() == 0;
  if (!RunLimited({root_.string()}, 0, asRoot, run)) GTEST_SKIP() << "cannot run as nobody";
  if (access((root_ / "locked").c_str(), R_OK) == 0 && !asRoot) GTEST_SKIP() << "privileged";
  EXPECT_EQ(run.exitCode, 1) << run.err;
  std::vector<std::string> err = Lines(run.err);
  ASSERT_EQ(err.size(), 3u) << run.err;
  EXPECT_EQ(err.back(), "files=2 folders=4 same=0");
  err.pop_back();
  std::sort(err.begin(), err.end());
  EXPECT_EQ(err[0], "tarnvik-cli: '" + (root_ / "locked").string() + "': Permission denied");
  EXPECT_EQ(err[1], "tarnvik-cli: '" + (root_ / "noread").string() + "': Permission denied");
  EXPECT_EQ(NamesOf(run.out), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(CliTest, ListsEverythingUnderATinyDescriptorLimit) {
  // Three levels of three folders, two files in each folder: a walk that
  // needs a folder's and its parent's descriptor at once would lose most.
  std::vector<std::string> expected;
  const std::function<void(const std::string&, int)> make = [&](const std::string& at, int depth) {
    for (int f = 0; f < 2; ++f) {
      const std::string name = "f" + std::to_string(expected.size()) + ".txt";
      MakeFile(at + name, 1, kT1);
      expected.push_back(name);
    }
    if (depth == 3) return;
    for (int d = 0; d < 3; ++d) make(at + "d" + std::to_string(d) + "/", depth + 1);
  };
  make("", 0);
  std::sort(expected.begin(), expected.end());
  CliRun run;
  ASSERT_TRUE(RunLimited({root_.string()}, 4, false, run)) << run.exitCode;
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> names = NamesOf(run.out);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(run.err, "files=80 folders=40 same=0\n");
}

}  // namespace
