#pragma once
// The round from the shown picture to the start of play, counted in ticks of Timer2:
// the shuffle runs from the first tick to the fourteenth, play opens at the fifteenth.

#include <cstdint>

namespace game_window
{

class RoundSequencer
{
public:
    enum class Step { None, StartShuffle, StopShuffle, OpenPlay };

    static constexpr std::int16_t kStartShuffle = 1;
    static constexpr std::int16_t kStopShuffle = 14;
    static constexpr std::int16_t kOpenPlay = 15;

    // One tick: what the window has to do now. After OpenPlay the count is back at 0.
    Step tick();

    // A restart changes only the interval of the remaining ticks, never the count.
    std::int16_t count() const { return m_tick; }

private:
    std::int16_t m_tick = 0;
};

} // namespace game_window
