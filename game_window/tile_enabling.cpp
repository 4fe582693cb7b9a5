#include "game_window/tile_enabling.h"

#include "game_window/form1.h"

namespace
{
void enableSet(platform::Picture *blank, const QList<platform::Picture *> &set, bool enabled)
{
    blank->setEnabled(enabled);
    for (platform::Picture *tile : set) {
        if (tile != blank)
            tile->setEnabled(enabled);
    }
}
} // namespace

void EnableNormalTiles(Form1 &form, bool enabled)
{
    enableSet(form.ImENo(), form.normalSet(), enabled);
}

void EnableHardTiles(Form1 &form, bool enabled)
{
    enableSet(form.ImGNo(), form.hardSet(), enabled);
}
