#include "game_window/banner.h"

#include "platform/web_link.h"

namespace game_window
{

int BannerCycle::tick()
{
    ++m_tick;
    switch (m_tick) {
    case 1:
        return 1;
    case 10:
        return 2;
    case 20:
        return 3;
    case 30:
        return 4;
    case 40:
        // The tick after this one shows the first picture again, which changes nothing.
        m_tick = 0;
        return 1;
    default:
        return 0;
    }
}

QString bannerAddress(int shownHolder)
{
    switch (shownHolder) {
    case 1:
    case 3:
        return platform::kFirstFanSite;
    case 2:
    case 4:
        return platform::kSecondFanSite;
    default:
        return QString();
    }
}

} // namespace game_window
