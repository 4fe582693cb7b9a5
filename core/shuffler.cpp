#include "core/shuffler.h"

#include <cmath>

namespace core
{

SeededRandom::SeededRandom(std::uint64_t seed) : m_engine(seed) {}

double SeededRandom::draw()
{
    return std::ldexp(static_cast<double>(m_engine() >> 32), -32);
}

std::int16_t RandomNumber(std::int16_t a, std::int16_t b, double r)
{
    const auto span = static_cast<std::int16_t>(a - b + 1);
    const double value = std::floor(static_cast<double>(span) * r + b);
    // The game only asks for RandomNumber(0, 5); a result beyond 16 bits wraps as the span
    // does instead of being undefined.
    return static_cast<std::int16_t>(static_cast<long long>(value));
}

int drawDirection(RandomSource &random)
{
    return RandomNumber(0, 5, random.draw());
}

bool shuffleMove(Board &board, int direction)
{
    // The two levels' walks mirror directions 3 and 4, as they always have.
    const bool hard = board.level() == Level::Hard;
    switch (direction) {
    case 1:
        return stepBlank(board, Step::Up);
    case 2:
        return stepBlank(board, Step::Down);
    case 3:
        return stepBlank(board, hard ? Step::Right : Step::Left);
    case 4:
        return stepBlank(board, hard ? Step::Left : Step::Right);
    default:
        return false;
    }
}

} // namespace core
