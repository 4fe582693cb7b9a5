#include "platform/music_worker.h"

namespace platform
{

MusicWorker::MusicWorker(Factory make, Start start)
    : m_begun(start == Start::Now), m_thread([this, make = std::move(make)] { run(make); })
{
}

MusicWorker::~MusicWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_quitting = true;
        m_steps.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void MusicWorker::post(Step step)
{
    {
        std::lock_guard lock(m_mutex);
        m_steps.push_back(std::move(step));
    }
    m_changed.notify_all();
}

void MusicWorker::load(const QString &path)
{
    post([path](MusicOutput &out) { out.load(path); });
}

void MusicWorker::playFromStart()
{
    post([](MusicOutput &out) { out.playFromStart(); });
}

void MusicWorker::stop()
{
    post([](MusicOutput &out) { out.stop(); });
}

void MusicWorker::unload()
{
    post([](MusicOutput &out) { out.unload(); });
}

void MusicWorker::begin()
{
    {
        std::lock_guard lock(m_mutex);
        m_begun = true;
    }
    m_changed.notify_all();
}

MusicWorker::State MusicWorker::state() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

bool MusicWorker::waitUntilIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(
        lock, timeout, [this] { return m_state != State::Starting && m_steps.empty() && !m_busy; });
}

void MusicWorker::run(Factory make)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_begun || m_quitting; });
    if (!m_begun) // ended before it was told to begin: nothing was loaded, nothing to undo
        return;
    lock.unlock();
    std::unique_ptr<MusicOutput> output = make ? make() : nullptr;
    lock.lock();
    m_state = output ? State::Ready : State::Silent;
    m_changed.notify_all();
    for (;;) {
        m_changed.wait(lock, [this] { return m_quitting || !m_steps.empty(); });
        if (m_quitting)
            break;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (output) {
            m_busy = true;
            lock.unlock();
            step(*output);
            lock.lock();
            m_busy = false;
        }
        m_changed.notify_all();
    }
    lock.unlock();
    output.reset();
}

} // namespace platform
