// kelvane-cli's commands: create, show, verify, count, chains, print, stats, rate and sort.
#pragma once

#include <atomic>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "output/file_printing.h"

namespace kelvane::cli {

// Pages of a puzzle file for a PDF file.
struct PdfRequest {
  FilePrintJob job;
  std::string pdfPath;
  bool letter = false;  // Letter paper instead of A4
};

struct PdfOutcome {
  bool ok = false;
  std::string message;
  int pages = 0;
  int grids = 0;
};

struct Context {
  std::string programFolder;          // where the chain lists are, ends with "/"
  std::ostream& out;
  std::ostream& err;
  const std::atomic<bool>& cancel;
  bool progress = false;              // show progress on err
  // Arguments and files are checked, nothing is created or written (for fuzzing).
  bool checkOnly = false;
  // Writes the PDF; empty in a build without the windows' toolkit.
  std::function<PdfOutcome(const PdfRequest&)> writePdf;
  // Asks the user a yes/no question on the terminal; empty when there is none.
  std::function<bool(const std::string&)> ask{};
};

// Runs one command line (without the program name); returns the exit code:
// 0 success, 1 a check failed or fewer puzzles than asked, 2 an error,
// 130 stopped by the user.
int Run(const std::vector<std::string>& args, Context& ctx);

// The window's names, which make its per-user data folder (app/main.cpp sets them).
constexpr const char* ProgressOrganisation = "Kelvane";
constexpr const char* ProgressApplication = "Kelvane";

// The progress database the window uses: Qt's AppDataLocation,
// $XDG_DATA_HOME (when absolute) or $HOME/.local/share, then
// "Kelvane/Kelvane/progress.sqlite"; "" without either variable.
std::string DefaultProgressPath();

// The overview of every command, and one command's whole help.
std::string Usage();
std::string CommandUsage(const std::string& command);

}  // namespace kelvane::cli
