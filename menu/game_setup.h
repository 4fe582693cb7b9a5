#pragma once
// "Play": turns the menu's picture number and level into a shown game window.

#include <QString>

class QWidget;

namespace menu {
// pictureNumber is LbCual's caption, level LbDificultad's; menuWindow is closed at step 8.
void setupGame(QWidget *menuWindow, const QString &pictureNumber, const QString &level);
}
