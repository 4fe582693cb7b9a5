#include "platform/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace platform
{

namespace
{
// localtime_r, unlike QTime::currentTime(), does not look at the time zone file again at
// every call: the clocks ask once a second, for as long as a game is open.
std::tm now(int *milliseconds = nullptr)
{
    const auto t = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    if (milliseconds) {
        const auto sinceSecond = t - std::chrono::system_clock::from_time_t(seconds);
        *milliseconds = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count());
    }
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}
} // namespace

QString SystemClock::timeText() const
{
    const std::tm t = now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return QString::fromLatin1(text);
}

int SystemClock::msToNextSecond() const
{
    int milliseconds = 0;
    now(&milliseconds);
    return 1000 - milliseconds;
}

} // namespace platform
