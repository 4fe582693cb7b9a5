#include "core/shuffler.h"

#include <chrono>
#include <cmath>

namespace core
{

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

namespace
{

// SplitMix64's finaliser: nearby clock readings give unrelated seeds.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

void ClockSeededRandom::reseed()
{
    // The clock may read the same as at the last step, so the seed also takes a word of the
    // generator's own state: a clock that stands still still gives a new seed. draw() sees
    // to it that no draw repeats the one before.
    const std::uint64_t own = m_engine();
    m_engine.seed(mix(m_clock() ^ mix(own)));
}

double ClockSeededRandom::draw()
{
    // r is a multiple of 2^-32: below 1 by construction, and every step of RandomNumber on it
    // is exact in double precision, so only r == 0 gives the out-of-range 5.
    double r = 0;
    do {
        r = std::ldexp(static_cast<double>(m_engine() >> 32), -32);
    } while (r == m_last);
    m_last = r;
    return r;
}

std::int16_t RandomNumber(std::int16_t a, std::int16_t b, double r)
{
    const auto span = static_cast<std::int16_t>(a - b + 1);
    const double value = std::floor(static_cast<double>(span) * r + b);
    // The game only asks for RandomNumber(0, 5); a result beyond 16 bits wraps as the span
    // does instead of being undefined.
    return static_cast<std::int16_t>(static_cast<long long>(value));
}

std::int16_t RandomNumber(std::int16_t a, std::int16_t b, RandomSource &random)
{
    random.reseed();
    return RandomNumber(a, b, random.draw());
}

namespace
{

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
            next = twipsSum(t.top, h) == twipsSum(b.top, kOverlap) && t.left == b.left;
            break;
        case Side::Below:
            next = twipsSum(t.top, kOverlap) == twipsSum(b.top, h) && t.left == b.left;
            break;
        case Side::LeftOf:
            next = twipsSum(t.left, w) == twipsSum(b.left, kOverlap) && t.top == b.top;
            break;
        case Side::RightOf:
            next = twipsSum(t.left, kOverlap) == twipsSum(b.left, w) && t.top == b.top;
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

bool MoveBlankUpNormal(Board &normal)
{
    return moveBlank(normal, Side::Above);
}
bool MoveBlankDownNormal(Board &normal)
{
    return moveBlank(normal, Side::Below);
}
bool MoveBlankLeftNormal(Board &normal)
{
    return moveBlank(normal, Side::LeftOf);
}
bool MoveBlankRightNormal(Board &normal)
{
    return moveBlank(normal, Side::RightOf);
}
bool MoveBlankUpHard(Board &hard)
{
    return moveBlank(hard, Side::Above);
}
bool MoveBlankDownHard(Board &hard)
{
    return moveBlank(hard, Side::Below);
}
bool MoveBlankLeftHard(Board &hard)
{
    return moveBlank(hard, Side::LeftOf);
}
bool MoveBlankRightHard(Board &hard)
{
    return moveBlank(hard, Side::RightOf);
}

bool shuffleMove(Board &board, int direction)
{
    if (board.level() == Level::Normal) {
        switch (direction) {
        case 1:
            return MoveBlankUpNormal(board);
        case 2:
            return MoveBlankDownNormal(board);
        case 3:
            return MoveBlankLeftNormal(board);
        case 4:
            return MoveBlankRightNormal(board);
        default:
            return false;
        }
    }
    switch (direction) {
    case 1:
        return MoveBlankUpHard(board);
    case 2:
        return MoveBlankDownHard(board);
    case 3:
        return MoveBlankRightHard(board);
    case 4:
        return MoveBlankLeftHard(board);
    default:
        return false;
    }
}

} // namespace core
