// Placeholder until the menu window lands.
#include "menu/menu_window.h"
namespace menu {
void showMenuWindow() {}
} // namespace menu
