// Writes a deterministic folder tree for benchmarks and screenshots:
//   gentree_tool OUT_DIR [--seed N] [--files N] [--folders N]
// Defaults: 20,000 files in 2,000 folders. Names mix Japanese (kana, kanji,
// full- and half-width forms) and ASCII, many occur in several folders
// (some as copies with equal time and size, some with other times), and
// about one in twenty is a hidden dot-file. Files are sparse, so the tree
// is quick to make and takes little space.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kStems[] = {
    "報告書",   "レポート", "ﾚﾎﾟｰﾄ",   "議事録", "見積書",  "請求書", "企画書", "plan",  "report",
    "Report",   "ＡＢＣ",   "a b c",   "写真",   "データ",  "ﾃﾞｰﾀ",   "売上",   "集計",  "名簿",
    "さくら",   "サクラ",   "minutes", "budget", "invoice", "memo",   "README", "notes", "会議メモ",
    "予定表",   "ｶﾞｲﾄﾞ",    "ガイド",  "手順書", "仕様",    "backup", "draft",  "final", "ﾌﾟﾚｾﾞﾝ",
    "プレゼン", "資料",     "契約書",  "ＦＡＸ", "fax",     "日報"};
const char* const kExts[] = {".xls", ".xlsx", ".doc", ".docx", ".ppt", ".txt", ".csv", ".jpg",
                             ".gif", ".bmp",  ".pdf", ".xdw",  ".png", ".zip", "",     ".tar.gz"};
const char* const kFolderStems[] = {"総務",   "経理",  "営業",    "2024年度", "2025年度", "archive",
                                    "shared", "個人",  "ﾃﾝﾌﾟﾚｰﾄ", "projects", "old",      "work",
                                    "顧客",   "部署A", "tmp",     "写真"};

int Usage() {
  std::fprintf(stderr, "usage: gentree_tool OUT_DIR [--seed N] [--files N] [--folders N]\n");
  return 2;
}

bool MakeFile(const std::string& path, off_t size, time_t mtime) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = ftruncate(fd, size) == 0;
  const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
  const bool timed = futimens(fd, times) == 0;
  return close(fd) == 0 && ok && timed;
}

}  // namespace

int main(int argc, char** argv) {
  // The first argument is the folder to write; anything that looks like an
  // option (--help included) gets the usage instead of a tree of that name.
  if (argc < 2 || argv[1][0] == '-' || argv[1][0] == '\0') return Usage();
  std::string out = argv[1];
  unsigned seed = 1;
  int files = 20000;
  int folders = 2000;
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc) return Usage();
    const std::string opt = argv[i];
    const long v = std::strtol(argv[i + 1], nullptr, 10);
    if (opt == "--seed") {
      seed = static_cast<unsigned>(v);
    } else if (opt == "--files") {
      files = static_cast<int>(v);
    } else if (opt == "--folders") {
      folders = static_cast<int>(v);
    } else {
      return Usage();
    }
  }
  if (files < 0 || folders < 1) return Usage();
  if (mkdir(out.c_str(), 0755) != 0 && errno != EEXIST) {
    std::perror(out.c_str());
    return 1;
  }

  std::mt19937 rng(seed);
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

  // Folders: each new folder goes below a random earlier one, so depth
  // grows slowly (most paths 3 to 8 levels deep).
  std::vector<std::string> dirs{out};
  for (int d = 1; d < folders; ++d) {
    const std::string& parent = dirs[pick(static_cast<int>(dirs.size()))];
    std::string name = kFolderStems[pick(std::size(kFolderStems))];
    name += "_" + std::to_string(d);
    const std::string path = parent + "/" + name;
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
      std::perror(path.c_str());
      return 1;
    }
    dirs.push_back(path);
  }

  const time_t base = 1704067200;  // 2024-01-01 UTC
  struct Made {
    std::string name;
    off_t size;
    time_t mtime;
  };
  std::vector<Made> made;
  made.reserve(files);
  for (int f = 0; f < files; ++f) {
    const std::string& dir = dirs[pick(static_cast<int>(dirs.size()))];
    Made m;
    const auto fresh = [&] {
      m.name = kStems[pick(std::size(kStems))];
      m.name += "_" + std::to_string(f);
      m.name += kExts[pick(std::size(kExts))];
      if (pick(20) == 0) m.name = "." + m.name;
      m.size = pick(4) == 0 ? pick(100) : pick(3000000);
      m.mtime = base + pick(86400 * 700);
    };
    const int kind = made.empty() ? 9 : pick(10);
    if (kind < 2) {
      // A copy of an earlier file: same name, size and time ("Same").
      m = made[pick(static_cast<int>(made.size()))];
    } else if (kind < 4) {
      // A namesake of an earlier file with another time ("Name").
      m = made[pick(static_cast<int>(made.size()))];
      m.mtime += 3600 + pick(86400 * 30);
    } else {
      fresh();
    }
    std::string path = dir + "/" + m.name;
    if (access(path.c_str(), F_OK) == 0) {
      fresh();  // that folder already holds this name; the file number keeps it unique
      path = dir + "/" + m.name;
    }
    if (!MakeFile(path, m.size, m.mtime)) {
      std::perror(path.c_str());
      return 1;
    }
    made.push_back(m);
  }
  std::printf("%d files in %d folders below %s\n", files, folders, out.c_str());
  return 0;
}
