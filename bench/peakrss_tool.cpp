// Runs a command and prints its peak resident memory and how it ended:
//   peakrss_tool COMMAND [ARGS...]
// The figures go to standard error as "peak RSS: N kB" and "exit: N" or
// "killed by signal N (NAME)"; the command's own output is left alone. The
// tool's exit status is the command's, or 128 plus the signal.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peakrss_tool COMMAND [ARGS...]\n");
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::perror("peakrss_tool: fork");
    return 2;
  }
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::fprintf(stderr, "peakrss_tool: cannot run %s: %s\n", argv[1], std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(child, &status, 0, &usage) != child) {
    std::perror("peakrss_tool: wait");
    return 2;
  }
  std::fprintf(stderr, "peak RSS: %ld kB\n", usage.ru_maxrss);
  if (WIFSIGNALED(status)) {
    const int sig = WTERMSIG(status);
    std::fprintf(stderr, "killed by signal %d (%s)\n", sig, strsignal(sig));
    return 128 + sig;
  }
  std::fprintf(stderr, "exit: %d\n", WEXITSTATUS(status));
  return WEXITSTATUS(status);
}
