// Runs a program and collects its exit code and output, for the install tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kelvane::test {

struct Ran {
  int code = -1;    // exit code, or minus the signal that ended the program
  std::string out;  // standard output and standard error together
};

inline std::string Quoted(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs args[0] (looked up on PATH when it has no "/") in dir.
inline Ran RunProgram(const std::vector<std::string>& args, const std::string& dir) {
  std::string command = "cd " + Quoted(dir) + " && exec";
  for (const std::string& a : args) command += " " + Quoted(a);
  Ran r;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return r;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  return r;
}

inline bool OnPath(const std::string& program) {
  return std::system(("command -v " + Quoted(program) + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace kelvane::test
