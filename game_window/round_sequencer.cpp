#include "game_window/round_sequencer.h"

namespace game_window
{

RoundSequencer::Step RoundSequencer::tick()
{
    ++m_tick;
    switch (m_tick) {
    case kStartShuffle:
        return Step::StartShuffle;
    case kStopShuffle:
        return Step::StopShuffle;
    case kOpenPlay:
        m_tick = 0;
        return Step::OpenPlay;
    default:
        return Step::None;
    }
}

} // namespace game_window
