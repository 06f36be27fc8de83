// kelvane-cli's help: every command's usage line, summary and details.
#include <string>

#include "cli/command_parts.h"

namespace kelvane::cli {

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

bool IsCommand(const std::string& name) { return findCommand(name) != nullptr; }

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

}  // namespace kelvane::cli
