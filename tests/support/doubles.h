#pragma once
// Doubles for everything the game takes from outside, so tests drive time, randomness,
// music and the desktop's dialogs themselves.

#include "core/shuffler.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/music_player.h"
#include "platform/shortest_solver.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

#include <deque>
#include <functional>
#include <vector>

namespace testing
{

// Moved by hand, a whole second at a time.
class FakeClock final : public platform::TimeSource
{
public:
    QString timeText() const override { return text; }
    int msToNextSecond() const override { return 1000; }
    void advance(int seconds = 1);
    QString text = QStringLiteral("12:00:00");
};

// Plays back the given r values in turn, then 0 for ever: direction 5, a step that moves
// nothing, so the steps a sequencer tick makes up leave a scripted walk as it is.
class ScriptedRandom final : public core::RandomSource
{
public:
    double draw() override;
    std::deque<double> values;
    int draws = 0;
};

// r values for RandomNumber(0, 5): each picks one direction of the blank's walk.
inline constexpr double kUp = 0.9;    // 1
inline constexpr double kDown = 0.6;  // 2
inline constexpr double kThree = 0.4; // 3: left on Normal, right on Hard
inline constexpr double kFour = 0.1;  // 4: right on Normal, left on Hard

// Records every call, in words: "open menu", "open game", "play", "stop", "close".
class RecordingMusic final : public platform::MusicPlayer
{
public:
    void open(platform::Tune tune) override;
    void playFromStart() override { calls << QStringLiteral("play"); }
    void stop() override { calls << QStringLiteral("stop"); }
    void close() override { calls << QStringLiteral("close"); }
    QStringList calls;
};

// Answers the stop question with `answerOk` (or `ask`), and remembers everything it was asked.
class FakeDesktop final : public platform::Desktop
{
public:
    bool askOkCancel(QWidget *owner, const QString &text, const QString &title) override;
    void tell(QWidget *owner, const QString &text, const QString &title) override;
    void reportFatal(const QString &message) override
    {
        fatal << message;
        if (whileReporting)
            whileReporting();
    }
    void openUrl(QWidget *owner, const QString &url) override;
    QStringList choosePictures(QWidget *) override { return chosen; }

    bool answerOk = true;
    QStringList chosen; // what the file dialog answers
    std::function<bool(QWidget *owner, const QString &text, const QString &title)> ask;
    std::function<void()> whileReporting; // runs while the fatal report is on screen
    QStringList questions;
    QStringList told;
    QStringList fatal;
    QStringList opened;
    QList<QWidget *> openedFrom;
};

// Answers a solve only when the test says so (answer(): every one under way, with the real
// solver's solution); a win's wait finds one only when `answersWithinWait`.
class HeldSolver final : public platform::ShortestSolver
{
public:
    std::unique_ptr<platform::SolveJob> solve(const core::Board &board, Answer answer) override;
    int answer(); // how many it answered
    int underWay() const { return static_cast<int>(m_open.size()); }
    bool answersWithinWait = false;

private:
    struct Job;
    std::vector<Job *> m_open;
};

// The built program folder with its data tree.
QString builtProgramDir();

// Closes and deletes every top-level window a test left behind.
void closeAllWindows();

// Sends the window the close event a window manager sends (Alt+F4, the title bar's button):
// a spontaneous one, which a window may treat otherwise than the program's own close().
// True when the window accepted it.
bool closeAsTheWindowManagerDoes(QWidget *window);

} // namespace testing
