#include "platform/music_device.h"

#include "platform/fluid_player.h"
#include "platform/music_worker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace platform
{

namespace
{

std::unique_ptr<MusicOutput> startGameOutput()
{
    FluidOptions options;
    options.soundFont = soundFontFromEnvironment();
    return startFluidOutput(options);
}

// The music player owns its output; the worker is shared with the go-ahead, which may
// outlive the player.
class SharedWorker final : public MusicOutput
{
public:
    explicit SharedWorker(std::shared_ptr<MusicWorker> worker) : m_worker(std::move(worker)) {}
    void load(const QString &path) override { m_worker->load(path); }
    void playFromStart() override { m_worker->playFromStart(); }
    void stop() override { m_worker->stop(); }
    void unload() override { m_worker->unload(); }

private:
    std::shared_ptr<MusicWorker> m_worker;
};

// Waits for the first window to be exposed; the callback runs once the exposure (and the
// paint it brings) has been handled.
class FirstExposure final : public QObject
{
public:
    FirstExposure(std::function<void()> then, std::chrono::milliseconds fallback)
        : QObject(QCoreApplication::instance()), m_then(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(fallback, this, [this] { fire(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow *>(watched)->isExposed())
            QTimer::singleShot(0, this, [this] { fire(); });
        return false;
    }

private:
    void fire()
    {
        if (!m_then)
            return;
        QCoreApplication::instance()->removeEventFilter(this);
        const auto then = std::move(m_then);
        m_then = nullptr;
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

} // namespace

std::unique_ptr<MusicOutput> startMusicOutput()
{
    return startMusicOutput(startGameOutput);
}

std::unique_ptr<MusicOutput> startMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make)
{
    // Calls return at once on the caller's thread; only the sound waits.
    return std::make_unique<MusicWorker>(std::move(make));
}

DeferredMusicOutput prepareMusicOutput()
{
    return prepareMusicOutput(startGameOutput);
}

DeferredMusicOutput prepareMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make)
{
    auto worker = std::make_shared<MusicWorker>(std::move(make), MusicWorker::Start::WhenTold);
    std::weak_ptr<MusicWorker> later = worker;
    return {std::make_unique<SharedWorker>(std::move(worker)), [later] {
                if (auto worker = later.lock())
                    worker->begin();
            }};
}

void afterFirstWindowShown(std::function<void()> then, std::chrono::milliseconds fallback)
{
    new FirstExposure(std::move(then), fallback);
}

} // namespace platform
