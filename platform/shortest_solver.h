#pragma once
// Working out shortest solutions away from the window's thread. The game window asks for the
// boards its round wants solved and is answered on its own thread; a test hands in a solver
// it answers for itself (tests/support/doubles.h), so nothing waits for a thread.

#include "core/solver.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace platform
{

// One solve under way. Letting it go abandons it: its answer never comes.
class SolveJob
{
public:
    virtual ~SolveJob() = default;
    // The solution, when it is there within `limit` (the answer is then not delivered too).
    virtual std::optional<core::Solution> waitFor(std::chrono::milliseconds limit) = 0;
};

class ShortestSolver
{
public:
    using Answer = std::function<void(const core::Solution &)>;
    virtual ~ShortestSolver() = default;
    // Starts working out a shortest solution of `board` (one a shuffle can make). `answer`
    // is called later from the event loop of the thread that asked, never from inside this
    // call and never once the job is gone.
    virtual std::unique_ptr<SolveJob> solve(const core::Board &board, Answer answer) = 0;
};

// Each solve on a thread of its own at the lowest priority the system gives (an idle-time
// thread, or failing that the nicest one), so the game and its music never wait for it.
// Outlives every job it made.
class ThreadedSolver final : public ShortestSolver
{
public:
    std::unique_ptr<SolveJob> solve(const core::Board &board, Answer answer) override;

private:
    QObject m_answers; // lives on the asking thread: answers are delivered through it
};

// Makes the calling thread one that runs only when nothing else wants the processor.
void lowerThreadPriority();

} // namespace platform
