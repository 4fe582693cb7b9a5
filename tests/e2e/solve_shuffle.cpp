// Prints the keys that solve the first shuffle of a game, as the game plays it with a seed:
//   solve_shuffle <seed> <picture>            e.g. "Up Left Left Down ..."
//   solve_shuffle <seed> <picture> shortest   the fewest clicks that board needs, e.g. "31"
// The round is the game's own (session::Round with the seeded engine), stepped as its timers
// step it; the walk of the blank is undone in reverse, an arrow for each step (the tile on
// that side of the blank slides into it, so the blank goes back where it came from).
#include "core/solver.h"
#include "session/round.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// The game's engine, counting its draws: a step that draws nothing was not taken.
class Counted final : public core::RandomSource
{
public:
    explicit Counted(std::uint64_t seed) : m_engine(seed) {}
    double draw() override
    {
        ++draws;
        return m_engine.draw();
    }
    long draws = 0;

private:
    core::SeededRandom m_engine;
};
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4)
        return 2;
    Counted random(std::strtoull(argv[1], nullptr, 10));
    session::Round round(std::atoi(argv[2]));
    const core::Grid &grid = round.board().grid();
    round.start();
    std::vector<char> walk; // the blank's steps: U D L R
    const auto note = [&](int from) {
        const int to = round.board().blankCell();
        if (to == from)
            return;
        walk.push_back(to == from - grid.columns   ? 'U'
                       : to == from + grid.columns ? 'D'
                       : to == from - 1            ? 'L'
                                                   : 'R');
    };
    while (round.timers().sequencer != 0) {
        int from = round.board().blankCell();
        round.sequencerTick(random); // makes up what the steps below did not do: nothing here
        note(from);
        while (round.timers().shuffle != 0) {
            from = round.board().blankCell();
            const long before = random.draws;
            round.shuffleStep(random);
            if (random.draws == before)
                break; // this interval's steps are done
            note(from);
        }
    }
    if (argc == 4) {
        std::printf("%d\n", core::solveShortest(round.board())->length());
        return 0;
    }
    // A step and its reverse cancel out; what remains is undone from the last step back.
    std::vector<char> kept;
    const auto reverseOf = [](char c) {
        return c == 'U' ? 'D' : c == 'D' ? 'U' : c == 'L' ? 'R' : 'L';
    };
    for (const char c : walk) {
        if (!kept.empty() && kept.back() == reverseOf(c))
            kept.pop_back();
        else
            kept.push_back(c);
    }
    std::string keys;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        keys += *it == 'U' ? "Up" : *it == 'D' ? "Down" : *it == 'L' ? "Left" : "Right";
        keys += ' ';
    }
    std::printf("%s\n", keys.c_str());
    return 0;
}
