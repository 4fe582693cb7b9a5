#include "windows/game/game_pictures.h"

#include "core/picture_order.h"
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

QSize previewShownAt(core::Level level)
{
    const TwipsRect at = previewTwips(level);
    return shownAt(at.left, at.top, at.width, at.height);
}

// Read at the size of the board, so that each cell is its tile's size on screen.
QSize boardShownAt(core::Level level)
{
    const core::Grid &grid = core::gridOf(level);
    const TileGeometry &tiles = tileGeometryOf(level);
    const QSize tile = shownAt(tiles.firstLeft, tiles.firstTop, tiles.width, tiles.height);
    return QSize(tile.width() * grid.columns, tile.height() * grid.rows);
}

QSize cellsOf(core::Level level)
{
    const core::Grid &grid = core::gridOf(level);
    return QSize(grid.columns, grid.rows);
}
} // namespace

GamePictures loadGamePictures(const platform::DataTree &tree, int picture)
{
    GamePictures pictures;
    const core::Level level = core::levelOfPicture(picture);
    pictures.level = level;
    const platform::LoadedPicture whole =
        platform::loadPicture(tree.gamePreview(picture), previewShownAt(level));
    if (!whole.ok()) {
        pictures.problem = whole.problem;
        return pictures;
    }
    pictures.whole = whole.pixmap;
    const platform::LoadedPicture big =
        platform::loadPicture(tree.bigPicture(picture), boardShownAt(level), cellsOf(level));
    if (!big.ok()) {
        pictures.problem = big.problem;
        return pictures;
    }
    pictures.cells =
        platform::cutIntoCells(big.pixmap, cellsOf(level).width(), cellsOf(level).height());
    return pictures;
}

GamePictures loadGamePictures(const QString &ownPicture)
{
    GamePictures pictures;
    const platform::LoadedPictures loaded =
        platform::loadPictures(ownPicture, [&pictures](QSize upright) {
            pictures.level = core::levelOfShape(upright.width(), upright.height());
            return QList<platform::Frame>{{previewShownAt(pictures.level)},
                                          {boardShownAt(pictures.level), cellsOf(pictures.level)}};
        });
    if (!loaded.ok()) {
        pictures.problem = loaded.problem;
        return pictures;
    }
    pictures.whole = loaded.pixmaps.at(0);
    pictures.cells = platform::cutIntoCells(loaded.pixmaps.at(1), cellsOf(pictures.level).width(),
                                            cellsOf(pictures.level).height());
    return pictures;
}

} // namespace windows
