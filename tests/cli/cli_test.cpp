// Runs the kelvane-cli program on real files: output, written files and exit codes.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace kelvane::test {
namespace {

namespace fs = std::filesystem;

const std::string kCli = std::string(KELVANE_BIN_DIR) + "kelvane-cli";

struct Result {
  int code = -1;  // exit code, or minus the signal that ended the program
  std::string out, err;
};

// Starts exe in dir; stdout and stderr go to capture + "out" / "err".
pid_t Start(const std::string& exe, const std::string& dir, const std::vector<std::string>& args,
            const std::string& capture) {
  std::vector<std::string> all{exe};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string outPath = capture + "out", errPath = capture + "err";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(out, 1);
    dup2(err, 2);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1000;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// Every file under a folder with its contents; folders end with "/".
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string rel = fs::relative(e.path(), root).string();
    files[e.is_directory() ? rel + "/" : rel] = e.is_directory() ? "" : ReadFile(e.path().string());
  }
  return files;
}

// The cells of a solution line before the marked cell.
std::vector<int> ChainOf(const std::string& solution) {
  std::vector<int> chain;
  std::istringstream in(solution.substr(0, solution.rfind(',')));
  for (std::string item; std::getline(in, item, ',');) chain.push_back(std::stoi(item));
  return chain;
}

int MarkedOf(const std::string& solution) { return std::stoi(solution.substr(solution.rfind(',') + 1)); }

class CliTest : public ::testing::Test {
 protected:
  Result Cli(const std::vector<std::string>& args) { return RunIn(kCli, work_.Folder(), args); }
  Result RunIn(const std::string& exe, const std::string& dir, const std::vector<std::string>& args) {
    Result r;
    r.code = Wait(Start(exe, dir, args, capture_.Folder()));
    r.out = ReadFile(capture_.File("out"));
    r.err = ReadFile(capture_.File("err"));
    return r;
  }
  std::string F(const std::string& name) const { return work_.File(name); }
  // Creates puzzles into name and expects success.
  void Create(const std::string& name, std::vector<std::string> args, int count) {
    args.insert(args.begin(), {"create", "--out", name, "--count", std::to_string(count)});
    const Result r = Cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(r.out, " " + std::to_string(count) + " Puzzles added to file: " + name + "\n");
  }
  // Checks a "show" drawing against the record it draws.
  void ExpectShows(const std::vector<std::string>& rec, int position, int total, const std::string& name,
                   bool withSolution) {
    std::vector<std::string> args{"show", name, std::to_string(position)};
    if (withSolution) args.push_back("--solution");
    const Result r = Cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const int N = rec[2][0] - '0';
    const int marked = MarkedOf(rec[4]);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(N + 3 + (withSolution ? 1 : 0))) << r.out;
    EXPECT_EQ(lines[0], "Puzzle " + std::to_string(position) + " of " + std::to_string(total) + " in " + name +
                            ": " + rec[1] + ", " + std::to_string(N) + "x" + std::to_string(N) +
                            ", marked cell " + std::to_string(marked));
    const std::string rule = "  +" + std::string(static_cast<std::size_t>(3 * N), '-') + "+";
    EXPECT_EQ(lines[1], rule);
    EXPECT_EQ(lines[static_cast<std::size_t>(N + 2)], rule);
    const std::vector<int> chain = ChainOf(rec[4]);
    std::set<int> onChain(chain.begin(), chain.end());
    for (std::size_t k = 1; k < chain.size(); ++k) onChain.insert((chain[k - 1] + chain[k]) / 2);
    for (int row = 1; row <= N; ++row) {
      const std::string& line = lines[static_cast<std::size_t>(row + 1)];
      ASSERT_EQ(line.size(), static_cast<std::size_t>(3 * N + 4)) << line;
      for (int col = 1; col <= N; ++col) {
        const int cell = (row - 1) * N + col;
        const std::size_t at = static_cast<std::size_t>(3 * col);
        std::string expected = std::string(" ") + rec[3][static_cast<std::size_t>(2 + cell)] + " ";
        if (cell == marked) expected = "[" + expected.substr(1, 1) + "]";
        else if (withSolution && onChain.count(cell)) expected = "(" + expected.substr(1, 1) + ")";
        EXPECT_EQ(line.substr(at, 3), expected) << "cell " << cell << " in " << line;
      }
    }
    if (!withSolution) return;
    const std::string& sol = lines.back();
    const std::string head = "  Solution: ", tail = " = 0, cells " + rec[4].substr(0, rec[4].rfind(','));
    ASSERT_EQ(sol.rfind(head, 0), 0u) << sol;
    ASSERT_GT(sol.size(), head.size() + tail.size());
    ASSERT_EQ(sol.substr(sol.size() - tail.size()), tail);
    // The sum as drawn: the chain's numbers with the signs between them.
    std::istringstream terms(sol.substr(head.size(), sol.size() - head.size() - tail.size()));
    int sum = 0, value = 0;
    std::size_t k = 0;
    char sign = '+';
    for (std::string t; terms >> t; ++k) {
      if (k % 2 == 1) {
        sign = t[0];
        continue;
      }
      value = std::stoi(t);
      ASSERT_LT(k / 2, chain.size());
      EXPECT_EQ(value, rec[3][static_cast<std::size_t>(2 + chain[k / 2])] - '0');
      if (k > 0) {
        EXPECT_EQ(sign, rec[3][static_cast<std::size_t>(2 + (chain[k / 2 - 1] + chain[k / 2]) / 2)]);
      }
      sum += sign == '-' ? -value : value;
    }
    EXPECT_EQ(k, 2 * chain.size() - 1);
    EXPECT_EQ(sum, 0);
  }
  std::vector<std::vector<std::string>> Records(const std::string& name) {
    const std::vector<std::string> lines = Lines(ReadFile(F(name)));
    EXPECT_EQ(lines.size() % 5, 0u);
    std::vector<std::vector<std::string>> recs;
    for (std::size_t i = 0; i + 5 <= lines.size(); i += 5) recs.emplace_back(lines.begin() + i, lines.begin() + i + 5);
    return recs;
  }

  TempDir work_, capture_;
};

TEST_F(CliTest, CreateCountVerifyShowRoundTrip) {
  for (const char* size : {"5", "7", "9"}) {
    for (const char* difficulty : {"easy", "hard"}) {
      const std::string name = std::string("p") + size + difficulty + ".kvl";
      SCOPED_TRACE(name);
      Create(name, {"--size", size, "--difficulty", difficulty, "--seed", "42", "--threads", "2"}, 3);
      EXPECT_EQ(Cli({"count", name}).out, "3\n");
      const Result v = Cli({"verify", name});
      EXPECT_EQ(v.code, 0);
      EXPECT_EQ(v.out, "3 passed, 0 failed\n");
      const auto recs = Records(name);
      ASSERT_EQ(recs.size(), 3u);
      for (int k = 1; k <= 3; ++k) {
        const auto& rec = recs[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(rec[0], "#" + std::to_string(k));
        EXPECT_EQ(rec[1], std::string(difficulty) == "easy" ? "Easy" : "Hard");
        EXPECT_EQ(rec[2][0], size[0]);
        ExpectShows(rec, k, 3, name, false);
        ExpectShows(rec, k, 3, name, true);
      }
    }
  }
}

TEST_F(CliTest, CreateNumbersAfterPuzzlesInTheFile) {
  Create("f.kvl", {"--size", "7", "--seed", "5"}, 3);
  const std::string before = ReadFile(F("f.kvl"));
  Create("f.kvl", {"--size", "7", "--seed", "6"}, 2);
  const std::string after = ReadFile(F("f.kvl"));
  EXPECT_EQ(after.substr(0, before.size()), before);
  const auto recs = Records("f.kvl");
  ASSERT_EQ(recs.size(), 5u);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(recs[k][0], "#" + std::to_string(k + 1));
  EXPECT_EQ(Cli({"count", "f.kvl"}).out, "5\n");
  EXPECT_EQ(Cli({"verify", "f.kvl"}).out, "5 passed, 0 failed\n");
}

TEST_F(CliTest, SeedFixesTheFileWhateverTheThreads) {
  for (const char* size : {"7", "random"}) {
    SCOPED_TRACE(size);
    const std::string s = size;
    for (const char* threads : {"1", "2", "3"})
      Create(s + "t" + threads + ".kvl", {"--size", size, "--difficulty", "easy", "--seed", "1234", "--threads", threads}, 100);
    const std::string one = ReadFile(F(s + "t1.kvl"));
    EXPECT_EQ(ReadFile(F(s + "t2.kvl")), one);
    EXPECT_EQ(ReadFile(F(s + "t3.kvl")), one);
    Create(s + "other.kvl", {"--size", size, "--difficulty", "easy", "--seed", "1235", "--threads", "2"}, 100);
    EXPECT_NE(ReadFile(F(s + "other.kvl")), one);
  }
}

TEST_F(CliTest, DefaultOutputIsNextFreeNameInWorkingFolder) {
  for (const char* expected : {"tempnewpuzzle;01.kvl", "tempnewpuzzle;02.kvl"}) {
    const Result r = Cli({"create", "--size", "5", "--count", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, std::string(" 2 Puzzles added to file: ") + expected + "\n");
    EXPECT_EQ(Cli({"count", expected}).out, "2\n");
    EXPECT_EQ(Cli({"verify", expected}).code, 0);
  }
  EXPECT_FALSE(fs::exists(F("tempnewpuzzle.kvl")));
  EXPECT_EQ(Snapshot(work_.Path()).size(), 2u);
}

// The grid line holds the marked cell and the grid: no two records may share it.
void ExpectNoRepeats(const std::vector<std::vector<std::string>>& recs) {
  std::set<std::string> grids;
  for (const auto& rec : recs) EXPECT_TRUE(grids.insert(rec[3]).second) << rec[0] << " repeats " << rec[3];
}

TEST_F(CliTest, CreateAddsNoRepeats) {
  Create("a.kvl", {"--size", "5", "--difficulty", "easy", "--seed", "7", "--threads", "2"}, 400);
  const auto recs = Records("a.kvl");
  ASSERT_EQ(recs.size(), 400u);
  ExpectNoRepeats(recs);
  std::set<std::string> gridAndSolution;
  for (const auto& rec : recs) EXPECT_TRUE(gridAndSolution.insert(rec[3] + "|" + rec[4]).second);

  // The same seed again into a copy: every first draw is already in the file.
  fs::copy_file(F("a.kvl"), F("b.kvl"));
  Create("b.kvl", {"--size", "5", "--difficulty", "easy", "--seed", "7", "--threads", "3"}, 300);
  const auto both = Records("b.kvl");
  ASSERT_EQ(both.size(), 700u);
  EXPECT_EQ(ReadFile(F("b.kvl")).substr(0, ReadFile(F("a.kvl")).size()), ReadFile(F("a.kvl")));
  ExpectNoRepeats(both);
  EXPECT_EQ(Cli({"verify", "b.kvl"}).out, "700 passed, 0 failed\n");
}

TEST_F(CliTest, InterruptLeavesWholeRecords) {
  for (const char* threads : {"1", "3"}) {
    SCOPED_TRACE(threads);
    const std::string name = std::string("s") + threads + ".kvl";
    const pid_t pid = Start(kCli, work_.Folder(),
                            {"create", "--count", "5000000", "--size", "9", "--threads", threads, "--out", name},
                            capture_.Folder());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(pid, SIGINT);
    ASSERT_EQ(Wait(pid), 130);
    const std::string text = ReadFile(F(name));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::vector<std::string> lines = Lines(text);
    std::size_t headers = 0;
    for (const std::string& l : lines) headers += !l.empty() && l[0] == '#';
    EXPECT_EQ(lines.size(), 5 * headers);
    EXPECT_EQ(ReadFile(capture_.File("out")), " " + std::to_string(headers) + " Puzzles added to file: " + name + "\n");
    EXPECT_EQ(Cli({"count", name}).out, std::to_string(headers) + "\n");
    const Result v = Cli({"verify", name});
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out, std::to_string(headers) + " passed, 0 failed\n");
  }
}

TEST_F(CliTest, VerifyFindsDamagedRecords) {
  Create("good.kvl", {"--size", "9", "--seed", "99"}, 3);
  const std::vector<std::string> good = Lines(ReadFile(F("good.kvl")));
  // Lines of record 2: 5..9.
  const std::string grid = good[8], solution = good[9];
  const std::vector<int> chain = ChainOf(solution);
  struct Damage {
    const char* what;
    std::vector<std::string> lines;
    std::string problem;
  };
  std::vector<Damage> damages;
  {
    std::vector<std::string> l = good;
    char& first = l[8][3];  // cell 1, a number 1..5
    first = first == '5' ? '1' : static_cast<char>(first + 1);
    damages.push_back({"latin square", l, "puzzle 2 (#2): the numbers do not form a Latin square"});
  }
  {
    std::vector<std::string> l = good;
    char& sign = l[8][static_cast<std::size_t>(2 + (chain[0] + chain[1]) / 2)];
    sign = sign == '+' ? '-' : '+';
    damages.push_back({"sign on the chain", l, "puzzle 2 (#2): the solution sums to "});
  }
  {
    std::vector<std::string> l = good;
    l[8] += "123456";
    damages.push_back({"long grid", l, "puzzle 2 (#2): the grid line has 90 characters instead of 84"});
  }
  {
    std::vector<std::string> l = good;
    l[9] = std::to_string(chain[0]) + ",200" + solution.substr(solution.find(','));
    damages.push_back({"cell off the board", l, "puzzle 2 (#2): the solution passes through cell 200"});
  }
  {
    std::vector<std::string> l = good;
    l.pop_back();
    damages.push_back({"last line cut", l, "puzzle 3 (#3): the record has fewer than five lines"});
  }
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    WriteFile(F("bad.kvl"), JoinCrLf(d.lines));
    const Result r = Cli({"verify", "bad.kvl"});
    EXPECT_EQ(r.code, 1);
    const std::vector<std::string> out = Lines(r.out);
    ASSERT_EQ(out.size(), 2u) << r.out;
    EXPECT_EQ(out[0].rfind(d.problem, 0), 0u) << out[0];
    EXPECT_EQ(out[1], "2 passed, 1 failed");
    EXPECT_EQ(r.err, "");
  }
  WriteFile(F("empty.kvl"), "");
  const Result empty = Cli({"verify", "empty.kvl"});
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(Lines(empty.out).back(), "0 passed, 0 failed");
}

TEST_F(CliTest, ShowDrawsDamagedSolutionWithoutCrashing) {
  Create("good.kvl", {"--size", "9", "--seed", "8"}, 1);
  std::vector<std::string> lines = Lines(ReadFile(F("good.kvl")));
  const std::string solution = lines[4];
  for (const char* cell : {"200", "2000000000", "-2000000000", "abc"}) {
    SCOPED_TRACE(cell);
    lines[4] = solution.substr(0, solution.find(',') + 1) + cell + solution.substr(solution.find(','));
    WriteFile(F("bad.kvl"), JoinCrLf(lines));
    const Result r = Cli({"show", "bad.kvl", "1", "--solution"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Lines(r.out).size(), 9u + 4u) << r.out;
    EXPECT_EQ(Cli({"verify", "bad.kvl"}).code, 1);
  }
}

TEST_F(CliTest, ChainsEqualShippedLists) {
  for (const char* size : {"5", "7", "9"}) {
    const Result r = Cli({"chains", size});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out == ReadFile(std::string(KELVANE_SOURCE_DATA) + "k" + size + "x" + size + ".kvy"))
        << "chains " << size << " differs from the shipped list";
  }
}

TEST_F(CliTest, ShippedPuzzleFileVerifies) {
  const std::string path = std::string(KELVANE_SOURCE_DATA) + "puzzles.kvl";
  if (ReadFile(path).empty()) GTEST_SKIP() << "puzzles.kvl is empty";
  const Result r = Cli({"verify", path});
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find(" passed, 0 failed\n"), std::string::npos);
}

// One "kelvane-cli: " line on stderr, exit 2, nothing on stdout and no file touched.
void ExpectError(const Result& r) {
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("kelvane-cli: ", 0), 0u) << r.err;
  EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
  EXPECT_EQ(r.err.back(), '\n');
}

TEST_F(CliTest, ErrorsExitTwoAndWriteNothing) {
  Create("g.kvl", {"--size", "5", "--seed", "3"}, 3);
  WriteFile(F("bin.kvl"), std::string("#1\r\nEasy\r\n\0\r\n", 14));
  fs::create_directory(F("dir.kvl"));
  const auto before = Snapshot(work_.Path());
  const std::vector<std::vector<std::string>> cases = {
      {"count", "missing.kvl"}, {"verify", "missing.kvl"}, {"show", "missing.kvl", "1"},
      {"count", "dir.kvl"}, {"verify", "dir.kvl"}, {"show", "dir.kvl", "1"},
      {"count", "bin.kvl"}, {"verify", "bin.kvl"}, {"show", "bin.kvl", "1"},
      {"frobnicate"}, {"count"}, {"count", "g.kvl", "g.kvl"}, {"verify"}, {"count", "g.kvl", "--solution"},
      {"show", "g.kvl"}, {"show", "g.kvl", "0"}, {"show", "g.kvl", "4"}, {"show", "g.kvl", "x"},
      {"show", "g.kvl", "-1"}, {"show", "g.kvl", "1", "--bogus"}, {"show", "g.kvl", "1", "--solution=1"},
      {"chains"}, {"chains", "6"}, {"chains", "11"}, {"chains", "5x"},
      {"create", "--count", "0"}, {"create", "--count", "abc"}, {"create", "--count", "-1"},
      {"create", "--count", "100000001"}, {"create", "--size", "6"}, {"create", "--size"},
      {"create", "--threads", "0"}, {"create", "--threads", "257"}, {"create", "--difficulty", "medium"},
      {"create", "--seed", "x"}, {"create", "--seed", "-1"}, {"create", "--out="}, {"create", "extra"},
      {"create", "--frob", "1"},
      {"create", "--out", "g.kvl", "--size", "6"}, {"create", "--out", "g.kvl", "--count", "0"},
      {"create", "--out", "g.kvl", "--threads", "0"},
      {"create", "--out", "bin.kvl", "--size", "5"}, {"create", "--out", "dir.kvl", "--size", "5"},
      {"create", "--out", "nodir/x.kvl", "--size", "5", "--count", "2"},
  };
  for (const auto& args : cases) {
    std::string line;
    for (const std::string& a : args) line += a + " ";
    SCOPED_TRACE(line);
    ExpectError(Cli(args));
    EXPECT_EQ(Snapshot(work_.Path()), before);
  }
}

TEST_F(CliTest, MissingChainListIsAnError) {
  // A copy of the program without the chain lists beside it.
  TempDir bin;
  fs::copy_file(kCli, bin.File("kelvane-cli"));
  fs::permissions(bin.File("kelvane-cli"), fs::perms::owner_exec, fs::perm_options::add);
  Create("g.kvl", {"--size", "5", "--seed", "3"}, 2);
  const auto before = Snapshot(work_.Path());
  for (const char* out : {"new.kvl", "g.kvl"}) {
    SCOPED_TRACE(out);
    ExpectError(RunIn(bin.File("kelvane-cli"), work_.Folder(), {"create", "--size", "5", "--out", out}));
    EXPECT_EQ(Snapshot(work_.Path()), before);
  }
}

}  // namespace
}  // namespace kelvane::test
