#include "core/shuffler.h"

#include <chrono>
#include <cmath>

namespace core {

ClockSeededRandom::ClockSeededRandom(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock) {
        m_clock = [] {
            return static_cast<std::uint64_t>(
                std::chrono::steady_clock::now().time_since_epoch().count());
        };
    }
    std::random_device device;
    m_engine.seed((static_cast<std::uint64_t>(device()) << 32) ^ device() ^ m_clock());
}

void ClockSeededRandom::reseed()
{
    // Mixing keeps two reseeds from the same clock reading from repeating a draw.
    std::seed_seq seq{m_clock(), m_engine()};
    m_engine.seed(seq);
}

double ClockSeededRandom::draw()
{
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    double r = uniform(m_engine);
    while (r == m_last || r >= 1.0)
        r = uniform(m_engine);
    m_last = r;
    return r;
}

std::int16_t RandomNumber(std::int16_t a, std::int16_t b, double r)
{
    const auto span = static_cast<std::int16_t>(a - b + 1);
    return static_cast<std::int16_t>(std::floor(static_cast<double>(span) * r + b));
}

std::int16_t RandomNumber(std::int16_t a, std::int16_t b, RandomSource &random)
{
    random.reseed();
    return RandomNumber(a, b, random.draw());
}

namespace {

enum class Side { Above, Below, LeftOf, RightOf };

// The neighbour on one side of the blank moves into the blank's cell. The tests are the
// click rule's, seen from the blank: T.Top + H = B.Top + 15 finds the tile above, etc.
bool moveBlank(Board &board, Side side)
{
    const Layout &l = board.layout();
    const float h = l.tileHeight;
    const float w = l.tileWidth;
    const Position b = board.blank();
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        const Position t = board.tile(k);
        bool next = false;
        switch (side) {
        case Side::Above:
            next = t.top + h == b.top + kOverlap && t.left == b.left;
            break;
        case Side::Below:
            next = t.top + kOverlap == b.top + h && t.left == b.left;
            break;
        case Side::LeftOf:
            next = t.left + w == b.left + kOverlap && t.top == b.top;
            break;
        case Side::RightOf:
            next = t.left + kOverlap == b.left + w && t.top == b.top;
            break;
        }
        if (next) {
            board.setBlank(t);
            board.setTile(k, b);
            return true;
        }
    }
    return false;
}

} // namespace

bool MoveBlankUpNormal(Board &normal) { return moveBlank(normal, Side::Above); }
bool MoveBlankDownNormal(Board &normal) { return moveBlank(normal, Side::Below); }
bool MoveBlankLeftNormal(Board &normal) { return moveBlank(normal, Side::LeftOf); }
bool MoveBlankRightNormal(Board &normal) { return moveBlank(normal, Side::RightOf); }
bool MoveBlankUpHard(Board &hard) { return moveBlank(hard, Side::Above); }
bool MoveBlankDownHard(Board &hard) { return moveBlank(hard, Side::Below); }
bool MoveBlankLeftHard(Board &hard) { return moveBlank(hard, Side::LeftOf); }
bool MoveBlankRightHard(Board &hard) { return moveBlank(hard, Side::RightOf); }

bool shuffleMove(Board &board, int direction)
{
    if (board.level() == Level::Normal) {
        switch (direction) {
        case 1: return MoveBlankUpNormal(board);
        case 2: return MoveBlankDownNormal(board);
        case 3: return MoveBlankLeftNormal(board);
        case 4: return MoveBlankRightNormal(board);
        default: return false;
        }
    }
    switch (direction) {
    case 1: return MoveBlankUpHard(board);
    case 2: return MoveBlankDownHard(board);
    case 3: return MoveBlankRightHard(board);
    case 4: return MoveBlankLeftHard(board);
    default: return false;
    }
}

} // namespace core
