// Placeholders until the menu window lands.
#include "menu/game_setup.h"
#include "menu/menu_window.h"
namespace menu {
void showMenuWindow() {}
void setupGame(QWidget *, const QString &, const QString &) {}
} // namespace menu
