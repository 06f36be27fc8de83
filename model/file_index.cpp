// Record offsets of puzzle files, kept per file and rebuilt when the file changes.
#include "model/file_index.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/puzzle_file.h"
#include "model/text_rules.h"

namespace kelvane {

namespace fs = std::filesystem;

namespace {
constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kNumberChars = MaxRecordLine - 1;  // the rest of a "#" line as far as a reader keeps it
constexpr std::size_t kMaxCachedFiles = 16;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

FileStatus BuildFileIndex(const std::string& path, FileIndex& out) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return FileStatus::Missing;
  if (!fs::is_regular_file(status)) return FileStatus::Unreadable;
  const std::uint64_t size = fs::file_size(path, ec);
  if (ec) return FileStatus::Unreadable;
  if (size > MaxPuzzleFileBytes) return FileStatus::TooLarge;
  const auto mtime = fs::last_write_time(path, ec);
  if (ec) return FileStatus::Unreadable;

  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return FileStatus::Unreadable;

  FileIndex index;
  index.size = size;
  index.mtime = mtime;
  std::vector<char> buf(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size + 1)));
  std::uint64_t offset = 0;
  bool atLineStart = true;
  bool inHeader = false;  // reading the number of a "#" line
  std::string number;
  char last = '\n';
  auto finishHeader = [&] {
    if (NumericValue(number) > 0) ++index.counted;
    number.clear();
    inHeader = false;
  };
  for (;;) {
    const std::size_t got = std::fread(buf.data(), 1, buf.size(), f.get());
    if (got == 0) break;
    if (!index.hasNul && std::memchr(buf.data(), 0, got) != nullptr) index.hasNul = true;
    std::size_t i = 0;
    while (i < got) {
      if (atLineStart) {
        atLineStart = false;
        if (buf[i] == '#') {
          index.recordStart.push_back(offset + i);
          inHeader = true;
          ++i;
          continue;
        }
      }
      const char* nl = static_cast<const char*>(std::memchr(buf.data() + i, '\n', got - i));
      const std::size_t end = nl ? static_cast<std::size_t>(nl - buf.data()) : got;
      if (inHeader && number.size() < kNumberChars)
        number.append(buf.data() + i, std::min(end - i, kNumberChars - number.size()));
      if (nl) {
        if (inHeader) finishHeader();
        atLineStart = true;
        i = end + 1;
      } else {
        i = got;
      }
    }
    last = buf[got - 1];
    offset += got;
  }
  if (std::ferror(f.get())) return FileStatus::Unreadable;
  if (inHeader) finishHeader();
  index.size = offset;
  index.endsWithNewline = offset == 0 || last == '\n';
  out = std::move(index);
  return FileStatus::Ok;
}

const FileIndex* PuzzleFileIndexes::Get(const std::string& path, FileStatus* status) {
  auto fail = [&](FileStatus s) -> const FileIndex* {
    cache_.erase(path);
    if (status) *status = s;
    return nullptr;
  };
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return fail(fs::exists(path, ec) ? FileStatus::Unreadable : FileStatus::Missing);
  const auto mtime = fs::last_write_time(path, ec);
  if (ec) return fail(FileStatus::Unreadable);

  auto it = cache_.find(path);
  if (it != cache_.end() && it->second.size == size && it->second.mtime == mtime) {
    if (status) *status = FileStatus::Ok;
    return &it->second;
  }
  FileIndex fresh;
  const FileStatus s = BuildFileIndex(path, fresh);
  if (s != FileStatus::Ok) return fail(s);
  if (cache_.size() >= kMaxCachedFiles && it == cache_.end()) cache_.erase(cache_.begin());
  if (status) *status = FileStatus::Ok;
  return &(cache_[path] = std::move(fresh));
}

}  // namespace kelvane
