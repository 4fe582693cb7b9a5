#pragma once
// The solver's tables, as the build writes them (generators/solver) and the solver reads them.
//
// A table belongs to a pattern: a few home cells, and so the numbered tiles whose homes they
// are. For every way those tiles can stand it holds how many moves of its own tiles it takes
// at least to bring them all home, with the other tiles and the blank anywhere. No move
// shifts tiles of two patterns, so the counts of disjoint patterns add up to a lower bound on
// the whole board's solution; the solver takes the best of several such partitions.
//
// An entry keeps only what the count exceeds the pattern's Manhattan distance by, halved
// (every move changes one tile's distance by one, so the excess is even), in kBitsPerEntry
// bits; a larger excess is stored as the largest the bits hold, which keeps the bound a bound.
//
// The count does not depend on where the blank's home is, so a mirror image of the board
// turns one table into the table of the mirrored pattern, as long as that pattern holds no
// blank home: one table serves up to four patterns.

#include "core/board.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace core::patterns
{

inline constexpr int kMaxPatternTiles = 6;
inline constexpr int kBitsPerEntry = 2;
inline constexpr int kLargestEntry = (1 << kBitsPerEntry) - 1;

struct Table {
    Level level;
    int size;                                // 1 .. kMaxPatternTiles
    std::array<int, kMaxPatternTiles> homes; // the pattern's home cells, in the entries' order
};

// Cells mirrored left to right, top to bottom, or both (a half turn).
enum class Mirror { None, Across, Down, Both };

constexpr int mirrored(const Grid &g, Mirror m, int cell)
{
    int c = g.column(cell);
    int r = g.row(cell);
    if (m == Mirror::Across || m == Mirror::Both)
        c = g.columns - 1 - c;
    if (m == Mirror::Down || m == Mirror::Both)
        r = g.rows - 1 - r;
    return r * g.columns + c;
}

// One pattern: a table read through a mirror.
struct Lookup {
    int table;
    Mirror mirror;
};

inline constexpr int kMaxPartitionLookups = 4;
// Disjoint patterns; the tiles of none count with their Manhattan distance alone.
struct Partition {
    Level level;
    int size;
    std::array<int, kMaxPartitionLookups> lookups;
};

// The Hard board, its cells:    Normal:
//     0  1  2                     0  1  2  3
//     3  4  5                     4  5  6  7
//     6  7  8                     8  9 10 11
//     9 10 11
//    12 13 14
// Six tiles to a table at most: a table of seven would take 8 MB alone. The Hard board's
// partitions are cut along blocks of two rows and of two columns by three rows, shifted
// against each other, so that tiles one partition keeps apart another sees together. Each
// was measured to save more searching than its reads cost; two more saved less.
inline constexpr std::array<Table, 16> kTables{{
    {Level::Normal, 6, {0, 1, 4, 5, 8, 9}},
    {Level::Normal, 5, {2, 3, 6, 7, 10}},
    {Level::Hard, 6, {0, 1, 2, 3, 4, 5}},   // 2
    {Level::Hard, 6, {6, 7, 8, 9, 10, 11}}, // 3
    {Level::Hard, 6, {0, 1, 3, 4, 6, 7}},   // 4
    {Level::Hard, 6, {3, 4, 6, 7, 9, 10}},  // 5
    {Level::Hard, 2, {12, 13}},             // 6
    {Level::Hard, 2, {8, 11}},              // 7
    {Level::Hard, 4, {2, 5, 8, 11}},        // 8
    {Level::Hard, 4, {9, 10, 12, 13}},      // 9
    {Level::Hard, 3, {0, 1, 2}},            // 10
    {Level::Hard, 5, {9, 10, 11, 12, 13}},  // 11
    {Level::Hard, 5, {0, 3, 6, 9, 12}},     // 12
    {Level::Hard, 4, {0, 1, 2, 5}},         // 13
    {Level::Hard, 3, {10, 11, 13}},         // 14
    {Level::Hard, 4, {8, 11, 12, 13}},      // 15
}};

inline constexpr std::array<Lookup, 19> kLookups{{
    {0, Mirror::None},   // 0
    {1, Mirror::None},   // 1
    {2, Mirror::None},   // 2: 0 .. 5
    {3, Mirror::None},   // 3: 6 .. 11
    {6, Mirror::None},   // 4: 12 13
    {4, Mirror::Down},   // 5: 6 7 9 10 12 13
    {7, Mirror::None},   // 6: 8 11
    {4, Mirror::None},   // 7: 0 1 3 4 6 7
    {8, Mirror::None},   // 8: 2 5 8 11
    {9, Mirror::None},   // 9: 9 10 12 13
    {3, Mirror::Down},   // 10: 3 .. 8
    {10, Mirror::None},  // 11: 0 1 2
    {11, Mirror::None},  // 12: 9 .. 13
    {4, Mirror::Across}, // 13: 1 2 4 5 7 8
    {12, Mirror::None},  // 14: 0 3 6 9 12
    {14, Mirror::None},  // 15: 10 11 13
    {5, Mirror::None},   // 16: 3 4 6 7 9 10
    {13, Mirror::None},  // 17: 0 1 2 5
    {15, Mirror::None},  // 18: 8 11 12 13
}};

// The search asks them in this order and stops at the first that puts a position beyond
// its bound.
inline constexpr std::array<Partition, 7> kPartitions{{
    {Level::Normal, 2, {0, 1}},
    {Level::Hard, 3, {2, 3, 4}},
    {Level::Hard, 3, {2, 5, 6}},
    {Level::Hard, 3, {7, 8, 9}},
    {Level::Hard, 3, {10, 11, 12}},
    {Level::Hard, 3, {13, 14, 15}},
    {Level::Hard, 3, {16, 17, 18}},
}};

// Every partition's patterns lie on its level, hold no blank home and share no cell.
constexpr bool partitionsAreSound()
{
    for (const Partition &p : kPartitions) {
        const Grid &g = gridOf(p.level);
        std::uint32_t taken = 0;
        for (int i = 0; i < p.size; ++i) {
            const Lookup &l =
                kLookups[static_cast<std::size_t>(p.lookups[static_cast<std::size_t>(i)])];
            const Table &t = kTables[static_cast<std::size_t>(l.table)];
            if (t.level != p.level)
                return false;
            for (int j = 0; j < t.size; ++j) {
                const int cell = mirrored(g, l.mirror, t.homes[static_cast<std::size_t>(j)]);
                if (cell == g.cells() - 1 || (taken & (std::uint32_t{1} << cell)))
                    return false;
                taken |= std::uint32_t{1} << cell;
            }
        }
    }
    return true;
}
static_assert(partitionsAreSound());

/* the number of ways to put `tiles` distinct tiles on `cells` cells */
constexpr std::uint64_t arrangements(int cells, int tiles)
{
    std::uint64_t n = 1;
    for (int i = 0; i < tiles; ++i)
        n *= static_cast<std::uint64_t>(cells - i);
    return n;
}

constexpr int cellsOf(const Table &t)
{
    return gridOf(t.level).cells();
}
constexpr std::uint64_t entriesOf(const Table &t)
{
    return arrangements(cellsOf(t), t.size);
}
/* each table starts on a cache line */
constexpr std::size_t bytesOf(const Table &t)
{
    const std::uint64_t bytes = (entriesOf(t) * kBitsPerEntry + 7) / 8;
    return static_cast<std::size_t>((bytes + 63) / 64 * 64);
}
/* where table i starts in the block of all tables */
constexpr std::size_t offsetOf(std::size_t i)
{
    std::size_t offset = 0;
    for (std::size_t j = 0; j < i; ++j)
        offset += bytesOf(kTables[j]);
    return offset;
}
inline constexpr std::size_t kTablesBytes = offsetOf(kTables.size());

// The entry for `size` tiles of a pattern standing on cells[0 .. size - 1] (in the order of
// its homes) on a board of `n` cells: each tile's cell counted among those the tiles before it
// leave free, in mixed radix. `size` a constant, the loops unroll.
template <int size> constexpr std::uint64_t entryIndexOf(int n, const int *cells)
{
    std::uint64_t index = 0;
    for (int i = 0; i < size; ++i) {
        int digit = cells[i];
        for (int j = 0; j < i; ++j)
            digit -= cells[j] < cells[i] ? 1 : 0;
        index = index * static_cast<std::uint64_t>(n - i) + static_cast<std::uint64_t>(digit);
    }
    return index;
}

constexpr std::uint64_t entryIndex(const Table &t, const int *cells)
{
    static_assert(kMaxPatternTiles == 6);
    switch (t.size) {
    case 6:
        return entryIndexOf<6>(cellsOf(t), cells);
    case 5:
        return entryIndexOf<5>(cellsOf(t), cells);
    case 4:
        return entryIndexOf<4>(cellsOf(t), cells);
    case 3:
        return entryIndexOf<3>(cellsOf(t), cells);
    case 2:
        return entryIndexOf<2>(cellsOf(t), cells);
    default:
        return entryIndexOf<1>(cellsOf(t), cells);
    }
}

/* 0 <= index < entriesOf(table): half the moves beyond the Manhattan distance, at most */
inline int entryAt(const std::uint8_t *table, std::uint64_t index)
{
    constexpr int perByte = 8 / kBitsPerEntry;
    const int shift = static_cast<int>(index % perByte) * kBitsPerEntry;
    return (table[index / perByte] >> shift) & kLargestEntry;
}

} // namespace core::patterns
