// kelvane-cli's commands: create, show, verify, count, chains, print, stats, rate and sort.
#include "cli/commands.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <iomanip>
#include <map>
#include <sstream>
#include <ostream>
#include <set>
#include <thread>

#include "engine/batch.h"
#include "engine/chain_list.h"
#include "engine/check.h"
#include "engine/generator.h"
#include "engine/grid.h"
#include "engine/rating.h"
#include "model/geometry.h"
#include "model/progress.h"
#include "model/puzzle_file.h"
#include "model/statistics.h"
#include "model/text_rules.h"
#include "output/file_printing.h"
#include "output/page_layout.h"

namespace kelvane::cli {

namespace {

constexpr int kOk = 0, kFailed = 1, kError = 2, kStopped = 130;

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::set<std::string> flags;
};

// Splits arguments into positionals, "--name value" options and flags.
bool parseArgs(const std::vector<std::string>& in, const std::set<std::string>& withValue,
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

// A whole number in [lo, hi] written in plain digits.
bool parseNumber(const std::string& text, long long lo, long long hi, long long& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= lo && value <= hi;
}

// One line on err: a line break inside the message becomes ": ".
int fail(Context& ctx, std::string message) {
  for (std::size_t at; (at = message.find('\n')) != std::string::npos;) message.replace(at, 1, ": ");
  ctx.err << "kelvane-cli: " << message << "\n";
  return kError;
}

std::string readProblem(const std::string& path, ReadStatus status) {
  switch (status) {
    case ReadStatus::Missing: return "cannot open " + path + ": the file does not exist";
    case ReadStatus::Unreadable: return "cannot read " + path;
    case ReadStatus::TooLarge: return path + " is too large to be a puzzle file";
    default: return path + ": " + DescribeReadStatus(status);
  }
}

// The file can be read as a puzzle file: "" or what is wrong.
std::string fileProblem(PuzzleFileIndexes& files, const std::string& path) {
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

int cmdCount(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return fail(ctx, "usage: kelvane-cli count FILE");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = fileProblem(files, path); !problem.empty()) return fail(ctx, problem);
  ctx.out << CountPuzzles(files, path) << "\n";
  return kOk;
}

int cmdChains(const Args& a, Context& ctx) {
  long long n = 0;
  if (a.positional.size() != 1 || !parseNumber(a.positional[0], 5, 9, n) || n % 2 == 0)
    return fail(ctx, "usage: kelvane-cli chains 5|7|9");
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
  if (a.positional.size() != 2 || !parseNumber(a.positional[1], 1, 1'000'000'000, n))
    return fail(ctx, "usage: kelvane-cli show FILE N [--solution]");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = fileProblem(files, path); !problem.empty()) return fail(ctx, problem);
  RawRecord raw;
  const ReadStatus status = ReadRawRecord(files, path, static_cast<int>(n), raw);
  if (status == ReadStatus::NotFound)
    return fail(ctx, path + " has no puzzle " + std::to_string(n) + " (it holds " +
                         std::to_string(CountPuzzles(files, path)) + ")");
  if (status != ReadStatus::Ok) return fail(ctx, "puzzle " + std::to_string(n) + " of " + readProblem(path, status));
  const ParsedRecord r = ParseRecord(raw);
  const std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  ctx.out << "Puzzle " << n << " of " << CountPuzzles(files, path) << " in " << name << ": "
          << DifficultyWord(r.Title) << ", " << r.Size << "x" << r.Size << ", marked cell " << r.MarkedCell
          << "\n";
  drawBoard(ctx.out, r, a.flags.count("--solution") > 0);
  return kOk;
}

int cmdVerify(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return fail(ctx, "usage: kelvane-cli verify FILE");
  PuzzleFileIndexes files;
  const std::string& path = a.positional[0];
  if (std::string problem = fileProblem(files, path); !problem.empty()) return fail(ctx, problem);
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
  if (read != ReadStatus::Ok) return fail(ctx, readProblem(path, read));
  if (passed + failed == 0) ctx.out << path << " holds no puzzles\n";
  ctx.out << passed << " passed, " << failed << " failed\n";
  return failed == 0 && passed > 0 ? kOk : kFailed;
}

int cmdCreate(const Args& a, Context& ctx) {
  if (!a.positional.empty()) return fail(ctx, "unexpected argument " + a.positional[0]);
  BatchOptions o;
  const auto get = [&](const char* name, const char* fallback) {
    auto it = a.options.find(name);
    return it == a.options.end() ? std::string(fallback) : it->second;
  };
  const std::string size = get("--size", "9");
  if (size == "random") o.size = 0;
  else if (size == "5" || size == "7" || size == "9") o.size = size[0] - '0';
  else return fail(ctx, "--size must be 5, 7, 9 or random");
  const std::string difficulty = get("--difficulty", "hard");
  if (difficulty != "easy" && difficulty != "hard") return fail(ctx, "--difficulty must be easy or hard");
  o.easy = difficulty == "easy";
  long long number = 0;
  if (!parseNumber(get("--count", "1"), 1, 100'000'000, number))
    return fail(ctx, "--count must be a whole number from 1 to 100000000");
  o.count = static_cast<int>(number);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (!parseNumber(get("--threads", std::to_string(cores).c_str()), 1, 256, number))
    return fail(ctx, "--threads must be a whole number from 1 to 256");
  o.threads = static_cast<int>(number);
  if (auto it = a.options.find("--seed"); it != a.options.end()) {
    std::uint64_t seed = 0;
    const char* end = it->second.data() + it->second.size();
    auto [ptr, ec] = std::from_chars(it->second.data(), end, seed);
    if (ec != std::errc() || ptr != end) return fail(ctx, "--seed must be a whole number from 0 to 18446744073709551615");
    o.seed = seed;
  } else {
    o.seed = Random::FreshSeed();
  }
  if (auto it = a.options.find("--stars"); it != a.options.end()) {
    if (!ParseStarRange(it->second, o.stars))
      return fail(ctx, "--stars must be N or N-M, stars from 1 to 5 with N at most M, not \"" + it->second + "\"");
    if (std::string problem = StarRangeProblem(o.size, o.stars); !problem.empty())
      return fail(ctx, "--stars " + it->second + ": " + problem);
  }
  if (auto it = a.options.find("--out"); it != a.options.end()) {
    o.outFile = it->second;
  } else {
    o.outFile = NextFreeName("tempnewpuzzle.kvl");
    if (o.outFile.empty()) return fail(ctx, "all 99 names tempnewpuzzle;01.kvl to tempnewpuzzle;99.kvl are taken: name a file with --out");
  }
  if (o.outFile.empty()) return fail(ctx, "--out needs a file name");

  PuzzleFileIndexes files;
  std::error_code ec;
  if (std::filesystem::exists(o.outFile, ec)) {
    if (std::string problem = fileProblem(files, o.outFile); !problem.empty()) return fail(ctx, problem);
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
    return fail(ctx, r.message);
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

// Every record of a file with its rating; a record that cannot be rated fails the command.
struct RatedRecord {
  RawRecord raw;
  ParsedRecord parsed;
  Rating rating;
};

int rateAll(Context& ctx, const std::string& path, std::vector<RatedRecord>& out) {
  PuzzleFileIndexes files;
  if (std::string problem = fileProblem(files, path); !problem.empty()) return fail(ctx, problem);
  std::string damaged;
  const ReadStatus read = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus s) {
    std::string problem = "the record has fewer than five lines";
    std::optional<Rating> rating;
    if (s == ReadStatus::Ok) rating = RateRecord(raw, &problem);
    if (rating && raw.Overlong) {
      rating.reset();
      problem = "a line of the record is too long";
    }
    if (!rating) {
      damaged = "puzzle " + std::to_string(position) + " of " + path + " (" + raw.HeaderLine + ") cannot be rated: " + problem;
      return false;
    }
    out.push_back({raw, ParseRecord(raw), *rating});
    return true;
  });
  if (read != ReadStatus::Ok) return fail(ctx, readProblem(path, read));
  if (!damaged.empty()) return fail(ctx, damaged);
  if (out.empty()) return fail(ctx, path + " holds no puzzles");
  return kOk;
}

int cmdRate(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return fail(ctx, "usage: kelvane-cli rate FILE [--csv]");
  const bool csv = a.flags.count("--csv") > 0;
  std::vector<RatedRecord> records;
  if (int code = rateAll(ctx, a.positional[0], records); code != kOk) return code;
  if (ctx.checkOnly) return kOk;
  // Stars per size and difficulty: [size][easy][stars].
  int table[10][2][MostStars + 1] = {};
  std::ostringstream text;
  text << (csv ? "puzzle,size,difficulty,cells,effort,stars\n" : "puzzle  size  difficulty  cells   effort  stars\n");
  for (std::size_t k = 0; k < records.size(); ++k) {
    const RatedRecord& r = records[k];
    const std::string word = DifficultyWord(r.parsed.Title);
    const std::string size = std::to_string(r.parsed.SizeDigit) + "x" + std::to_string(r.parsed.SizeDigit);
    ++table[r.parsed.SizeDigit][word == "Easy" ? 1 : 0][r.rating.stars];
    if (csv)
      text << k + 1 << "," << size << "," << word << "," << r.rating.cells << "," << OneDecimal(r.rating.effort) << ","
           << r.rating.stars << "\n";
    else
      text << std::setw(6) << k + 1 << "  " << std::left << std::setw(6) << size << std::setw(10) << word << std::right
           << std::setw(7) << r.rating.cells << std::setw(9) << OneDecimal(r.rating.effort) << std::setw(7)
           << r.rating.stars << "\n";
  }
  text << "\n" << (csv ? "size,difficulty,1 star,2 stars,3 stars,4 stars,5 stars\n"
                       : "size  difficulty     1     2     3     4     5\n");
  for (int size : {5, 7, 9})
    for (int easy : {1, 0}) {
      const int* counts = table[size][easy];
      if (std::all_of(counts + 1, counts + MostStars + 1, [](int n) { return n == 0; })) continue;
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      if (csv) text << name << "," << (easy ? "Easy" : "Hard");
      else text << std::left << std::setw(6) << name << std::setw(10) << (easy ? "Easy" : "Hard") << std::right;
      for (int stars = 1; stars <= MostStars; ++stars)
        if (csv) text << "," << counts[stars];
        else text << std::setw(6) << counts[stars];
      text << "\n";
    }
  ctx.out << text.str();
  return kOk;
}

int cmdSort(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return fail(ctx, "usage: kelvane-cli sort FILE --by stars|effort [--out NEW] [--yes]");
  const auto by = a.options.find("--by");
  if (by == a.options.end() || (by->second != "stars" && by->second != "effort"))
    return fail(ctx, "--by must be stars or effort");
  const std::string& path = a.positional[0];
  std::string target = path;
  if (auto it = a.options.find("--out"); it != a.options.end()) {
    if (it->second.empty()) return fail(ctx, "--out needs a file name");
    target = it->second;
  }
  std::error_code ec;
  const bool inPlace = target == path || std::filesystem::equivalent(target, path, ec);
  const bool yes = a.flags.count("--yes") > 0;
  std::vector<RatedRecord> records;
  if (int code = rateAll(ctx, path, records); code != kOk) return code;
  // Only records are written again: a file with other lines is left as it is.
  std::size_t lines = 0, blankAtEnd = 0;
  {
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      ++lines;
      blankAtEnd = line.empty() || line == "\r" ? blankAtEnd + 1 : 0;
    }
  }
  if (const long long other = static_cast<long long>(lines - blankAtEnd) - 5 * static_cast<long long>(records.size());
      other != 0)
    return fail(ctx, path + " holds " + std::to_string(other) + (other == 1 ? " line" : " lines") +
                         " besides its puzzles' records, which sort would drop: nothing written");
  if (!inPlace && std::filesystem::exists(target, ec) && !yes)
    return fail(ctx, target + " exists: give --yes to replace it, or name another file with --out");
  if (ctx.checkOnly) return kOk;
  const bool byStars = by->second == "stars";
  std::stable_sort(records.begin(), records.end(), [byStars](const RatedRecord& x, const RatedRecord& y) {
    return byStars ? x.rating.stars < y.rating.stars : x.rating.effort < y.rating.effort;
  });
  if (inPlace && !yes) {
    if (!ctx.ask) return fail(ctx, "sort would rewrite " + path + ": give --yes, or name a new file with --out");
    if (!ctx.ask("Rewrite " + path + " with its " + std::to_string(records.size()) + " puzzles in order of " +
                 by->second + "?")) {
      ctx.err << "Nothing written.\n";
      return kFailed;
    }
  }
  std::string text;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const RawRecord& r = records[k].raw;
    text += "#" + std::to_string(k + 1) + "\r\n" + r.TitleLine + "\r\n" + r.SizeLine + "\r\n" + r.GridLine + "\r\n" +
            r.SolutionLine + "\r\n";
  }
  const WriteResult w = ReplaceFile(target, text);
  if (!w.ok) return fail(ctx, w.message + (w.reason.empty() ? "" : ": " + w.reason));
  ctx.out << records.size() << " puzzles written to " << target << " in order of " << by->second << ", from "
          << OneDecimal(records.front().rating.effort) << " (" << records.front().rating.stars << (records.front().rating.stars == 1 ? " star" : " stars")
          << ") to " << OneDecimal(records.back().rating.effort) << " (" << records.back().rating.stars
          << (records.back().rating.stars == 1 ? " star" : " stars") << ")\n";
  return kOk;
}

int cmdPrint(const Args& a, Context& ctx) {
  if (a.positional.size() != 1)
    return fail(ctx, "usage: kelvane-cli print FILE [--from A] [--to B] [--solutions] [--per-page 1|2|4|6|15|24] "
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
    if (!parseNumber(*perPage, 1, 24, number) || !IsGridsPerPageCode(static_cast<int>(number)))
      return fail(ctx, "--per-page must be 1, 2, 4, 6, 15 or 24");
    r.job.code = static_cast<int>(number);
  }
  if (const std::string* paper = option("--paper")) {
    if (*paper != "a4" && *paper != "letter") return fail(ctx, "--paper must be a4 or letter");
    r.letter = *paper == "letter";
  }
  const std::string* pdf = option("--pdf");
  if (!pdf || pdf->empty()) return fail(ctx, "--pdf OUT.pdf is needed: the file the pages are written to");
  r.pdfPath = *pdf;

  PuzzleFileIndexes files;
  if (std::string problem = fileProblem(files, r.job.path); !problem.empty()) return fail(ctx, problem);
  std::error_code same;
  if (std::filesystem::equivalent(r.pdfPath, r.job.path, same))
    return fail(ctx, "--pdf names the puzzle file itself: " + r.pdfPath);
  if (!PdfTargetProblem(r.pdfPath, {}).empty())
    return fail(ctx, "--pdf names a file that is no PDF file: " + r.pdfPath + " (it is not replaced)");
  const int count = CountPuzzles(files, r.job.path);
  if (count < 1) return fail(ctx, r.job.path + " holds no puzzles");
  r.job.first = 1;
  r.job.last = count;
  if (const std::string* from = option("--from")) {
    if (!parseNumber(*from, 1, 1'000'000'000, number)) return fail(ctx, "--from must be a whole number from 1");
    r.job.first = static_cast<int>(number);
  }
  if (const std::string* to = option("--to")) {
    if (!parseNumber(*to, 1, 1'000'000'000, number)) return fail(ctx, "--to must be a whole number from 1");
    r.job.last = static_cast<int>(number);
  }
  if (r.job.first > r.job.last)
    return fail(ctx, "--from " + std::to_string(r.job.first) + " is above --to " + std::to_string(r.job.last) +
                         ": nothing to print");
  if (r.job.last > count)
    return fail(ctx, r.job.path + " holds " + std::to_string(count) + " puzzles: there is no puzzle " +
                         std::to_string(r.job.last));
  if (std::string problem = PrintRangeProblem(files, r.job); !problem.empty()) return fail(ctx, problem);
  if (ctx.checkOnly) return kOk;
  if (!ctx.writePdf) return fail(ctx, "this kelvane-cli was built without printing");
  const PdfOutcome done = ctx.writePdf(r);
  if (!done.ok) return fail(ctx, done.message.empty() ? "the PDF could not be written" : done.message);
  const char* what = r.job.mode == GridMode::Solution ? " solution" : " puzzle";
  ctx.out << done.grids << what << (done.grids == 1 ? "" : "s") << " on " << done.pages
          << (done.pages == 1 ? " page" : " pages") << " written to " << r.pdfPath << "\n";
  return kOk;
}

int cmdStats(const Args& a, Context& ctx) {
  if (a.positional.size() > 1) return fail(ctx, "usage: kelvane-cli stats [FILE] [--csv] [--db PATH]");
  const bool csv = a.flags.count("--csv") > 0;
  std::string db;
  if (auto it = a.options.find("--db"); it != a.options.end()) {
    db = it->second;
    if (db.empty()) return fail(ctx, "--db needs a file name");
  } else {
    db = DefaultProgressPath();
    if (db.empty()) return fail(ctx, "no progress file: $HOME is not set; name one with --db");
  }
  if (!a.positional.empty()) {
    PuzzleFileIndexes files;
    if (std::string problem = fileProblem(files, a.positional[0]); !problem.empty()) return fail(ctx, problem);
  }
  if (ctx.checkOnly) return kOk;
  ProgressStore store;
  if (std::string problem = store.Open(db, true); !problem.empty()) return fail(ctx, problem);
  std::vector<Solve> solves = store.Solves();
  if (!a.positional.empty()) {
    const std::string& path = a.positional[0];
    FileProgress file;
    if (const ReadStatus s = SolvedInFile(path, store.SolvedKeys(), solves, file); s != ReadStatus::Ok)
      return fail(ctx, readProblem(path, s));
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

namespace {

struct CommandHelp {
  const char* name;
  const char* synopsis;  // the usage line after "kelvane-cli "
  const char* summary;   // one line for the overview
  const char* details;   // the rest of the command's help
};

const CommandHelp kCommands[] = {
    {"create",
     "create [--size 5|7|9|random] [--difficulty easy|hard] [--count N] [--stars N|N-M] [--out FILE] [--seed S] [--threads T]",
     "append new puzzles to a puzzle file",
     "Appends N new puzzles to FILE, each with exactly one solution through its marked cell,\n"
     "numbered after the puzzles already there.\n"
     "  --size 5|7|9|random       board size; random draws one for every puzzle (default 9)\n"
     "  --difficulty easy|hard    (default hard)\n"
     "  --count N                 puzzles to add, 1 to 100000000 (default 1)\n"
     "  --stars N|N-M             keep only puzzles with N (to M) stars, 1 to 5 (see rate);\n"
     "                            the others are made again\n"
     "  --out FILE                the puzzle file (default: the next free name\n"
     "                            tempnewpuzzle;01.kvl to ;99 in the current folder)\n"
     "  --seed S                  the same file every time, whatever --threads is\n"
     "  --threads T               worker threads, 1 to 256 (default: every core)\n"
     "A puzzle already in FILE or in the batch is not added twice. When the last 1000000\n"
     "attempts bring fewer than 100 new puzzles, create stops and says how many it added\n"
     "(exit 1), and so it does when 100000 attempts in a row make no puzzle with the stars\n"
     "asked for. Stars no puzzle of the size can have are refused at once (exit 2). Ctrl+C\n"
     "stops between puzzles and leaves whole records (exit 130).\n"},
    {"show", "show FILE N [--solution]", "draw puzzle N of a file",
     "Draws puzzle N of FILE as text; [n] is the marked cell.\n"
     "  --solution                also ring the solution's cells and signs in parentheses\n"
     "                            and write out its sum\n"},
    {"verify", "verify FILE", "check every puzzle of a file",
     "Checks every record of FILE: its lines, size, Latin square and signs, and that its\n"
     "solution runs from the bottom row to the top row through the marked cell with sum 0\n"
     "and is the only such chain. One line for each bad record, then \"N passed, M failed\".\n"
     "Exit 0 when all pass, 1 otherwise.\n"},
    {"count", "count FILE", "the number of puzzles in a file",
     "Prints the number of puzzles in FILE: its lines that start with \"#\" and a number above 0.\n"},
    {"chains", "chains 5|7|9", "every chain a player can build on a board size",
     "Prints the complete chain list of a board size, as the program's k5x5.kvy, k7x7.kvy\n"
     "and k9x9.kvy hold it.\n"},
    {"print", "print FILE [--from A] [--to B] [--solutions] [--per-page 1|2|4|6|15|24] [--paper a4|letter] --pdf OUT.pdf",
     "puzzles or solutions of a file as pages of a PDF file",
     "Writes puzzles A to B of FILE as the window prints them, each grid titled with its\n"
     "number and difficulty. Every record of the range is read first: a damaged one is\n"
     "named and nothing is written. OUT.pdf is replaced only when the whole document is\n"
     "written. No display is needed.\n"
     "  --from A, --to B          the range (default: every puzzle of FILE)\n"
     "  --solutions               print the solutions instead of the puzzles\n"
     "  --per-page N              grids a page: 1, 2, 4 or 6 portrait, 15 or 24 landscape\n"
     "                            (default 1)\n"
     "  --paper a4|letter         (default a4)\n"
     "  --pdf OUT.pdf             the file the pages go to\n"},
    {"stats", "stats [FILE] [--csv] [--db PATH]", "the player's solved puzzles and solve times",
     "Prints the player's wins by size and difficulty: puzzles solved, the median and best\n"
     "time (m:ss) and the wins without a hint or the solution shown. With FILE, first\n"
     "\"K of N solved\" and the numbers of the solved puzzles of FILE, then the table of\n"
     "their wins. Nothing is written.\n"
     "  --csv                     the same as CSV: with FILE a line \"solved,puzzles,solved\n"
     "                            numbers\" and its values, an empty line, then the table\n"
     "                            with the times in seconds\n"
     "  --db PATH                 the progress database (default:\n"
     "                            $XDG_DATA_HOME/Kelvane/Kelvane/progress.sqlite, or\n"
     "                            ~/.local/share/Kelvane/Kelvane/progress.sqlite)\n"},
    {"rate", "rate FILE [--csv]", "how long a player searches for each puzzle's solution",
     "Prints for every puzzle of FILE its number, size, difficulty, the cells of its\n"
     "solution, its search effort and its stars, then the number of puzzles with each\n"
     "number of stars per size and difficulty. The effort is the solution's expected\n"
     "place for a player who tries the chains through the marked cell shorter ones first:\n"
     "a + (b + 1) / 2, where a chains of the complete list through the marked cell are\n"
     "shorter than the solution and b are as long. Stars: 1 up to an effort of 10, 2 up\n"
     "to 50, 3 up to 250, 4 up to 1000, 5 above. A record that cannot be rated is named\n"
     "(exit 2).\n"
     "  --csv                     the same as CSV, the table after an empty line\n"},
    {"sort", "sort FILE --by stars|effort [--out NEW] [--yes]", "puzzles in order of their rating, renumbered",
     "Writes the puzzles of FILE in order of their stars or effort (see rate), easiest\n"
     "first, puzzles of equal rating in their old order, numbered from 1. The file is\n"
     "written through a temporary file and a rename. A record that cannot be rated is\n"
     "named and nothing is written (exit 2).\n"
     "  --by stars|effort         the order\n"
     "  --out NEW                 write to NEW and leave FILE as it is; a NEW that exists\n"
     "                            is replaced only with --yes\n"
     "  --yes                     rewrite FILE itself without asking (without --out, sort\n"
     "                            asks first on a terminal and refuses elsewhere)\n"},
};

const CommandHelp* findCommand(const std::string& name) {
  for (const CommandHelp& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace

std::string Usage() {
  std::string text = "usage: kelvane-cli COMMAND [ARGUMENTS]\n"
                     "       kelvane-cli COMMAND --help\n"
                     "The Kelvane puzzle engine without a window.\n\nCommands:\n";
  for (const CommandHelp& c : kCommands) {
    std::string name = c.name;
    name.resize(8, ' ');
    text += "  " + name + c.summary + "\n";
  }
  text += "\nExit codes: 0 success, 1 a check failed or fewer puzzles than asked, 2 an error,\n"
          "130 stopped by Ctrl+C.\n";
  return text;
}

std::string CommandUsage(const std::string& command) {
  const CommandHelp* c = findCommand(command);
  if (!c) return Usage();
  return std::string("usage: kelvane-cli ") + c->synopsis + "\n" + c->details;
}

int Run(const std::vector<std::string>& args, Context& ctx) {
  if (args.empty()) {
    ctx.err << Usage();
    return kError;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() == 2 && findCommand(args[1])) {
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
  if (!findCommand(command)) {
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
  if (!parseArgs(rest, withValue, flags, a, error)) {
    ctx.err << "kelvane-cli: " << error << "\n" << CommandUsage(command);
    return kError;
  }
  if (command == "create") return cmdCreate(a, ctx);
  if (command == "show") return cmdShow(a, ctx);
  if (command == "verify") return cmdVerify(a, ctx);
  if (command == "count") return cmdCount(a, ctx);
  if (command == "print") return cmdPrint(a, ctx);
  if (command == "stats") return cmdStats(a, ctx);
  if (command == "rate") return cmdRate(a, ctx);
  if (command == "sort") return cmdSort(a, ctx);
  return cmdChains(a, ctx);
}

}  // namespace kelvane::cli
