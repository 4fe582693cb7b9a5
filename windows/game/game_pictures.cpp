#include "windows/game/game_pictures.h"

#include "platform/elements.h"
#include "platform/pictures.h"
#include "windows/game/board_geometry.h"

#include <QGuiApplication>

namespace windows
{

namespace
{
// The device pixels an element placed at these twips covers on the application's screens.
QSize shownAt(float left, float top, float width, float height)
{
    return platform::devicePixels(platform::twipsRect(left, top, width, height).size(),
                                  qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}
} // namespace

GamePictures loadGamePictures(const platform::DataTree &tree, int picture)
{
    GamePictures pictures;
    const core::Level level = core::levelOfPicture(picture);
    const TwipsRect preview = previewTwips(level);
    const platform::LoadedPicture whole =
        platform::loadPicture(tree.gamePreview(picture),
                              shownAt(preview.left, preview.top, preview.width, preview.height));
    if (!whole.ok()) {
        pictures.problem = whole.problem;
        return pictures;
    }
    pictures.whole = whole.pixmap;
    // Read at the size of the board, so that each cell is its tile's size on screen.
    const core::Grid &grid = core::gridOf(level);
    const TileGeometry &tiles = tileGeometryOf(level);
    const QSize tile = shownAt(tiles.firstLeft, tiles.firstTop, tiles.width, tiles.height);
    const platform::LoadedPicture big = platform::loadPicture(
        tree.bigPicture(picture), QSize(tile.width() * grid.columns, tile.height() * grid.rows),
        QSize(grid.columns, grid.rows));
    if (!big.ok()) {
        pictures.problem = big.problem;
        return pictures;
    }
    pictures.cells = platform::cutIntoCells(big.pixmap, grid.columns, grid.rows);
    return pictures;
}

} // namespace windows
