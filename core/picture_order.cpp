#include "core/picture_order.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace core
{

int PictureOrder::step(int picture, int by) const
{
    const int n = count();
    return ((picture - 1 + by) % n + n) % n + 1;
}

Area centredCrop(int width, int height, int frameWidth, int frameHeight)
{
    // Compared as products, so no proportion is rounded before it is judged.
    const double picture = double(width) * frameHeight;
    const double frame = double(frameWidth) * height;
    if (std::abs(picture - frame) <= 0.01 * frame)
        return {0, 0, width, height};
    if (picture > frame) { // wider than the frame: the sides go
        const int w = std::max(1, int(std::lround(double(height) * frameWidth / frameHeight)));
        return {(width - w) / 2, 0, w, height};
    }
    const int h = std::max(1, int(std::lround(double(width) * frameHeight / frameWidth)));
    return {0, (height - h) / 2, width, h};
}

} // namespace core
