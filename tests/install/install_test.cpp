// Installs the build into a temporary prefix and checks the installed program and its desktop files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_program.h"
#include "test_support.h"

namespace kelvane::test {
namespace {

namespace fs = std::filesystem;

const std::string kId = KELVANE_APP_ID;
const std::string kBin = KELVANE_INSTALL_BINDIR;
const std::string kShare = KELVANE_INSTALL_DATADIR;
const std::string kMan = KELVANE_INSTALL_MANDIR;
const std::string kDoc = KELVANE_INSTALL_DOCDIR;
constexpr bool kWindows = KELVANE_INSTALL_UI;

// The value of "key=" in a desktop file, "" when missing.
std::string desktopValue(const std::string& text, const std::string& key) {
  const std::string k = "\n" + key + "=";
  const std::size_t at = ("\n" + text).find(k);
  if (at == std::string::npos) return "";
  const std::size_t from = at + k.size() - 1;
  return text.substr(from, text.find('\n', from) - from);
}

class Installed : public ::testing::Test {
 protected:
  void SetUp() override {
    prefix_ = dir_.File("prefix");
    const Ran r = RunProgram({KELVANE_CMAKE, "--install", KELVANE_BUILD_DIR, "--prefix", prefix_}, dir_.Folder());
    ASSERT_EQ(r.code, 0) << r.out;
  }
  std::string P(const std::string& relative) const { return prefix_ + "/" + relative; }
  std::string cli() const { return P(kBin + "/kelvane-cli"); }

  TempDir dir_;
  std::string prefix_;
};

TEST_F(Installed, EveryFileIsInItsPlace) {
  struct Expected {
    std::string path;
    bool executable;
    std::string source;  // the file it must equal, "" for none
  };
  std::vector<Expected> files = {
      {kBin + "/kelvane-cli", true, ""},
      {kMan + "/man1/kelvane-cli.1", false, KELVANE_MAN_PAGE},
      {kDoc + "/LICENSE", false, KELVANE_LICENSE},
  };
  for (const char* name : {"k5x5.kvy", "k7x7.kvy", "k9x9.kvy", "puzzles.kvl", "all.col", "kelvane.htm"})
    files.push_back({kShare + "/kelvane/" + name, false, std::string(KELVANE_SOURCE_DATA) + name});
  if (kWindows) {
    files.push_back({kBin + "/kelvane", true, ""});
    files.push_back({kShare + "/applications/" + kId + ".desktop", false, ""});
    files.push_back({kShare + "/metainfo/" + kId + ".metainfo.xml", false, ""});
    files.push_back({kShare + "/icons/hicolor/scalable/apps/" + kId + ".svg", false, ""});
    files.push_back({kShare + "/icons/hicolor/48x48/apps/" + kId + ".png", false, ""});
  }
  for (const Expected& f : files) {
    SCOPED_TRACE(f.path);
    ASSERT_TRUE(fs::is_regular_file(P(f.path)));
    const bool canRun = (fs::status(P(f.path)).permissions() & fs::perms::owner_exec) != fs::perms::none;
    EXPECT_EQ(canRun, f.executable);
    if (!f.source.empty()) {
      EXPECT_TRUE(ReadFile(P(f.path)) == ReadFile(f.source)) << "differs from " << f.source;
    }
  }
  // Only the data files go to share/kelvane: no build leftovers.
  int shared = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(P(kShare + "/kelvane"))) ++shared;
  EXPECT_EQ(shared, 6);
}

TEST_F(Installed, DesktopFileMetainfoAndIconsNameEachOtherAndPassTheirValidators) {
  if (!kWindows) GTEST_SKIP() << "built without the windows";
  const std::string desktop = ReadFile(P(kShare + "/applications/" + kId + ".desktop"));
  EXPECT_EQ(desktopValue(desktop, "Exec"), "kelvane");
  EXPECT_TRUE(fs::is_regular_file(P(kBin + "/" + desktopValue(desktop, "Exec"))));
  EXPECT_EQ(desktopValue(desktop, "Icon"), kId);

  const std::string meta = ReadFile(P(kShare + "/metainfo/" + kId + ".metainfo.xml"));
  EXPECT_NE(meta.find("<id>" + kId + "</id>"), std::string::npos);
  EXPECT_NE(meta.find("<launchable type=\"desktop-id\">" + kId + ".desktop</launchable>"), std::string::npos);

  // A PNG's size is in its header: width and height, big-endian, at bytes 16 to 23.
  const std::string png = ReadFile(P(kShare + "/icons/hicolor/48x48/apps/" + kId + ".png"));
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x30\0\0\0\x30", 8));
  EXPECT_NE(ReadFile(P(kShare + "/icons/hicolor/scalable/apps/" + kId + ".svg")).find("<svg"), std::string::npos);

  // Both files pass their validators where these are installed.
  const std::vector<std::string> checks[] = {
      {"desktop-file-validate", P(kShare + "/applications/" + kId + ".desktop")},
      {"appstreamcli", "validate", "--no-net", P(kShare + "/metainfo/" + kId + ".metainfo.xml")}};
  for (const auto& check : checks) {
    if (!OnPath(check[0])) continue;
    const Ran r = RunProgram(check, dir_.Folder());
    EXPECT_EQ(r.code, 0) << check[0] << "\n" << r.out;
  }
}

// Run from an unrelated folder: the chain lists can only come from the prefix; without them it says where it looked.
TEST_F(Installed, CliFindsItsChainListsUnderShareOrSaysWhereItLooked) {
  TempDir work;
  const Ran verify = RunProgram({cli(), "verify", P(kShare + "/kelvane/puzzles.kvl")}, work.Folder());
  EXPECT_EQ(verify.code, 0) << verify.out;
  EXPECT_NE(verify.out.find(" passed, 0 failed"), std::string::npos) << verify.out;
  const std::string made = work.File("x.kvl");
  const Ran create = RunProgram({cli(), "create", "--size", "5", "--count", "2", "--out", made}, work.Folder());
  ASSERT_EQ(create.code, 0) << create.out;
  EXPECT_EQ(RunProgram({cli(), "count", made}, work.Folder()).out, "2\n");
  const Ran check = RunProgram({cli(), "verify", made}, work.Folder());
  EXPECT_EQ(check.code, 0) << check.out;

  for (const char* name : {"k5x5.kvy", "k7x7.kvy", "k9x9.kvy"}) fs::remove(P(kShare + "/kelvane/" + name));
  const Ran missing = RunProgram({cli(), "create", "--size", "5", "--out", work.File("y.kvl")}, work.Folder());
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.out.find("is missing from " + fs::canonical(P(kBin)).string() + "/"), std::string::npos)
      << missing.out;
  EXPECT_FALSE(fs::exists(work.File("y.kvl")));
}

}  // namespace
}  // namespace kelvane::test
