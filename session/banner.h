#pragma once
// The banner of the game window: four pictures of the two fan sites, five seconds each,
// driven by a 500 ms timer; and which site a click on it opens.

#include <cstdint>

namespace session
{

enum class FanSite { None, First, Second };

class Banner
{
public:
    // One tick: the picture (1 .. 4) to put on the banner now, or 0 when nothing changes.
    int tick();
    // 0 while the banner still shows its own design picture (before the first tick).
    int shownPicture() const { return m_shown; }
    // Pictures 1 and 3 belong to the first site, 2 and 4 to the second; the design picture,
    // although it looks like picture 2, belongs to none.
    FanSite site() const;
    // How many ticks from now the picture changes next, so a timer may sleep until then.
    int ticksToNextChange() const;

private:
    std::int16_t m_ticks = 0;
    int m_shown = 0;
};

} // namespace session
