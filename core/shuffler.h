#pragma once
// The shuffle: the blank tile walks at random, one legal slide per step.

#include "core/board.h"

#include <cstdint>
#include <functional>
#include <random>

namespace core
{

// A source of r with 0 <= r < 1. The game reseeds before every draw, as its shuffle
// always has; a test replaces the whole source to replay a walk exactly.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual double draw() = 0; // 0 <= r < 1
};

// Reseeds from a clock. The clock may not have moved since the last step, so the new seed
// is mixed with the generator's own state, and a draw equal to the one before is drawn again:
// two successive draws are never equal. Draws are multiples of 2^-32.
class ClockSeededRandom final : public RandomSource
{
public:
    using Clock = std::function<std::uint64_t()>; // any ticking count, e.g. nanoseconds
    explicit ClockSeededRandom(Clock clock = {});
    void reseed() override;
    double draw() override;

private:
    Clock m_clock;
    std::mt19937_64 m_engine;
    double m_last = -1.0;
};

// Int((a - b + 1) * r + b) in double precision, with a - b + 1 taken in 16-bit arithmetic
// and Int rounding towards minus infinity. RandomNumber(0, 5, r) is 4, 3, 2, 1 for r in quarters
// from 0 up, and 5 only for r == 0 exactly.
std::int16_t RandomNumber(std::int16_t a, std::int16_t b, double r);
std::int16_t RandomNumber(std::int16_t a, std::int16_t b, RandomSource &random);

// The blank trades places with its neighbour in one direction; false when there is none.
bool MoveBlankUpNormal(Board &normal);
bool MoveBlankDownNormal(Board &normal);
bool MoveBlankLeftNormal(Board &normal);
bool MoveBlankRightNormal(Board &normal);
bool MoveBlankUpHard(Board &hard);
bool MoveBlankDownHard(Board &hard);
bool MoveBlankLeftHard(Board &hard);
bool MoveBlankRightHard(Board &hard);

// One shuffle step's move for a drawn direction: 1 up, 2 down, 3 and 4 left and right on
// the Normal board but right and left on the Hard one. Any other number moves nothing.
bool shuffleMove(Board &board, int direction);

} // namespace core
