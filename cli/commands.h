// kelvane-cli's commands: create, show, verify, count and chains.
#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace kelvane::cli {

struct Context {
  std::string programFolder;          // where the chain lists are, ends with "/"
  std::ostream& out;
  std::ostream& err;
  const std::atomic<bool>& cancel;
  bool progress = false;              // show progress on err
};

// Runs one command line (without the program name); returns the exit code:
// 0 success, 1 a check failed or fewer puzzles than asked, 2 an error,
// 130 stopped by the user.
int Run(const std::vector<std::string>& args, Context& ctx);

std::string Usage();

}  // namespace kelvane::cli
