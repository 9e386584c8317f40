// Writes a hostile folder tree for memory benchmarks: a chain of LEVELS
// nested folders whose names are NAME_LENGTH characters long, with FILES
// empty files in the deepest one:
//   deeptree_tool OUT_DIR [--levels N] [--name-length N] [--files N]
// Defaults: 60 levels of 200-character names and 20,000 files. The tree is
// made through folder descriptors, so its paths may be far longer than the
// system's path limit. OUT_DIR must not exist yet.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: deeptree_tool OUT_DIR [--levels N] [--name-length N] [--files N]\n");
  return 2;
}

int Fail(const char* what, const std::string& name) {
  std::fprintf(stderr, "deeptree_tool: %s %s: %s\n", what, name.substr(0, 40).c_str(),
               std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-' || argv[1][0] == '\0') return Usage();
  long levels = 60;
  long nameLength = 200;
  long files = 20000;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    char* end = nullptr;
    const long value = std::strtol(argv[++i], &end, 10);
    if (*end != '\0' || value < 0) return Usage();
    if (option == "--levels") {
      levels = value;
    } else if (option == "--name-length") {
      nameLength = value;
    } else if (option == "--files") {
      files = value;
    } else {
      return Usage();
    }
  }
  if (nameLength < 1 || nameLength > 250) {
    std::fprintf(stderr, "deeptree_tool: --name-length must be 1 to 250\n");
    return 2;
  }

  const std::string out = argv[1];
  if (mkdir(out.c_str(), 0755) != 0) return Fail("cannot make", out);
  int dir = open(out.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return Fail("cannot open", out);
  for (long level = 0; level < levels; ++level) {
    // Names differ in their first characters so that no two levels look alike.
    std::string name(static_cast<size_t>(nameLength), 'd');
    const std::string number = std::to_string(level);
    name.replace(0, std::min(number.size(), name.size()), number, 0, name.size());
    if (mkdirat(dir, name.c_str(), 0755) != 0) return Fail("cannot make", name);
    const int child = openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (child < 0) return Fail("cannot open", name);
    close(dir);
    dir = child;
  }
  for (long i = 0; i < files; ++i) {
    const std::string name = "file" + std::to_string(i) + ".txt";
    const int fd = openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return Fail("cannot make", name);
    close(fd);
  }
  close(dir);
  std::printf("%ld levels of %ld-character names, %ld files\n", levels, nameLength, files);
  return 0;
}
