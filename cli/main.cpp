// kelvane-cli: the puzzle engine from the command line.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "model/folders.h"
#ifdef KELVANE_CLI_PDF
#include "cli/pdf_qt.h"
#endif

namespace {
std::atomic<bool> interrupted{false};
extern "C" void onInterrupt(int) { interrupted.store(true); }

// The folder of the chain lists: beside the executable, or the installation's share folder.
std::string programFolder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return kelvane::FindDataFolder(exe.parent_path().string()).folder;
}
}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, onInterrupt);
  std::signal(SIGTERM, onInterrupt);
  std::vector<std::string> args(argv + 1, argv + argc);
  kelvane::cli::Context ctx{programFolder(argv[0]), std::cout, std::cerr, interrupted, isatty(2) == 1, false, {}};
  if (isatty(0) == 1 && isatty(2) == 1)
    ctx.ask = [](const std::string& question) {
      std::cerr << question << " [y/N] " << std::flush;
      std::string answer;
      return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
    };
#ifdef KELVANE_CLI_PDF
  ctx.writePdf = kelvane::cli::WritePdf;
#endif
  return kelvane::cli::Run(args, ctx);
}
