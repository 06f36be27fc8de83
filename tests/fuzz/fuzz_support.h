// Helpers shared by the fuzz targets: a scratch folder per process, input files, checks.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace kelvane::fuzz {

// A fresh folder for this process under the system's temporary folder,
// removed again when the process ends normally. Folders of earlier runs whose
// process is gone (a crash skips the clean-up) are removed on the way.
inline const std::filesystem::path& ScratchFolder() {
  // Never destroyed, so the exit handler can still use it.
  static const std::filesystem::path* folder = [] {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path();
    const std::string prefix = "kelvane-fuzz-";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(base, ec)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(prefix, 0) != 0 || name.size() == prefix.size()) continue;
      if (name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) continue;
      const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
    auto* p = new fs::path(base / (prefix + std::to_string(::getpid())));
    fs::remove_all(*p, ec);
    fs::create_directories(*p);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*folder, ignored);
    });
    return p;
  }();
  return *folder;
}

inline std::string ScratchFile(const std::string& name) { return (ScratchFolder() / name).string(); }

// Replaces a file's contents with the bytes given.
inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
}

// A broken promise of the code under test: say which and stop with a crash.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "fuzz: broken: %s\n", what);
  __builtin_trap();
}

#define FUZZ_REQUIRE(cond) \
  do {                      \
    if (!(cond)) ::kelvane::fuzz::Broken(#cond); \
  } while (0)

}  // namespace kelvane::fuzz
