// Iterative deepening A*: depth-first searches bounded by moves made plus a lower bound on the
// moves still to make, the bound raised after each search that found no solution within it.
// The lower bound is the Manhattan distance of every tile plus what the pattern tables
// (core/pattern_tables.h) add, the best of several partitions of the tiles into patterns.
#include "core/solver.h"

#include "core/pattern_tables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

// The tables generators/solver writes at build time (core/pattern_tables.cpp takes them in).
extern "C" const std::uint8_t puzzle_pattern_tables[];

namespace core
{

namespace
{

constexpr int kMaxCells = Board::kMaxCells;
constexpr int kMaxLookups = static_cast<int>(patterns::kLookups.size());
constexpr int kMaxPartitions = static_cast<int>(patterns::kPartitions.size());
static_assert(kMaxLookups <= 32, "a lookup's bit in a 32-bit mask");

template <typename T, std::size_t N> constexpr T &at(std::array<T, N> &a, int i)
{
    return a[static_cast<std::size_t>(i)];
}
template <typename T, std::size_t N> constexpr const T &at(const std::array<T, N> &a, int i)
{
    return a[static_cast<std::size_t>(i)];
}

// A pattern as the search reads it: its tiles and, for every cell, the cell its table sees.
struct PatternView {
    const patterns::Table *table = nullptr;
    const std::uint8_t *entries = nullptr;
    std::array<int, patterns::kMaxPatternTiles> tiles{};
    std::array<int, kMaxCells> seen{};
};

// What the search needs of one level, worked out once.
struct LevelData {
    int cells = 0;
    std::array<std::array<int, 4>, kMaxCells> around{}; // neighbouring cells
    std::array<int, kMaxCells> aroundCount{};
    std::array<std::array<int, kMaxCells>, kMaxCells> distance{}; // [tile][cell]
    int viewCount = 0;
    std::array<PatternView, kMaxLookups> views{};
    std::array<std::uint32_t, kMaxCells> viewsOfTile{}; // a bit per view
    int partitionCount = 0;
    std::array<std::uint32_t, kMaxPartitions> partitions{}; // a bit per view
    // [tile][partition]: the view of the partition that holds the tile, -1 for none
    std::array<std::array<int, kMaxPartitions>, kMaxCells> viewIn{};

    explicit LevelData(Level level)
    {
        const Grid &g = gridOf(level);
        cells = g.cells();
        for (int cell = 0; cell < cells; ++cell) {
            for (int other = 0; other < cells; ++other) {
                if (areNeighbours(g, cell, other))
                    at(at(around, cell), at(aroundCount, cell)++) = other;
            }
        }
        for (int tile = 1; tile < cells; ++tile) {
            for (int cell = 0; cell < cells; ++cell) {
                at(at(distance, tile), cell) = std::abs(g.column(cell) - g.column(tile - 1)) +
                                               std::abs(g.row(cell) - g.row(tile - 1));
            }
        }
        // Each lookup once, however many partitions share it.
        std::array<int, patterns::kLookups.size()> viewOf{};
        viewOf.fill(-1);
        for (const patterns::Partition &partition : patterns::kPartitions) {
            if (partition.level != level)
                continue;
            std::uint32_t &members = at(partitions, partitionCount++);
            for (int i = 0; i < partition.size; ++i) {
                const int l = at(partition.lookups, i);
                if (at(viewOf, l) < 0) {
                    at(viewOf, l) = viewCount++;
                    addView(g, at(patterns::kLookups, l), at(viewOf, l));
                }
                members |= std::uint32_t{1} << at(viewOf, l);
            }
        }
        for (int tile = 1; tile < cells; ++tile) {
            for (int p = 0; p < partitionCount; ++p) {
                const std::uint32_t holding = at(partitions, p) & at(viewsOfTile, tile);
                at(at(viewIn, tile), p) = holding != 0 ? std::countr_zero(holding) : -1;
            }
        }
    }

    void addView(const Grid &g, const patterns::Lookup &lookup, int v)
    {
        PatternView &view = at(views, v);
        view.table = &at(patterns::kTables, lookup.table);
        view.entries =
            puzzle_pattern_tables + patterns::offsetOf(static_cast<std::size_t>(lookup.table));
        for (int cell = 0; cell < cells; ++cell)
            at(view.seen, cell) = patterns::mirrored(g, lookup.mirror, cell);
        for (int i = 0; i < view.table->size; ++i) {
            // the tile whose home the mirror takes onto the table's home cell
            const int tile = patterns::mirrored(g, lookup.mirror, at(view.table->homes, i)) + 1;
            at(view.tiles, i) = tile;
            at(viewsOfTile, tile) |= std::uint32_t{1} << v;
        }
    }
};

const LevelData &levelData(Level level)
{
    static const LevelData normal(Level::Normal);
    static const LevelData hard(Level::Hard);
    return level == Level::Normal ? normal : hard;
}

class Search
{
public:
    Search(const Board &board, std::stop_token stop)
        : m_level(levelData(board.level())), m_stop(std::move(stop))
    {
        for (int cell = 0; cell < m_level.cells; ++cell)
            at(m_tileAt, cell) = board.tileAt(cell);
        at(m_cellOf, 0) = board.blankCell();
        for (int tile = 1; tile < m_level.cells; ++tile) {
            at(m_cellOf, tile) = board.cellOf(tile);
            m_manhattan += distanceOf(tile, board.cellOf(tile));
        }
        for (int v = 0; v < m_level.viewCount; ++v)
            at(m_excess, v) = excessOf(v);
        for (int p = 0; p < m_level.partitionCount; ++p) {
            for (std::uint32_t views = at(m_level.partitions, p); views != 0; views &= views - 1)
                at(m_sum, p) += at(m_excess, std::countr_zero(views));
        }
    }

    std::optional<Solution> run()
    {
        // Every move changes the Manhattan distance by one and the bound by an even number,
        // so the solution's length has the parity of the bound: it grows by two.
        const int excess = *std::max_element(m_sum.begin(), m_sum.end());
        for (m_bound = m_manhattan + 2 * excess; m_manhattan > 0; m_bound += 2) {
            const Outcome outcome = deepen(0, -1);
            if (outcome == Outcome::Stopped)
                return std::nullopt;
            if (outcome == Outcome::Found)
                break;
        }
        return Solution{{m_path.begin(), m_path.begin() + m_length}, m_positions};
    }

private:
    enum class Outcome { Found, Deeper, Stopped };

    int distanceOf(int tile, int cell) const { return at(at(m_level.distance, tile), cell); }

    /* the table's entry for where view v's tiles stand now */
    int excessOf(int v) const
    {
        const PatternView &view = at(m_level.views, v);
        int cells[patterns::kMaxPatternTiles];
        for (int i = 0; i < view.table->size; ++i)
            cells[i] = at(view.seen, at(m_cellOf, at(view.tiles, i)));
        return patterns::entryAt(view.entries, patterns::entryIndex(*view.table, cells));
    }

    // After `tile` moved: each partition's excess changes only through the one pattern that
    // holds the tile. False, as soon as one partition puts the board beyond `room` (moves
    // left under the bound beyond the Manhattan distance); else the new entries and sums.
    bool withinRoom(int tile, int room, std::array<int, kMaxLookups> &fresh,
                    std::array<int, kMaxPartitions> &sums) const
    {
        std::uint32_t read = 0;
        for (int p = 0; p < m_level.partitionCount; ++p) {
            const int v = at(at(m_level.viewIn, tile), p);
            int sum = at(m_sum, p);
            if (v >= 0) {
                if (!(read & (std::uint32_t{1} << v))) {
                    at(fresh, v) = excessOf(v);
                    read |= std::uint32_t{1} << v;
                }
                sum += at(fresh, v) - at(m_excess, v);
            }
            if (2 * sum > room)
                return false;
            at(sums, p) = sum;
        }
        return true;
    }

    /* moves made so far: `made`; the blank came from `cameFrom` (-1 at the start) */
    Outcome deepen(int made, int cameFrom)
    {
        if ((++m_positions & 1023) == 0 && m_stop.stop_requested())
            return Outcome::Stopped;
        const int blank = at(m_cellOf, 0);
        // Tiles that step towards their homes first: in the last, deepest search the
        // solution then tends to come early.
        std::array<int, 4> order;
        int count = 0;
        int towards = 0;
        for (int i = 0; i < at(m_level.aroundCount, blank); ++i) {
            const int from = at(at(m_level.around, blank), i);
            if (from == cameFrom) // undoing the last move never shortens a solution
                continue;
            const int tile = at(m_tileAt, from);
            if (distanceOf(tile, blank) < distanceOf(tile, from)) {
                at(order, count++) = at(order, towards);
                at(order, towards++) = from;
            } else {
                at(order, count++) = from;
            }
        }
        for (int i = 0; i < count; ++i) {
            const int from = at(order, i);
            const int tile = at(m_tileAt, from);
            const int step = distanceOf(tile, blank) - distanceOf(tile, from);
            slide(tile, from, blank);
            m_manhattan += step;
            at(m_path, made) = tile;
            if (m_manhattan == 0) { // every tile home
                m_length = made + 1;
                return Outcome::Found;
            }
            std::array<int, kMaxLookups> fresh;
            std::array<int, kMaxPartitions> sums;
            const int room = m_bound - (made + 1) - m_manhattan;
            if (room >= 0 && withinRoom(tile, room, fresh, sums)) {
                const std::uint32_t views = at(m_level.viewsOfTile, tile);
                std::array<int, kMaxLookups> before;
                for (std::uint32_t bits = views; bits != 0; bits &= bits - 1) {
                    const int v = std::countr_zero(bits);
                    at(before, v) = at(m_excess, v);
                    at(m_excess, v) = at(fresh, v);
                }
                std::swap(m_sum, sums);
                const Outcome outcome = deepen(made + 1, blank);
                if (outcome != Outcome::Deeper)
                    return outcome;
                std::swap(m_sum, sums);
                for (std::uint32_t bits = views; bits != 0; bits &= bits - 1) {
                    const int v = std::countr_zero(bits);
                    at(m_excess, v) = at(before, v);
                }
            }
            m_manhattan -= step;
            slide(tile, blank, from);
        }
        return Outcome::Deeper;
    }

    /* `tile` on `from` trades places with the blank on `to` */
    void slide(int tile, int from, int to)
    {
        at(m_tileAt, to) = tile;
        at(m_tileAt, from) = 0;
        at(m_cellOf, tile) = to;
        at(m_cellOf, 0) = from;
    }

    const LevelData &m_level;
    std::stop_token m_stop;
    std::array<int, kMaxCells> m_tileAt{};
    std::array<int, kMaxCells> m_cellOf{}; // [0] the blank
    int m_manhattan = 0;
    std::array<int, kMaxLookups> m_excess{}; // [view]
    std::array<int, kMaxPartitions> m_sum{}; // [partition]: the excess of its views
    int m_bound = 0;
    std::uint64_t m_positions = 0;
    // Shortest solutions are at most 53 moves on the Normal board and about 80 on the Hard.
    std::array<int, 128> m_path{};
    int m_length = 0;
};

} // namespace

bool isSolvable(const Board &board)
{
    // A slide exchanges two cells' contents and moves the blank one step: the parity of the
    // arrangement and the parity of the blank's distance from its home change together.
    const Grid &g = board.grid();
    const int last = g.cells() - 1;
    std::array<bool, kMaxCells> seen{};
    int exchanges = 0;
    for (int cell = 0; cell <= last; ++cell) {
        // cycles of the map from a cell to the home of what stands on it
        int length = 0;
        for (int c = cell; !at(seen, c); ++length) {
            at(seen, c) = true;
            const int k = board.tileAt(c);
            c = k == 0 ? last : k - 1;
        }
        exchanges += std::max(length - 1, 0);
    }
    const int blankSteps = std::abs(g.column(board.blankCell()) - g.column(last)) +
                           std::abs(g.row(board.blankCell()) - g.row(last));
    return exchanges % 2 == blankSteps % 2;
}

std::span<const std::uint8_t> solverTables()
{
    return {puzzle_pattern_tables, patterns::kTablesBytes};
}

std::optional<Solution> solveShortest(const Board &board, std::stop_token stop)
{
    if (!isSolvable(board))
        return std::nullopt;
    return Search(board, std::move(stop)).run();
}

} // namespace core
