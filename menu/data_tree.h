#pragma once
// Every file the game reads, by its fixed rule below the program directory.

#include <QString>

namespace data_tree
{

// The Normal level's pictures live under "Easy"; no path says "Normal".
inline QString levelWord(bool normal)
{
    return normal ? QStringLiteral("Easy") : QStringLiteral("Hard");
}

// n is the picture number exactly as the menu's LbCual holds it ("1" .. "28").
QString menuPreview(bool normal, const QString &n); // ...\Pic\Prevw\n.pic
QString gamePreview(bool normal, const QString &n); // ...\Pic\Shw\n.pic
QString bigPicture(bool normal, const QString &n);  // ...\Pic\Big\n.pic
QString menuMusic();                                // \Data\Music\ZnIntro.mus
QString gameMusic();                                // \Data\Music\ZnGame.mus
QString helpPage();                                 // \data\html\help.html
QString recordsFile();                              // \Config\Kelset.dll

// The rule itself: program directory + relative part, resolved without regard to case.
QString programPath(const QString &relative);

} // namespace data_tree
