// Where the program's data files are: beside the executable or under the installation's share folder.
#pragma once

#include <string>

namespace kelvane {

struct DataFolder {
  std::string folder;      // ends with "/"
  bool installed = false;  // an installed copy: the user's own files belong in the per-user folder
};

// The data folder of an executable in exeFolder. exeFolder itself when it holds
// the chain lists (a build folder or a portable copy); else the installation's
// data folder (exeFolder/../share/kelvane for the usual GNU folders) when that
// holds them; else exeFolder, where a missing chain list is then reported.
[[nodiscard]] DataFolder FindDataFolder(const std::string& exeFolder);

// The installation's data folder relative to its executables' folder, as the
// build configured it: "../share/kelvane" unless other GNU folders were chosen.
std::string InstalledDataFromBin();

}  // namespace kelvane
