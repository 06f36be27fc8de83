// Record offsets of puzzle files, kept per file and rebuilt when the file changes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kelvane {

// Files larger than this are refused rather than scanned.
constexpr std::uint64_t MaxPuzzleFileBytes = 1ull << 30;

enum class FileStatus { Ok, Missing, Unreadable, TooLarge };

struct FileIndex {
  std::uint64_t size = 0;
  std::filesystem::file_time_type mtime{};
  std::vector<std::uint64_t> recordStart;  // offset of every line that begins with "#"
  int counted = 0;         // those whose number after "#" is above 0
  bool hasNul = false;     // a NUL byte: not a text file
  bool endsWithNewline = true;
};

class PuzzleFileIndexes {
 public:
  // The index of a file; nullptr with the reason when it cannot be had.
  const FileIndex* Get(const std::string& path, FileStatus* status = nullptr);
  void Forget(const std::string& path) { cache_.erase(path); }

 private:
  std::map<std::string, FileIndex> cache_;
};

// Scans a whole file; used by the cache.
FileStatus BuildFileIndex(const std::string& path, FileIndex& out);

}  // namespace kelvane
