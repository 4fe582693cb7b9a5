#pragma once
// The shuffle: the blank tile walks at random, one step per tick.

#include "core/board.h"

#include <cstdint>
#include <random>

namespace core
{

// A source of r with 0 <= r < 1. The game has one, made at start; a test replaces it with a
// scripted one to replay a walk exactly.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double draw() = 0; // 0 <= r < 1
};

// A seeded engine: the same seed gives the same draws, so a reported game can be replayed.
// Draws are multiples of 2^-32, so every step of RandomNumber on them is exact.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed);
    double draw() override;

private:
    std::mt19937_64 m_engine;
};

// Int((a - b + 1) * r + b) in double precision, with a - b + 1 taken in 16-bit arithmetic
// and Int rounding towards minus infinity. RandomNumber(0, 5, r) is 4, 3, 2, 1 for r in quarters
// from 0 up, and 5 only for r == 0 exactly.
std::int16_t RandomNumber(std::int16_t a, std::int16_t b, double r);

// The direction of one shuffle step, drawn as the walk has always drawn it: RandomNumber(0, 5).
int drawDirection(RandomSource &random);

// One shuffle step's move for a drawn direction: 1 up, 2 down, 3 and 4 left and right on the
// Normal board but right and left on the Hard one. Any other number (5) moves nothing; so does
// a step off the edge.
bool shuffleMove(Board &board, int direction);

} // namespace core
