// The POSIX calls that the platform-neutral tests use for their temporary
// folders and time zone, in terms of the Windows C runtime. Included ahead of
// every test source of the Windows build.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstring>

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && getenv(name) != nullptr) return 0;
  return _putenv_s(name, value);
}

inline int unsetenv(const char* name) { return _putenv_s(name, ""); }

inline int mkdir(const char* path, int /*mode*/) { return _mkdir(path); }

inline char* mkdtemp(char* pattern) {
  if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
  return _mkdir(pattern) == 0 ? pattern : nullptr;
}
#endif
