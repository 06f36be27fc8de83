// The man page of kelvane-cli against the program's own help: every command and every option.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "run_program.h"
#include "test_support.h"

namespace kelvane::test {
namespace {

const std::string kCli = std::string(KELVANE_BIN_DIR) + "kelvane-cli";

// The man page as a reader sees it: font changes dropped, roff's minus signs as "-".
std::string manText() {
  std::string roff = ReadFile(KELVANE_MAN_PAGE);
  roff = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
  roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
  return std::regex_replace(roff, std::regex(R"(\\\(dq)"), "\"");
}

std::set<std::string> optionsIn(const std::string& text) {
  std::set<std::string> found;
  const std::regex option("--[a-z][a-z0-9-]*");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
    found.insert(it->str());
  return found;
}

// The commands listed in the program's help, one "  name  what" a line.
std::vector<std::string> commandsIn(const std::string& help) {
  std::vector<std::string> commands;
  const std::regex line("\n  ([a-z]+)  ");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), line); it != std::sregex_iterator(); ++it)
    commands.push_back((*it)[1]);
  return commands;
}

std::string help(const std::vector<std::string>& args) {
  std::vector<std::string> all{kCli};
  all.insert(all.end(), args.begin(), args.end());
  const Ran r = RunProgram(all, ".");
  EXPECT_EQ(r.code, 0) << r.out;
  return r.out;
}

TEST(ManPage, DescribesEveryCommandAndEveryOptionOfTheHelp) {
  const std::string man = manText();
  const std::set<std::string> documented = optionsIn(man);
  const std::string overview = help({"--help"});
  const std::vector<std::string> commands = commandsIn(overview);
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
