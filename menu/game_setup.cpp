#include "menu/game_setup.h"

#include "game_window/form1.h"
#include "menu/data_tree.h"
#include "platform/music.h"
#include "platform/pictures.h"

#include <QWidget>

#include <memory>

void ShowTileSet(Form1 &form, bool normal)
{
    for (platform::Picture *tile : form.hardSet())
        tile->setVisible(!normal);
    form.ImGPrev->setVisible(!normal);
    for (platform::Picture *tile : form.normalSet())
        tile->setVisible(normal);
    form.ImEPrev->setVisible(normal);
}

namespace menu
{

void setupGame(QWidget *menuWindow, const QString &pictureNumber, const QString &level)
{
    platform::music::switchTo(data_tree::gameMusic());

    // Only the exact word picks the Normal board; the menu shows nothing else.
    const bool normal = level == QStringLiteral("Normal");
    auto form = std::make_unique<Form1>();
    ShowTileSet(*form, normal);

    // A picture that cannot be read has been reported as fatal; the game goes no further
    // and the menu stays where it is.
    const QPixmap whole = platform::loadPicture(data_tree::gamePreview(normal, pictureNumber));
    if (whole.isNull())
        return;
    (normal ? form->ImEPrev : form->ImGPrev)->setPicture(whole);

    const core::Layout &layout = core::layoutOf(normal ? core::Level::Normal : core::Level::Hard);
    form->PictureClip1.setCols(layout.columns);
    form->PictureClip1.setRows(layout.rows);
    const QPixmap big = platform::loadPicture(data_tree::bigPicture(normal, pictureNumber));
    if (big.isNull())
        return;
    form->PictureClip1.setPicture(big);

    // Cell k belongs to the tile whose home is cell k + 1; the blank tile takes the last
    // cell, so the board opens on the whole picture.
    const QList<platform::Picture *> tiles = normal ? form->normalSet() : form->hardSet();
    for (int k = 0; k < form->PictureClip1.cellCount(); ++k)
        tiles[k]->setPicture(form->PictureClip1.graphicCell(k));

    if (menuWindow)
        menuWindow->close();
    form->Timer2->setInterval(1000);
    form.release()->show();
}

} // namespace menu
