#include "core/board.h"

namespace core
{

Board::Board(Level level) : m_level(level)
{
    for (int k = 1; k <= numberedTiles(); ++k)
        setTile(k, home(k));
    m_blank = blankHome();
}

float twipsSum(float a, float b)
{
    // Returning through a float rounds away any wider evaluation the compiler might use.
    const float sum = a + b;
    return sum;
}

namespace
{

void exchange(Board &board, int k)
{
    const Position saved = board.blank();
    board.setBlank(board.tile(k));
    board.setTile(k, saved);
}

} // namespace

Slide slideTile(Board &board, int k)
{
    const Layout &l = board.layout();
    const float h = l.tileHeight;
    const float w = l.tileWidth;
    const Position t = board.tile(k);
    const Position b = board.blank();

    // Seen from the blank: one cell below, above, to the right, to the left, tested in this
    // order. Each side is a single-precision sum compared exactly, so a tile that is off the
    // grid by as little as one twip never counts as a neighbour.
    Slide slide = Slide::None;
    if (twipsSum(t.top, kOverlap) == twipsSum(b.top, h) && t.left == b.left)
        slide = Slide::Up;
    else if (twipsSum(t.top, h) == twipsSum(b.top, kOverlap) && t.left == b.left)
        slide = Slide::Down;
    else if (twipsSum(t.left, kOverlap) == twipsSum(b.left, w) && t.top == b.top)
        slide = Slide::Left;
    else if (twipsSum(t.left, w) == twipsSum(b.left, kOverlap) && t.top == b.top)
        slide = Slide::Right;

    if (slide != Slide::None)
        exchange(board, k);
    return slide;
}

bool CheckSolved(const Board &board)
{
    // Every tile is looked at, even after one was found out of place: the count decides.
    std::int16_t count = 0;
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        if (board.tile(k) == board.home(k))
            ++count;
    }
    return count == board.numberedTiles();
}

Click clickTile(Board &board, int k)
{
    const Slide slide = slideTile(board, k);
    return {slide, CheckSolved(board)};
}

} // namespace core
