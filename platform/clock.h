#pragma once
// The time of day, as the game's second counters read it. The game is handed one at start;
// a test hands it a clock it moves by hand.

#include <QString>

namespace platform
{

class TimeSource
{
public:
    virtual ~TimeSource() = default;
    // Eight characters "HH:MM:SS"; it changes once a second.
    virtual QString timeText() const = 0;
    virtual int msToNextSecond() const = 0; // 1 ..= 1000
};

class SystemClock final : public TimeSource
{
public:
    QString timeText() const override;
    int msToNextSecond() const override;
};

} // namespace platform
