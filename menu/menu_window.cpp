#include "menu/menu_window.h"

#include "menu/form2.h"

namespace menu
{

void showMenuWindow()
{
    auto *form = new Form2;
    if (!form->load()) {
        delete form; // the picture error has been reported; nothing is shown
        return;
    }
    form->show();
}

} // namespace menu
