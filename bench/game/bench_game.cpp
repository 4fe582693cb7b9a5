// Benchmarks of the game window, and a driver that shows it for a screenshot.
//
//   bench_game look <picture> [seconds]         the window after its shuffle, left on screen
//   bench_game play [runs]                      "Play" to the painted board, ms per run
//   bench_game own <picture file> [runs]        the same for a picture of the player's own,
//                                               and the process's peak memory (VmHWM)
//   bench_game idle [seconds]                   CPU in play after "Done", music off
//   bench_game click [clicks]                   CPU per tile click, repaint included
//   bench_game shuffle [seconds]                shuffle steps per second and their CPU
//
// The data tree comes from PUZZLE_PROGRAM_DIR (the built game folder by default).

#include "core/shuffler.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/display.h"
#include "platform/elements.h"
#include "platform/sequencer_music.h"
#include "platform/shortest_solver.h"
#include "resources/resources.h"
#include "windows/game/game_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

using windows::GameWindow;

// What the window takes from outside: the real clock, randomness and solver, silent music.
struct Outside {
    platform::DataTree tree{
        qEnvironmentVariable("PUZZLE_PROGRAM_DIR", QStringLiteral(PUZZLE_PROGRAM_DIR))};
    platform::SystemClock clock;
    core::SeededRandom random{20261209};
    platform::SequencerMusic music{tree.menuMusic(), tree.gameMusic(), nullptr};
    platform::SystemDesktop desktop;
    platform::ThreadedSolver solver;
};
Outside *outside = nullptr;

// What Play does: the pictures read and cut, the window made, started and shown.
GameWindow *startGame(int picture, const QString &ownFile = {})
{
    const windows::GamePictures pictures = ownFile.isEmpty()
                                               ? windows::loadGamePictures(outside->tree, picture)
                                               : windows::loadGamePictures(ownFile);
    if (!pictures.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(pictures.problem));
        std::exit(2);
    }
    auto *f = new GameWindow(
        pictures.level, pictures,
        {outside->clock, outside->random, outside->music, outside->desktop, outside->solver});
    f->start();
    f->show();
    return f;
}

using Which = GameWindow::RoundTimer;

platform::Timer *timer(GameWindow *f, Which which)
{
    return f->timer(which);
}

// Runs the round to "Done" without waiting for its fifteen seconds.
void skipToPlay(GameWindow *f, int steps)
{
    timer(f, Which::Sequencer)->fire();
    for (int i = 0; i < steps; ++i)
        timer(f, Which::Shuffle)->fire();
    while (timer(f, Which::Sequencer)->isRunning())
        timer(f, Which::Sequencer)->fire();
}

class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// BENCH_PAINTS=1 lists every paint of the window's elements on stderr.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QWidget *window)
    {
        if (!window || !qEnvironmentVariableIsSet("BENCH_PAINTS"))
            return;
        window->installEventFilter(this);
        for (QWidget *w : window->findChildren<QWidget *>())
            w->installEventFilter(this);
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            const QRect r = static_cast<QPaintEvent *>(e)->rect();
            std::fprintf(stderr, "paint %s %dx%d\n", qPrintable(o->objectName()), r.width(),
                         r.height());
        }
        return false;
    }
};

int look(int picture, int seconds)
{
    GameWindow *f = startGame(picture);
    skipToPlay(f, 800);
    timer(f, Which::Banner)->fire();
    runFor(seconds * 1000);
    return 0;
}

// Milliseconds from "Play" to the first paint of the blank tile.
double playToBoard(int picture, const QString &ownFile = {})
{
    QElapsedTimer t;
    t.start();
    GameWindow *f = startGame(picture, ownFile);
    PaintWatch watch;
    platform::Picture *blank = f->tileElement(0);
    blank->installEventFilter(&watch);
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = t.nsecsElapsed() / 1e6;
    blank->removeEventFilter(&watch);
    delete f;
    runFor(50);
    return ms;
}

int play(int runs)
{
    std::vector<double> times[2];
    for (int i = 0; i < runs; ++i)
        for (int level = 0; level < 2; ++level)
            times[level].push_back(playToBoard(level ? 28 : 1));
    std::printf("play to painted board: Normal median %.1f ms, Hard median %.1f ms (%d runs)\n",
                median(times[0]), median(times[1]), runs);
    return 0;
}

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

int own(const QString &file, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(playToBoard(0, file));
    std::printf("own picture to painted board: median %.1f ms (%d runs), peak memory %.1f MB\n",
                median(times), runs, peakKilobytes() / 1024.0);
    return 0;
}

int idle(int seconds)
{
    GameWindow *f = startGame(1);
    skipToPlay(f, 300);
    runFor(1500); // let the first paints and polls pass
    // Switches to find where the time goes.
    if (qEnvironmentVariableIsSet("BENCH_HIDE"))
        f->hide();
    if (qEnvironmentVariableIsSet("BENCH_NO_BANNER"))
        timer(f, Which::Banner)->setInterval(0);
    if (qEnvironmentVariableIsSet("BENCH_NO_CLOCKS")) {
        timer(f, Which::MusicClock)->setInterval(0);
        timer(f, Which::GameClock)->setInterval(0);
    }
    if (qEnvironmentVariableIsSet("BENCH_DELETE")) {
        delete f;
        f = nullptr;
    }
    PaintLog paintLog(f);
    const double cpu0 = cpuMs();
    QElapsedTimer t;
    t.start();
    runFor(seconds * 1000);
    const double cpu = cpuMs() - cpu0;
    std::printf("idle in play: %.2f ms CPU in %.1f s = %.3f %% of a core; clock reads %s\n", cpu,
                t.elapsed() / 1e3, 100.0 * cpu / t.elapsed(),
                f ? f->round().playTimeText().c_str() : "-");
    return 0;
}

void click(QWidget *w)
{
    const QPointF at = QPointF(w->rect().center());
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
}

int clicks(int count)
{
    GameWindow *f = startGame(1);
    skipToPlay(f, 400);
    runFor(300);
    // A tile beside the blank goes back and forth; the board never comes home.
    platform::Picture *mover = nullptr;
    for (int k = 1; k <= 11 && !mover; ++k) {
        core::Board trial = f->round().board();
        if (core::slideTile(trial, k) != core::Slide::None && !core::isSolved(trial))
            mover = f->tileElement(k);
    }
    if (!mover || core::isSolved(f->round().board())) {
        std::fprintf(stderr, "the shuffle left no usable tile; run again\n");
        return 2;
    }
    const double cpu0 = cpuMs();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count; ++i) {
        click(mover);
        QCoreApplication::processEvents(); // the repaint belongs to the click
    }
    const double cpu = cpuMs() - cpu0;
    std::printf("clicks: %d in %.0f ms wall, %.3f ms CPU per click; clicks counted %d\n", count,
                t.nsecsElapsed() / 1e6, cpu / count, f->round().clicks());
    return 0;
}

int shuffle(int seconds)
{
    GameWindow *f = startGame(28);
    runFor(300);
    int steps = 0;
    platform::Timer *stepper = timer(f, Which::Shuffle);
    QObject::connect(stepper, &platform::Timer::tick, [&steps] { ++steps; });
    // The shuffle phase runs as long as we measure: the sequencer starts it and is then held.
    timer(f, Which::Sequencer)->fire();
    timer(f, Which::Sequencer)->setInterval(0);
    PaintLog paintLog(f);
    const double cpu0 = cpuMs();
    QElapsedTimer t;
    t.start();
    runFor(seconds * 1000);
    const double cpu = cpuMs() - cpu0;
    stepper->setInterval(0);
    std::printf("shuffle: %.1f steps/s, %.2f %% of a core\n", steps * 1e3 / t.elapsed(),
                100.0 * cpu / t.elapsed());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    platform::prepareDisplayConnection(); // as the game does
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    resources::init();
    platform::installFontSubstitutions();
    Outside real; // music off: only the window is measured
    outside = &real;

    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    const auto number = [&](int i, int fallback) {
        return args.size() > i ? args[i].toInt() : fallback;
    };
    if (mode == QLatin1String("look"))
        return look(number(2, 1), number(3, 5));
    if (mode == QLatin1String("play"))
        return play(number(2, 9));
    if (mode == QLatin1String("own") && args.size() > 2)
        return own(args[2], number(3, 9));
    if (mode == QLatin1String("idle"))
        return idle(number(2, 20));
    if (mode == QLatin1String("click"))
        return clicks(number(2, 500));
    if (mode == QLatin1String("shuffle"))
        return shuffle(number(2, 5));
    std::fprintf(stderr, "usage: bench_game look|play|idle|click|shuffle [...]\n");
    return 1;
}
