// kelvane-cli rate and sort: every puzzle of a file rated, and a file in order of its ratings.
#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <optional>
#include <sstream>

#include "cli/command_parts.h"
#include "engine/rating.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"

namespace kelvane::cli {

namespace {

// Every record of a file with its rating; a record that cannot be rated fails the command.
struct RatedRecord {
  RawRecord raw;
  ParsedRecord parsed;
  Rating rating;
};

// outside, when given, gets the lines with text that belong to no record.
int rateAll(Context& ctx, const std::string& path, std::vector<RatedRecord>& out, int* outside = nullptr) {
  PuzzleFileIndexes files;
  if (std::string problem = FileProblem(files, path); !problem.empty()) return Fail(ctx, problem);
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
  }, outside);
  if (read != ReadStatus::Ok) return Fail(ctx, ReadProblem(path, read));
  if (!damaged.empty()) return Fail(ctx, damaged);
  if (out.empty()) return Fail(ctx, path + " holds no puzzles");
  return kOk;
}

}  // namespace

int RateCommand(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return Fail(ctx, "usage: kelvane-cli rate FILE [--csv]");
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

int SortCommand(const Args& a, Context& ctx) {
  if (a.positional.size() != 1) return Fail(ctx, "usage: kelvane-cli sort FILE --by stars|effort [--out NEW] [--yes]");
  const auto by = a.options.find("--by");
  if (by == a.options.end() || (by->second != "stars" && by->second != "effort"))
    return Fail(ctx, "--by must be stars or effort");
  const std::string& path = a.positional[0];
  std::string target = path;
  if (auto it = a.options.find("--out"); it != a.options.end()) {
    if (it->second.empty()) return Fail(ctx, "--out needs a file name");
    target = it->second;
  }
  std::error_code ec;
  const bool inPlace = target == path || std::filesystem::equivalent(target, path, ec);
  const bool yes = a.flags.count("--yes") > 0;
  std::vector<RatedRecord> records;
  int outside = 0;
  if (int code = rateAll(ctx, path, records, &outside); code != kOk) return code;
  // Only records are written again: a file with other lines is left as it is.
  if (outside != 0)
    return Fail(ctx, path + " holds " + std::to_string(outside) + (outside == 1 ? " line" : " lines") +
                         " besides its puzzles' records, which sort would drop: nothing written");
  if (!inPlace && std::filesystem::exists(target, ec) && !yes)
    return Fail(ctx, target + " exists: give --yes to replace it, or name another file with --out");
  if (ctx.checkOnly) return kOk;
  const bool byStars = by->second == "stars";
  std::stable_sort(records.begin(), records.end(), [byStars](const RatedRecord& x, const RatedRecord& y) {
    return byStars ? x.rating.stars < y.rating.stars : x.rating.effort < y.rating.effort;
  });
  if (inPlace && !yes) {
    if (!ctx.ask) return Fail(ctx, "sort would rewrite " + path + ": give --yes, or name a new file with --out");
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
  if (!w.ok) return Fail(ctx, w.message + (w.reason.empty() ? "" : ": " + w.reason));
  ctx.out << records.size() << " puzzles written to " << target << " in order of " << by->second << ", from "
          << OneDecimal(records.front().rating.effort) << " (" << records.front().rating.stars << (records.front().rating.stars == 1 ? " star" : " stars")
          << ") to " << OneDecimal(records.back().rating.effort) << " (" << records.back().rating.stars
          << (records.back().rating.stars == 1 ? " star" : " stars") << ")\n";
  return kOk;
}

}  // namespace kelvane::cli
