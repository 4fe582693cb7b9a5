// Iterative deepening A*: depth-first searches bounded by moves made plus a lower bound on the
// moves still to make, the bound raised after each search that found no solution within it.
// The lower bound is the Manhattan distance of every tile plus what the pattern tables
// (core/pattern_tables.h) add for the tiles of each pattern.
#include "core/solver.h"

#include "core/pattern_tables.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

// The tables generators/solver writes at build time (core/pattern_tables.cpp takes them in).
extern "C" const std::uint8_t puzzle_pattern_tables[];

namespace core
{

namespace
{

constexpr int kMaxCells = Board::kMaxCells;
constexpr int kMaxLookups = 8;
constexpr int kMaxPartitions = 4;
constexpr int kMaxLookupsPerTile = kMaxLookups;

// A pattern as the search reads it: its tiles, each tile's cell as the table sees it, the
// table and the partitions it belongs to.
struct PatternView {
    const patterns::Table *table = nullptr;
    const std::uint8_t *entries = nullptr;
    std::array<int, patterns::kMaxPatternTiles> tiles{};
    std::array<int, kMaxCells> seen{}; // [cell]: the cell the table reads
    int partitionCount = 0;
    std::array<int, kMaxPartitions> partitions{};
};

// What the search needs of one level, worked out once.
struct LevelData {
    int cells = 0;
    std::array<std::array<int, 4>, kMaxCells> around{}; // neighbouring cells
    std::array<int, kMaxCells> aroundCount{};
    std::array<std::array<int, kMaxCells>, kMaxCells> distance{}; // [tile][cell]
    int lookupCount = 0;
    std::array<PatternView, kMaxLookups> lookups{};
    int partitionCount = 0;
    std::array<int, kMaxCells> lookupsOfTileCount{};
    std::array<std::array<int, kMaxLookupsPerTile>, kMaxCells> lookupsOfTile{};

    explicit LevelData(Level level)
    {
        const Grid &g = gridOf(level);
        cells = g.cells();
        for (int cell = 0; cell < cells; ++cell) {
            auto &list = around[static_cast<std::size_t>(cell)];
            int &count = aroundCount[static_cast<std::size_t>(cell)];
            for (int other = 0; other < cells; ++other) {
                if (areNeighbours(g, cell, other))
                    list[static_cast<std::size_t>(count++)] = other;
            }
        }
        for (int tile = 1; tile < cells; ++tile) {
            for (int cell = 0; cell < cells; ++cell) {
                distance[static_cast<std::size_t>(tile)][static_cast<std::size_t>(cell)] =
                    std::abs(g.column(cell) - g.column(tile - 1)) +
                    std::abs(g.row(cell) - g.row(tile - 1));
            }
        }
        // Each lookup of a partition of this level, once, however many partitions share it.
        std::array<int, patterns::kLookups.size()> viewOf{};
        viewOf.fill(-1);
        for (const patterns::Partition &partition : patterns::kPartitions) {
            if (partition.level != level)
                continue;
            const int part = partitionCount++;
            for (int i = 0; i < partition.size; ++i) {
                const auto l =
                    static_cast<std::size_t>(partition.lookups[static_cast<std::size_t>(i)]);
                if (viewOf[l] < 0) {
                    viewOf[l] = lookupCount++;
                    addView(g, patterns::kLookups[l], lookups[static_cast<std::size_t>(viewOf[l])],
                            viewOf[l]);
                }
                PatternView &view = lookups[static_cast<std::size_t>(viewOf[l])];
                view.partitions[static_cast<std::size_t>(view.partitionCount++)] = part;
            }
        }
    }

    void addView(const Grid &g, const patterns::Lookup &lookup, PatternView &view, int index)
    {
        const auto t = static_cast<std::size_t>(lookup.table);
        view.table = &patterns::kTables[t];
        view.entries = puzzle_pattern_tables + patterns::offsetOf(t);
        for (int cell = 0; cell < cells; ++cell)
            view.seen[static_cast<std::size_t>(cell)] = patterns::mirrored(g, lookup.mirror, cell);
        for (int i = 0; i < view.table->size; ++i) {
            // the tile at home on the mirror image of the table's home cell
            const int tile = patterns::mirrored(g, lookup.mirror,
                                                view.table->homes[static_cast<std::size_t>(i)]) +
                             1;
            view.tiles[static_cast<std::size_t>(i)] = tile;
            const auto k = static_cast<std::size_t>(tile);
            lookupsOfTile[k][static_cast<std::size_t>(lookupsOfTileCount[k]++)] = index;
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
            m_tileAt[static_cast<std::size_t>(cell)] = board.tileAt(cell);
        for (int tile = 0; tile < m_level.cells; ++tile) {
            m_cellOf[static_cast<std::size_t>(tile)] =
                tile == 0 ? board.blankCell() : board.cellOf(tile);
            if (tile > 0)
                m_manhattan += distanceOf(tile, m_cellOf[static_cast<std::size_t>(tile)]);
        }
        for (int v = 0; v < m_level.lookupCount; ++v) {
            const PatternView &view = m_level.lookups[static_cast<std::size_t>(v)];
            m_excess[static_cast<std::size_t>(v)] = excessOf(view);
            for (int i = 0; i < view.partitionCount; ++i)
                m_partitionExcess[static_cast<std::size_t>(
                    view.partitions[static_cast<std::size_t>(i)])] +=
                    m_excess[static_cast<std::size_t>(v)];
        }
    }

    std::optional<Solution> run()
    {
        Solution solution;
        m_bound = estimate();
        while (m_bound > 0) {
            m_nextBound = std::numeric_limits<int>::max();
            const Outcome outcome = deepen(0, -1);
            if (outcome == Outcome::Stopped)
                return std::nullopt;
            if (outcome == Outcome::Found)
                break;
            m_bound = m_nextBound; // the same parity as the solution: every move is one step
        }
        solution.tiles = m_path;
        solution.positionsSearched = m_positions;
        return solution;
    }

private:
    enum class Outcome { Found, Deeper, Stopped };

    int distanceOf(int tile, int cell) const
    {
        return m_level.distance[static_cast<std::size_t>(tile)][static_cast<std::size_t>(cell)];
    }
    int estimate() const
    {
        int excess = 0;
        for (int p = 0; p < m_level.partitionCount; ++p)
            excess = std::max(excess, m_partitionExcess[static_cast<std::size_t>(p)]);
        return m_manhattan + 2 * excess;
    }

    int excessOf(const PatternView &view) const
    {
        int cells[patterns::kMaxPatternTiles];
        for (int i = 0; i < view.table->size; ++i) {
            const int cell =
                m_cellOf[static_cast<std::size_t>(view.tiles[static_cast<std::size_t>(i)])];
            cells[i] = view.seen[static_cast<std::size_t>(cell)];
        }
        return patterns::entryAt(view.entries, patterns::entryIndex(*view.table, cells));
    }

    /* after `tile` moved: its patterns read again; the old excesses go to `saved` */
    void reread(int tile, std::array<int, kMaxLookupsPerTile> &saved)
    {
        const auto t = static_cast<std::size_t>(tile);
        for (int i = 0; i < m_level.lookupsOfTileCount[t]; ++i) {
            const auto v =
                static_cast<std::size_t>(m_level.lookupsOfTile[t][static_cast<std::size_t>(i)]);
            const PatternView &view = m_level.lookups[v];
            saved[static_cast<std::size_t>(i)] = m_excess[v];
            const int now = excessOf(view);
            if (now != m_excess[v]) {
                for (int j = 0; j < view.partitionCount; ++j)
                    m_partitionExcess[static_cast<std::size_t>(
                        view.partitions[static_cast<std::size_t>(j)])] += now - m_excess[v];
                m_excess[v] = now;
            }
        }
    }

    void restore(int tile, const std::array<int, kMaxLookupsPerTile> &saved)
    {
        const auto t = static_cast<std::size_t>(tile);
        for (int i = 0; i < m_level.lookupsOfTileCount[t]; ++i) {
            const auto v =
                static_cast<std::size_t>(m_level.lookupsOfTile[t][static_cast<std::size_t>(i)]);
            const PatternView &view = m_level.lookups[v];
            const int before = saved[static_cast<std::size_t>(i)];
            for (int j = 0; j < view.partitionCount; ++j)
                m_partitionExcess[static_cast<std::size_t>(
                    view.partitions[static_cast<std::size_t>(j)])] += before - m_excess[v];
            m_excess[v] = before;
        }
    }

    /* moves made so far: `made`; the blank came from `cameFrom` (-1 at the start) */
    Outcome deepen(int made, int cameFrom)
    {
        if ((++m_positions & 4095) == 0 && m_stop.stop_requested())
            return Outcome::Stopped;
        const int blank = m_cellOf[0];
        const auto b = static_cast<std::size_t>(blank);
        for (int i = 0; i < m_level.aroundCount[b]; ++i) {
            const int from = m_level.around[b][static_cast<std::size_t>(i)];
            if (from == cameFrom) // undoing the last move never shortens a solution
                continue;
            const int tile = m_tileAt[static_cast<std::size_t>(from)];
            const int oldManhattan = m_manhattan;
            std::array<int, kMaxLookupsPerTile> saved;
            slide(tile, from, blank);
            m_manhattan += distanceOf(tile, blank) - distanceOf(tile, from);
            reread(tile, saved);

            const int estimated = estimate();
            const int total = made + 1 + estimated;
            Outcome outcome = Outcome::Deeper;
            m_path.push_back(tile);
            if (estimated == 0) // only the finished board has no tile away from home
                return Outcome::Found;
            if (total <= m_bound)
                outcome = deepen(made + 1, blank);
            else
                m_nextBound = std::min(m_nextBound, total);
            if (outcome != Outcome::Deeper)
                return outcome;
            m_path.pop_back();

            restore(tile, saved);
            m_manhattan = oldManhattan;
            slide(tile, blank, from);
        }
        return Outcome::Deeper;
    }

    /* `tile` on `from` trades places with the blank on `to` */
    void slide(int tile, int from, int to)
    {
        m_tileAt[static_cast<std::size_t>(to)] = tile;
        m_tileAt[static_cast<std::size_t>(from)] = 0;
        m_cellOf[static_cast<std::size_t>(tile)] = to;
        m_cellOf[0] = from;
    }

    const LevelData &m_level;
    std::stop_token m_stop;
    std::array<int, kMaxCells> m_tileAt{};
    std::array<int, kMaxCells> m_cellOf{}; // [0] the blank
    int m_manhattan = 0;
    std::array<int, kMaxLookups> m_excess{};             // [lookup]
    std::array<int, kMaxPartitions> m_partitionExcess{}; // [partition]
    int m_bound = 0;
    int m_nextBound = 0;
    std::uint64_t m_positions = 0;
    std::vector<int> m_path;
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
        for (int c = cell; !seen[static_cast<std::size_t>(c)]; ++length) {
            seen[static_cast<std::size_t>(c)] = true;
            const int k = board.tileAt(c);
            c = k == 0 ? last : k - 1;
        }
        exchanges += std::max(length - 1, 0);
    }
    const int blankSteps = std::abs(g.column(board.blankCell()) - g.column(last)) +
                           std::abs(g.row(board.blankCell()) - g.row(last));
    return exchanges % 2 == blankSteps % 2;
}

std::optional<Solution> solveShortest(const Board &board, std::stop_token stop)
{
    if (!isSolvable(board))
        return std::nullopt;
    return Search(board, std::move(stop)).run();
}

} // namespace core
