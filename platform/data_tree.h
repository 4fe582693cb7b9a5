#pragma once
// Every file the game reads, by its fixed rule below the program directory (the directory of
// the executable). Paths are written with "\" and matched without regard to letter case, as
// on the system the tree was first laid out for.

#include "core/board.h"

#include <QString>

namespace platform
{

class DataTree
{
public:
    explicit DataTree(QString programDir);

    const QString &programDir() const { return m_programDir; }

    /* 1 <= picture <= core::kPictureCount */
    QString menuPreview(int picture) const; // ...\Pic\Prevw\n.pic
    QString gamePreview(int picture) const; // ...\Pic\Shw\n.pic
    QString bigPicture(int picture) const;  // ...\Pic\Big\n.pic
    QString menuMusic() const;              // \Data\Music\ZnIntro.mus
    QString gameMusic() const;              // \Data\Music\ZnGame.mus
    QString helpPage() const;               // \data\html\help.html

    // The rule itself: program directory + relative part, resolved without regard to case.
    QString path(const QString &relative) const;

private:
    QString m_programDir;
};

// The Normal level's pictures live under "Easy"; no path says "Normal".
QString levelWord(core::Level level);

} // namespace platform
