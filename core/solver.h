#pragma once
// The shortest way from a board to the finished picture, for either level.

#include "core/board.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace core
{

// A shortest solution: the numbered tiles to click, in order. Each stands next to the blank
// when its turn comes, and after the last the picture is whole; no shorter list does that.
// Empty for a finished board.
struct Solution {
    std::vector<int> tiles;
    std::uint64_t positionsSearched = 0; // what the search cost, for the benchmark
    int length() const { return static_cast<int>(tiles.size()); }
};

// True when slides can finish `board`: exactly half of all arrangements, those a walk of the
// blank can make.
bool isSolvable(const Board &board);

// A shortest solution of `board`, or nothing when `board` cannot be finished or when `stop`
// is requested before a solution is found. A function of its arguments alone over tables
// compiled into the program: any thread may call it, several at once. It looks at `stop`
// about every quarter of a millisecond. Most boards take a few milliseconds, the Normal
// board's all under ten; the hardest of the Hard board take seconds, so it belongs on a worker
// thread. A caller replaying a solution may keep it: every board along it has the rest of it
// as a shortest solution. Its tables are 4 MB of the program's read-only pages (0.2 MB of
// them the Normal board's), which the system reads in as searches touch them.
std::optional<Solution> solveShortest(const Board &board, std::stop_token stop = {});

// Where those tables lie, for a caller that hands their pages back to the system between
// searches (the next search reads them in again, from the page cache).
std::span<const std::uint8_t> solverTables();

// The plain search: Manhattan distance and linear conflicts, no tables. The same lengths as
// solveShortest, simply and slowly got (seconds and more for the hardest boards of the
// Hard level); there to check the fast one against and to measure it by. Nothing when `board`
// cannot be finished or `stop` is requested first.
std::optional<int> plainShortestLength(const Board &board, std::stop_token stop = {});

} // namespace core
