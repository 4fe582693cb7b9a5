#pragma once
// The shortest way from a board to the finished picture, for either level.

#include "core/board.h"

#include <cstdint>
#include <optional>
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

// A shortest solution of `board`, or nothing when `board` cannot be finished or when `stop` is
// requested before it is found. A function of its arguments alone over tables compiled into the
// program: any thread may call it, several at once. It looks at `stop` every few thousand
// positions, well under a millisecond apart. Taking a few milliseconds for most boards, up to some
// hundred for the hardest, it is meant for a worker thread; a caller that replays a solution can
// keep it, since every board along it has the rest of it as its shortest solution.
std::optional<Solution> solveShortest(const Board &board, std::stop_token stop = {});

// The plain search: Manhattan distance and linear conflicts, no tables. The same lengths as
// solveShortest, simply and slowly got (seconds and more for the hardest boards of the
// Hard level); there to check the fast one against and to measure it by. Nothing when `board`
// cannot be finished or `stop` is requested first.
std::optional<int> plainShortestLength(const Board &board, std::stop_token stop = {});

} // namespace core
