#pragma once
// The two boards of the game, stated in twips as the game window draws them.
// Plain standard C++: every rule of the puzzle lives here and is tested without a window.

#include <array>
#include <cstdint>

namespace core
{

enum class Level { Normal, Hard };

// A cell grid of one level. Neighbouring tiles overlap by 15 twips, so the pitch is
// the tile size minus 15.
struct Layout {
    int columns;
    int rows;
    float tileWidth;
    float tileHeight;
    float pitchAcross;
    float pitchDown;
    float firstLeft;
    float firstTop;

    constexpr int cells() const { return columns * rows; }
    constexpr int numberedTiles() const { return cells() - 1; }
};

inline constexpr float kOverlap = 15.0f;

inline constexpr Layout kNormalLayout{4, 3, 1455.0f, 1455.0f, 1440.0f, 1440.0f, 360.0f, 960.0f};
inline constexpr Layout kHardLayout{3, 5, 1545.0f, 1215.0f, 1530.0f, 1200.0f, 600.0f, 480.0f};

constexpr const Layout &layoutOf(Level level)
{
    return level == Level::Normal ? kNormalLayout : kHardLayout;
}

struct Position {
    float left = 0;
    float top = 0;
    friend bool operator==(const Position &, const Position &) = default;
};

/* 0 <= cell < layout.cells(), reading order */
constexpr Position cellPosition(const Layout &layout, int cell)
{
    return {layout.firstLeft + static_cast<float>(cell % layout.columns) * layout.pitchAcross,
            layout.firstTop + static_cast<float>(cell / layout.columns) * layout.pitchDown};
}

// The arrangement of one tile set: where each numbered tile and the blank tile stand.
// Tiles are numbered from 1 as the elements are (ImE1, ImG14); the blank tile is apart.
class Board
{
public:
    static constexpr int kMaxTiles = 14;

    explicit Board(Level level); // every tile in its home cell

    Level level() const { return m_level; }
    const Layout &layout() const { return layoutOf(m_level); }
    int numberedTiles() const { return layout().numberedTiles(); }

    /* 1 <= k <= numberedTiles() */
    Position tile(int k) const { return m_tiles[static_cast<std::size_t>(k - 1)]; }
    void setTile(int k, Position p) { m_tiles[static_cast<std::size_t>(k - 1)] = p; }
    Position blank() const { return m_blank; }
    void setBlank(Position p) { m_blank = p; }

    /* 1 <= k <= numberedTiles(): home cell of numbered tile k */
    Position home(int k) const { return cellPosition(layout(), k - 1); }
    Position blankHome() const { return cellPosition(layout(), layout().cells() - 1); }

    friend bool operator==(const Board &, const Board &) = default;

private:
    Level m_level;
    std::array<Position, kMaxTiles> m_tiles{};
    Position m_blank;
};

// Where a clicked tile goes, seen from the tile. Reported so the caller can count the click.
enum class Slide { None, Up, Down, Left, Right };

// The player's move: a numbered tile next to the blank trades places with it.
// A tile that is not next to the blank (diagonal, two cells away) gives Slide::None.
Slide slideTile(Board &board, int k);

// True when every numbered tile stands on its home cell. Examines every tile.
bool CheckSolved(const Board &board);

// A click on numbered tile k: the slide, then the completion check, which runs whether or
// not the tile moved (a shuffle may have ended on the solved picture).
struct Click {
    Slide slide = Slide::None;
    bool solved = false;
    bool moved() const { return slide != Slide::None; }
};
/* 1 <= k <= board.numberedTiles() */
Click clickTile(Board &board, int k);

// a + b rounded to single precision: the one sum every position test compares.
float twipsSum(float a, float b);

} // namespace core
