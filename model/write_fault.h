// A seam for tests: file writes that fail on purpose, as on a read-only
// folder, a full disk or a failing rename.
#pragma once

#include <cstddef>
#include <string>

namespace kelvane {

class WriteFault {
 public:
  virtual ~WriteFault() = default;
  // Opening path for writing fails with "permission denied".
  virtual bool FailOpen(const std::string& /*path*/) { return false; }
  // How many bytes of a write of `size` bytes to path reach the file before
  // the write fails with an I/O error; size or more lets it succeed.
  virtual std::size_t WriteLimit(const std::string& /*path*/, std::size_t size) { return size; }
  // Renaming a file onto path fails with "read-only file system".
  virtual bool FailRename(const std::string& /*path*/) { return false; }
};

// The installed fault, or nullptr.
WriteFault* InstalledWriteFault();

// Installs a fault for its lifetime (tests only).
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(WriteFault& fault);
  ~ScopedWriteFault();
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

 private:
  WriteFault* previous_;
};

}  // namespace kelvane
