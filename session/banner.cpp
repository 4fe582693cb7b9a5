#include "session/banner.h"

namespace session
{

int Banner::tick()
{
    ++m_ticks;
    int show = 0;
    switch (m_ticks) {
    case 1:
        show = 1;
        break;
    case 10:
        show = 2;
        break;
    case 20:
        show = 3;
        break;
    case 30:
        show = 4;
        break;
    case 40:
        // The tick after this one shows the first picture again, which changes nothing.
        m_ticks = 0;
        show = 1;
        break;
    default:
        break;
    }
    if (show == 0 || show == m_shown)
        return 0;
    m_shown = show;
    return show;
}

int Banner::ticksToNextChange() const
{
    // The first picture comes with the first tick, then a new one every ten.
    if (m_shown == 0)
        return 1 - m_ticks;
    return 10 - m_ticks % 10;
}

FanSite Banner::site() const
{
    switch (m_shown) {
    case 1:
    case 3:
        return FanSite::First;
    case 2:
    case 4:
        return FanSite::Second;
    default:
        return FanSite::None;
    }
}

} // namespace session
