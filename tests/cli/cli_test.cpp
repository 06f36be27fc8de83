// Runs the kelvane-cli program on real files: output, written files and exit codes.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/progress.h"
#include "test_support.h"

namespace kelvane::test {
namespace {

using Text = std::vector<std::string>;

struct Result {
  int code = -1;  // exit code, or minus the signal that ended the shell
  std::string out, err;
};

Text Lines(const std::string& text) {
  Text lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The cells of a solution line before the marked cell.
std::vector<int> ChainOf(const std::string& solution) {
  std::vector<int> chain;
  std::istringstream in(solution.substr(0, solution.rfind(',')));
  for (std::string item; std::getline(in, item, ',');) chain.push_back(std::stoi(item));
  return chain;
}

class CliTest : public ::testing::Test {
 protected:
  // The program with its arguments, quoted for the shell.
  static std::string Command(const Text& args) {
    std::string line = "'" KELVANE_BIN_DIR "kelvane-cli'";
    for (const std::string& a : args) line += " '" + a + "'";
    return line;
  }
  // Runs a shell line in the work folder; stdout and stderr are caught in the capture folder.
  Result Shell(const std::string& line) {
    const std::string out = capture_.File("out"), err = capture_.File("err");
    const std::string shell = "cd '" + work_.Folder() + "' && (" + line + ") >'" + out + "' 2>'" + err + "'";
    const int status = std::system(shell.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), ReadFile(out), ReadFile(err)};
  }
  Result Cli(const Text& args) { return Shell("exec " + Command(args)); }
  std::string F(const std::string& name) const { return work_.File(name); }
  // Creates puzzles into name and expects success.
  void Create(const std::string& name, Text args, int count) {
    args.insert(args.begin(), {"create", "--out", name, "--count", std::to_string(count)});
    const Result r = Cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(r.out, " " + std::to_string(count) + " Puzzles added to file: " + name + "\n");
  }
  // Expects count and verify to find n good puzzles.
  void ExpectGood(const std::string& name, int n) {
    EXPECT_EQ(Cli({"count", name}).out, std::to_string(n) + "\n");
    const Result v = Cli({"verify", name});
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out, std::to_string(n) + " passed, 0 failed\n");
  }
  // What "show" should draw for a record: the board, and with the solution the chain and its sum.
  static std::string Drawing(const Text& rec, int position, int total, const std::string& name, bool withSolution) {
    const int N = rec[2][0] - '0', marked = std::stoi(rec[4].substr(rec[4].rfind(',') + 1));
    const auto cell = [&](int i) { return rec[3][static_cast<std::size_t>(2 + i)]; };
    const std::vector<int> chain = ChainOf(rec[4]);
    std::set<int> ringed(chain.begin(), chain.end());
    for (std::size_t k = 1; k < chain.size(); ++k) ringed.insert((chain[k - 1] + chain[k]) / 2);
    const std::string n = std::to_string(N), rule = "  +" + std::string(static_cast<std::size_t>(3 * N), '-') + "+\n";
    std::string text = "Puzzle " + std::to_string(position) + " of " + std::to_string(total) + " in " + name + ": " +
                       rec[1] + ", " + n + "x" + n + ", marked cell " + std::to_string(marked) + "\n" + rule;
    for (int c = 1; c <= N * N; ++c) {
      const bool ring = withSolution && ringed.count(c);
      text += std::string(c % N == 1 ? "  |" : "") + (c == marked ? '[' : ring ? '(' : ' ') + cell(c) +
              (c == marked ? ']' : ring ? ')' : ' ') + (c % N == 0 ? "|\n" : "");
    }
    text += rule;
    if (!withSolution) return text;
    // The chain's numbers with the signs between them, adding up to 0 (verify checks the sum).
    text += "  Solution: " + std::string(1, cell(chain[0]));
    for (std::size_t k = 1; k < chain.size(); ++k)
      text += std::string(" ") + cell((chain[k - 1] + chain[k]) / 2) + " " + cell(chain[k]);
    return text + " = 0, cells " + rec[4].substr(0, rec[4].rfind(',')) + "\n";
  }
  std::vector<Text> Records(const std::string& name) {
    const Text lines = Lines(ReadFile(F(name)));
    EXPECT_EQ(lines.size() % 5, 0u);
    std::vector<Text> recs;
    for (std::size_t i = 0; i + 5 <= lines.size(); i += 5) recs.emplace_back(lines.begin() + i, lines.begin() + i + 5);
    return recs;
  }

  TempDir work_, capture_;
};

// The second run with the same seed draws puzzle 1 again first: a repeat it skips, numbering on after the file.
// The shipped puzzles.kvl is verified through the installed program: install_test.cpp.
TEST_F(CliTest, CreateCountVerifyShowChainsRoundTrip) {
  for (const std::string size : {"5", "7", "9"}) {
    // The shipped chain lists, in the sources and beside the programs, are the complete enumeration.
    const std::string chains = Cli({"chains", size}).out, list = "k" + size + "x" + size + ".kvy";
    EXPECT_TRUE(chains == ReadFile(KELVANE_SOURCE_DATA + list) && chains == ReadFile(KELVANE_BIN_DIR + list)) << size;
    for (const std::string difficulty : {"easy", "hard"}) {
      const std::string name = "p" + size + difficulty + ".kvl";
      SCOPED_TRACE(name);
      const Text args = {"--size", size, "--difficulty", difficulty, "--seed", "42", "--threads", "2"};
      Create(name, args, 2);
      Create(name, args, 1);
      ExpectGood(name, 3);
      const auto recs = Records(name);
      ASSERT_EQ(recs.size(), 3u);
      std::set<std::string> grids;  // the grid line holds the marked cell and the grid
      for (int k = 1; k <= 3; ++k) {
        const Text& rec = recs[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(rec[0], "#" + std::to_string(k));
        EXPECT_EQ(rec[1], difficulty == "easy" ? "Easy" : "Hard");
        EXPECT_EQ(rec[2][0], size[0]);
        EXPECT_TRUE(grids.insert(rec[3]).second) << rec[0] << " repeats " << rec[3];
        EXPECT_EQ(Cli({"show", name, std::to_string(k)}).out, Drawing(rec, k, 3, name, false));
        EXPECT_EQ(Cli({"show", name, std::to_string(k), "--solution"}).out, Drawing(rec, k, 3, name, true));
      }
    }
  }
}

// Without --out the next free name in the working folder; the same --seed gives the same file whatever
// --threads, and --size random draws every size.
TEST_F(CliTest, DefaultOutputIsNextFreeNameAndTheSeedFixesTheFile) {
  const Text names = {"tempnewpuzzle;01.kvl", "tempnewpuzzle;02.kvl"};
  for (const std::string threads : {"1", "3"}) {
    const Result r = Cli({"create", "--size", "random", "--count", "100", "--seed", "1234", "--threads", threads});
    EXPECT_EQ(r.out, " 100 Puzzles added to file: " + names[threads == "1" ? 0 : 1] + "\n") << r.err;
  }
  ExpectGood(names[0], 100);
  EXPECT_EQ(ReadFile(F(names[1])), ReadFile(F(names[0])));
  Create("other.kvl", {"--size", "random", "--seed", "1235"}, 100);
  EXPECT_NE(ReadFile(F("other.kvl")), ReadFile(F(names[0])));
  std::set<char> sizes;
  for (const Text& rec : Records(names[0])) sizes.insert(rec[2][0]);
  EXPECT_EQ(sizes, (std::set<char>{'5', '7', '9'}));
}

// The program ends with 130 after its message; a program that ends before writing ends the wait too.
TEST_F(CliTest, InterruptLeavesWholeRecords) {
  for (const std::string threads : {"1", "3"}) {
    SCOPED_TRACE(threads);
    const std::string name = "s" + threads + ".kvl";
    const Text args = {"create", "--count", "5000000", "--size", "9", "--threads", threads, "--out", name};
    const Result r = Shell(Command(args) + " & while [ ! -s " + name + " ] && kill -0 $!; do sleep 0.01; done; " +
                           "kill -INT $!; wait $!");
    ASSERT_EQ(r.code, 130) << r.err;
    EXPECT_NE(r.err.find("Stopped: the file holds whole puzzles only."), std::string::npos) << r.err;
    EXPECT_TRUE(ReadFile(F(name)).ends_with("\r\n"));
    const int added = static_cast<int>(Records(name).size());  // whole records of five lines only
    EXPECT_EQ(r.out, " " + std::to_string(added) + " Puzzles added to file: " + name + "\n");
    ExpectGood(name, added);
  }
}

// verify passed solutions the win check can never match (fuzz findings); show --solution on damaged
// solution lines read outside the grid.
TEST_F(CliTest, VerifyFindsDamagedRecordsThatShowStillDraws) {
  Create("good.kvl", {"--size", "9", "--seed", "99"}, 3);
  const Text good = Lines(ReadFile(F("good.kvl")));
  const std::string solution = good[9];  // lines 5..9 are record 2
  const std::vector<int> chain = ChainOf(solution);
  const std::size_t sign = static_cast<std::size_t>(2 + (chain[0] + chain[1]) / 2);  // between the first two cells
  // A cell put in after the first one of the solution.
  const auto inserted = [&](const std::string& cell) {
    return [&, cell](Text& l) { l[9] = std::to_string(chain[0]) + "," + cell + solution.substr(solution.find(',')); };
  };
  const std::pair<std::function<void(Text&)>, std::string> damages[] = {
      {[](Text& l) { l[8][3] = l[8][3] == '5' ? '1' : static_cast<char>(l[8][3] + 1); },  // cell 1
       "puzzle 2 (#2): the numbers do not form a Latin square"},
      {[&](Text& l) { l[8][sign] = l[8][sign] == '+' ? '-' : '+'; }, "puzzle 2 (#2): the solution sums to "},
      {[](Text& l) { l[8] += "123456"; }, "puzzle 2 (#2): the grid line has 90 characters instead of 84"},
      {inserted("200"), "puzzle 2 (#2): the solution passes through cell 200"},
      {inserted("2000000000"), "puzzle 2 (#2): the solution line \""},
      {inserted("-2000000000"), "puzzle 2 (#2): the solution line \""},
      {inserted("abc"), "puzzle 2 (#2): the solution line \""},
      // Solutions the win check can never match: an empty item, leading zeros.
      {[&](Text& l) { l[9].insert(l[9].rfind(','), ","); }, "puzzle 2 (#2): the solution line \""},
      {[&](Text& l) { l[9].insert(0, "0"); }, "puzzle 2 (#2): the solution line \""},
      {[&](Text& l) { l[9].insert(l[9].rfind(' ') + 1, "0"); }, "puzzle 2 (#2): the solution line \""},
      {[&](Text& l) { l[9][l[9].rfind(' ')] = '0'; }, "puzzle 2 (#2): the solution line \""},  // no blank
      {[](Text& l) { l.pop_back(); }, "puzzle 3 (#3): the record has fewer than five lines"},
  };
  for (const auto& [damage, problem] : damages) {
    SCOPED_TRACE(problem);
    Text lines = good;
    damage(lines);
    WriteFile(F("bad.kvl"), Joined(lines));
    const Result r = Cli({"verify", "bad.kvl"});
    EXPECT_EQ(r.code, 1);
    const Text out = Lines(r.out);
    ASSERT_EQ(out.size(), 2u) << r.out;
    EXPECT_EQ(out[0].rfind(problem, 0), 0u) << out[0];
    EXPECT_EQ(out[1], "2 passed, 1 failed");
    EXPECT_EQ(r.err, "");
    const Result shown = Cli({"show", "bad.kvl", "2", "--solution"});
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(Lines(shown.out).size(), 9u + 4u) << shown.out;
  }
  WriteFile(F("empty.kvl"), "");
  const Result empty = Cli({"verify", "empty.kvl"});
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(Lines(empty.out).back(), "0 passed, 0 failed");
}

// stats reads the window's progress database, found as the window finds it or named, and never writes it.
TEST_F(CliTest, StatsReadsTheProgressAndWritesNothing) {
  Create("g.kvl", {"--size", "5", "--seed", "5"}, 5);
  const auto key = [&](int n) {
    const Text grid = Records("g.kvl")[static_cast<std::size_t>(n - 1)];
    return PuzzleKey(grid[3].substr(3), std::stoi(grid[3].substr(0, 3)));
  };
  const std::string db = F("xdg/Kelvane/Kelvane/progress.sqlite");
  {
    ProgressStore store;
    ASSERT_EQ(store.Open(db), "");
    for (const Solve& s : {Solve{key(2), 5, false, 75}, Solve{key(4), 5, false, 90, 1}, Solve{key(2), 5, false, 65},
                           Solve{"elsewhere@1", 7, true, 4000, 0, true}})
      ASSERT_TRUE(store.RecordWin(s));
  }
  const std::string hard = "5x5  Hard             2    1:15   1:05      2\n";  // 65 75 90, one with a hint
  const std::string header = "size difficulty  solved  median   best  clean\n", csvHeader =
      "size,difficulty,solved,median seconds,best seconds,clean\n";
  // (the shell's environment, arguments, what is printed)
  const std::tuple<std::string, Text, std::string> cases[] = {
      {"", {"stats", "g.kvl", "--db", db}, "2 of 5 solved\n2 4\n" + header + hard},
      {"XDG_DATA_HOME='" + F("xdg") + "'", {"stats", "g.kvl"}, "2 of 5 solved\n2 4\n" + header + hard},
      {"HOME='" + F("home") + "' XDG_DATA_HOME=", {"stats"}, "No puzzles solved yet.\n"},
      {"", {"stats", "--db", db}, header + hard + "7x7  Easy             1   66:40  66:40      0\n"},
      {"", {"stats", "g.kvl", "--csv", "--db", db},
       "solved,puzzles,solved numbers\n2,5,2 4\n\n" + csvHeader + "5,Hard,2,75,65,2\n"},
      {"", {"stats", "--csv", "--db", F("none.sqlite")}, csvHeader},
  };
  const auto before = Snapshot(work_.Path());
  for (const auto& [env, args, printed] : cases) {
    SCOPED_TRACE(env + " " + args.back());
    const Result r = Shell("env " + env + " " + Command(args));
    EXPECT_EQ(std::tie(r.code, r.out, r.err), std::make_tuple(0, printed, "")) << r.err;
  }
  // A database can leave its shared-memory and log files beside it; nothing else is made or changed.
  auto after = Snapshot(work_.Path());
  std::erase_if(after, [](const auto& f) { return f.first.ends_with("-shm") || f.first.ends_with("-wal"); });
  EXPECT_TRUE(after == before);
  EXPECT_FALSE(std::filesystem::exists(F("home/.local")));
}

// Without a command the overview goes to stderr with exit 2; an unknown command or option: ErrorsExitTwo...
TEST_F(CliTest, HelpForEveryCommand) {
  const Result overview = Cli({"--help"}), none = Cli({});
  EXPECT_EQ(std::make_tuple(overview.code, none.code, none.err), std::make_tuple(0, 2, overview.out));
  for (const std::string c : {"create", "show", "verify", "count", "chains", "print", "stats"}) {
    const Result help = Cli({c, "--help"});
    EXPECT_NE(overview.out.find("\n  " + c + " "), std::string::npos) << c;
    EXPECT_EQ(help.out.rfind("usage: kelvane-cli " + c, 0), 0u) << help.out;
    EXPECT_TRUE(Cli({"help", c}).out == help.out && Cli({c, "x", "-h"}).out == help.out) << c;
  }
}

TEST_F(CliTest, ErrorsExitTwoAndWriteNothing) {
  Create("g.kvl", {"--size", "5", "--seed", "3"}, 3);
  WriteFile(F("bin.kvl"), std::string("#1\r\nEasy\r\n\0\r\n", 14));
  std::filesystem::create_directory(F("dir.kvl"));
  const std::string good = ReadFile(F("g.kvl"));
  WriteFile(F("cut.kvl"), good.substr(0, good.find("#2")) + "#2\r\nEasy\r\n");
  WriteFile(F("notes.kvl"), "My best puzzles\r\n" + good);
  const auto before = Snapshot(work_.Path());
  const std::vector<Text> cases = {
      {"count", "missing.kvl"}, {"verify", "missing.kvl"}, {"show", "missing.kvl", "1"}, {"count", "dir.kvl"},
      {"verify", "dir.kvl"}, {"show", "dir.kvl", "1"}, {"count", "bin.kvl"}, {"verify", "bin.kvl"}, {"frobnicate"},
      {"show", "bin.kvl", "1"}, {"help", "frobnicate"}, {"count"}, {"count", "g.kvl", "g.kvl"}, {"verify"},
      {"count", "g.kvl", "--solution"}, {"show", "g.kvl"}, {"show", "g.kvl", "0"}, {"show", "g.kvl", "4"},
      {"show", "g.kvl", "x"}, {"show", "g.kvl", "-1"}, {"show", "g.kvl", "1", "--bogus"},
      {"show", "g.kvl", "1", "--solution=1"}, {"chains"}, {"chains", "6"}, {"chains", "11"}, {"chains", "5x"},
      {"create", "--count", "0"}, {"create", "--count", "abc"}, {"create", "--count", "-1"},
      {"create", "--count", "100000001"}, {"create", "--size", "6"}, {"create", "--size"}, {"create", "--threads", "0"},
      {"create", "--threads", "257"}, {"create", "--difficulty", "medium"}, {"create", "--seed", "x"},
      {"create", "--seed", "-1"}, {"create", "--out="}, {"create", "extra"}, {"create", "--frob", "1"},
      {"create", "--out", "g.kvl", "--size", "6"}, {"create", "--out", "g.kvl", "--count", "0"},
      {"create", "--out", "g.kvl", "--threads", "0"}, {"create", "--out", "bin.kvl", "--size", "5"},
      {"create", "--out", "dir.kvl", "--size", "5"}, {"create", "--out", "nodir/x.kvl", "--size", "5", "--count", "2"},
      {"print"}, {"print", "g.kvl"}, {"print", "g.kvl", "--pdf="}, {"print", "g.kvl", "g.kvl", "--pdf", "o.pdf"},
      {"print", "missing.kvl", "--pdf", "o.pdf"}, {"print", "bin.kvl", "--pdf", "o.pdf"},
      {"print", "dir.kvl", "--pdf", "o.pdf"}, {"print", "cut.kvl", "--pdf", "o.pdf"},
      {"print", "g.kvl", "--per-page", "3", "--pdf", "o.pdf"}, {"print", "g.kvl", "--per-page", "x", "--pdf", "o.pdf"},
      {"print", "g.kvl", "--from", "0", "--pdf", "o.pdf"}, {"print", "g.kvl", "--paper", "a3", "--pdf", "o.pdf"},
      {"print", "g.kvl", "--solutions=1", "--pdf", "o.pdf"}, {"print", "g.kvl", "--pdf", "nodir/o.pdf"},
      {"print", "g.kvl", "--pdf", "dir.kvl"}, {"print", "g.kvl", "--pdf", "./g.kvl"},
      {"print", "g.kvl", "--pdf", "bin.kvl"},  // an existing file that is no PDF is never replaced
      {"stats", "missing.kvl", "--db", "p.sqlite"}, {"stats", "bin.kvl", "--db", "p.sqlite"},
      {"stats", "dir.kvl", "--db", "p.sqlite"}, {"stats", "g.kvl", "g.kvl", "--db", "p.sqlite"}, {"stats", "--db"},
      {"stats", "--csv=1", "--db", "p.sqlite"}, {"stats", "--db", "bin.kvl"},  // a damaged database is not set aside
      {"stats", "g.kvl", "--db", "dir.kvl"}, {"stats", "--db="},
      {"create", "--stars", "0"}, {"create", "--stars", "5-3"}, {"create", "--stars", "x"}, {"create", "--stars", "6"},
      {"create", "--stars", "2-"}, {"create", "--out", "g.kvl", "--stars", "0"}, {"rate"}, {"rate", "missing.kvl"},
      {"rate", "bin.kvl"}, {"rate", "dir.kvl"}, {"rate", "cut.kvl"}, {"rate", "g.kvl", "--csv=1"}, {"sort", "g.kvl"},
      {"sort", "g.kvl", "--by", "size"}, {"sort", "cut.kvl", "--by", "stars", "--yes"}, {"sort", "missing.kvl", "--by", "stars"},
      {"sort", "g.kvl", "--by", "stars", "--out="}, {"sort", "g.kvl", "--by", "effort", "--out", "bin.kvl"},
      {"sort", "g.kvl", "--by", "stars", "--out", "nodir/s.kvl"},
  };
  // One "kelvane-cli: " line on stderr saying what is wrong (an unknown command or option adds the usage), exit 2,
  // nothing on stdout and nothing written.
  const auto refused = [&](const Text& args, const std::string& message) {
    std::string line;
    for (const std::string& a : args) line += a + " ";
    SCOPED_TRACE(line);
    const Result r = Cli(args);
    EXPECT_EQ(std::tie(r.code, r.out), std::make_tuple(2, ""));
    EXPECT_EQ(r.err.rfind("kelvane-cli: ", 0), 0u) << r.err;
    const Text lines = Lines(r.err);
    const bool unknown = r.err.find("unknown ") != r.err.npos || r.err.find("needs a value") != r.err.npos;
    if (unknown) EXPECT_EQ(lines.at(1).rfind("usage: kelvane-cli ", 0), 0u) << r.err;
    else EXPECT_EQ(lines.size(), 1u) << r.err;
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(Snapshot(work_.Path()), before);
  };
  for (const Text& args : cases) refused(args, "");
  // The range is checked against the file's count before anything is written.
  refused({"print", "g.kvl", "--to", "4", "--pdf", "o.pdf"}, "g.kvl holds 3 puzzles: there is no puzzle 4");
  refused({"print", "g.kvl", "--from", "3", "--to", "2", "--pdf", "o.pdf"}, "--from 3 is above --to 2");
  // Stars the size cannot have are refused before any puzzle is made; a file is rewritten only when asked.
  refused({"create", "--out", "n.kvl", "--size", "5", "--stars", "4-5"}, "a 5x5 puzzle has at most 3 stars");
  refused({"create", "--out", "n.kvl", "--size", "7", "--stars", "5"}, "a 7x7 puzzle has at most 4 stars");
  refused({"sort", "cut.kvl", "--by", "stars", "--out", "s.kvl"}, "puzzle 2 of cut.kvl (#2) cannot be rated");
  refused({"sort", "g.kvl", "--by", "stars"}, "give --yes, or name a new file with --out");
  refused({"sort", "notes.kvl", "--by", "stars", "--yes"}, "notes.kvl holds 1 line besides its puzzles' records");
#ifndef KELVANE_CLI_PDF
  // Without the PDF layer the checks still run: the file's last puzzle is in range, only the writing is refused.
  refused({"print", "g.kvl", "--from", "3", "--pdf", "o.pdf"}, "built without printing");
#endif
}

// A book that gets harder page by page: 4- and 5-star puzzles only, rated, then sorted by effort into a new file
// and in place; the worked example's rating is pinned.
TEST_F(CliTest, RateAndSortMakeABookThatGetsHarder) {
  Create("book.kvl", {"--size", "9", "--stars", "4-5", "--seed", "4"}, 12);
  Create("book.kvl", {"--size", "7", "--difficulty", "easy", "--seed", "5"}, 12);
  ExpectGood("book.kvl", 24);
  const Result rated = Cli({"rate", "book.kvl"});
  ASSERT_EQ(rated.code, 0) << rated.err;
  const Text rows = Lines(rated.out);
  ASSERT_EQ(rows.size(), 1u + 24 + 1 + 1 + 2) << rated.out;
  EXPECT_EQ(rows[0], "puzzle  size  difficulty  cells   effort  stars");
  std::vector<double> efforts;
  for (int k = 1; k <= 24; ++k) {
    std::istringstream row(rows[static_cast<std::size_t>(k)]);
    int number = 0, cells = 0, stars = 0;
    std::string size, difficulty;
    double effort = 0;
    row >> number >> size >> difficulty >> cells >> effort >> stars;
    EXPECT_EQ(std::tie(number, size, difficulty), std::make_tuple(k, std::string(k <= 12 ? "9x9" : "7x7"), std::string(k <= 12 ? "Hard" : "Easy")));
    if (k <= 12) {
      EXPECT_GE(stars, 4) << rows[static_cast<std::size_t>(k)];
    }
    efforts.push_back(effort);
  }
  EXPECT_EQ(rows[26], "size  difficulty     1     2     3     4     5");
  EXPECT_EQ(rows[27].substr(0, 16), "7x7   Easy      ");
  EXPECT_EQ(rows[28].substr(0, 28), "9x9   Hard           0     0");
  const Text csv = Lines(Cli({"rate", "book.kvl", "--csv"}).out);
  EXPECT_EQ(csv[0], "puzzle,size,difficulty,cells,effort,stars");
  EXPECT_EQ(csv[26], "size,difficulty,1 star,2 stars,3 stars,4 stars,5 stars");

  const std::string before = ReadFile(F("book.kvl"));
  const Result sorted = Cli({"sort", "book.kvl", "--by", "effort", "--out", "sorted.kvl"});
  ASSERT_EQ(sorted.code, 0) << sorted.err;
  EXPECT_EQ(sorted.out.rfind("24 puzzles written to sorted.kvl in order of effort, from ", 0), 0u) << sorted.out;
  EXPECT_EQ(ReadFile(F("book.kvl")), before);
  ExpectGood("sorted.kvl", 24);
  // The same records renumbered, by effort, equal ones in their old order.
  std::vector<int> order(24);
  for (int k = 0; k < 24; ++k) order[static_cast<std::size_t>(k)] = k;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return efforts[static_cast<std::size_t>(a)] < efforts[static_cast<std::size_t>(b)]; });
  const std::vector<Text> old = Records("book.kvl"), now = Records("sorted.kvl");
  ASSERT_EQ(now.size(), 24u);
  for (std::size_t k = 0; k < 24; ++k) {
    EXPECT_EQ(now[k][0], "#" + std::to_string(k + 1));
    EXPECT_EQ(Text(now[k].begin() + 1, now[k].end()), Text(old[static_cast<std::size_t>(order[k])].begin() + 1, old[static_cast<std::size_t>(order[k])].end())) << k;
  }
  ASSERT_EQ(Cli({"sort", "book.kvl", "--by", "effort", "--yes"}).code, 0);
  EXPECT_EQ(ReadFile(F("book.kvl")), ReadFile(F("sorted.kvl")));
  ASSERT_EQ(Cli({"sort", "book.kvl", "--by", "stars", "--out", "sorted.kvl", "--yes"}).code, 0);
  EXPECT_EQ(Records("sorted.kvl").back()[1], "Hard") << "the 9x9 4- and 5-star puzzles come last";

  WriteFile(F("worked.kvl"), "#1\r\nEasy\r\n5 4\r\n0011-2-3+ - -2-3-1- - -3-1+2\r\n21,11,1,3, 1\r\n"
                             "#2\r\nHard\r\n5 5\r\n0051-2-3+ - -2-3-1- - -3-1+2\r\n21,23,25,15,5, 5\r\n");
  EXPECT_EQ(Lines(Cli({"rate", "worked.kvl"}).out),
            (Text{"puzzle  size  difficulty  cells   effort  stars", "     1  5x5   Easy            4      3.5      1",
                  "     2  5x5   Hard            5     11.5      2", "", "size  difficulty     1     2     3     4     5",
                  "5x5   Easy           1     0     0     0     0", "5x5   Hard           0     1     0     0     0"}));
}

#ifdef KELVANE_CLI_PDF
// A number that follows key in a PDF's bytes, for each place key appears.
std::vector<double> PdfNumbers(const std::string& pdf, const std::string& key) {
  std::vector<double> values;
  for (std::size_t at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + 1))
    values.push_back(std::stod(pdf.substr(at + key.size(), 20)));
  return values;
}

TEST_F(CliTest, PrintWritesBooksOfPuzzlesAndSolutions) {
  Create("book.kvl", {"--size", "9", "--seed", "7"}, 30);
  // (arguments after the file, what is said, pages, page width in points)
  const std::tuple<Text, std::string, int, double> cases[] = {
      {{"--solutions", "--per-page", "24", "--pdf", "s.pdf"}, "30 solutions on 2 pages written to s.pdf", 2, 842},
      {{"--from", "2", "--to", "6", "--per-page", "4", "--paper", "letter", "--pdf", "p.pdf"},
       "5 puzzles on 2 pages written to p.pdf", 2, 612},
      {{"--from", "30", "--pdf", "one.pdf"}, "1 puzzle on 1 page written to one.pdf", 1, 595},
  };
  for (const auto& [more, said, pages, width] : cases) {
    Text args = {"print", "book.kvl"};
    args.insert(args.end(), more.begin(), more.end());
    const Result r = Cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, said + "\n");
    const std::string pdf = ReadFile(F(more.back()));
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfNumbers(pdf, "/Count "), std::vector<double>{static_cast<double>(pages)});
    const std::vector<double> box = PdfNumbers(pdf, "/MediaBox [0 0 ");
    ASSERT_EQ(box.size(), static_cast<std::size_t>(pages));
    EXPECT_NEAR(box[0], width, 1);
  }
}
#endif

}  // namespace
}  // namespace kelvane::test
