#pragma once
// The pictures of one game: the whole picture beside the board and the big picture cut into
// the board's cells.

#include "platform/data_tree.h"

#include <QList>
#include <QPixmap>
#include <QString>

namespace windows
{

struct GamePictures {
    QPixmap whole;        // the preview beside the board
    QList<QPixmap> cells; // reading order: cell k for numbered tile k + 1, the last for the blank
    QString problem;      // for the player, naming the file, when a picture cannot be read
    bool ok() const { return problem.isEmpty(); }
};

// Reads the whole picture first, then the big one; stops at the first that cannot be read.
/* 1 <= picture <= core::kPictureCount */
GamePictures loadGamePictures(const platform::DataTree &tree, int picture);

} // namespace windows
