// Printing a range of puzzles or solutions of a puzzle file, page after page.
#include "output/file_printing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "output/page_layout.h"

namespace kelvane {

bool PdfTargetExists(const std::string& pdf) {
  std::error_code ec;
  return std::filesystem::exists(pdf, ec);
}

std::string PdfTargetProblem(const std::string& pdf, const std::string& puzzleFile) {
  std::error_code ec;
  if (!puzzleFile.empty() && std::filesystem::equivalent(pdf, puzzleFile, ec))
    return "The PDF file cannot be the puzzle file itself:\n" + pdf;
  if (!PdfTargetExists(pdf)) return {};
  if (std::filesystem::is_directory(pdf, ec)) return "That name is a folder, not a file:\n" + pdf;
  char head[5] = {};
  std::FILE* f = std::fopen(pdf.c_str(), "rb");
  const std::size_t got = f ? std::fread(head, 1, sizeof head, f) : 0;
  if (f) std::fclose(f);
  // An empty file holds nothing to lose.
  if (f && got == 0) return {};
  if (got != sizeof head || std::string_view(head, sizeof head) != "%PDF-")
    return "The file exists and is no PDF file; it is not replaced:\n" + pdf;
  return {};
}

std::string PrintTag(std::string_view path, std::string_view firstText, std::string_view lastText, GridMode mode,
                     int code) {
  std::string tag(path);
  tag += ',';
  tag += firstText;
  tag += ',';
  tag += lastText;
  tag += ',';
  tag += NumText(mode == GridMode::Solution ? 1 : 0);
  tag += ',';
  tag += NumText(code);
  return tag;
}

std::optional<FilePrintJob> ParsePrintTag(std::string_view tag) {
  std::string_view fields[4];
  std::string_view rest = tag;
  for (int k = 3; k >= 0; --k) {
    const std::size_t comma = rest.rfind(',');
    if (comma == std::string_view::npos) return std::nullopt;
    fields[k] = rest.substr(comma + 1);
    rest = rest.substr(0, comma);
  }
  FilePrintJob job;
  job.path = std::string(rest);
  job.first = TypedPuzzleNumber(fields[0]);
  job.last = TypedPuzzleNumber(fields[1]);
  job.mode = IntValue(fields[2]) == 1 ? GridMode::Solution : GridMode::Puzzle;
  job.code = IntValue(fields[3]);
  if (job.path.empty() || !IsGridsPerPageCode(job.code)) return std::nullopt;
  return job;
}

int TypedPuzzleNumber(std::string_view text) {
  const double n = std::clamp(NumericValue(text), -2147483648.0, 2147483647.0);
  return static_cast<int>(std::lround(n));
}

std::string PrintRangeProblem(PuzzleFileIndexes& files, const FilePrintJob& job) {
  const int count = CountPuzzles(files, job.path);
  if (count < 1) return "No puzzles in this file: " + job.path;
  if (job.first < 1 || job.last > count) return "Invalid from or to puzzle number";
  if (!IsGridsPerPageCode(job.code)) return "There is no page layout for " + std::to_string(job.code) + " grids per page.";
  GameState scratch;
  for (int n = job.first; n <= job.last; ++n) {
    std::string title;
    const ReadStatus status = ReadRecord(scratch, job.path, n, title);
    if (status != ReadStatus::Ok)
      return "Puzzle " + std::to_string(n) + " of " + job.path + " cannot be read.\n" + DescribeReadStatus(status);
    if (scratch.RecSize < 1 || scratch.RecSize > 9)
      return "Puzzle " + std::to_string(n) + " of " + job.path + " cannot be printed.\nIts board size is not 1 to 9.";
  }
  return {};
}

FilePrintOutcome DrawFileRange(PageCanvas& canvas, GameState& g, const FilePrintJob& job, const GridStyle& style) {
  FilePrintOutcome out;
  const std::optional<PageLayout> layout = FilePageLayout(job.code);
  if (!layout) {
    out.message = "There is no page layout for " + std::to_string(job.code) + " grids per page.";
    return out;
  }
  const std::vector<std::vector<int>> plan = PagePlan(job.code, job.first, job.last);
  for (std::size_t p = 0; p < plan.size(); ++p) {
    if (p > 0 && !canvas.NewPage()) {
      out.message = "Page " + std::to_string(p + 1) + " could not be started.";
      return out;
    }
    ++out.pages;
    for (std::size_t k = 0; k < plan[p].size(); ++k) {
      const int n = plan[p][k];
      const GridSlot at = layout->places[k];
      const FilePuzzleDrawn drawn = DrawFilePuzzle(canvas, g, job.path, n, style, job.mode, at.left, at.top);
      if (drawn.status != ReadStatus::Ok || !drawn.grid.ok) {
        out.message = "Puzzle " + std::to_string(n) + " of " + job.path + " could not be read any more.\n" +
                      (drawn.status != ReadStatus::Ok ? DescribeReadStatus(drawn.status)
                                                      : std::string("Its board size is not 1 to 9."));
        return out;
      }
      ++out.grids;
    }
  }
  out.ok = true;
  return out;
}

}  // namespace kelvane
