// Tests of finding the data folder in build, portable and installed layouts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "model/folders.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

struct Layout {
  const char* name;
  std::vector<const char*> files;  // made empty under the prefix; "x/" makes a folder, "a@b" a link a to b
  const char* exe;                 // the executable's folder under the prefix
  const char* expected;            // the data folder under the prefix
  bool installed;
};

void make(const fs::path& root, const std::string& name) {
  if (const std::size_t at = name.find('@'); at != std::string::npos) {
    fs::create_directory_symlink(root / name.substr(at + 1), root / name.substr(0, at));
    return;
  }
  if (name.back() == '/') {
    fs::create_directories(root / name);
    return;
  }
  fs::create_directories((root / name).parent_path());
  test::WriteFile((root / name).string(), "");
}

TEST(FindDataFolder, ChoosesTheFolderThatHoldsTheChainLists) {
  // The layouts below are those of the default GNU folders.
  ASSERT_EQ(InstalledDataFromBin(), "../share/kelvane");
  const Layout layouts[] = {
      {"build copy", {"bin/k9x9.kvy", "bin/puzzles.kvl"}, "bin/", "bin/", false},
      {"installed", {"bin/", "share/kelvane/k9x9.kvy", "share/kelvane/puzzles.kvl"}, "bin/", "share/kelvane/", true},
      {"portable copy inside a prefix wins", {"bin/k9x9.kvy", "share/kelvane/k9x9.kvy"}, "bin/", "bin/", false},
      {"nothing anywhere", {"bin/"}, "bin/", "bin/", false},
      {"share without the chain lists", {"bin/", "share/kelvane/puzzles.kvl", "share/kelvane/k5x5.kvy"}, "bin/", "bin/",
       false},
      {"a folder named like the chain list", {"bin/k9x9.kvy/", "share/kelvane/k9x9.kvy/"}, "bin/", "bin/", false},
      {"another program's share folder", {"share/other/k9x9.kvy", "bin/"}, "bin/", "bin/", false},
      {"installed, exe folder without a slash", {"share/kelvane/k9x9.kvy", "bin/"}, "bin", "share/kelvane/", true},
      {"nested prefix", {"opt/k/share/kelvane/k9x9.kvy", "opt/k/bin/"}, "opt/k/bin/", "opt/k/share/kelvane/", true},
      // Like /bin -> usr/bin on a merged /usr: ../share is taken from the real folder.
      {"symlinked bin folder", {"usr/bin/", "usr/share/kelvane/k9x9.kvy", "bin@usr/bin"}, "bin", "usr/share/kelvane/",
       true},
      {"missing executable folder", {}, "gone/bin", "gone/bin/", false},
  };
  for (const Layout& l : layouts) {
    SCOPED_TRACE(l.name);
    test::TempDir dir;
    const fs::path root = fs::canonical(dir.Path());
    for (const char* f : l.files) make(root, f);
    const DataFolder d = FindDataFolder((root / l.exe).string());
    EXPECT_EQ(std::tie(d.folder, d.installed), std::make_tuple((root / l.expected).string(), l.installed));
  }
}

}  // namespace
}  // namespace kelvane
