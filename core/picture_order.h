#pragma once
// The menu's pictures as numbers: the built-in ones first, then the player's own, round and
// round; the board a picture's shape plays on; and the part of a picture a frame shows.

#include "core/board.h"

namespace core
{

// Pictures 1 .. kPictureCount are built in; the player's own follow from kPictureCount + 1 on,
// in the order of their folder.
struct PictureOrder {
    int playerPictures = 0; // >= 0

    int count() const { return kPictureCount + playerPictures; }
    /* 1 <= picture <= count() */
    bool isPlayers(int picture) const { return picture > kPictureCount; }
    /* isPlayers(picture): 0 for the first of the player's pictures */
    int playerIndex(int picture) const { return picture - kPictureCount - 1; }
    // `by` places on from `picture`, round and round: the one before 1 is the last.
    /* 1 <= picture <= count() */
    int step(int picture, int by) const;
};

// As it stands upright: a landscape or square picture plays on the Normal board, a portrait
// one on the Hard board.
/* width, height > 0 */
constexpr Level levelOfShape(int width, int height)
{
    return width >= height ? Level::Normal : Level::Hard;
}

struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Area &, const Area &) = default;
};

// What a frame of frameWidth x frameHeight shows of a picture of width x height, so that
// nothing is squashed: the whole picture when its proportions are within 1 % of the frame's
// (it is stretched that little), else the largest part around its centre that has them.
/* all > 0 */
Area centredCrop(int width, int height, int frameWidth, int frameHeight);

} // namespace core
