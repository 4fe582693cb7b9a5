#pragma once
// Where the game window draws the cells of each board, in twips (15 per pixel at 96 dpi).
// Neighbouring tiles overlap by 15 twips, so the pitch is the tile size minus 15.

#include "core/board.h"

namespace windows
{

struct TileGeometry {
    float width;
    float height;
    float pitchAcross;
    float pitchDown;
    float firstLeft;
    float firstTop;
};

inline constexpr TileGeometry kNormalTiles{1455, 1455, 1440, 1440, 360, 960};
inline constexpr TileGeometry kHardTiles{1545, 1215, 1530, 1200, 600, 480};

constexpr const TileGeometry &tileGeometryOf(core::Level level)
{
    return level == core::Level::Normal ? kNormalTiles : kHardTiles;
}

// The whole picture beside the board: landscape for Normal, portrait for Hard.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};
constexpr TwipsRect previewTwips(core::Level level)
{
    return level == core::Level::Normal ? TwipsRect{6360, 840, 3660, 2700}
                                        : TwipsRect{6720, 480, 2820, 3780};
}

struct TwipsPoint {
    float left;
    float top;
    friend bool operator==(const TwipsPoint &, const TwipsPoint &) = default;
};

/* 0 <= cell < core::gridOf(level).cells() */
constexpr TwipsPoint cellTwips(core::Level level, int cell)
{
    const TileGeometry &g = tileGeometryOf(level);
    const core::Grid &grid = core::gridOf(level);
    return {g.firstLeft + static_cast<float>(grid.column(cell)) * g.pitchAcross,
            g.firstTop + static_cast<float>(grid.row(cell)) * g.pitchDown};
}

} // namespace windows
