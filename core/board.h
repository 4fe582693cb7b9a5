#pragma once
// The board of one level as a permutation of its cells. Plain standard C++: every rule of the
// puzzle lives here and is tested without a window; where a cell is drawn is the window's
// business.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace core
{

enum class Level { Normal, Hard };

// The cell grid of one level. Cells are numbered from 0 in reading order.
struct Grid {
    int columns;
    int rows;
    constexpr int cells() const { return columns * rows; }
    constexpr int numberedTiles() const { return cells() - 1; }
    /* 0 <= cell < cells() */
    constexpr int column(int cell) const { return cell % columns; }
    constexpr int row(int cell) const { return cell / columns; }
};

inline constexpr Grid kNormalGrid{4, 3}; // landscape pictures
inline constexpr Grid kHardGrid{3, 5};   // portrait pictures

constexpr const Grid &gridOf(Level level)
{
    return level == Level::Normal ? kNormalGrid : kHardGrid;
}

// The menu's pictures: 1 to 9 are played on the Normal board, 10 to 28 on the Hard one.
inline constexpr int kPictureCount = 28;
inline constexpr int kLastNormalPicture = 9;
/* 1 <= picture <= kPictureCount */
constexpr Level levelOfPicture(int picture)
{
    return picture > kLastNormalPicture ? Level::Hard : Level::Normal;
}

// Where each numbered tile and the blank tile stand. Numbered tile k (1 .. numberedTiles())
// has cell k - 1 as its home; the blank tile's home is the last cell. The blank is not empty:
// it carries the picture's last piece, and it is the tile that trades places with the others.
class Board
{
public:
    static constexpr int kMaxCells = 15;

    explicit Board(Level level); // every tile in its home cell

    // A board with tileAt[cell] on each cell (0 for the blank); nothing unless tileAt names
    // every tile of the level exactly once.
    static std::optional<Board> arranged(Level level, const std::vector<int> &tileAt);

    Level level() const { return m_level; }
    const Grid &grid() const { return gridOf(m_level); }
    int numberedTiles() const { return grid().numberedTiles(); }

    /* 1 <= k <= numberedTiles() */
    int cellOf(int k) const { return m_cellOf[static_cast<std::size_t>(k)]; }
    int blankCell() const { return m_cellOf[0]; }
    /* 0 <= cell < grid().cells(): the numbered tile there, 0 for the blank */
    int tileAt(int cell) const;

    /* 1 <= k <= numberedTiles(), k next to the blank (not checked) */
    void exchangeWithBlank(int k);

    friend bool operator==(const Board &, const Board &) = default;

private:
    Level m_level;
    std::array<std::int8_t, kMaxCells> m_cellOf{}; // [0] the blank, [k] numbered tile k
};

// True when cells a and b share a side.
bool areNeighbours(const Grid &grid, int a, int b);

// Which way a tile moves when it slides into the blank's cell.
enum class Slide { None, Up, Down, Left, Right };

// The player's move: numbered tile k, when next to the blank, trades places with it.
// Slide::None (and nothing changes) for a tile diagonal to the blank or further away.
/* 1 <= k <= board.numberedTiles() */
Slide slideTile(Board &board, int k);

// The numbered tile that would slide in `direction` (Up: the one below the blank), 0 for none.
int tileThatSlides(const Board &board, Slide direction);

// True when every numbered tile stands on its home cell; the blank is then home as well.
bool isSolved(const Board &board);

// The blank's walk: the blank steps into the neighbouring cell on one side, whose tile takes
// the blank's cell. False, and nothing changes, at the edge of the board.
enum class Step { Up, Down, Left, Right };
bool stepBlank(Board &board, Step step);

} // namespace core
