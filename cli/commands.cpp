// kelvane-cli's commands: the command line read and run; create, show, verify, count, chains, print and stats.
#include "cli/commands.h"

#include <charconv>
#include <filesystem>
#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <thread>

#include "engine/batch.h"
#include "engine/chain_list.h"
#include "engine/check.h"
#include "engine/generator.h"
#include "engine/grid.h"
#include "cli/command_parts.h"
#include "engine/rating.h"
#include "model/geometry.h"
#include "model/progress.h"
#include "model/puzzle_file.h"
#include "model/statistics.h"
#include "model/text_rules.h"
#include "output/file_printing.h"
#include "output/page_layout.h"

namespace kelvane::cli {

bool ParseArgs(const std::vector<std::string>& in, const std::set<std::string>& withValue,
               const std::set<std::string>& flagNames, Args& out, std::string& error) {
  for (std::size_t i = 0; i < in.size(); ++i) {
    const std::string& a = in[i];
    if (a.rfind("--", 0) != 0 || a.size() == 2) {
      out.positional.push_back(a);
      continue;
    }
    std::string name = a, value;
    const std::size_t eq = a.find('=');
    const bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
    }
    if (flagNames.count(name) && !inlineValue) {
      out.flags.insert(name);
    } else if (withValue.count(name)) {
      if (!inlineValue) {
        if (i + 1 >= in.size()) {
          error = name + " needs a value";
          return false;
        }
        value = in[++i];
      }
      out.options[name] = value;
    } else {
      error = "unknown option " + name;
      return false;
    }
  }
  return true;
}

bool ParseNumber(const std::string& text, long long lo, long long hi, long long& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= lo && value <= hi;
}

int Fail(Context& ctx, std::string message) {
  for (std::size_t at; (at = message.find('\n')) != std::string::npos;) message.replace(at, 1, ": ");
  ctx.err << "kelvane-cli: " << message << "\n";
  return kError;
}

std::string ReadProblem(const std::string& path, ReadStatus status) {
  switch (status) {
    case ReadStatus::Missing: return "cannot open " + path + ": the file does not exist";
    case ReadStatus::Unreadable: return "cannot read " + path;
    case ReadStatus::TooLarge: return path + " is too large to be a puzzle file";
    default: return path + ": " + DescribeReadStatus(status);
  }
}

std::string FileProblem(PuzzleFileIndexes& files, const std::string& path) {
  FileStatus status;
  const FileIndex* index = files.Get(path, &status);
  if (!index) {
    switch (status) {
      case FileStatus::Missing: return "cannot open " + path + ": the file does not exist";
      case FileStatus::TooLarge: return path + " is too large to be a puzzle file";
      default: return "cannot read " + path;
    }
  }
  if (index->hasNul) return path + " is not a puzzle file: it holds binary data";
  return {};
}

namespace {

int cmdCount(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return Fail(ctx, "usage: kelvane-cli count FILE");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = FileProblem(files, path); !problem.empty()) return Fail(ctx, problem);
  ctx.out << CountPuzzles(files, path) << "\n";
  return kOk;
}

int cmdChains(const Args& a, Context& ctx) {
  long long n = 0;
  if (a.positional.size() != 1 || !ParseNumber(a.positional[0], 5, 9, n) || n % 2 == 0)
    return Fail(ctx, "usage: kelvane-cli chains 5|7|9");
  ctx.out << ChainListText(static_cast<int>(n));
  return kOk;
}

// The board in text, three characters a cell: [n] the marked cell, (n) and
// (+) the solution chain when asked.
void drawBoard(std::ostream& out, const ParsedRecord& r, bool showSolution) {
  const int N = r.Size;
  const Geometry geo{N};
  const Grid grid = GridFromCells(N, r.Cells);
  std::set<int> onChain;
  std::vector<int> chain;
  if (showSolution) {
    std::string_view s = r.Solution;
    const std::size_t last = s.rfind(',');
    for (std::size_t from = 0; last != std::string_view::npos && from < last;) {
      const std::size_t comma = s.find(',', from);
      chain.push_back(IntValue(s.substr(from, comma - from)));
      from = comma + 1;
    }
    for (std::size_t k = 0; k < chain.size(); ++k) {
      onChain.insert(chain[k]);
      if (k > 0 && geo.OnBoard(chain[k - 1]) && geo.OnBoard(chain[k]))
        onChain.insert(Geometry::Between(chain[k - 1], chain[k]));
    }
  }
  const std::string rule = "  +" + std::string(static_cast<std::size_t>(3 * N), '-') + "+\n";
  out << rule;
  for (int r0 = 1; r0 <= N; ++r0) {
    out << "  |";
    for (int c0 = 1; c0 <= N; ++c0) {
      const int i = geo.CellAt(r0, c0);
      char ch = grid.c[static_cast<std::size_t>(i)];
      if (ch == '\0') ch = ' ';
      if (i == r.MarkedCell) out << '[' << ch << ']';
      else if (onChain.count(i)) out << '(' << ch << ')';
      else out << ' ' << ch << ' ';
    }
    out << "|\n";
  }
  out << rule;
  if (showSolution && !chain.empty()) {
    out << "  Solution: ";
    int sum = 0;
    for (std::size_t k = 0; k < chain.size(); ++k) {
      const int value = geo.OnBoard(chain[k]) ? grid.Value(chain[k]) : 0;
      if (k > 0) {
        // A damaged record may name cells off the board: no sign between them.
        const int a = chain[k - 1], b = chain[k];
        const bool plus = geo.OnBoard(a) && geo.OnBoard(b) && grid.Plus(Geometry::Between(a, b));
        out << ' ' << (plus ? '+' : '-') << ' ';
        sum += plus ? value : -value;
      } else {
        sum = value;
      }
      out << value;
    }
    out << " = " << sum << ", cells " << r.Solution.substr(0, r.Solution.rfind(',')) << "\n";
  }
}

int cmdShow(const Args& a, Context& ctx) {
  long long n = 0;
  if (a.positional.size() != 2 || !ParseNumber(a.positional[1], 1, 1'000'000'000, n))
    return Fail(ctx, "usage: kelvane-cli show FILE N [--solution]");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = FileProblem(files, path); !problem.empty()) return Fail(ctx, problem);
  RawRecord raw;
  const ReadStatus status = ReadRawRecord(files, path, static_cast<int>(n), raw);
  if (status == ReadStatus::NotFound)
    return Fail(ctx, path + " has no puzzle " + std::to_string(n) + " (it holds " +
                         std::to_string(CountPuzzles(files, path)) + ")");
  if (status != ReadStatus::Ok) return Fail(ctx, "puzzle " + std::to_string(n) + " of " + ReadProblem(path, status));
  const ParsedRecord r = ParseRecord(raw);
  const std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  ctx.out << "Puzzle " << n << " of " << CountPuzzles(files, path) << " in " << name << ": "
          << DifficultyWord(r.Title) << ", " << r.Size << "x" << r.Size << ", marked cell " << r.MarkedCell
          << "\n";
  drawBoard(ctx.out, r, a.flags.count("--solution") > 0);
  return kOk;
}

int cmdVerify(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return Fail(ctx, "usage: kelvane-cli verify FILE");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = FileProblem(files, path); !problem.empty()) return Fail(ctx, problem);
  int passed = 0, failed = 0;
  const ReadStatus read = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus s) {
    const std::string problem = s == ReadStatus::Ok ? CheckRecord(raw) : "the record has fewer than five lines";
    if (problem.empty()) {
      ++passed;
    } else {
      ++failed;
      ctx.out << "puzzle " << position << " (" << raw.HeaderLine << "): " << problem << "\n";
    }
    return true;
  });
  if (read != ReadStatus::Ok) return Fail(ctx, ReadProblem(path, read));
  if (passed + failed == 0) ctx.out << path << " holds no puzzles\n";
  ctx.out << passed << " passed, " << failed << " failed\n";
  return failed == 0 && passed > 0 ? kOk : kFailed;
}

int cmdCreate(const Args& a, Context& ctx) {
  if (!a.positional.empty()) return Fail(ctx, "unexpected argument " + a.positional[0]);
  BatchOptions o;
  const auto get = [&](const char* name, const char* fallback) {
    auto it = a.options.find(name);
    return it == a.options.end() ? std::string(fallback) : it->second;
  };
  const std::string size = get("--size", "9");
  if (size == "random") o.size = 0;
  else if (size == "5" || size == "7" || size == "9") o.size = size[0] - '0';
  else return Fail(ctx, "--size must be 5, 7, 9 or random");
  const std::string difficulty = get("--difficulty", "hard");
  if (difficulty != "easy" && difficulty != "hard") return Fail(ctx, "--difficulty must be easy or hard");
  o.easy = difficulty == "easy";
  long long number = 0;
  if (!ParseNumber(get("--count", "1"), 1, 100'000'000, number))
    return Fail(ctx, "--count must be a whole number from 1 to 100000000");
  o.count = static_cast<int>(number);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (!ParseNumber(get("--threads", std::to_string(cores).c_str()), 1, 256, number))
    return Fail(ctx, "--threads must be a whole number from 1 to 256");
  o.threads = static_cast<int>(number);
  if (auto it = a.options.find("--seed"); it != a.options.end()) {
    std::uint64_t seed = 0;
    const char* end = it->second.data() + it->second.size();
    auto [ptr, ec] = std::from_chars(it->second.data(), end, seed);
    if (ec != std::errc() || ptr != end) return Fail(ctx, "--seed must be a whole number from 0 to 18446744073709551615");
    o.seed = seed;
  } else {
    o.seed = Random::FreshSeed();
  }
  if (auto it = a.options.find("--stars"); it != a.options.end()) {
    if (!ParseStarRange(it->second, o.stars))
      return Fail(ctx, "--stars must be N or N-M, stars from 1 to 5 with N at most M, not \"" + it->second + "\"");
    if (std::string problem = StarRangeProblem(o.size, o.stars); !problem.empty())
      return Fail(ctx, "--stars " + it->second + ": " + problem);
  }
  if (auto it = a.options.find("--out"); it != a.options.end()) {
    o.outFile = it->second;
  } else {
    o.outFile = NextFreeName("tempnewpuzzle.kvl");
    if (o.outFile.empty()) return Fail(ctx, "all 99 names tempnewpuzzle;01.kvl to tempnewpuzzle;99.kvl are taken: name a file with --out");
  }
  if (o.outFile.empty()) return Fail(ctx, "--out needs a file name");

  PuzzleFileIndexes files;
  std::error_code ec;
  if (std::filesystem::exists(o.outFile, ec)) {
    if (std::string problem = FileProblem(files, o.outFile); !problem.empty()) return Fail(ctx, problem);
  }
  if (ctx.checkOnly) return kOk;
  ChainListCache lists(ctx.programFolder);
  auto lastShown = std::chrono::steady_clock::time_point{};
  const auto started = std::chrono::steady_clock::now();
  auto progress = [&](int done, int total, long long draws) {
    if (!ctx.progress) return;
    const auto now = std::chrono::steady_clock::now();
    if (done != total && now - lastShown < std::chrono::milliseconds(100)) return;
    lastShown = now;
    ctx.err << "\rCreating P#" << done << " of " << total << "  File: " << o.outFile;
    if (!o.stars.Any()) ctx.err << "  " << OneDecimal(static_cast<double>(draws) / done) << " draws a puzzle";
    ctx.err << std::flush;
  };
  const BatchResult r = CreateBatch(o, lists, files, ctx.cancel, progress);
  if (ctx.progress) ctx.err << "\n";
  if (r.failed) {
    if (r.added > 0) ctx.out << NumText(r.added) << " Puzzles added to file: " << o.outFile << "\n";
    return Fail(ctx, r.message);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  ctx.out << NumText(r.added) << " Puzzles added to file: " << o.outFile << "\n";
  if (ctx.progress && r.added > 0)
    ctx.err << r.added << " puzzles in " << seconds << " s, " << static_cast<double>(r.attempts) / r.added
            << " attempts and " << static_cast<double>(r.draws) / r.added << " draws a puzzle\n";
  if (r.cancelled) {
    ctx.err << "Stopped: the file holds whole puzzles only.\n";
    return kStopped;
  }
  if (r.exhausted) {
    ctx.err << "Only" << NumText(r.added) << " distinct puzzles could be added: the last " << o.staleLimit
            << " attempts found fewer than 100 new ones.\n";
    return kFailed;
  }
  if (r.starsRare) {
    ctx.err << "Only" << NumText(r.added) << " puzzles with those stars could be added: " << o.staleLimit / 10
            << " attempts in a row made none with them.\n";
    return kFailed;
  }
  return kOk;
}

int cmdPrint(const Args& a, Context& ctx) {
  if (a.positional.size() != 1)
    return Fail(ctx, "usage: kelvane-cli print FILE [--from A] [--to B] [--solutions] [--per-page 1|2|4|6|15|24] "
                     "[--paper a4|letter] --pdf OUT.pdf");
  const auto option = [&](const char* name) -> const std::string* {
    auto it = a.options.find(name);
    return it == a.options.end() ? nullptr : &it->second;
  };
  PdfRequest r;
  r.job.path = a.positional[0];
  r.job.mode = a.flags.count("--solutions") ? GridMode::Solution : GridMode::Puzzle;
  long long number = 0;
  if (const std::string* perPage = option("--per-page")) {
    if (!ParseNumber(*perPage, 1, 24, number) || !IsGridsPerPageCode(static_cast<int>(number)))
      return Fail(ctx, "--per-page must be 1, 2, 4, 6, 15 or 24");
    r.job.code = static_cast<int>(number);
  }
  if (const std::string* paper = option("--paper")) {
    if (*paper != "a4" && *paper != "letter") return Fail(ctx, "--paper must be a4 or letter");
    r.letter = *paper == "letter";
  }
  const std::string* pdf = option("--pdf");
  if (!pdf || pdf->empty()) return Fail(ctx, "--pdf OUT.pdf is needed: the file the pages are written to");
  r.pdfPath = *pdf;

  PuzzleFileIndexes files;
  if (std::string problem = FileProblem(files, r.job.path); !problem.empty()) return Fail(ctx, problem);
  std::error_code same;
  if (std::filesystem::equivalent(r.pdfPath, r.job.path, same))
    return Fail(ctx, "--pdf names the puzzle file itself: " + r.pdfPath);
  if (!PdfTargetProblem(r.pdfPath, {}).empty())
    return Fail(ctx, "--pdf names a file that is no PDF file: " + r.pdfPath + " (it is not replaced)");
  const int count = CountPuzzles(files, r.job.path);
  if (count < 1) return Fail(ctx, r.job.path + " holds no puzzles");
  r.job.first = 1;
  r.job.last = count;
  if (const std::string* from = option("--from")) {
    if (!ParseNumber(*from, 1, 1'000'000'000, number)) return Fail(ctx, "--from must be a whole number from 1");
    r.job.first = static_cast<int>(number);
  }
  if (const std::string* to = option("--to")) {
    if (!ParseNumber(*to, 1, 1'000'000'000, number)) return Fail(ctx, "--to must be a whole number from 1");
    r.job.last = static_cast<int>(number);
  }
  if (r.job.first > r.job.last)
    return Fail(ctx, "--from " + std::to_string(r.job.first) + " is above --to " + std::to_string(r.job.last) +
                         ": nothing to print");
  if (r.job.last > count)
    return Fail(ctx, r.job.path + " holds " + std::to_string(count) + " puzzles: there is no puzzle " +
                         std::to_string(r.job.last));
  if (std::string problem = PrintRangeProblem(files, r.job); !problem.empty()) return Fail(ctx, problem);
  if (ctx.checkOnly) return kOk;
  if (!ctx.writePdf) return Fail(ctx, "this kelvane-cli was built without printing");
  const PdfOutcome done = ctx.writePdf(r);
  if (!done.ok) return Fail(ctx, done.message.empty() ? "the PDF could not be written" : done.message);
  const char* what = r.job.mode == GridMode::Solution ? " solution" : " puzzle";
  ctx.out << done.grids << what << (done.grids == 1 ? "" : "s") << " on " << done.pages
          << (done.pages == 1 ? " page" : " pages") << " written to " << r.pdfPath << "\n";
  return kOk;
}

int cmdStats(const Args& a, Context& ctx) {
  if (a.positional.size() > 1) return Fail(ctx, "usage: kelvane-cli stats [FILE] [--csv] [--db PATH]");
  const bool csv = a.flags.count("--csv") > 0;
  std::string db;
  if (auto it = a.options.find("--db"); it != a.options.end()) {
    db = it->second;
    if (db.empty()) return Fail(ctx, "--db needs a file name");
  } else {
    db = DefaultProgressPath();
    if (db.empty()) return Fail(ctx, "no progress file: $HOME is not set; name one with --db");
  }
  if (!a.positional.empty()) {
    PuzzleFileIndexes files;
    if (std::string problem = FileProblem(files, a.positional[0]); !problem.empty()) return Fail(ctx, problem);
  }
  if (ctx.checkOnly) return kOk;
  ProgressStore store;
  if (std::string problem = store.Open(db, true); !problem.empty()) return Fail(ctx, problem);
  std::vector<Solve> solves = store.Solves();
  if (!a.positional.empty()) {
    const std::string& path = a.positional[0];
    FileProgress file;
    if (const ReadStatus s = SolvedInFile(path, store.SolvedKeys(), solves, file); s != ReadStatus::Ok)
      return Fail(ctx, ReadProblem(path, s));
    std::string numbers;
    for (int n : file.solvedNumbers) numbers += (numbers.empty() ? "" : " ") + std::to_string(n);
    const std::string solved = std::to_string(file.solvedNumbers.size()), puzzles = std::to_string(file.puzzles);
    if (csv) ctx.out << "solved,puzzles,solved numbers\n" << solved << "," << puzzles << "," << numbers << "\n\n";
    else ctx.out << solved << " of " << puzzles << " solved\n" << (numbers.empty() ? "" : numbers + "\n");
    if (file.solves.empty() && !csv) return kOk;
    solves = std::move(file.solves);
  }
  if (solves.empty() && !csv) ctx.out << "No puzzles solved yet.\n";
  else ctx.out << StatsTable(SummariseSolves(solves), csv);
  return kOk;
}

}  // namespace

std::string DefaultProgressPath() {
  // Qt's AppDataLocation for the window's organisation and application names.
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::string folder;
  if (data && data[0] == '/') folder = data;
  else if (home && home[0] != '\0') folder = std::string(home) + "/.local/share";
  else return {};
  return folder + "/" + ProgressOrganisation + "/" + ProgressApplication + "/" + ProgressStore::FileName;
}

int Run(const std::vector<std::string>& args, Context& ctx) {
  if (args.empty()) {
    ctx.err << Usage();
    return kError;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() == 2 && IsCommand(args[1])) {
      ctx.out << CommandUsage(args[1]);
      return kOk;
    }
    if (args.size() > 1) {
      ctx.err << "kelvane-cli: unknown command \"" << args[1] << "\"\n" << Usage();
      return kError;
    }
    ctx.out << Usage();
    return kOk;
  }
  const std::string command = args[0];
  if (!IsCommand(command)) {
    ctx.err << "kelvane-cli: unknown command \"" << command << "\"\n" << Usage();
    return kError;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const std::string& a : rest)
    if (a == "--help" || a == "-h") {
      ctx.out << CommandUsage(command);
      return kOk;
    }
  Args a;
  std::string error;
  std::set<std::string> withValue, flags;
  if (command == "create") withValue = {"--size", "--difficulty", "--count", "--out", "--seed", "--threads", "--stars"};
  else if (command == "show") flags = {"--solution"};
  else if (command == "print") {
    withValue = {"--from", "--to", "--per-page", "--paper", "--pdf"};
    flags = {"--solutions"};
  } else if (command == "stats") {
    withValue = {"--db"};
    flags = {"--csv"};
  } else if (command == "rate") {
    flags = {"--csv"};
  } else if (command == "sort") {
    withValue = {"--by", "--out"};
    flags = {"--yes"};
  }
  if (!ParseArgs(rest, withValue, flags, a, error)) {
    ctx.err << "kelvane-cli: " << error << "\n" << CommandUsage(command);
    return kError;
  }
  if (command == "create") return cmdCreate(a, ctx);
  if (command == "show") return cmdShow(a, ctx);
  if (command == "verify") return cmdVerify(a, ctx);
  if (command == "count") return cmdCount(a, ctx);
  if (command == "print") return cmdPrint(a, ctx);
  if (command == "stats") return cmdStats(a, ctx);
  if (command == "rate") return RateCommand(a, ctx);
  if (command == "sort") return SortCommand(a, ctx);
  return cmdChains(a, ctx);
}

}  // namespace kelvane::cli
