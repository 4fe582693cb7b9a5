#pragma once
// One round of the game as a typed model: the board of the chosen picture, the clicks, the
// two second counters, the sequencer that takes the round from the whole picture through the
// shuffle to play, the status line, and what the round knows of shortest solutions (the
// fewest clicks the board needed when play opened, a shortest path for the hint). Plain C++:
// the game window shows this model and forwards its input, its timers' ticks and the
// solver's answers here; every operation says what it changed.

#include "core/board.h"
#include "core/shuffler.h"
#include "core/solver.h"
#include "session/game_result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace session
{

// What the status line says.
// (The ...Hint values are the buttons' hover texts; HintHint is the hint button's.)
enum class Status { Done, Disordering, RestartHint, StopHint, BackHint, BannerHint, HintHint };

// What the pointer is over, for the status line.
enum class Hover { Background, Restart, Stop, Back, Banner, Hint };

// How often each timer of the round ticks, in milliseconds; 0 is off. The window runs its
// timers at these intervals and forwards their ticks.
struct TimerIntervals {
    int shuffle = 0;      // one shuffle step per tick
    int sequencer = 0;    // one sequencer tick
    int gameClock = 0;    // a poll of the time of day for the seconds of play
    int musicClock = 200; // a poll of the time of day for the music's seconds
    friend bool operator==(const TimerIntervals &, const TimerIntervals &) = default;
};

// What one operation changed, so the window updates only that.
class Changes
{
public:
    enum Flag : unsigned {
        Board = 1u << 0,
        Clicks = 1u << 1,
        PlayTime = 1u << 2,
        Status = 1u << 3,
        Timers = 1u << 4,
        Tiles = 1u << 5,        // the tiles started or stopped taking clicks
        RestartMusic = 1u << 6, // stop the music and play it again from its start
        Finished = 1u << 7,     // the picture is complete: result() is final
        Solve = 1u << 8,        // the boards to solve (solvesWanted) changed
        Hint = 1u << 9,         // the hint started or stopped waiting for the solver
    };
    Changes() = default;
    Changes(Flag flag) : m_bits(flag) {}
    bool has(Flag flag) const { return (m_bits & flag) != 0; }
    bool none() const { return m_bits == 0; }
    Changes &operator|=(Changes other)
    {
        m_bits |= other.m_bits;
        return *this;
    }
    friend Changes operator|(Changes a, Changes b) { return a |= b; }

private:
    unsigned m_bits = 0;
};

inline Changes operator|(Changes::Flag a, Changes::Flag b)
{
    return Changes(a) | Changes(b);
}

class Round
{
public:
    static constexpr int kNewGameTickMs = 1000; // a new game: shuffle from 1 s, play at 15 s
    static constexpr int kRestartTickMs = 500;  // a restart: twice as fast
    static constexpr int kShuffleStartsAt = 1;  // sequencer ticks
    static constexpr int kShuffleStopsAt = 14;
    static constexpr int kPlayOpensAt = 15;
    static constexpr int kStepMs = 1;             // shuffle steps as fast as the timer goes
    static constexpr int kStepsPerSecond = 64;    // about what that is: one per 15.6 ms
    static constexpr int kPollMs = 1;             // clock polls as fast as the timer goes
    static constexpr int kMaxPlaySeconds = 36000; // ten hours: the clock stops at "600:00"
    static constexpr int kMusicRepeatSecond = 409;

    explicit Round(core::Level level);
    /* 1 <= picture <= core::kPictureCount: a built-in picture, on its level's board */
    explicit Round(int picture) : Round(core::levelOfPicture(picture)) {}

    // The window is shown with the whole picture: the sequencer starts, one tick a second.
    Changes start();
    // One tick of the sequencer: the shuffle starts at the first, stops at the fourteenth,
    // and at the fifteenth play opens ("Done", tiles enabled, game clock on, sequencer off).
    // Steps the shuffle timer did not manage since the last tick are made up here.
    Changes sequencerTick(core::RandomSource &random);
    // One shuffle step: the blank walks one cell in a drawn direction (or stays at an edge).
    // Each sequencer interval has a fixed number of steps (kStepsPerSecond of its length),
    // however often the timer manages to tick, so a seed replays the walk exactly.
    Changes shuffleStep(core::RandomSource &random);
    // A click on numbered tile k: a neighbour of the blank slides; then, moved or not, the
    // completion check. A complete picture finishes the round.
    /* 1 <= k <= board().numberedTiles() */
    Changes clickTile(int k);
    // A slide by direction (the keyboard): the tile that would slide that way, as if clicked.
    Changes slide(core::Slide direction);
    // Polls of the time of day ("HH:MM:SS"): each change of the text counts one second.
    Changes pollGameClock(std::string_view timeOfDay);
    Changes pollMusicClock(std::string_view timeOfDay);
    // The restart button: time and clicks back to zero, the sequencer again at twice the pace
    // from wherever its count stands and from the board as it is.
    Changes restart();
    // The stop button's question: both clocks pause and the music's seconds start again.
    Changes pauseForStopQuestion();
    // The question answered Cancel: both clocks go on (also before play has opened).
    Changes resumeAfterStopQuestion();
    // The pointer moved over one of the window's elements.
    Changes hover(Hover target);
    // The window goes: nothing ticks any more, and no solve is wanted.
    Changes leave();

    // The hint: the tile of a shortest solution's next move slides, as a click, from the
    // board as it stands; at once on a known shortest path, otherwise once the solver has
    // answered for this board (hintBusy() meanwhile). Nothing before play opens or during a
    // restart's shuffle. A game with a hint sets no record.
    Changes hint();
    // The solver's answer for `board`, one of solvesWanted(): a shortest solution of it.
    // Play's first board gives the fewest clicks of the game; a hint waiting for this board
    // makes its move. Answers for boards no longer wanted change nothing.
    Changes solved(const core::Board &board, const core::Solution &solution);
    // The boards the round wants solved now (at most two: the one play opened on, and the one
    // a hint waits for); a solve for any other board may be abandoned.
    std::vector<core::Board> solvesWanted() const;

    core::Level level() const { return m_board.level(); }
    const core::Board &board() const { return m_board; }
    int clicks() const { return m_clicks; }
    int playSeconds() const { return m_playSeconds; }
    // The time as the window shows it: "0" until the first second is counted, then MM:SS.
    std::string playTimeText() const;
    int musicSeconds() const { return m_musicSeconds; }
    int musicRestarts() const { return m_musicRestarts; }
    std::int16_t sequencerCount() const { return m_sequencerCount; }
    const TimerIntervals &timers() const { return m_timers; }
    bool tilesEnabled() const { return m_tilesEnabled; }
    Status status() const { return m_status; }
    int lastDirection() const { return m_lastDirection; } // of the last shuffle step
    bool finished() const { return m_finished; }
    bool hintBusy() const { return m_hintWaitsOn.has_value(); }
    bool hintUsed() const { return m_hintUsed; }
    // How few clicks the board needed when play last opened, once the solver has said.
    std::optional<int> shortestClicks() const { return m_shortest; }
    GameResult result() const { return {level(), m_playSeconds, m_clicks, m_hintUsed, m_shortest}; }

private:
    Changes setTimers(const TimerIntervals &timers);
    Changes step(core::RandomSource &random);
    Changes makeUpSteps(core::RandomSource &random);
    Changes setStatus(Status status);
    Changes finish();
    Changes checkCompletion();
    bool onKeptPath() const;
    Changes forgetSolves();

    core::Board m_board;
    int m_clicks = 0;
    int m_playSeconds = 0;
    bool m_playTimeCounted = false;
    bool m_timingUnseen = false; // counting the seconds since a restart, shown as "0"
    std::optional<std::string> m_lastGameClockText; // the time of day its last poll saw
    int m_musicSeconds = 0;
    int m_musicRestarts = 0;
    std::optional<std::string> m_lastMusicClockText;
    std::int16_t m_sequencerCount = 0;
    int m_stepsLeft = 0; // of the current sequencer interval
    TimerIntervals m_timers;
    bool m_tilesEnabled = false;
    Status m_status = Status::Done;
    int m_lastDirection = 1;
    bool m_finished = false;

    std::optional<core::Board> m_openedOn;    // play's first board, while its solve is awaited
    std::optional<int> m_shortest;            // the clicks that board needed
    std::optional<core::Board> m_hintWaitsOn; // the board a pressed hint waits to be solved
    bool m_hintUsed = false;
    // A shortest solution of m_pathAt is m_path from m_pathNext on; every board along it has
    // the rest as one, so following it by hint or by hand keeps it.
    core::Board m_pathAt;
    std::vector<int> m_path;
    std::size_t m_pathNext = 0;
};

} // namespace session
