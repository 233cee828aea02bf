// SPDX-License-Identifier: GPL-3.0-or-later
// peak_memory FILE COMMAND [ARGUMENTS]: runs COMMAND and writes its peak resident memory, in
// KiB, to FILE. A process's peak counts the memory it had before it started the command, so the
// benchmark, which holds much, starts commands through this small one.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return 1;
  FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  std::fprintf(out, "%ld\n", usage.ru_maxrss);
  std::fclose(out);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
