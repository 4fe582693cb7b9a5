#pragma once
// The game window: the board of one round with its status line, time and click counters, the
// restart, stop, back and hint buttons and the banner. It shows a session::Round and forwards
// the player's input, its timers' ticks and the solver's answers to it; every way out of a
// game closes it, and the next game makes a new one.

#include "session/banner.h"
#include "session/round.h"
#include "windows/game/game_pictures.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace core
{
class RandomSource;
}

namespace platform
{
class Desktop;
class Label;
class MusicPlayer;
class Picture;
class ShortestSolver;
class SolveJob;
class TimeSource;
class Timer;
} // namespace platform

namespace windows
{

// What a game window takes from outside; it keeps references, so they must outlive it.
struct GameServices {
    platform::TimeSource &clock;
    core::RandomSource &random;
    platform::MusicPlayer &music;
    platform::Desktop &desktop;
    platform::ShortestSolver &solver;
};

class GameWindow : public QWidget
{
    Q_OBJECT
public:
    /* pictures.ok(), cut for the level's board */
    GameWindow(core::Level level, const GamePictures &pictures, const GameServices &services,
               QWidget *parent = nullptr);
    /* 1 <= picture <= core::kPictureCount: a built-in picture, on its level's board */
    GameWindow(int picture, const GamePictures &pictures, const GameServices &services,
               QWidget *parent = nullptr)
        : GameWindow(core::levelOfPicture(picture), pictures, services, parent)
    {
    }
    ~GameWindow() override;

    const session::Round &round() const { return m_round; }

    // For tools that drive a round without waiting for it (the benchmarks): the window's
    // timers, to fire their ticks, and its tile elements (0: the blank tile).
    enum class RoundTimer { Shuffle, Sequencer, GameClock, MusicClock, Banner };
    platform::Timer *timer(RoundTimer which) const;
    platform::Picture *tileElement(int k) const { return m_tiles.at(static_cast<std::size_t>(k)); }

    // The round begins: the whole picture for a second, then the shuffle, then play.
    void start();
    // The window goes: nothing of it ticks any more, and it closes.
    void leave();

Q_SIGNALS:
    void backRequested();
    void stopConfirmed();
    void finished(const session::GameResult &result);

protected:
    void closeEvent(QCloseEvent *event) override;
    // The arrows slide the tile beside the blank that way (Up: the one below it), one click
    // each under the same rules; H is the hint, Escape Stop, Ctrl+R Restart, Backspace Back.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createBoard(const GamePictures &pictures);
    void createLabels();
    void createButtons();
    void createBanner();
    void createTimers();

    void apply(session::Changes changes);
    void placeTiles();
    void showStatus();
    void applyTimers();
    void enableTiles();
    void showHint();
    void followSolves();
    void awaitShortest();
    void nameCounters();
    QString bannerAddress() const; // empty before the banner's first picture change
    QString bannerName() const;    // for a reader: the address, or what the banner is

    void onTileClicked(int k);
    void onRestartClicked();
    void onHintClicked();
    void onStopClicked();
    void onBannerTick();
    void onBannerClicked();

    session::Round m_round;
    session::Banner m_bannerCycle;
    platform::TimeSource &m_clock;
    core::RandomSource &m_random;
    platform::MusicPlayer &m_music;
    platform::Desktop &m_desktop;
    platform::ShortestSolver &m_solver;
    bool m_leaving = false;

    platform::Picture *m_background = nullptr;
    platform::Picture *m_preview = nullptr;
    std::vector<platform::Picture *> m_tiles; // [0] the blank tile, [k] numbered tile k
    platform::Label *m_statusLine = nullptr;
    platform::Label *m_timeCounter = nullptr;
    platform::Label *m_clickCounter = nullptr;
    platform::Picture *m_stopButton = nullptr;
    platform::Picture *m_backButton = nullptr;
    platform::Picture *m_restartButton = nullptr;
    platform::Picture *m_hintButton = nullptr;
    platform::Picture *m_banner = nullptr;
    std::array<QPixmap, 4> m_bannerPictures;
    platform::Timer *m_shuffleTimer = nullptr;
    platform::Timer *m_sequencerTimer = nullptr;
    platform::Timer *m_gameClockTimer = nullptr;
    platform::Timer *m_musicClockTimer = nullptr;
    platform::Timer *m_bannerTimer = nullptr;

    // The solves under way, one for each board the round wants solved.
    struct Solving {
        core::Board board;
        std::unique_ptr<platform::SolveJob> job;
    };
    std::vector<Solving> m_solving;
};

} // namespace windows
