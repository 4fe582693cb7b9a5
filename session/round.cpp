#include "session/round.h"

#include "core/numeric_text.h"

#include <algorithm>

namespace session
{

Round::Round(core::Level level) : m_board(level), m_pathAt(level) {}

Changes Round::setTimers(const TimerIntervals &timers)
{
    if (timers == m_timers)
        return {};
    m_timers = timers;
    return Changes::Timers;
}

Changes Round::setStatus(Status status)
{
    if (status == m_status)
        return {};
    m_status = status;
    return Changes::Status;
}

Changes Round::start()
{
    TimerIntervals t = m_timers;
    t.sequencer = kNewGameTickMs;
    return setTimers(t);
}

Changes Round::sequencerTick(core::RandomSource &random)
{
    if (m_timers.sequencer == 0 || m_finished)
        return {};
    Changes changes = makeUpSteps(random);
    ++m_sequencerCount;
    TimerIntervals t = m_timers;
    if (m_sequencerCount == kShuffleStartsAt)
        t.shuffle = kStepMs;
    if (m_sequencerCount == kShuffleStopsAt)
        t.shuffle = 0;
    // The steps of the interval that begins now; a restart changes the pace of the intervals
    // after the one it falls in.
    m_stepsLeft = t.shuffle != 0 ? m_timers.sequencer * kStepsPerSecond / 1000 : 0;
    if (m_sequencerCount == kPlayOpensAt) {
        m_sequencerCount = 0;
        changes |= setStatus(Status::Done);
        if (!m_tilesEnabled) {
            m_tilesEnabled = true;
            changes |= Changes::Tiles;
        }
        t.gameClock = kPollMs;
        t.sequencer = 0;
        // The fewest clicks of this game, worked out while the player plays; a kept path
        // that stands on this board already knows them.
        if (core::isSolved(m_board)) {
            m_shortest = 0;
        } else if (onKeptPath()) {
            m_shortest = static_cast<int>(m_path.size() - m_pathNext);
        } else {
            m_openedOn = m_board;
            changes |= Changes::Solve;
        }
        if (m_timingUnseen) {
            // Play opens again: the clock the player sees starts from nothing.
            m_timingUnseen = false;
            m_playSeconds = 0;
            m_lastGameClockText.reset();
        }
    }
    return changes | setTimers(t);
}

Changes Round::shuffleStep(core::RandomSource &random)
{
    if (m_timers.shuffle == 0 || m_finished || m_stepsLeft == 0)
        return {};
    --m_stepsLeft;
    return step(random);
}

Changes Round::makeUpSteps(core::RandomSource &random)
{
    Changes changes;
    for (; m_stepsLeft > 0; --m_stepsLeft)
        changes |= step(random);
    return changes;
}

Changes Round::step(core::RandomSource &random)
{
    Changes changes = setStatus(Status::Disordering);
    m_lastDirection = core::drawDirection(random);
    // A step that lands on the solved picture does not end the game: only a click does.
    if (core::shuffleMove(m_board, m_lastDirection))
        changes |= Changes::Board;
    return changes;
}

Changes Round::clickTile(int k)
{
    if (!m_tilesEnabled || m_finished || k < 1 || k > m_board.numberedTiles())
        return {};
    Changes changes;
    const bool alongPath = onKeptPath() && m_path[m_pathNext] == k;
    if (core::slideTile(m_board, k) != core::Slide::None) {
        ++m_clicks;
        changes |= Changes::Board | Changes::Clicks;
        if (alongPath) {
            m_pathAt = m_board;
            ++m_pathNext;
        }
        // The player moved on before the hint came: the board it was for is gone.
        if (m_hintWaitsOn && *m_hintWaitsOn != m_board) {
            m_hintWaitsOn.reset();
            changes |= Changes::Hint | Changes::Solve;
        }
    }
    return changes | checkCompletion();
}

Changes Round::checkCompletion()
{
    // Even a click that moves nothing asks: a shuffle may have ended on the solved picture.
    return core::isSolved(m_board) ? finish() : Changes();
}

bool Round::onKeptPath() const
{
    return m_pathNext < m_path.size() && m_board == m_pathAt;
}

Changes Round::hint()
{
    // Play has not opened, or opens again after a restart's shuffle: no hint.
    if (!m_tilesEnabled || m_finished || m_timers.sequencer != 0)
        return {};
    if (onKeptPath()) {
        m_hintUsed = true;
        return clickTile(m_path[m_pathNext]);
    }
    if (core::isSolved(m_board)) {
        // Nothing to slide: the hint is the click that finds the picture whole.
        m_hintUsed = true;
        return checkCompletion();
    }
    if (m_hintWaitsOn)
        return {}; // already waiting for this board
    m_hintWaitsOn = m_board;
    return Changes::Hint | Changes::Solve;
}

Changes Round::solved(const core::Board &board, const core::Solution &solution)
{
    const bool opening = m_openedOn == board;
    const bool hinted = m_hintWaitsOn == board;
    if (!opening && !hinted)
        return {};
    Changes changes = Changes::Solve;
    if (opening) {
        m_shortest = solution.length();
        m_openedOn.reset();
    }
    if (!onKeptPath()) {
        m_pathAt = board;
        m_path = solution.tiles;
        m_pathNext = 0;
    }
    if (hinted) {
        m_hintWaitsOn.reset();
        changes |= Changes::Hint | hint();
    }
    return changes;
}

std::vector<core::Board> Round::solvesWanted() const
{
    std::vector<core::Board> wanted;
    if (m_openedOn)
        wanted.push_back(*m_openedOn);
    if (m_hintWaitsOn && m_hintWaitsOn != m_openedOn)
        wanted.push_back(*m_hintWaitsOn);
    return wanted;
}

Changes Round::forgetSolves()
{
    Changes changes;
    if (m_openedOn || m_hintWaitsOn)
        changes |= Changes::Solve;
    if (m_hintWaitsOn)
        changes |= Changes::Hint;
    m_openedOn.reset();
    m_hintWaitsOn.reset();
    return changes;
}

Changes Round::slide(core::Slide direction)
{
    const int k = core::tileThatSlides(m_board, direction);
    return k == 0 ? Changes() : clickTile(k);
}

Changes Round::finish()
{
    m_finished = true;
    m_stepsLeft = 0;
    // The solve of play's first board may still answer, for the fewest clicks; no hint will.
    Changes changes;
    if (m_hintWaitsOn) {
        m_hintWaitsOn.reset();
        changes |= Changes::Hint | Changes::Solve;
    }
    // The result is final from here on: neither clock may add a second to it, and a shuffle
    // still under way (the picture completed during a restart's) must not take it apart again.
    return changes | Changes::Finished | setTimers({0, 0, 0, 0});
}

Changes Round::pollGameClock(std::string_view timeOfDay)
{
    if (m_timers.gameClock == 0 || m_lastGameClockText == timeOfDay)
        return {};
    m_lastGameClockText = std::string(timeOfDay);
    m_playSeconds = std::min(m_playSeconds + 1, kMaxPlaySeconds);
    if (m_timingUnseen)
        return {};
    m_playTimeCounted = true;
    return Changes::PlayTime;
}

Changes Round::pollMusicClock(std::string_view timeOfDay)
{
    if (m_timers.musicClock == 0 || m_lastMusicClockText == timeOfDay)
        return {};
    m_lastMusicClockText = std::string(timeOfDay);
    ++m_musicSeconds;
    // Only the second that reaches the mark: the count runs on past it, so the music starts
    // again once, not every 409 seconds.
    if (m_musicSeconds != kMusicRepeatSecond)
        return {};
    ++m_musicRestarts;
    return Changes::RestartMusic;
}

std::string Round::playTimeText() const
{
    return m_playTimeCounted ? core::minutesSeconds(m_playSeconds) : std::string("0");
}

Changes Round::restart()
{
    if (m_finished)
        return {};
    // A new shuffle: a new game as far as the fewest clicks and the hint's mark go.
    Changes changes = forgetSolves();
    m_shortest.reset();
    m_hintUsed = false;
    if (m_clicks != 0) {
        m_clicks = 0;
        changes |= Changes::Clicks;
    }
    if (m_playSeconds != 0 || m_playTimeCounted) {
        m_playSeconds = 0;
        m_playTimeCounted = false;
        changes |= Changes::PlayTime;
    }
    TimerIntervals t = m_timers;
    // While the tiles take clicks the picture may be completed before play opens again:
    // the seconds since the restart are counted out of sight, so that such a game has its
    // real time. The player's clock shows "0" until play opens, as after any restart.
    t.gameClock = m_tilesEnabled ? kPollMs : 0;
    m_timingUnseen = m_tilesEnabled;
    t.sequencer = kRestartTickMs;
    return changes | setTimers(t);
}

Changes Round::pauseForStopQuestion()
{
    m_musicSeconds = 0;
    TimerIntervals t = m_timers;
    t.gameClock = 0;
    t.musicClock = 0;
    return setTimers(t);
}

Changes Round::resumeAfterStopQuestion()
{
    TimerIntervals t = m_timers;
    if (m_timingUnseen) {
        // The clock goes on in sight from here, from nothing, as it would have started.
        m_timingUnseen = false;
        m_playSeconds = 0;
    }
    // Both now poll as fast as the timer goes; the music clock counts the same seconds.
    t.gameClock = kPollMs;
    t.musicClock = kPollMs;
    return setTimers(t);
}

Changes Round::hover(Hover target)
{
    switch (target) {
    case Hover::Background:
        // The shuffle's own text stays while it runs; every step writes it again anyway.
        return m_status == Status::Disordering ? Changes() : setStatus(Status::Done);
    case Hover::Restart:
        return setStatus(Status::RestartHint);
    case Hover::Stop:
        return setStatus(Status::StopHint);
    case Hover::Back:
        return setStatus(Status::BackHint);
    case Hover::Banner:
        return setStatus(Status::BannerHint);
    case Hover::Hint:
        return setStatus(Status::HintHint);
    }
    return {};
}

Changes Round::leave()
{
    m_stepsLeft = 0;
    return forgetSolves() | setTimers({0, 0, 0, 0});
}

} // namespace session
