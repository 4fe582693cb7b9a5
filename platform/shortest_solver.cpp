#include "platform/shortest_solver.h"

#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platform
{

namespace
{

std::atomic<int> searching = 0;

// The tables' pages go back once no search reads them: 4 MB the game in play need not keep
// between hints. They stay in the page cache, so the next search reads them in at once.
// Only whole pages of the tables are given back, and they are never written: the system
// reads them again from the program file.
void releaseTablePages()
{
    const std::span<const std::uint8_t> tables = core::solverTables();
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(tables.data());
    const std::uintptr_t begin = (first + page - 1) & ~(page - 1);
    const std::uintptr_t end = (first + tables.size()) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_DONTNEED);
}

// What a job and its thread share; the thread's answer finds it even after the job is gone.
struct Shared {
    std::mutex mutex;
    std::condition_variable ready;
    std::optional<core::Solution> solution;
    bool taken = false; // by waitFor, or delivered; or the job is gone
    ShortestSolver::Answer answer;
};

class ThreadedJob final : public SolveJob
{
public:
    ThreadedJob(const core::Board &board, ShortestSolver::Answer answer, QObject *answers)
        : m_shared(std::make_shared<Shared>())
    {
        m_shared->answer = std::move(answer);
        m_thread = std::jthread([board, answers, shared = m_shared](std::stop_token stop) {
            lowerThreadPriority();
            ++searching;
            std::optional<core::Solution> solution = core::solveShortest(board, stop);
            if (--searching == 0)
                releaseTablePages();
            if (!solution)
                return; // abandoned
            {
                const std::lock_guard lock(shared->mutex);
                shared->solution = std::move(solution);
            }
            shared->ready.notify_all();
            QMetaObject::invokeMethod(
                answers,
                [shared] {
                    ShortestSolver::Answer answer;
                    core::Solution solution;
                    {
                        const std::lock_guard lock(shared->mutex);
                        if (shared->taken)
                            return;
                        shared->taken = true;
                        answer = std::move(shared->answer);
                        solution = *shared->solution;
                    }
                    // The job may be let go from inside the answer: nothing of it is used after.
                    answer(solution);
                },
                Qt::QueuedConnection);
        });
    }

    ~ThreadedJob() override
    {
        // A delivery already queued finds the answer taken; what the answer holds goes here,
        // on the asking thread. Then the thread is stopped and joined (m_thread's own end):
        // the search looks at its stop request every quarter of a millisecond.
        ShortestSolver::Answer unused;
        const std::lock_guard lock(m_shared->mutex);
        m_shared->taken = true;
        unused = std::move(m_shared->answer);
    }

    std::optional<core::Solution> waitFor(std::chrono::milliseconds limit) override
    {
        std::unique_lock lock(m_shared->mutex);
        if (!m_shared->ready.wait_for(lock, limit,
                                      [this] { return m_shared->solution.has_value(); }))
            return std::nullopt;
        m_shared->taken = true;
        return m_shared->solution;
    }

private:
    std::shared_ptr<Shared> m_shared;
    std::jthread m_thread;
};

} // namespace

std::unique_ptr<SolveJob> ThreadedSolver::solve(const core::Board &board, Answer answer)
{
    return std::make_unique<ThreadedJob>(board, std::move(answer), &m_answers);
}

void lowerThreadPriority()
{
    // Nice 19 first, for a system that refuses the idle class; on Linux both act on the one
    // thread that calls.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    sched_param param{};
    param.sched_priority = 0;
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
}

} // namespace platform
