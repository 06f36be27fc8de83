// Fuzz target: kelvane-cli's command lines, with creating and printing only checked.
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fuzz_support.h"

using namespace kelvane;

namespace {

constexpr std::size_t kMaxArgs = 32;

// Once: work in the scratch folder, beside a copy of the shipped puzzle file.
void EnterScratchFolder() {
  static const bool entered = [] {
    const std::filesystem::path folder = fuzz::ScratchFolder();
    std::filesystem::copy_file(std::string(KELVANE_FUZZ_DATA) + "puzzles.kvl", folder / "p.kvl",
                               std::filesystem::copy_options::overwrite_existing);
    if (::chdir(folder.c_str()) != 0) {
      std::perror("fuzz: chdir");
      std::abort();
    }
    return true;
  }();
  (void)entered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnterScratchFolder();
  std::vector<std::string> args;
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\0') {
      args.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  if (size > 0) args.push_back(current);
  if (args.size() > kMaxArgs) return -1;
  // File arguments stay in the scratch folder: no paths to devices or the rest of the system.
  for (const std::string& a : args)
    if (a.find('/') != std::string::npos) return -1;

  std::ostringstream out, err;
  const std::atomic<bool> cancel{false};
  cli::Context ctx{std::string(KELVANE_FUZZ_DATA), out, err, cancel, /*progress=*/false, /*checkOnly=*/true, {}};
  const int code = cli::Run(args, ctx);
  FUZZ_REQUIRE(code == 0 || code == 1 || code == 2 || code == 130);
  const std::string said = err.str();
  if (code == 2) FUZZ_REQUIRE(!said.empty() && said.back() == '\n');
  if (code == 0) FUZZ_REQUIRE(said.empty());
  return 0;
}
