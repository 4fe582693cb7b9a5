#include "generators/pictures/scenes.h"

#include <array>

namespace pictures
{

Scene sceneFor(int n)
{
    static constexpr std::array<Scene, 28> all = {
        mountainLake, tuscanHills, cityAtNight, tulipField,   autumnForest, desertDunes,
        coralReef,    aurora,      harbour,     lighthouse,   stainedGlass, balloons,
        waterfall,    pagoda,      lavender,    snowyCabin,   volcano,      mosaic,
        koiPond,      sunflower,   parrots,     castle,       lanterns,     jellyfish,
        canyon,       planets,     milkyWay,    tropicalBeach};
    return all.at(size_t(n - 1));
}

} // namespace pictures
