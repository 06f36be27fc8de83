// Installs the build into a temporary prefix and checks the installed program and its desktop files; checks the
// man page of kelvane-cli against the program's own help: every command and every option.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace kelvane::test {
namespace {

namespace fs = std::filesystem;

// Runs a program and collects its exit code and output.
struct Ran {
  int code = -1;    // exit code, or minus the signal that ended the program
  std::string out;  // standard output and standard error together
};

std::string Quoted(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs args[0] (looked up on PATH when it has no "/") in dir.
Ran RunProgram(const std::vector<std::string>& args, const std::string& dir) {
  std::string command = "cd " + Quoted(dir) + " && exec";
  for (const std::string& a : args) command += " " + Quoted(a);
  Ran r;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return r;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  return r;
}

bool OnPath(const std::string& program) {
  return std::system(("command -v " + Quoted(program) + " >/dev/null 2>&1").c_str()) == 0;
}

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
  std::vector<std::tuple<std::string, bool, std::string>> files = {  // path, executable, the file it equals or ""
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
  for (const auto& [path, executable, source] : files) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(fs::is_regular_file(P(path)));
    const bool canRun = (fs::status(P(path)).permissions() & fs::perms::owner_exec) != fs::perms::none;
    EXPECT_EQ(canRun, executable);
    EXPECT_TRUE(source.empty() || ReadFile(P(path)) == ReadFile(source)) << "differs from " << source;
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

  for (const char* name : {"k5x5.kvy", "k7x7.kvy", "k9x9.kvy"}) fs::remove(P(kShare + "/kelvane/" + name));
  const Ran missing = RunProgram({cli(), "create", "--size", "5", "--out", work.File("y.kvl")}, work.Folder());
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.out.find("is missing from " + fs::canonical(P(kBin)).string() + "/"), std::string::npos)
      << missing.out;
  EXPECT_FALSE(fs::exists(work.File("y.kvl")));
}

// The man page as a reader sees it: font changes dropped, roff's minus signs as "-".
std::string manText() {
  std::string roff = ReadFile(KELVANE_MAN_PAGE);
  roff = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
  roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
  return std::regex_replace(roff, std::regex(R"(\\\(dq)"), "\"");
}

// Every match of pattern's last group in text.
std::vector<std::string> matches(const std::string& text, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
    found.push_back(it->str(it->size() - 1));
  return found;
}

std::set<std::string> optionsIn(const std::string& text) {
  const std::vector<std::string> options = matches(text, "--[a-z][a-z0-9-]*");
  return {options.begin(), options.end()};
}

// The help text of the built kelvane-cli.
std::string help(const std::vector<std::string>& args) {
  std::vector<std::string> all{KELVANE_BIN_DIR "kelvane-cli"};
  all.insert(all.end(), args.begin(), args.end());
  const Ran r = RunProgram(all, ".");
  EXPECT_EQ(r.code, 0) << r.out;
  return r.out;
}

TEST(ManPage, DescribesEveryCommandAndEveryOptionOfTheHelp) {
  const std::string man = manText();
  const std::set<std::string> documented = optionsIn(man);
  const std::string overview = help({"--help"});
  const std::vector<std::string> commands = matches(overview, "\n  ([a-z]+)  ");  // one "  name  what" a line
  ASSERT_GE(commands.size(), 6u) << overview;  // guards the reading of the list

  std::set<std::string> offered = optionsIn(overview);
  for (const std::string& option : offered) EXPECT_TRUE(documented.count(option)) << option;
  for (const std::string& command : commands) {
    SCOPED_TRACE(command);
    EXPECT_NE(man.find("\n.SS " + command + "\n"), std::string::npos) << "no section for it";
    EXPECT_NE(man.find("\n.B kelvane-cli " + command + "\n"), std::string::npos) << "not in the synopsis";
    for (const std::string& option : optionsIn(help({command, "--help"}))) {
      EXPECT_TRUE(documented.count(option)) << option;
      offered.insert(option);
    }
  }
  // And nothing the program does not take.
  for (const std::string& option : documented) EXPECT_TRUE(offered.count(option)) << option << " is in no help text";
}

}  // namespace
}  // namespace kelvane::test
