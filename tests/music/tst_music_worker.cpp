// The music thread: the first window never waits for the synthesiser, and what was asked of
// the music while it started still happens, in order.
#include "platform/music_device.h"
#include "platform/music_worker.h"
#include "platform/sequencer_music.h"

#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;
using platform::MusicOutput;
using platform::MusicWorker;

namespace
{

// A log that the music thread writes and the test reads.
struct SharedLog {
    std::mutex mutex;
    QStringList lines;
    bool destroyed = false;
    std::thread::id madeOn;

    void add(const QString &line)
    {
        std::lock_guard lock(mutex);
        lines << line;
    }
    QStringList read()
    {
        std::lock_guard lock(mutex);
        return lines;
    }
};

class LoggingOutput final : public MusicOutput
{
public:
    explicit LoggingOutput(std::shared_ptr<SharedLog> log) : m_log(std::move(log)) {}
    ~LoggingOutput() override
    {
        std::lock_guard lock(m_log->mutex);
        m_log->destroyed = true;
    }
    void load(const QString &path) override { m_log->add(u"load "_s + QFileInfo(path).fileName()); }
    void playFromStart() override { m_log->add(u"play from start"_s); }
    void stop() override { m_log->add(u"stop"_s); }
    void unload() override { m_log->add(u"unload"_s); }

private:
    std::shared_ptr<SharedLog> m_log;
};

// A back end that is not ready until the test says so, like a SoundFont still loading.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
};

MusicWorker::Factory gatedFactory(std::shared_ptr<SharedLog> log, std::shared_ptr<Gate> gate)
{
    return [log, gate]() -> std::unique_ptr<MusicOutput> {
        {
            std::lock_guard lock(log->mutex);
            log->madeOn = std::this_thread::get_id();
        }
        gate->opened.wait();
        return std::make_unique<LoggingOutput>(log);
    };
}

QString writeMidi(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray::fromHex("4d546864000000060000000101e04d54726b0000000400ff2f00"));
    return path;
}

} // namespace

class TestMusicWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsWaitForTheBackEndAndKeepTheirOrder();
    void startingReturnsBeforeTheBackEndIsReady();
    void withoutSoundEverythingStillAnswers();
    void endingWhileStartingLeavesNothingRunning();
    void theRealDeviceStartsAndStopsCleanly();
    void aDeferredDeviceWaitsForItsGoAhead();
    void aDeferredDeviceEndedUnbegunLoadsNothing();
    void goAheadOnceTheFirstWindowIsShown();
    void goAheadWithoutAWindow();
};

void TestMusicWorker::callsWaitForTheBackEndAndKeepTheirOrder()
{
    auto log = std::make_shared<SharedLog>();
    auto gate = std::make_shared<Gate>();
    MusicWorker worker(gatedFactory(log, gate));
    worker.load(u"/music/ZnIntro.mus"_s);
    worker.playFromStart();
    worker.stop();
    worker.unload();
    worker.load(u"/music/ZnGame.mus"_s);
    worker.playFromStart();

    QCOMPARE(worker.state(), MusicWorker::State::Starting);
    QVERIFY(log->read().isEmpty());
    gate->open.set_value();
    QVERIFY(worker.waitUntilIdle(std::chrono::seconds(10)));
    QCOMPARE(worker.state(), MusicWorker::State::Ready);
    const QStringList expected = {"load ZnIntro.mus", "play from start", "stop",
                                  "unload",           "load ZnGame.mus", "play from start"};
    QCOMPARE(log->read(), expected);
    QVERIFY(log->madeOn != std::this_thread::get_id());
}

// The device answers the game's commands at once, by the rules, while its back end is still
// being made; the sound follows when it is ready.
void TestMusicWorker::startingReturnsBeforeTheBackEndIsReady()
{
    QTemporaryDir dir;
    const QString menu = writeMidi(dir, u"ZnIntro.mus"_s);
    const QString game = writeMidi(dir, u"ZnGame.mus"_s);
    auto log = std::make_shared<SharedLog>();
    auto gate = std::make_shared<Gate>();

    // Were the back end made on this thread, this call would never return.
    auto device = std::make_unique<platform::SequencerMusic>(
        menu, game, platform::startMusicOutput(gatedFactory(log, gate)));
    device->open(platform::Tune::Menu);
    device->playFromStart();
    device->open(platform::Tune::Game); // the menu tune stays
    device->playFromStart();
    QCOMPARE(device->openTune(), std::optional(platform::Tune::Menu));
    QVERIFY(log->read().isEmpty());

    gate->open.set_value();
    const QStringList expected = {"load ZnIntro.mus", "play from start", "play from start"};
    QTRY_COMPARE_WITH_TIMEOUT(log->read(), expected, 10000);
    device.reset();
    QVERIFY(log->destroyed);
}

void TestMusicWorker::withoutSoundEverythingStillAnswers()
{
    QTemporaryDir dir;
    const QString menu = writeMidi(dir, u"ZnIntro.mus"_s);
    platform::SequencerMusic device(
        menu, menu, platform::startMusicOutput([] { return std::unique_ptr<MusicOutput>(); }));
    platform::startTune(device, platform::Tune::Menu);
    QVERIFY(device.isPlaying());
    platform::stopAndClose(device);
    QVERIFY(!device.openTune());

    MusicWorker worker([] { return std::unique_ptr<MusicOutput>(); });
    worker.playFromStart();
    QVERIFY(worker.waitUntilIdle(std::chrono::seconds(10)));
    QCOMPARE(worker.state(), MusicWorker::State::Silent);
}

// The program may end (or replace its device) before the SoundFont has loaded: the back end
// is still made and destroyed on its own thread, and no thread is left behind.
void TestMusicWorker::endingWhileStartingLeavesNothingRunning()
{
    auto log = std::make_shared<SharedLog>();
    auto gate = std::make_shared<Gate>();
    std::thread opener;
    {
        MusicWorker worker(gatedFactory(log, gate));
        worker.load(u"/music/ZnIntro.mus"_s);
        worker.playFromStart();
        opener = std::thread([gate] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            gate->open.set_value();
        });
    }
    opener.join();
    std::lock_guard lock(log->mutex);
    QVERIFY(log->destroyed);
}

// On this machine and on CI there is no audio device: the real device must still start at
// once, answer by the rules and end cleanly, however far its start has come.
void TestMusicWorker::theRealDeviceStartsAndStopsCleanly()
{
    QTemporaryDir dir;
    const QString menu = writeMidi(dir, u"ZnIntro.mus"_s);
    for (int i = 0; i < 3; ++i) {
        platform::SequencerMusic device(menu, menu, platform::startMusicOutput());
        platform::startTune(device, platform::Tune::Menu);
        device.stop();
        device.stop();
        device.close();
        device.stop();
        QVERIFY(!device.openTune());
    }
    // The program may end with the music still playing: the process must exit cleanly
    // (ctest sees any crash).
    static platform::SequencerMusic playing(menu, menu, platform::startMusicOutput());
    platform::startTune(playing, platform::Tune::Menu);
}

// The first window is built and shown before anything heavy starts: until the go-ahead the
// back end is not even made, and what the game asked for meanwhile still happens, in order.
void TestMusicWorker::aDeferredDeviceWaitsForItsGoAhead()
{
    QTemporaryDir dir;
    const QString menu = writeMidi(dir, u"ZnIntro.mus"_s);
    const QString game = writeMidi(dir, u"ZnGame.mus"_s);
    auto log = std::make_shared<SharedLog>();
    auto gate = std::make_shared<Gate>();
    gate->open.set_value(); // the back end would be ready at once
    MusicWorker worker(gatedFactory(log, gate), MusicWorker::Start::WhenTold);
    worker.load(menu);
    worker.playFromStart();
    worker.stop();
    worker.load(game);
    worker.playFromStart();
    QVERIFY(!worker.waitUntilIdle(std::chrono::milliseconds(20)));
    QCOMPARE(worker.state(), MusicWorker::State::Starting);
    {
        std::lock_guard lock(log->mutex);
        QVERIFY2(log->madeOn == std::thread::id(), "the back end was made before the go-ahead");
    }

    worker.begin();
    worker.begin();
    QVERIFY(worker.waitUntilIdle(std::chrono::seconds(10)));
    const QStringList expected = {"load ZnIntro.mus", "play from start", "stop", "load ZnGame.mus",
                                  "play from start"};
    QCOMPARE(log->read(), expected);

    // Through the player the game holds: it answers while nothing plays yet.
    auto later = std::make_shared<SharedLog>();
    auto deferred = platform::prepareMusicOutput(gatedFactory(later, gate));
    const auto begin = deferred.begin;
    platform::SequencerMusic music(menu, menu, std::move(deferred.output));
    platform::startTune(music, platform::Tune::Menu);
    QVERIFY(music.isPlaying());
    begin();
    const QStringList started = {"load ZnIntro.mus", "play from start"};
    QTRY_COMPARE_WITH_TIMEOUT(later->read(), started, 10000);
}

// A game that ends (or drops its device) before the go-ahead has loaded nothing and leaves no
// thread behind; a late go-ahead is harmless.
void TestMusicWorker::aDeferredDeviceEndedUnbegunLoadsNothing()
{
    std::atomic<bool> made = false;
    {
        MusicWorker worker(
            [&made] {
                made = true;
                return std::unique_ptr<MusicOutput>();
            },
            MusicWorker::Start::WhenTold);
        worker.playFromStart();
    }
    QVERIFY(!made);

    auto music = platform::prepareMusicOutput([&made] {
        made = true;
        return std::unique_ptr<MusicOutput>();
    });
    const auto begin = music.begin;
    music.output.reset();
    begin();
    QVERIFY(!made);
}

// The go-ahead comes once the first window is on screen, not when it is merely asked to show.
void TestMusicWorker::goAheadOnceTheFirstWindowIsShown()
{
    QWidget window;
    window.resize(200, 100);
    int calls = 0;
    bool exposedFirst = false;
    platform::afterFirstWindowShown(
        [&] {
            ++calls;
            exposedFirst = window.windowHandle() && window.windowHandle()->isExposed();
        },
        std::chrono::minutes(1));
    QCoreApplication::processEvents();
    QCOMPARE(calls, 0);
    window.show();
    QTRY_COMPARE(calls, 1);
    QVERIFY2(exposedFirst, "called before the window was exposed");

    QWidget second;
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
}

// A window that is never exposed (another workspace, say) must not keep the music off for good.
void TestMusicWorker::goAheadWithoutAWindow()
{
    int calls = 0;
    platform::afterFirstWindowShown([&] { ++calls; }, std::chrono::milliseconds(10));
    QTRY_COMPARE(calls, 1);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
}

QTEST_MAIN(TestMusicWorker)
#include "tst_music_worker.moc"
