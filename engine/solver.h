// The solver: from a board's balanced chains, the solution and its marked cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/chain_list.h"
#include "engine/grid.h"

namespace kelvane {

// Working space of FindSolution, kept between calls so that a call allocates nothing.
struct SolverScratch {
  std::vector<int> balanced;  // chain ids, or -1 - extra index
};

// Finds the solution of a filled board among the chains of the list: the
// balanced chains, the cells only one of them passes through, and of those
// candidates the smallest text (Easy) or the largest text of a chain longer
// than one row (Hard). On success sets solution ("21,11,1,3, 1") and its
// length in cells; on failure leaves both as they were.
[[nodiscard]] bool FindSolution(const Grid& grid, bool easy, const ChainList& list, SolverScratch& scratch,
                                std::string& solution, int& solutionLength);

// The same on the board of a game state, with the chain list of its size
// from the cache. 0 on success, -1 when there is no solution or no list
// (then error names the list's fault).
[[nodiscard]] int FindSolution(GameState& g, ChainListCache& lists, std::string* error = nullptr);

// Balanced chains of the complete list through a cell; for checking puzzles.
// Counts at most `limit`; firstCells, when given, gets the cells of the first
// one found (0 when there is none).
int BalancedChainsThrough(const Grid& grid, int cell, int limit, int* firstCells = nullptr);

}  // namespace kelvane
