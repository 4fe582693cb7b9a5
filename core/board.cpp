#include "core/board.h"

namespace core {

Board::Board(Level level) : m_level(level)
{
    for (int k = 1; k <= numberedTiles(); ++k)
        setTile(k, home(k));
    m_blank = blankHome();
}

namespace {

// Every sum is rounded to single precision before an exact comparison, as the design's
// position tests are; with whole twips this is exact, and it stays so for any input.
bool sameF(float a, float b) { return a == b; }

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

    Slide slide = Slide::None;
    if (sameF(t.top + kOverlap, b.top + h) && sameF(t.left, b.left))
        slide = Slide::Up;
    else if (sameF(t.top + h, b.top + kOverlap) && sameF(t.left, b.left))
        slide = Slide::Down;
    else if (sameF(t.left + kOverlap, b.left + w) && sameF(t.top, b.top))
        slide = Slide::Left;
    else if (sameF(t.left + w, b.left + kOverlap) && sameF(t.top, b.top))
        slide = Slide::Right;

    if (slide != Slide::None)
        exchange(board, k);
    return slide;
}

bool CheckSolved(const Board &board)
{
    std::int16_t count = 0;
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        if (board.tile(k) == board.home(k))
            ++count;
    }
    return count == board.numberedTiles();
}

} // namespace core
