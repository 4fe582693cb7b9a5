#pragma once
// The two second counters of the game window. Each counts changes of the time-of-day text,
// so however often its timer polls, a second is counted once.

#include <QString>

namespace game_window
{

// Ten hours: the time of play stops there and shows "600:00".
inline constexpr long long kMaxPlaySeconds = 36000;

// The game music starts again once, this many seconds after the window was loaded.
inline constexpr long long kMusicRepeatSecond = 409;

/* current >= 0: the value of LbSecs before the new second */
long long nextPlaySeconds(double current);

// Minutes with at least two digits, ":", two digits of seconds ("00:01", "600:00").
QString playTimeText(long long seconds);

// Only the second that reaches the mark exactly: the counter runs on past it.
inline bool isMusicRepeat(double musicSeconds)
{
    return musicSeconds == kMusicRepeatSecond;
}

} // namespace game_window
