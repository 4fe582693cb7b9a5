#pragma once
// The pictures of one game: the whole picture beside the board and the big picture cut into
// the board's cells, from the data tree or from one of the player's own picture files.

#include "platform/data_tree.h"

#include <QList>
#include <QPixmap>
#include <QString>

namespace windows
{

struct GamePictures {
    core::Level level = core::Level::Normal; // the board they are cut for
    QPixmap whole;                           // the preview beside the board
    QList<QPixmap> cells; // reading order: cell k for numbered tile k + 1, the last for the blank
    QString problem;      // for the player, naming the file, when a picture cannot be read
    bool ok() const { return problem.isEmpty(); }
};

// Reads the whole picture first, then the big one; stops at the first that cannot be read.
/* 1 <= picture <= core::kPictureCount */
GamePictures loadGamePictures(const platform::DataTree &tree, int picture);

// Both from one file, read once: its shape as it stands upright decides the board.
GamePictures loadGamePictures(const QString &ownPicture);

} // namespace windows
