#pragma once
// The puzzle's rules as the game window's elements first stated them: each tile a Left and
// Top in twips, a neighbour found by single-precision sums compared exactly, the completion
// check comparing every tile's twips with its home. Kept only as the reference the board of
// cells is held against.

#include "core/board.h"

#include <array>
#include <cstdint>

namespace reference
{

struct Position {
    float left = 0;
    float top = 0;
    friend bool operator==(const Position &, const Position &) = default;
};

struct Layout {
    float tileWidth, tileHeight, pitchAcross, pitchDown, firstLeft, firstTop;
};

inline Layout layoutOf(core::Level level)
{
    return level == core::Level::Normal ? Layout{1455, 1455, 1440, 1440, 360, 960}
                                        : Layout{1545, 1215, 1530, 1200, 600, 480};
}

inline constexpr float kOverlap = 15.0f;

// Returning through a float rounds away any wider evaluation the compiler might use.
inline float twipsSum(float a, float b)
{
    volatile float sum = a + b;
    return sum;
}

class TwipsBoard
{
public:
    explicit TwipsBoard(core::Level level) : m_level(level), m_grid(core::gridOf(level))
    {
        for (int k = 1; k <= numbered(); ++k)
            m_tiles[static_cast<std::size_t>(k)] = home(k);
        m_tiles[0] = cellPosition(m_grid.cells() - 1);
    }
    core::Level level() const { return m_level; }
    int numbered() const { return m_grid.numberedTiles(); }
    Position cellPosition(int cell) const
    {
        const Layout l = layoutOf(m_level);
        return {l.firstLeft + static_cast<float>(m_grid.column(cell)) * l.pitchAcross,
                l.firstTop + static_cast<float>(m_grid.row(cell)) * l.pitchDown};
    }
    Position home(int k) const { return cellPosition(k - 1); }
    /* 0: the blank */
    Position &tile(int k) { return m_tiles[static_cast<std::size_t>(k)]; }
    const Position &tile(int k) const { return m_tiles[static_cast<std::size_t>(k)]; }
    /* the cell k stands on exactly, -1 off the grid */
    int cellOf(int k) const
    {
        for (int cell = 0; cell < m_grid.cells(); ++cell) {
            if (cellPosition(cell) == tile(k))
                return cell;
        }
        return -1;
    }

private:
    core::Level m_level;
    core::Grid m_grid;
    std::array<Position, core::Board::kMaxCells> m_tiles{};
};

// The click: tests 1 to 4 seen from the blank (below, above, right, left); true when moved.
inline bool click(TwipsBoard &b, int k)
{
    const Layout l = layoutOf(b.level());
    const Position t = b.tile(k);
    const Position blank = b.tile(0);
    const bool next =
        (twipsSum(t.top, kOverlap) == twipsSum(blank.top, l.tileHeight) && t.left == blank.left) ||
        (twipsSum(t.top, l.tileHeight) == twipsSum(blank.top, kOverlap) && t.left == blank.left) ||
        (twipsSum(t.left, kOverlap) == twipsSum(blank.left, l.tileWidth) && t.top == blank.top) ||
        (twipsSum(t.left, l.tileWidth) == twipsSum(blank.left, kOverlap) && t.top == blank.top);
    if (!next)
        return false;
    b.tile(0) = t;
    b.tile(k) = blank;
    return true;
}

// One shuffle step for a drawn direction: the neighbour on that side of the blank comes in.
// 3 and 4 are left and right on Normal, right and left on Hard.
inline bool shuffleStep(TwipsBoard &b, int direction)
{
    const Layout l = layoutOf(b.level());
    const bool hard = b.level() == core::Level::Hard;
    const Position blank = b.tile(0);
    for (int k = 1; k <= b.numbered(); ++k) {
        const Position t = b.tile(k);
        bool next = false;
        const bool above =
            twipsSum(t.top, l.tileHeight) == twipsSum(blank.top, kOverlap) && t.left == blank.left;
        const bool below =
            twipsSum(t.top, kOverlap) == twipsSum(blank.top, l.tileHeight) && t.left == blank.left;
        const bool left =
            twipsSum(t.left, l.tileWidth) == twipsSum(blank.left, kOverlap) && t.top == blank.top;
        const bool right =
            twipsSum(t.left, kOverlap) == twipsSum(blank.left, l.tileWidth) && t.top == blank.top;
        switch (direction) {
        case 1:
            next = above;
            break;
        case 2:
            next = below;
            break;
        case 3:
            next = hard ? right : left;
            break;
        case 4:
            next = hard ? left : right;
            break;
        default:
            break;
        }
        if (next) {
            b.tile(0) = t;
            b.tile(k) = blank;
            return true;
        }
    }
    return false;
}

// Counts every tile on its home, then compares the count: the classic check.
inline bool checkSolved(const TwipsBoard &b)
{
    std::int16_t count = 0;
    for (int k = 1; k <= b.numbered(); ++k) {
        if (b.tile(k) == b.home(k))
            ++count;
    }
    return count == b.numbered();
}

} // namespace reference
