#pragma once
// Where the game's windows open. One place decides, so a desktop that places windows itself
// (a Wayland compositor) can be left to do so.

#include <QPoint>

class QWidget;

namespace platform
{

// False where the desktop alone decides where top-level windows go (a Wayland compositor
// ignores a client's positions); the functions below then leave every window to it.
bool canPlaceWindows();

// Centres the window on the screen's available area (the primary screen when it has none).
void centreOnScreen(QWidget *window);

// Puts the window's top-left corner at `offset` from the top-left corner of its screen.
void placeFromScreenCorner(QWidget *window, QPoint offset);

} // namespace platform
