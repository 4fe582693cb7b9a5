#include "core/board.h"

#include <cstdlib>

namespace core
{

Board::Board(Level level) : m_level(level)
{
    const int cells = grid().cells();
    m_cellOf[0] = static_cast<std::int8_t>(cells - 1);
    for (int k = 1; k < cells; ++k)
        m_cellOf[static_cast<std::size_t>(k)] = static_cast<std::int8_t>(k - 1);
}

std::optional<Board> Board::arranged(Level level, const std::vector<int> &tileAt)
{
    Board board(level);
    const int cells = board.grid().cells();
    if (static_cast<int>(tileAt.size()) != cells)
        return std::nullopt;
    std::array<bool, kMaxCells> seen{};
    for (int cell = 0; cell < cells; ++cell) {
        const int k = tileAt[static_cast<std::size_t>(cell)];
        if (k < 0 || k >= cells || seen[static_cast<std::size_t>(k)])
            return std::nullopt;
        seen[static_cast<std::size_t>(k)] = true;
        board.m_cellOf[static_cast<std::size_t>(k)] = static_cast<std::int8_t>(cell);
    }
    return board;
}

int Board::tileAt(int cell) const
{
    for (int k = 1; k <= numberedTiles(); ++k) {
        if (cellOf(k) == cell)
            return k;
    }
    return 0;
}

void Board::exchangeWithBlank(int k)
{
    std::swap(m_cellOf[0], m_cellOf[static_cast<std::size_t>(k)]);
}

bool areNeighbours(const Grid &grid, int a, int b)
{
    return std::abs(grid.column(a) - grid.column(b)) + std::abs(grid.row(a) - grid.row(b)) == 1;
}

namespace
{

/* the cell one column and row away from `cell`, -1 beyond the edge */
int cellBeside(const Grid &grid, int cell, int dc, int dr)
{
    const int c = grid.column(cell) + dc;
    const int r = grid.row(cell) + dr;
    if (c < 0 || c >= grid.columns || r < 0 || r >= grid.rows)
        return -1;
    return r * grid.columns + c;
}

} // namespace

int tileThatSlides(const Board &board, Slide direction)
{
    const Grid &g = board.grid();
    int cell = -1;
    switch (direction) {
    case Slide::Up:
        cell = cellBeside(g, board.blankCell(), 0, 1);
        break;
    case Slide::Down:
        cell = cellBeside(g, board.blankCell(), 0, -1);
        break;
    case Slide::Left:
        cell = cellBeside(g, board.blankCell(), 1, 0);
        break;
    case Slide::Right:
        cell = cellBeside(g, board.blankCell(), -1, 0);
        break;
    case Slide::None:
        break;
    }
    return cell < 0 ? 0 : board.tileAt(cell);
}

Slide slideTile(Board &board, int k)
{
    // Seen from the blank: the tile below, above, to the right, to the left. A tile matches
    // at most one of them.
    for (const Slide direction : {Slide::Up, Slide::Down, Slide::Left, Slide::Right}) {
        if (tileThatSlides(board, direction) == k) {
            board.exchangeWithBlank(k);
            return direction;
        }
    }
    return Slide::None;
}

bool isSolved(const Board &board)
{
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        if (board.cellOf(k) != k - 1)
            return false;
    }
    return true;
}

bool stepBlank(Board &board, Step step)
{
    const Grid &g = board.grid();
    const int blank = board.blankCell();
    int target = -1;
    switch (step) {
    case Step::Up:
        target = cellBeside(g, blank, 0, -1);
        break;
    case Step::Down:
        target = cellBeside(g, blank, 0, 1);
        break;
    case Step::Left:
        target = cellBeside(g, blank, -1, 0);
        break;
    case Step::Right:
        target = cellBeside(g, blank, 1, 0);
        break;
    }
    if (target < 0)
        return false;
    board.exchangeWithBlank(board.tileAt(target));
    return true;
}

} // namespace core
