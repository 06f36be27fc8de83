// Checks a stored puzzle: format, board, solution, and that the solution is unique.
#pragma once

#include <string>
#include <vector>

#include "model/puzzle_file.h"

namespace kelvane {

// Empty when the record is a sound puzzle: difficulty Easy or Hard, size 5, 7
// or 9, a full grid with a Latin square, signs and blanks in their places, a
// solution written as the program writes it ("21,11,1,3, 1", the text the win
// check compares) that is a chain from the bottom row to the top row with sum 0
// through the marked cell, and no other such chain through the marked cell.
// Otherwise the first fault found.
std::string CheckRecord(const RawRecord& raw);

// The solution of a record of size 5, 7 or 9 as a path: number cells from the bottom
// row to the top row, each a step from the one before, none twice, through the
// marked cell. Empty, with chain and marked set, or the first fault.
std::string CheckSolutionPath(const ParsedRecord& r, std::vector<int>& chain, int& marked);

}  // namespace kelvane
