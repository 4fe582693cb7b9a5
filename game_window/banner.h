#pragma once
// The banner's picture cycle: four pictures of the two fan sites, five seconds each, driven
// by a 500 ms timer; and which site a click on the banner opens.

#include <QString>

#include <cstdint>

namespace game_window
{

class BannerCycle
{
public:
    // One tick: the picture holder (1 .. 4) to put on the banner now, or 0 to leave it.
    int tick();
    std::int16_t count() const { return m_tick; }

private:
    std::int16_t m_tick = 0;
};

// shownHolder 1 .. 4 is the holder whose picture the banner shows, 0 the banner's own
// design picture (before the first tick), which belongs to no site: the address is empty.
QString bannerAddress(int shownHolder);

} // namespace game_window
