// Finding the data folder of a build copy or an installed copy.
#include "model/folders.h"

#include <filesystem>
#include <system_error>

#include "model/game_state.h"

#ifndef KELVANE_DATA_FROM_BIN
#define KELVANE_DATA_FROM_BIN "../share/kelvane"
#endif

namespace kelvane {

namespace {

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// The largest chain list marks a folder that holds the data files.
bool holdsData(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_regular_file(folder / ChainListName(9), ec);
}

}  // namespace

std::string InstalledDataFromBin() { return KELVANE_DATA_FROM_BIN; }

DataFolder FindDataFolder(const std::string& exeFolder) {
  const std::string exe = withSlash(exeFolder.empty() ? std::string(".") : exeFolder);
  if (holdsData(exe)) return {exe, false};
  const std::filesystem::path shared = std::filesystem::path(exe) / InstalledDataFromBin();
  if (holdsData(shared)) {
    // Resolved through the file system, so a symlinked bin folder leads to the real share folder.
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(shared, ec);
    if (ec) real = shared.lexically_normal();
    return {withSlash(real.string()), true};
  }
  return {exe, false};
}

}  // namespace kelvane
