// Runs a program and collects its exit code and output, for the install tests.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"

namespace kelvane::test {

struct Ran {
  int code = -1;    // exit code, or minus the signal that ended the program
  std::string out;  // standard output and standard error together
};

// Runs args[0] (looked up on PATH when it has no "/") in dir.
inline Ran RunProgram(std::vector<std::string> args, const std::string& dir) {
  TempDir capture;
  const std::string outPath = capture.File("out");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(out, 1);
    dup2(out, 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  Ran r;
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  r.out = ReadFile(outPath);
  return r;
}

inline bool OnPath(const std::string& program) {
  return std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace kelvane::test
