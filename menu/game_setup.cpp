// Placeholder until the game window lands.
#include "menu/game_setup.h"
namespace menu {
void setupGame(QWidget *, const QString &, const QString &) {}
} // namespace menu
