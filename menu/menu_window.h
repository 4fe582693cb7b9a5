#pragma once
// Opening the menu: a newly created Form2, loaded and shown (picture 1, "Normal").

namespace menu
{
void showMenuWindow();
}
