// What kelvane-cli's commands share: their arguments, exit codes, one-line errors and file checks.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "model/file_index.h"
#include "model/puzzle_file.h"

namespace kelvane::cli {

constexpr int kOk = 0, kFailed = 1, kError = 2, kStopped = 130;

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::set<std::string> flags;
};

// Splits arguments into positionals, "--name value" options and flags.
bool ParseArgs(const std::vector<std::string>& in, const std::set<std::string>& withValue,
               const std::set<std::string>& flagNames, Args& out, std::string& error);
// A whole number in [lo, hi] written in plain digits.
bool ParseNumber(const std::string& text, long long lo, long long hi, long long& value);
// One line on err (a line break inside the message becomes ": "); returns kError.
int Fail(Context& ctx, std::string message);
// What a failed read of a puzzle file means, for the user.
std::string ReadProblem(const std::string& path, ReadStatus status);
// The file can be read as a puzzle file: "" or what is wrong.
std::string FileProblem(PuzzleFileIndexes& files, const std::string& path);

// A command of the help table.
bool IsCommand(const std::string& name);

int RateCommand(const Args& a, Context& ctx);
int SortCommand(const Args& a, Context& ctx);

}  // namespace kelvane::cli
