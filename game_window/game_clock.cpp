#include "game_window/game_clock.h"

#include "core/numeric_text.h"

#include <algorithm>
#include <cmath>

namespace game_window
{

long long nextPlaySeconds(double current)
{
    const double next = std::min(current + 1.0, static_cast<double>(kMaxPlaySeconds));
    return static_cast<long long>(std::floor(next));
}

QString playTimeText(long long seconds)
{
    return QString::fromStdString(core::minutesSeconds(seconds));
}

} // namespace game_window
