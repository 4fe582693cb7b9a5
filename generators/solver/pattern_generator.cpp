// Writes the solver's tables (core/pattern_tables.h says what they hold) into one file, which
// core/ compiles into the program.
//   puzzle_pattern_generator <output file>
//
// Each table comes from a breadth-first search backwards from the finished board over the
// arrangements of one pattern's tiles and the blank. The other tiles are left out: the blank
// roams among the cells the pattern leaves free at no cost, and only a slide of a pattern tile
// counts as a move. A search state is one arrangement with the blank in one region of free
// cells; its distance is the entry of that arrangement wherever the blank is.

#include "core/pattern_tables.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace
{

using core::Grid;
using core::patterns::Table;

class Bits
{
public:
    explicit Bits(std::uint64_t size) : m_words((size + 63) / 64) {}
    bool test(std::uint64_t i) const { return (m_words[i / 64] >> (i % 64)) & 1; }
    void set(std::uint64_t i) { m_words[i / 64] |= std::uint64_t{1} << (i % 64); }

private:
    std::vector<std::uint64_t> m_words;
};

std::vector<int> neighbours(const Grid &g, int cell)
{
    std::vector<int> out;
    const int c = g.column(cell), r = g.row(cell);
    if (r > 0)
        out.push_back(cell - g.columns);
    if (r + 1 < g.rows)
        out.push_back(cell + g.columns);
    if (c > 0)
        out.push_back(cell - 1);
    if (c + 1 < g.columns)
        out.push_back(cell + 1);
    return out;
}

void unrank(std::uint64_t index, int cells, int size, int *at)
{
    int digits[core::patterns::kMaxPatternTiles];
    for (int i = size - 1; i >= 0; --i) {
        digits[i] = static_cast<int>(index % static_cast<std::uint64_t>(cells - i));
        index /= static_cast<std::uint64_t>(cells - i);
    }
    std::uint32_t taken = 0;
    for (int i = 0; i < size; ++i) {
        int left = digits[i];
        int cell = 0;
        for (;; ++cell) {
            if (!(taken & (std::uint32_t{1} << cell)) && left-- == 0)
                break;
        }
        at[i] = cell;
        taken |= std::uint32_t{1} << cell;
    }
}

/* the fewest moves of the pattern's tiles, per entry */
std::vector<std::uint8_t> distances(const Table &p)
{
    const Grid &g = core::gridOf(p.level);
    const int n = g.cells();
    const int k = p.size;
    std::vector<std::vector<int>> around(static_cast<std::size_t>(n));
    for (int cell = 0; cell < n; ++cell)
        around[static_cast<std::size_t>(cell)] = neighbours(g, cell);

    const std::uint64_t ranks = core::patterns::arrangements(n, k);
    std::vector<std::uint8_t> distance(ranks, 0xff);
    // A state is rank * n + the blank's cell; taking one from a layer settles every state of
    // its blank's region.
    Bits done(ranks * static_cast<std::uint64_t>(n));
    Bits queued(ranks * static_cast<std::uint64_t>(n));
    // Fewer than 2^32 states: at most 15!/9! arrangements of six tiles, times 15 cells.
    std::vector<std::uint32_t> layer, next;

    int at[core::patterns::kMaxPatternTiles];
    for (int i = 0; i < k; ++i)
        at[i] = p.homes[static_cast<std::size_t>(i)];
    const std::uint64_t home = core::patterns::entryIndex(p, at);
    for (int cell = 0; cell < n; ++cell) {
        if (std::find(at, at + k, cell) == at + k) {
            layer.push_back(static_cast<std::uint32_t>(home * static_cast<std::uint64_t>(n) +
                                                       static_cast<std::uint64_t>(cell)));
            queued.set(layer.back());
        }
    }
    for (int depth = 0; !layer.empty(); ++depth) {
        next.clear();
        for (const std::uint64_t state : layer) {
            if (done.test(state))
                continue;
            const std::uint64_t rank = state / static_cast<std::uint64_t>(n);
            unrank(rank, n, k, at);
            std::uint32_t occupied = 0;
            int owner[core::Board::kMaxCells] = {};
            for (int i = 0; i < k; ++i) {
                occupied |= std::uint32_t{1} << at[i];
                owner[at[i]] = i;
            }
            if (distance[rank] == 0xff)
                distance[rank] = static_cast<std::uint8_t>(depth);
            // The blank's region: every free cell it reaches without moving a pattern tile.
            int region[core::Board::kMaxCells];
            int regionSize = 0;
            std::uint32_t reached = std::uint32_t{1} << (state % static_cast<std::uint64_t>(n));
            region[regionSize++] = static_cast<int>(state % static_cast<std::uint64_t>(n));
            for (int i = 0; i < regionSize; ++i) {
                done.set(rank * static_cast<std::uint64_t>(n) +
                         static_cast<std::uint64_t>(region[i]));
                for (const int to : around[static_cast<std::size_t>(region[i])]) {
                    const std::uint32_t bit = std::uint32_t{1} << to;
                    if (!(occupied & bit) && !(reached & bit)) {
                        reached |= bit;
                        region[regionSize++] = to;
                    }
                }
            }
            // One more move: a pattern tile beside the region slides into it.
            for (int i = 0; i < regionSize; ++i) {
                for (const int from : around[static_cast<std::size_t>(region[i])]) {
                    if (!(occupied & (std::uint32_t{1} << from)))
                        continue;
                    const int tile = owner[from];
                    at[tile] = region[i];
                    const std::uint64_t moved =
                        core::patterns::entryIndex(p, at) * static_cast<std::uint64_t>(n) +
                        static_cast<std::uint64_t>(from);
                    at[tile] = from;
                    if (!done.test(moved) && !queued.test(moved)) {
                        queued.set(moved);
                        next.push_back(static_cast<std::uint32_t>(moved));
                    }
                }
            }
        }
        layer.swap(next);
    }
    return distance;
}

/* the packed table of one pattern */
std::vector<std::uint8_t> table(const Table &p)
{
    const Grid &g = core::gridOf(p.level);
    const int n = g.cells();
    const int k = p.size;
    const std::vector<std::uint8_t> distance = distances(p);
    std::vector<std::uint8_t> packed(core::patterns::bytesOf(p), 0);
    constexpr int perByte = 8 / core::patterns::kBitsPerEntry;
    int at[core::patterns::kMaxPatternTiles];
    for (std::uint64_t rank = 0; rank < distance.size(); ++rank) {
        unrank(rank, n, k, at);
        int manhattan = 0;
        for (int i = 0; i < k; ++i) {
            const int home = p.homes[static_cast<std::size_t>(i)];
            manhattan +=
                std::abs(g.column(at[i]) - g.column(home)) + std::abs(g.row(at[i]) - g.row(home));
        }
        const int excess = distance[rank] - manhattan;
        if (distance[rank] == 0xff || excess < 0 || excess % 2 != 0) {
            std::fprintf(stderr, "pattern table: arrangement %llu has distance %d, Manhattan %d\n",
                         static_cast<unsigned long long>(rank), distance[rank], manhattan);
            std::exit(1);
        }
        const int entry = std::min(excess / 2, core::patterns::kLargestEntry);
        packed[rank / perByte] |=
            static_cast<std::uint8_t>(entry << (rank % perByte * core::patterns::kBitsPerEntry));
    }
    return packed;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    std::vector<std::uint8_t> all;
    for (const Table &p : core::patterns::kTables) {
        const std::vector<std::uint8_t> t = table(p);
        all.insert(all.end(), t.begin(), t.end());
    }
    if (all.size() != core::patterns::kTablesBytes) {
        std::fprintf(stderr, "pattern tables: %zu bytes, expected %zu\n", all.size(),
                     core::patterns::kTablesBytes);
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(all.data()), static_cast<std::streamsize>(all.size()));
    out.close();
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
