#pragma once
// Runs a sound back end on a thread of its own. The back end is made there, because reading a
// SoundFont takes a while and the first window must not wait for it; the calls made in the
// meantime are queued and reach the back end in their order once it is ready. The thread can
// also hold off making it until told, so that not even loading FluidSynth competes with the
// first window for the machine.

#include "platform/music_output.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform
{

class MusicWorker final : public MusicOutput
{
public:
    using Factory = std::function<std::unique_ptr<MusicOutput>()>; // null: silence

    enum class Start { Now, WhenTold };
    explicit MusicWorker(Factory make, Start start = Start::Now);
    // Lets the step in hand finish, drops the rest and joins the thread; the back end is
    // destroyed on the thread that made it.
    ~MusicWorker() override;
    MusicWorker(const MusicWorker &) = delete;
    MusicWorker &operator=(const MusicWorker &) = delete;

    void load(const QString &path) override;
    void playFromStart() override;
    void stop() override;
    void unload() override;

    // Lets the thread make the back end (Start::WhenTold); later calls change nothing.
    void begin();

    enum class State { Starting, Ready, Silent };
    State state() const;
    // True once the back end is made (or found missing) and every queued call has reached it.
    bool waitUntilIdle(std::chrono::milliseconds timeout) const;

private:
    using Step = std::function<void(MusicOutput &)>;
    void post(Step step);
    void run(Factory make);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::deque<Step> m_steps;
    bool m_busy = false; // a step is being carried out
    bool m_quitting = false;
    bool m_begun = false;
    State m_state = State::Starting;
    std::thread m_thread; // last: starts after everything it uses
};

} // namespace platform
