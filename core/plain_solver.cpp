// The plain search, kept simple enough to check by reading: iterative deepening with the
// Manhattan distance and linear conflicts, the bound worked out anew for every position.
#include "core/solver.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace core
{

namespace
{

// The home columns (or rows) of the tiles standing in their own row (or column), in order.
struct Line {
    std::array<int, 5> values{};
    int size = 0;
    void add(int value) { values[static_cast<std::size_t>(size++)] = value; }

    /* the tiles beyond a longest increasing run that may skip some */
    int outOfOrder() const
    {
        std::array<int, 5> best{};
        int longest = 0;
        for (int i = 0; i < size; ++i) {
            auto &b = best[static_cast<std::size_t>(i)];
            b = 1;
            for (int j = 0; j < i; ++j) {
                if (values[static_cast<std::size_t>(j)] < values[static_cast<std::size_t>(i)])
                    b = std::max(b, best[static_cast<std::size_t>(j)] + 1);
            }
            longest = std::max(longest, b);
        }
        return size - longest;
    }
};

// Every tile's Manhattan distance, plus two for each tile that must step out of its home row
// or column and back: of the tiles standing in the line they belong to, all but a longest
// run already in their order.
int lowerBound(const Board &board)
{
    const Grid &g = board.grid();
    int bound = 0;
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        bound += std::abs(g.column(board.cellOf(k)) - g.column(k - 1)) +
                 std::abs(g.row(board.cellOf(k)) - g.row(k - 1));
    }
    for (int r = 0; r < g.rows; ++r) {
        Line homeColumns;
        for (int c = 0; c < g.columns; ++c) {
            const int k = board.tileAt(r * g.columns + c);
            if (k != 0 && g.row(k - 1) == r)
                homeColumns.add(g.column(k - 1));
        }
        bound += 2 * homeColumns.outOfOrder();
    }
    for (int c = 0; c < g.columns; ++c) {
        Line homeRows;
        for (int r = 0; r < g.rows; ++r) {
            const int k = board.tileAt(r * g.columns + c);
            if (k != 0 && g.column(k - 1) == c)
                homeRows.add(g.row(k - 1));
        }
        bound += 2 * homeRows.outOfOrder();
    }
    return bound;
}

struct PlainSearch {
    std::stop_token stop;
    int bound = 0;
    int nextBound = 0;
    std::uint64_t positions = 0;
    bool stopped = false;
    int length = 0;

    /* true when `board` is finished within `made` + the bound's remaining moves */
    bool deepen(Board &board, int made, int lastTile)
    {
        if (++positions % 4096 == 0 && stop.stop_requested())
            stopped = true;
        if (stopped)
            return false;
        const int estimated = lowerBound(board);
        if (estimated == 0) {
            length = made;
            return true;
        }
        if (made + estimated > bound) {
            nextBound = std::min(nextBound, made + estimated);
            return false;
        }
        for (const Slide s : {Slide::Up, Slide::Down, Slide::Left, Slide::Right}) {
            const int k = tileThatSlides(board, s);
            if (k == 0 || k == lastTile)
                continue;
            board.exchangeWithBlank(k);
            const bool found = deepen(board, made + 1, k);
            board.exchangeWithBlank(k);
            if (found)
                return true;
        }
        return false;
    }
};

} // namespace

std::optional<int> plainShortestLength(const Board &board, std::stop_token stop)
{
    if (!isSolvable(board))
        return std::nullopt;
    PlainSearch search{std::move(stop)};
    Board work = board;
    search.bound = lowerBound(board);
    for (;;) {
        search.nextBound = std::numeric_limits<int>::max();
        if (search.deepen(work, 0, 0))
            return search.length;
        if (search.stopped)
            return std::nullopt;
        search.bound = search.nextBound;
    }
}

} // namespace core
