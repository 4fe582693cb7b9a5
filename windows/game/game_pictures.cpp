#include "windows/game/game_pictures.h"

#include "platform/pictures.h"

namespace windows
{

GamePictures loadGamePictures(const platform::DataTree &tree, int picture)
{
    GamePictures pictures;
    const platform::LoadedPicture whole = platform::loadPicture(tree.gamePreview(picture));
    if (!whole.ok()) {
        pictures.problem = whole.problem;
        return pictures;
    }
    pictures.whole = whole.pixmap;
    const platform::LoadedPicture big = platform::loadPicture(tree.bigPicture(picture));
    if (!big.ok()) {
        pictures.problem = big.problem;
        return pictures;
    }
    const core::Grid &grid = core::gridOf(core::levelOfPicture(picture));
    pictures.cells = platform::cutIntoCells(big.pixmap, grid.columns, grid.rows);
    return pictures;
}

} // namespace windows
