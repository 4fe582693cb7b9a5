#pragma once
// "Play": turns the menu's picture number and level into a shown game window.

#include <QString>

class QWidget;
class Form1;

namespace menu
{
// pictureNumber is LbCual's caption, level LbDificultad's; menuWindow is closed at step 8.
void setupGame(QWidget *menuWindow, const QString &pictureNumber, const QString &level);
} // namespace menu

// Shows the tile set and preview of one level (true: Normal) and hides all of the other,
// so exactly one preview is visible afterwards: that is how the game window knows its level.
void ShowTileSet(Form1 &form, bool normal);
